#include "ui/web/WebArea.h"

#include "history/AppPaths.h"
#include "ui/Addresses.h"
#include "ui/widgets/QtText.h"

#include <QDesktopServices>
#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QRadialGradient>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace qv::ui {

namespace {

struct PageInfo
{
    const char* Caption;
    const char* Name;
    std::string_view Address;
    std::string_view Local;
};

const PageInfo kPages[] = {
    {"即时讨论", "WebForum", addresses::kForumPage, addresses::kForumLocal},
    {"QQ群", "WebGroupChat", addresses::kGroupChatPage, addresses::kGroupChatLocal},
    {"新版本", "WebNewVersion", addresses::kNewVersionPage, addresses::kNewVersionLocal},
    {"在线帮助", "WebHelp", addresses::kOnlineHelpPage, addresses::kOnlineHelpLocal},
};

} // namespace

QUrl LocalPage(const std::filesystem::path& appDir, std::string_view relative)
{
    return QUrl::fromLocalFile(QPath(ResolveIgnoringCase(appDir, relative)));
}

QString FillAddresses(QString html)
{
    const std::pair<const char*, std::string_view> names[] = {
        {"{{forum}}", addresses::kForumPage},
        {"{{group-chat}}", addresses::kGroupChatPage},
        {"{{new-version}}", addresses::kNewVersionPage},
        {"{{online-help}}", addresses::kOnlineHelpPage},
        {"{{sponsor}}", addresses::kSponsorPage},
        {"{{community}}", addresses::kCommunityHome},
        {"{{product}}", addresses::kProductHome},
        {"{{mail}}", addresses::kContactMail},
    };
    for (const auto& [placeholder, address] : names)
        html.replace(QString::fromUtf8(placeholder), Q(address));
    return html;
}

bool IsPlaceholderAddress(const QUrl& url)
{
    const QString host = url.host().toLower();
    if (host.isEmpty())
        return false;
    for (const char* domain : {"example.com", "example.net", "example.org"})
        if (host == QLatin1String(domain) || host.endsWith(QLatin1Char('.') + QLatin1String(domain)))
            return true;
    const QString top = host.section(QLatin1Char('.'), -1);
    return top == QStringLiteral("example") || top == QStringLiteral("invalid") ||
           top == QStringLiteral("test") || top == QStringLiteral("localhost");
}

std::string_view LocalPageFor(const QUrl& url)
{
    const std::pair<std::string_view, std::string_view> pages[] = {
        {addresses::kForumPage, addresses::kForumLocal},
        {addresses::kGroupChatPage, addresses::kGroupChatLocal},
        {addresses::kNewVersionPage, addresses::kNewVersionLocal},
        {addresses::kOnlineHelpPage, addresses::kOnlineHelpLocal},
        {addresses::kSponsorPage, addresses::kSponsorLocal},
        {addresses::kCommunityHome, addresses::kForumLocal},
        {addresses::kProductHome, addresses::kNewVersionLocal},
    };
    const QString wanted =
        url.adjusted(QUrl::StripTrailingSlash | QUrl::RemoveFragment | QUrl::RemoveQuery).toString();
    std::string_view best = addresses::kForumLocal;
    qsizetype bestLength = -1;
    for (const auto& [address, local] : pages) {
        const QString known = QUrl(Q(address)).adjusted(QUrl::StripTrailingSlash).toString();
        if ((wanted == known || wanted.startsWith(known + QLatin1Char('/'))) && known.size() > bestLength) {
            best = local;
            bestLength = known.size();
        }
    }
    return best;
}

PageBrowser::PageBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setOpenLinks(true);
    setOpenExternalLinks(true);
}

QVariant PageBrowser::loadResource(int type, const QUrl& name)
{
    if (type == QTextDocument::HtmlResource && name.isLocalFile()) {
        QFile file(name.toLocalFile());
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("<html><body><p>无法打开页面：%1</p></body></html>")
                .arg(name.toLocalFile());
        return FillAddresses(QString::fromUtf8(file.readAll()));
    }
    return QTextBrowser::loadResource(type, name);
}

