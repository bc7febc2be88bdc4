#pragma once

#include <QPushButton>
#include <QString>

namespace qv::ui {

// A push button carrying its component name, the way every window builds its buttons.
inline QPushButton* MakeButton(const QString& caption, const QString& objectName, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    return button;
}

} // namespace qv::ui
