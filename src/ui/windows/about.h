#pragma once

#include <QWidget>

#include <functional>

class QLabel;

namespace qv::ui {

// The about window "关于Quorvane": fixed size, above other windows, opened near the pointer.
// Created once at start-up and hidden; "我知道了" and Esc fade it out over 1000 ms. The picture and
// the community link open the community home page, the home-page link the product home
// page, in the system's browser (through openAddress).
class TNabout : public QWidget
{
    Q_OBJECT
public:
    TNabout(std::function<void(const QString&)> openAddress, QWidget* parent = nullptr);

    // Shows the window near the pointer, whole on the screen.
    void ShowNearPointer();

    void TeButton1Click(); // 我知道了
    void Image1Click();    // the picture

private:
    std::function<void(const QString&)> m_openAddress;
};

// The about window's picture: a drawing of the program's red and blue balls.
QPixmap AboutPicture(int width, int height);

} // namespace qv::ui