WebArea::WebArea(std::filesystem::path appDir, QWidget* parent) : QWidget(parent), m_appDir(std::move(appDir))
{
    setObjectName(QStringLiteral("WebPanel"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("WebToolBar"));
    bar->setOrientation(Qt::Vertical);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->setStyleSheet(QStringLiteral("QToolBar#WebToolBar { background: #f4eee8; border: none; "
                                      "border-right: 1px solid #d9d0c7; spacing: 3px; padding: 4px; }"
                                      "QToolBar#WebToolBar QToolButton { padding: 7px 6px; min-width: 68px; "
                                      "border-radius: 3px; }"));
    for (int p = 0; p < static_cast<int>(std::size(kPages)); ++p) {
        QAction* action = bar->addAction(QString::fromUtf8(kPages[p].Caption));
        action->setObjectName(QString::fromUtf8(kPages[p].Name));
        if (QWidget* button = bar->widgetForAction(action))
            button->setObjectName(QString::fromUtf8(kPages[p].Name));
        connect(action, &QAction::triggered, this, [this, p]() { LoadPage(static_cast<Page>(p)); });
    }
    layout->addWidget(bar);

    m_browser = new PageBrowser(this);
    m_browser->setObjectName(QStringLiteral("WebBrowser1"));
    m_browser->setFrameShape(QFrame::NoFrame);
    layout->addWidget(m_browser, 1);

    m_current = new QLineEdit(this);
    m_current->setObjectName(QStringLiteral("CurrentAddress"));
    m_current->setVisible(false);
}

void WebArea::LoadPage(Page page)
{
    const PageInfo& info = kPages[static_cast<int>(page)];
    m_current->setText(Q(info.Address));
    m_browser->setSource(LocalPage(m_appDir, info.Local));
    if (m_banner)
        LoadSponsorBanner(m_banner, m_appDir);
}

QString WebArea::CurrentAddress() const
{
    return m_current->text();
}

WebArea::~WebArea()
{
    if (m_routing)
        for (const QString& scheme : {QStringLiteral("http"), QStringLiteral("https")})
            QDesktopServices::unsetUrlHandler(scheme);
}

void WebArea::RouteLinks(std::function<void()> showArea, std::function<void(const QString&)> report)
{
    m_showArea = std::move(showArea);
    m_report = std::move(report);
    if (!m_launch)
        m_launch = [this](const QUrl& url) {
            // The system's browser: this area steps aside while Qt starts it.
            QDesktopServices::unsetUrlHandler(url.scheme());
            const bool started = QDesktopServices::openUrl(url);
            QDesktopServices::setUrlHandler(url.scheme(), this, "OpenLink");
            return started;
        };
    for (const QString& scheme : {QStringLiteral("http"), QStringLiteral("https")})
        QDesktopServices::setUrlHandler(scheme, this, "OpenLink");
    m_routing = true;
}

void WebArea::OpenLink(const QUrl& url)
{
    if (IsPlaceholderAddress(url)) {
        const QUrl local = LocalPage(m_appDir, LocalPageFor(url));
        // Bringing the area forward shows the page; a click that would change nothing on
        // screen says why.
        const bool shown = isVisibleTo(window());
        if (m_showArea)
            m_showArea();
        if (m_browser->source() == local && shown) {
            if (m_report)
                m_report(QStringLiteral("地址 %1 只是示例地址，还没有可以打开的网站；"
                                        "这里显示的就是它随软件安装的本地页面。")
                             .arg(url.toString()));
            return;
        }
        m_current->setText(url.toString());
        m_browser->setSource(local);
        if (m_banner)
            LoadSponsorBanner(m_banner, m_appDir);
        return;
    }
    if (m_launch && !m_launch(url) && m_report)
        m_report(QStringLiteral("无法启动浏览器打开以下地址：\n%1\n\n请确认系统中已安装网页浏览器，"
                                "或把地址复制到浏览器中打开。")
                     .arg(url.toString()));
}

QTextBrowser* MakeSponsorBanner(const std::filesystem::path& appDir, QWidget* parent)
{
    auto* banner = new PageBrowser(parent);
    banner->setObjectName(QStringLiteral("WebBrowser2"));
    banner->setFrameShape(QFrame::NoFrame);
    // The strip shows its page without scroll bars.
    banner->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    banner->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    banner->setLineWrapMode(QTextEdit::NoWrap);
    banner->setStyleSheet(QStringLiteral("QTextBrowser { background: transparent; }"));
    LoadSponsorBanner(banner, appDir);
    return banner;
}

void LoadSponsorBanner(QTextBrowser* banner, const std::filesystem::path& appDir)
{
    banner->setSource(LocalPage(appDir, addresses::kSponsorLocal));
}

QPixmap SponsorPicture(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double r = size / 2.0 - 1;
    QRadialGradient shade(QPointF(size * 0.38, size * 0.34), r * 1.3);
    shade.setColorAt(0, QColor(0xff, 0xd5, 0x6b));
    shade.setColorAt(1, QColor(0xc9, 0x7a, 0x00));
    painter.setBrush(shade);
    painter.setPen(QPen(QColor(0x9a, 0x5c, 0x00), 1));
    painter.drawEllipse(QPointF(size / 2.0, size / 2.0), r, r);
    painter.setPen(QColor(0x7a, 0x14, 0x14));
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(static_cast<int>(size * 0.42));
    painter.setFont(font);
    painter.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QStringLiteral("赞"));
    return pixmap;
}

} // namespace qv::ui
