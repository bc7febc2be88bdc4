#include "ui/widgets/Look.h"

#include <QRadialGradient>

#include <QPainter>

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace qv::ui {

namespace {

const char* const kStyleSheet = R"(
QLabel[role="header"] {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #c8322f, stop:1 #9b1c1c);
    color: white; font-weight: bold; padding: 4px 8px; border-radius: 3px;
}
QLabel[role="title"] { font-size: 15px; font-weight: bold; color: #7a1414; }
QLabel[role="counter"] { color: #8a1212; font-weight: bold; padding-left: 2px; }
QLabel[role="note"] { color: #555555; }
QLabel[role="link"] { color: #1a5fb4; text-decoration: underline; }
QLabel[role="placeholder"] { color: #a8a29c; font-size: 22px; }
QLabel[role="switch"] {
    padding: 4px 16px; border: 1px solid #cfc6bd; border-radius: 3px; background: #f7f3ef;
}
QLabel[role="switch"][current="true"] { background: #c8322f; color: white; border-color: #9b1c1c; }
QPlainTextEdit#InfoLog {
    background: #000000; color: #98fb98; border: 1px solid #333333;
    font-family: "Noto Sans Mono CJK SC", "Noto Sans Mono", monospace;
}
QListWidget#ListBox1, QLineEdit#Edit1 {
    font-family: "Noto Sans Mono CJK SC", "Noto Sans Mono", monospace;
}
QToolBar#ToolBar1 { spacing: 4px; padding: 2px 4px; border-bottom: 1px solid #d9d0c7; }
QToolBar#ToolBar1 QToolButton { padding: 4px 12px; font-weight: bold; }
QToolBar#AnalysisToolBar, QToolBar#SelectionToolBar {
    background: #f4eee8; border: none; border-right: 1px solid #d9d0c7; spacing: 3px; padding: 4px;
}
QToolBar#AnalysisToolBar QToolButton, QToolBar#SelectionToolBar QToolButton {
    padding: 7px 6px; min-width: 68px; border-radius: 3px;
}
QToolBar QToolButton:checked { background: #c8322f; color: white; }
QToolBar QToolButton:hover:!checked { background: #eadfd5; }
QToolBar QToolButton:disabled { color: #b0aaa4; }
QFrame#SponsorStrip { background: #fbf7f2; border-top: 1px solid #d9d0c7; }
QProgressBar#suiProgressBar1 { border: 1px solid #b9b0a7; background: #eeeeee; }
QProgressBar#suiProgressBar1::chunk { background: #2e8b57; }
QPushButton { padding: 4px 14px; }
QPushButton[role="primary"] { font-weight: bold; }
QGroupBox { font-weight: bold; color: #7a1414; }
QTableView { gridline-color: #e3ddd7; selection-background-color: #c8322f; }
QHeaderView::section { background: #efe8e1; padding: 3px 6px; border: none;
                       border-right: 1px solid #d9d0c7; border-bottom: 1px solid #d9d0c7; }
)";

} // namespace

void ApplyLook(QApplication& app)
{
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPointSize(10);
    font.setStyleHint(QFont::SansSerif);
    app.setFont(font);
    app.setStyleSheet(QString::fromUtf8(kStyleSheet));
}

void DrawBall(QPainter& painter, QPointF centre, double radius, const QColor& colour, const QString& number)
{
    QRadialGradient shade(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.3);
    shade.setColorAt(0.0, colour.lighter(175));
    shade.setColorAt(0.45, colour);
    shade.setColorAt(1.0, colour.darker(190));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawEllipse(centre + QPointF(2.5, 3.5), radius, radius * 0.96);
    painter.setBrush(shade);
    painter.drawEllipse(centre, radius, radius);
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawEllipse(centre, radius * 0.55, radius * 0.55);
    QFont font = painter.font();
    font.setPixelSize(static_cast<int>(radius * 0.7));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(colour.darker(140));
    painter.drawText(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
                     Qt::AlignCenter, number);
}

} // namespace qv::ui
