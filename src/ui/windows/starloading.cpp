#include "ui/windows/starloading.h"

#include "ui/widgets/Look.h"

#include "history/TextFile.h"
#include "ui/widgets/QtText.h"
#include "ui/widgets/WindowEffects.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace qv::ui {

TNstarloading::TNstarloading(LoadingContext context)
    : QWidget(context.Owner, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_context(std::move(context))
{
    setObjectName(QStringLiteral("Nstarloading"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(kWidth, kHeight);
    setCursor(Qt::PointingHandCursor);

    m_label = new QLabel(LoadingText(), this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setStyleSheet(QStringLiteral("color: #fff6d5; background: transparent; font-size: 13px;"));
    m_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_label->setGeometry(kWidth - 300, kHeight - 34, 286, 24);

    // Counts from creation; ticks while a command runs do not count (the program is not
    // waiting for input then).
    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &TNstarloading::TimerTick);
    m_timer->start();

    // The newest draw as the history file holds it now; nothing when it cannot be read
    // (the start-up run reports that).
    std::optional<DrawRecord> newest;
    try {
        const Lines lines = LoadLines(m_context.HistoryFile);
        if (!lines.empty())
            newest = ParseHistoryLine(lines.front());
    } catch (const std::exception&) {
    }
    ShowDraw(newest);
}

void TNstarloading::ShowDraw(std::optional<DrawRecord> newest)
{
    m_newest = std::move(newest);
    m_picture = Picture(m_newest);
    update();
}

QString TNstarloading::LoadingText()
{
    return QStringLiteral("正在初始化数据......请稍候");
}

QString TNstarloading::ReadyText()
{
    return QStringLiteral("读取成功！点击图片关闭窗口");
}

void TNstarloading::SetTickInterval(int milliseconds)
{
    m_timer->setInterval(milliseconds);
}

QImage TNstarloading::Picture(const std::optional<DrawRecord>& newest)
{
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient background(0, 0, kWidth, kHeight);
    background.setColorAt(0.0, QColor(0xb3, 0x16, 0x1f));
    background.setColorAt(0.55, QColor(0x6e, 0x0b, 0x14));
    background.setColorAt(1.0, QColor(0x2b, 0x06, 0x0c));
    painter.fillRect(image.rect(), background);

    // Faint rings behind the title.
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 6; ++i) {
        painter.setPen(QPen(QColor(255, 220, 150, 22 - i * 3), 14));
        painter.drawEllipse(QPointF(360, 40), 60.0 + i * 34, 60.0 + i * 34);
    }

    QFont font = QGuiApplication::font();
    font.setPixelSize(40);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(255, 248, 230));
    painter.drawText(QRect(28, 18, 400, 50), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quorvane"));
    font.setPixelSize(17);
    font.setBold(false);
    painter.setFont(font);
    painter.setPen(QColor(255, 214, 140));
    painter.drawText(QRect(30, 66, 400, 26), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("双色球 数据分析 · 缩水过滤"));
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(QColor(255, 235, 210, 200));
    painter.drawText(QRect(31, 92, 400, 18), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("2010 Ver 1.75"));

    painter.setPen(QPen(QColor(255, 204, 102, 150), 1));
    painter.drawLine(QPointF(28, 118), QPointF(kWidth - 28, 118));

    const auto two = [](int number) { return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')); };
    const double radius = 22;
    double x = 28 + radius;
    for (int k = 0; k < 6; ++k) {
        DrawBall(painter, QPointF(x, 162), radius, QColor(0xe0, 0x1e, 0x2b),
                 newest ? two(newest->Reds[static_cast<std::size_t>(k)]) : QString());
        x += 2 * radius + 8;
    }
    DrawBall(painter, QPointF(x + 10, 162), radius, QColor(0x1f, 0x5f, 0xd6),
             newest ? two(newest->Blue) : QString());
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(QColor(255, 235, 210, 220));
    painter.drawText(QRect(30, 121, kWidth - 60, 17), Qt::AlignLeft | Qt::AlignVCenter,
                     newest ? QStringLiteral("最新一期：第%1期开奖号码").arg(Q(newest->Issue))
                            : QStringLiteral("历史记录中还没有开奖号码"));

    painter.setPen(QPen(QColor(255, 204, 102, 150), 1));
    painter.drawLine(QPointF(28, 204), QPointF(kWidth - 28, 204));
    painter.end();
    return image;
}

void TNstarloading::paintEvent(QPaintEvent* event)
{
    (void)event;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_picture);
}

void TNstarloading::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_started)
        return;
    if (QScreen* screen = this->screen()) {
        const QRect desktop = screen->availableGeometry();
        move(desktop.center() - QPoint(kWidth / 2, kHeight / 2));
    }
    UnfoldFromCentre(this, 200);
    // The run starts once the window has unfolded and painted its picture.
    QTimer::singleShot(WindowEffectsEnabled() ? 220 : 0, this, &TNstarloading::StartupRun);
}

void TNstarloading::StartupRun()
{
    if (m_started)
        return;
    m_started = true;
    repaint();
    // A failed run closes the loading window before its error is shown, so the message box
    // is not hidden behind it; the main window stays with what was filled so far.
    const bool succeeded = m_context.RunStartup([this]() { close(); });
    if (succeeded) {
        m_label->setText(ReadyText());
        const Lines& history = *m_context.History;
        ShowDraw(history.empty() ? std::nullopt : ParseHistoryLine(history.front()));
    }
    emit StartupRunFinished(succeeded);
}

void TNstarloading::TimerTick()
{
    if (m_context.Busy())
        return;
    if (++m_ticks >= kClosingTick) {
        m_timer->stop();
        close();
    }
}

void TNstarloading::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    if (m_label->text() == ReadyText())
        close();
}

void TNstarloading::closeEvent(QCloseEvent* event)
{
    if (!FadeOutBeforeClose(this, event, 1000))
        return;
    m_timer->stop();
    QWidget::closeEvent(event);
}

} // namespace qv::ui
