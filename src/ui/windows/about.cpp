#include "ui/windows/about.h"

#include "ui/widgets/Look.h"

#include "session/AppState.h"
#include "ui/Addresses.h"
#include "ui/widgets/ClickableLabel.h"
#include "ui/widgets/QtText.h"
#include "ui/widgets/WindowEffects.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadialGradient>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace qv::ui {

namespace {

constexpr int kWidth = 460;
constexpr int kHeight = 330;

} // namespace

QPixmap AboutPicture(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    // A rounded card with a warm gradient and a fan of six red balls and one blue.
    QPainterPath card;
    card.addRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), 10, 10);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(0xff, 0xf4, 0xe6));
    sky.setColorAt(1, QColor(0xf6, 0xd9, 0xc4));
    painter.fillPath(card, sky);
    painter.setPen(QPen(QColor(0xc8, 0x32, 0x2f), 1.5));
    painter.drawPath(card);

    // Six red balls in two rows of three, the blue ball beside them, the game's name below.
    const double radius = std::min(width / 10.0, height / 8.0);
    const double step = radius * 2.35;
    const double left = width * 0.5 - step * 1.5 - radius * 0.2;
    const double top = height * 0.28;
    const char* reds[] = {"03", "08", "11", "19", "24", "30"};
    for (int i = 0; i < 6; ++i) {
        const QPointF centre(left + (i % 3) * step, top + (i / 3) * step * 0.95);
        DrawBall(painter, centre, radius, QColor(0xd3, 0x2f, 0x2f), QString::fromUtf8(reds[i]));
    }
    DrawBall(painter, QPointF(left + 3 * step + radius * 0.1, top + step * 0.475), radius * 1.08,
             QColor(0x1e, 0x5a, 0xc8), QStringLiteral("07"));
    QFont font = painter.font();
    font.setPixelSize(static_cast<int>(radius * 0.8));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0x9b, 0x1c, 0x1c));
    painter.drawText(QRectF(0, height - radius * 1.9, width, radius * 1.4), Qt::AlignCenter,
                     QStringLiteral("双色球  6 + 1"));
    return pixmap;
}

TNabout::TNabout(std::function<void(const QString&)> openAddress, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      m_openAddress(std::move(openAddress))
{
    setObjectName(QStringLiteral("Nabout"));
    setWindowTitle(QStringLiteral("关于Quorvane"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(kWidth, kHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->setSpacing(8);

    auto* title = new QLabel(Q(kProgramTitle), this);
    title->setObjectName(QStringLiteral("AboutTitle"));
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(
        QStringLiteral("QLabel { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #c8322f, "
                       "stop:1 #9b1c1c); color: white; font-size: 17px; font-weight: bold; "
                       "padding: 10px; }"));
    layout->addWidget(title);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(14, 4, 14, 0);
    body->setSpacing(14);
    auto* picture = new ClickableLabel(QString(), this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(AboutPicture(170, 150));
    picture->setToolTip(Q(addresses::kCommunityHome));
    connect(picture, &ClickableLabel::clicked, this, &TNabout::Image1Click);
    body->addWidget(picture, 0, Qt::AlignTop);

    auto* lines = new QVBoxLayout;
    lines->setSpacing(5);
    const auto line = [&](const QString& text) {
        auto* label = new QLabel(text, this);
        label->setWordWrap(true);
        lines->addWidget(label);
        return label;
    };
    line(QStringLiteral("双色球号码分析与缩水工具"));
    line(QStringLiteral("出品：Kevrin 工作室"));
    line(QStringLiteral("交流：Pellisor 彩友社区"));
    line(QStringLiteral("邮箱：") + Q(addresses::kContactMail));
    auto* community = new ClickableLabel(QStringLiteral("进入Pellisor吧！"), this);
    community->setObjectName(QStringLiteral("AboutCommunityLink"));
    community->setProperty("role", QStringLiteral("link"));
    community->setToolTip(Q(addresses::kCommunityHome));
    connect(community, &ClickableLabel::clicked, this,
            [this]() { m_openAddress(Q(addresses::kCommunityHome)); });
    lines->addWidget(community);
    auto* home = new ClickableLabel(QStringLiteral("软件主页"), this);
    home->setObjectName(QStringLiteral("AboutHomeLink"));
    home->setProperty("role", QStringLiteral("link"));
    home->setToolTip(Q(addresses::kProductHome));
    connect(home, &ClickableLabel::clicked, this, [this]() { m_openAddress(Q(addresses::kProductHome)); });
    lines->addWidget(home);
    QLabel* notice = line(QStringLiteral("彩票有风险，投注需理性。本软件只做统计分析，不保证中奖。"));
    notice->setProperty("role", QStringLiteral("note"));
    lines->addStretch(1);
    body->addLayout(lines, 1);
    layout->addLayout(body, 1);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("我知道了"), this);
    ok->setObjectName(QStringLiteral("TeButton1"));
    ok->setProperty("role", QStringLiteral("primary"));
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addSpacing(14);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TNabout::TeButton1Click);
    OnEscape(this, [this]() { TeButton1Click(); });
}

void TNabout::ShowNearPointer()
{
    PlaceNearPointer(this);
    show();
    raise();
    activateWindow();
}

void TNabout::TeButton1Click()
{
    FadeOutAndClose(this, 1000);
}

void TNabout::Image1Click()
{
    m_openAddress(Q(addresses::kCommunityHome));
}

} // namespace qv::ui
