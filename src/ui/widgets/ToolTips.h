#pragma once

class QWidget;

namespace qv::ui {

// Gives every tool-bar command below root (the main window's tool bars and the web area's)
// a tooltip that says what it does; the buttons show their captions already.
void DescribeToolButtons(QWidget* root);

} // namespace qv::ui
