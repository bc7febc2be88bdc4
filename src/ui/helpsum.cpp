#include "ui/helpsum.h"

#include "ui/HelpCatalogue.h"
#include "ui/QtText.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

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
}

QString TNhelpsum::Text() const
{
    return m_text->toPlainText();
}

void TNhelpsum::PointerMoved(const std::string& checkBox, const QPoint& globalPos)
{
    AppState& state = m_context.State;
    if (!m_switchOn || state.PopupShownFlag)
        return;
    const HelpEntry* entry = FindHelpEntry(checkBox);
    if (entry == nullptr)
        return;
    state.PopupShownFlag = true;
    m_text->clear();
    // A missing explanation file stops here with its error; the flag stays set until the
    // pointer leaves the box.
    std::vector<std::string> lines;
    if (!m_context.Run([&]() { lines = HelpLines(*entry, state); }))
        return;
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& line : lines)
        texts << Q(line);
    m_text->setPlainText(texts.join(QLatin1Char('\n')));
    m_text->moveCursor(QTextCursor::Start);
    resize(entry->Width, height());
    move(globalPos + QPoint(1, 1));
    show();
    raise();
    ++m_shownCount;
}

void TNhelpsum::PointerLeft()
{
    if (!m_switchOn)
        return;
    m_context.State.PopupShownFlag = false;
    close();
}

void TNhelpsum::TeButton1Click()
{
    close();
}

void TNhelpsum::closeEvent(QCloseEvent* event)
{
    resize(kHelpDefaultWidth, height());
    m_context.State.PopupShownFlag = false;
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
