#include "ui/windows/helpsum.h"

#include "filters/HelpCatalogue.h"
#include "session/FilterCommands.h"
#include "ui/widgets/QtText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <limits>
#include <optional>

namespace qv::ui {

namespace {

// The header's icon: a small red ball with a question mark.
QPixmap HelpIcon()
{
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient gradient(QPointF(7, 6), 10);
    gradient.setColorAt(0, QColor(0xff, 0x8a, 0x80));
    gradient.setColorAt(1, QColor(0xb7, 0x1c, 0x1c));
    painter.setBrush(gradient);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRectF(1, 1, 16, 16));
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(12);
    painter.setFont(font);
    painter.drawText(QRectF(1, 1, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
    return pixmap;
}

} // namespace

TNhelpsum::TNhelpsum(ViewContext context, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_context(std::move(context))
{
    setObjectName(QStringLiteral("Nhelpsum"));
    setWindowTitle(QStringLiteral("运算公式说明"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(kHelpDefaultWidth, kHelpDefaultHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);

    auto* header = new QWidget(this);
    header->setObjectName(QStringLiteral("HelpHeader"));
    header->setAutoFillBackground(false);
    header->setStyleSheet(
        QStringLiteral("#HelpHeader { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                       "stop:0 #c8322f, stop:1 #9b1c1c); }"
                       "#HelpHeader QLabel { color: white; font-weight: bold; }"
                       "#HelpHeader QPushButton { color: white; background: transparent; "
                       "border: 1px solid rgba(255,255,255,0.6); border-radius: 2px; "
                       "padding: 1px 8px; }"
                       "#HelpHeader QPushButton:hover { background: rgba(255,255,255,0.2); }"));
    auto* headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(6, 3, 4, 3);
    auto* icon = new QLabel(header);
    icon->setObjectName(QStringLiteral("HelpIcon"));
    icon->setPixmap(HelpIcon());
    auto* title = new QLabel(QStringLiteral("运算公式说明"), header);
    title->setObjectName(QStringLiteral("HelpTitle"));
    auto* close = new QPushButton(QStringLiteral("关闭"), header);
    close->setObjectName(QStringLiteral("TeButton1"));
    close->setCursor(Qt::PointingHandCursor);
    headerLayout->addWidget(icon);
    headerLayout->addWidget(title, 1);
    headerLayout->addWidget(close);
    layout->addWidget(header);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("HelpText"));
    m_text->setReadOnly(true);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setFrameShape(QFrame::NoFrame);
    m_text->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #fffdf6; color: #2b2b2b; }"));
    layout->addWidget(m_text, 1);

    connect(close, &QPushButton::clicked, this, &TNhelpsum::TeButton1Click);

    m_closeTimer = new QTimer(this);
    m_closeTimer->setSingleShot(true);
    m_closeTimer->setInterval(kCloseDelayMs);
    connect(m_closeTimer, &QTimer::timeout, this, &TNhelpsum::CloseUnlessHovered);
}

QString TNhelpsum::Text() const
{
    return m_text->toPlainText();
}

QPoint TNhelpsum::Placement(const QSize& size, const QPoint& pointer, const QRect& keepClear,
                            const QRect& screen)
{
    constexpr int kGap = 3;
    const int w = size.width();
    const int h = size.height();
    const auto clampX = [&](int x) {
        return std::clamp(x, screen.left(), std::max(screen.left(), screen.right() + 1 - w));
    };
    const auto clampY = [&](int y) {
        return std::clamp(y, screen.top(), std::max(screen.top(), screen.bottom() + 1 - h));
    };
    const QPoint candidates[] = {
        {clampX(pointer.x() - 16), keepClear.bottom() + 1 + kGap}, // below
        {clampX(pointer.x() - 16), keepClear.top() - kGap - h},    // above
        {keepClear.right() + 1 + kGap, clampY(pointer.y() - 16)},  // right
        {keepClear.left() - kGap - w, clampY(pointer.y() - 16)},   // left
    };
    // The nearest to the pointer of those that lie whole on the screen and clear of the box;
    // within a few pixels the earlier side wins (below, then above, right, left).
    constexpr int kSlack = 8;
    std::optional<QPoint> best;
    int bestDistance = std::numeric_limits<int>::max();
    for (const QPoint& at : candidates) {
        const QRect rect(at, size);
        if (!screen.contains(rect) || rect.intersects(keepClear))
            continue;
        const int dx = std::max({rect.left() - pointer.x(), 0, pointer.x() - rect.right()});
        const int dy = std::max({rect.top() - pointer.y(), 0, pointer.y() - rect.bottom()});
        const int distance = std::max(dx, dy);
        if (!best || distance < bestDistance - kSlack) {
            bestDistance = distance;
            best = at;
        }
    }
    return best ? *best : QPoint(candidates[0].x(), clampY(candidates[0].y()));
}

void TNhelpsum::PointerMoved(const std::string& checkBox, const QPoint& globalPos, const QRect& keepClear)
{
    AppState& state = m_context.State;
    if (!m_switchOn)
        return;
    if (m_shownFlag) {
        // Over the box it explains (or after its file failed): nothing changes. Over another
        // box the pop-up follows that box.
        if (checkBox == m_box || !isVisible()) {
            m_overBox = checkBox == m_box;
            if (m_overBox)
                m_closeTimer->stop();
            return;
        }
    }
    const HelpEntry* entry = FindHelpEntry(checkBox);
    if (entry == nullptr)
        return;
    m_shownFlag = true;
    m_box = checkBox;
    m_overBox = true;
    m_closeTimer->stop();
    m_text->clear();
    // A missing explanation file stops here with its error; the flag stays set until the
    // pointer leaves the box.
    std::vector<std::string> lines;
    if (!m_context.Run([&]() { lines = HelpLines(*entry, state); })) {
        hide();
        return;
    }
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& line : lines)
        texts << Q(line);
    m_text->setPlainText(texts.join(QLatin1Char('\n')));
    m_text->moveCursor(QTextCursor::Start);
    resize(entry->Width, height());
    const QScreen* screen = QGuiApplication::screenAt(globalPos);
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    const QRect clear = keepClear.isValid() ? keepClear : QRect(globalPos, QSize(1, 1));
    move(screen ? Placement(size(), globalPos, clear, screen->availableGeometry())
                : globalPos + QPoint(1, 1));
    show();
    raise();
    ++m_shownCount;
}

void TNhelpsum::PointerLeft()
{
    if (!m_switchOn)
        return;
    m_overBox = false;
    if (!isVisible()) {
        m_shownFlag = false;
        return;
    }
    m_closeTimer->start();
}

void TNhelpsum::Scroll(const QWheelEvent& wheel)
{
    QScrollBar* bar = m_text->verticalScrollBar();
    const int lines = wheel.angleDelta().y() * QApplication::wheelScrollLines() / 120;
    bar->setValue(bar->value() - lines * bar->singleStep());
}

void TNhelpsum::CloseUnlessHovered()
{
    if (m_switchOn && isVisible() && !m_overBox && !m_overPopup)
        close();
}

void TNhelpsum::enterEvent(QEnterEvent* event)
{
    m_overPopup = true;
    m_closeTimer->stop();
    QWidget::enterEvent(event);
}

void TNhelpsum::leaveEvent(QEvent* event)
{
    m_overPopup = false;
    if (m_switchOn && isVisible())
        m_closeTimer->start();
    QWidget::leaveEvent(event);
}

void TNhelpsum::showEvent(QShowEvent* event)
{
    qApp->installEventFilter(this);
    QWidget::showEvent(event);
}

void TNhelpsum::hideEvent(QHideEvent* event)
{
    qApp->removeEventFilter(this);
    m_closeTimer->stop();
    m_overPopup = false;
    QWidget::hideEvent(event);
}

bool TNhelpsum::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        isVisible()) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TNhelpsum::TeButton1Click()
{
    close();
}

void TNhelpsum::closeEvent(QCloseEvent* event)
{
    resize(kHelpDefaultWidth, height());
    m_shownFlag = false;
    m_box.clear();
    m_overBox = false;
    m_overPopup = false;
    m_closeTimer->stop();
    QWidget::closeEvent(event);
}

void TNhelpsum::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QColor(0x9b, 0x1c, 0x1c));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace qv::ui
