#pragma once

class QApplication;

class QColor;
class QPainter;
class QPointF;
class QString;

namespace qv::ui {

// The program's font (a CJK face, so Chinese renders everywhere) and its style sheet.
void ApplyLook(QApplication& app);

// A lottery ball with its number, as the loading and about pictures draw them.
void DrawBall(QPainter& painter, QPointF centre, double radius, const QColor& colour, const QString& number);

} // namespace qv::ui
