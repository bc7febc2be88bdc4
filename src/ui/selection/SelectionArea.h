#pragma once

#include <QStringList>

class QFrame;
class QPushButton;
class QTableView;
class QWidget;

namespace qv::ui {

class BetView;
class CoverControl;
class FilterView;
class NotepadView;
class PrizeCheckView;
class PurchaseListView;
class TForm1;
class TNS24;
class TNabout;
class TNhelpsum;
class WebArea;
class WheelView;

// The main window's pages that InstallSelectionViews fills, built with the window's body.
struct SelectionPages
{
    // The six pages of the selection area, in the order of its view switch.
    QWidget* Notepad = nullptr;
    QWidget* Bets = nullptr;
    QWidget* Filters = nullptr;
    QWidget* Purchase = nullptr;
    QWidget* Prizes = nullptr;
    QWidget* Wheel = nullptr;
    QWidget* Web = nullptr;               // the web area
    QFrame* SponsorStrip = nullptr;       // the strip below the work areas
    QWidget* SponsorBanner = nullptr;     // its banner slot
    QTableView* BasketGrid = nullptr;     // the right column's basket grid
    QPushButton* AddToPurchase = nullptr; // Button15 "加入购买清单"
    QWidget* CoverSlot = nullptr;         // below it: 缩水覆盖
};

// The windows and views that InstallSelectionViews puts into the main window.
struct SelectionWindows
{
    NotepadView* Notepad = nullptr;
    BetView* Bets = nullptr;
    FilterView* Filters = nullptr;
    PurchaseListView* Purchase = nullptr;
    PrizeCheckView* Prizes = nullptr;
    WheelView* Wheel = nullptr;
    WebArea* Web = nullptr;
    TNabout* About = nullptr;
    TNhelpsum* Popup = nullptr;
    TNS24* Selector = nullptr;
    CoverControl* Cover = nullptr;
};

// Fills the main window's reserved pages: the six views of the selection area, the web
// area and the sponsor strip; gives the right column's basket grid its model and
// "加入购买清单" its command; creates the about window, the explanation pop-up and the
// 24-code selector; loads the notepad file; and loads the forum page once the start-up run
// is over. The main window calls it once, after its creation, and keeps what it returns.
SelectionWindows InstallSelectionViews(TForm1& form, const SelectionPages& pages);

// The screenshot tour's part for these windows: the 24-code selector after 查询, an
// explanation pop-up of each kind, the about window and the user guide in the web area,
// as PNG files in dir. Changes no file below AppDir. The names written, in order.
QStringList SaveSelectionScreenshots(TForm1& form, const QString& dir);

} // namespace qv::ui
