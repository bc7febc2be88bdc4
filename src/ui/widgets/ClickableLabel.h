#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace qv::ui {

// A label that is a command: clicking it emits clicked() ("红号分析", "下载新数据").
class ClickableLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr) : QLabel(text, parent)
    {
        setCursor(Qt::PointingHandCursor);
    }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            emit clicked();
        QLabel::mousePressEvent(event);
    }
};

} // namespace qv::ui
