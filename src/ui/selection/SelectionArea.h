#pragma once

#include <QStringList>

namespace qv::ui {

class BetView;
class FilterView;
class NotepadView;
class PrizeCheckView;
class PurchaseListView;
class TForm1;
class TNS24;
class TNabout;
class TNhelpsum;
class WebArea;

// The windows and views that InstallSelectionViews puts into the main window.
struct SelectionWindows
{
    NotepadView* Notepad = nullptr;
    BetView* Bets = nullptr;
    FilterView* Filters = nullptr;
    PurchaseListView* Purchase = nullptr;
    PrizeCheckView* Prizes = nullptr;
    WebArea* Web = nullptr;
    TNabout* About = nullptr;
    TNhelpsum* Popup = nullptr;
    TNS24* Selector = nullptr;
};

// Fills the main window's reserved pages: the five views of the selection area, the web
// area and the sponsor strip; gives the right column's basket grid its model and
// "加入购买清单" its command; creates the about window, the explanation pop-up and the
// 24-code selector; makes 使用指南 load the help page; loads the notepad file; and loads
// the forum page once the start-up run is over. Call once, after the main window's
// creation (a second call returns the first call's windows).
SelectionWindows InstallSelectionViews(TForm1& form);

// The windows a form was given, or all null before InstallSelectionViews.
SelectionWindows InstalledWindows(const TForm1& form);

// The screenshot tour's part for these windows: the 24-code selector after 查询, an
// explanation pop-up of each kind, the about window and the user guide in the web area,
// as PNG files in dir. Changes no file below AppDir. The names written, in order.
QStringList SaveSelectionScreenshots(TForm1& form, const QString& dir);

} // namespace qv::ui
