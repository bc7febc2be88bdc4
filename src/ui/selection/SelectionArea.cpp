#include "ui/selection/SelectionArea.h"

#include "selection/Basket.h"
#include "ui/QtHost.h"
#include "ui/Unit1.h"
#include "ui/selection/BacktestView.h"
#include "ui/selection/BasketModel.h"
#include "ui/selection/BetView.h"
#include "ui/selection/CoverControl.h"
#include "ui/selection/FilterView.h"
#include "ui/selection/NotepadView.h"
#include "ui/selection/PurchaseViews.h"
#include "ui/selection/S24.h"
#include "ui/selection/WheelView.h"
#include "ui/web/WebArea.h"
#include "ui/widgets/QtText.h"
#include "ui/widgets/ToolTips.h"
#include "ui/widgets/WindowEffects.h"
#include "ui/windows/about.h"
#include "ui/windows/helpsum.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

namespace qv::ui {

namespace {

// Puts a view on a reserved page in place of whatever stood there.
void FillPage(QWidget* page, QWidget* view)
{
    QLayout* layout = page->layout();
    if (!layout) {
        layout = new QVBoxLayout(page);
    }
    while (QLayoutItem* item = layout->takeAt(0)) {
        if (QWidget* old = item->widget())
            old->deleteLater();
        delete item;
    }
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
}

void OpenInBrowser(const QString& address)
{
    if (!address.isEmpty())
        QDesktopServices::openUrl(QUrl(address));
}

// The basket grid of the right column over the basket the core keeps; the expansion, the
// filter run and "加入购买清单" announce it when they reload it.
void InstallBasketGrid(QTableView* grid, const ViewContext& context)
{
    auto* model = new BasketModel(context.State.Selection.BasketView, grid);
    grid->setModel(model);
    grid->setWordWrap(false);
    grid->setShowGrid(false);
    grid->setAlternatingRowColors(true);
    grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    context.Register(kBasketViewComponent, [model]() { model->Reload(); });
}

void InstallSponsorStrip(TForm1& form, const SelectionPages& pages, WebArea* web)
{
    QWidget* slot = pages.SponsorBanner;
    auto* layout = slot->layout() ? slot->layout() : new QHBoxLayout(slot);
    layout->setContentsMargins(0, 0, 0, 0);
    QTextBrowser* banner = MakeSponsorBanner(form.State().Paths.Dir(), slot);
    layout->addWidget(banner);
    web->SetSponsorBrowser(banner);
    if (QFrame* strip = pages.SponsorStrip)
        if (auto* row = qobject_cast<QBoxLayout*>(strip->layout())) {
            auto* picture = new QLabel(strip);
            picture->setObjectName(QStringLiteral("SponsorImage"));
            picture->setPixmap(SponsorPicture(34));
            row->insertWidget(0, picture);
        }
}

} // namespace

SelectionWindows InstallSelectionViews(TForm1& form, const SelectionPages& pages)
{
    const ViewContext context = form.Context();
    SelectionWindows windows;

    // The secondary windows in the program's order: about window, pop-up, selector.
    windows.About = new TNabout(OpenInBrowser, &form);
    windows.Popup = new TNhelpsum(context, &form);
    windows.Selector = new TNS24(context, &form);
    for (QWidget* window : {static_cast<QWidget*>(windows.About), static_cast<QWidget*>(windows.Popup),
                            static_cast<QWidget*>(windows.Selector)})
        window->setAttribute(Qt::WA_QuitOnClose, false);

    TNS24* selector = windows.Selector;
    windows.Notepad = new NotepadView(context);
    windows.Bets = new BetView(context, [selector]() {
        if (!selector->isVisible())
            PlaceNearPointer(selector);
        selector->show();
        selector->raise();
        selector->activateWindow();
    });
    windows.Filters = new FilterView(context, windows.Popup);
    windows.Purchase = new PurchaseListView(context);
    windows.Prizes = new PrizeCheckView(context);
    FillPage(pages.Notepad, windows.Notepad);
    FillPage(pages.Bets, windows.Bets);
    FillPage(pages.Filters, windows.Filters);
    FillPage(pages.Purchase, windows.Purchase);
    FillPage(pages.Prizes, windows.Prizes);
    PurchaseListView* list = windows.Purchase;
    windows.Wheel = new WheelView(context, [list]() { list->PullList(); });
    FillPage(pages.Wheel, windows.Wheel);

    windows.Web = new WebArea(form.State().Paths.Dir());
    FillPage(pages.Web, windows.Web);
    InstallSponsorStrip(form, pages, windows.Web);
    InstallBasketGrid(pages.BasketGrid, context);

    PurchaseListView* purchase = windows.Purchase;
    QObject::connect(pages.AddToPurchase, &QPushButton::clicked, purchase,
                     [purchase]() { purchase->Button15Click(); });
    if (pages.CoverSlot) {
        windows.Cover = new CoverControl(context, pages.BasketGrid, [purchase]() { purchase->PullList(); });
        FillPage(pages.CoverSlot, windows.Cover);
    }

    WebArea* web = windows.Web;
    // The forum page loads once the program waits for input after the start-up run.
    QObject::connect(
        &form, &TForm1::StartupFinished, web, [web]() { web->LoadPage(WebArea::Page::Forum); },
        Qt::SingleShotConnection);

    windows.Notepad->LoadDefaultFile();
    DescribeToolButtons(&form);
    TForm1* owner = &form;
    web->RouteLinks([owner]() { owner->ShowArea(TForm1::Area::Web); },
                    [owner](const QString& text) {
                        owner->Host().Message(kProgramTitle, S(text), MessageIcon::Warning,
                                              MessageButtons::Ok);
                    });
    return windows;
}

QStringList SaveSelectionScreenshots(TForm1& form, const QString& dir)
{
    QStringList saved;
    const SelectionWindows& windows = form.Selection();
    if (!windows.Selector)
        return saved;
    const auto save = [&](QWidget* widget, const QString& name) {
        QCoreApplication::processEvents();
        if (widget->grab().save(dir + QLatin1Char('/') + name))
            saved << name;
    };

    TNS24* selector = windows.Selector;
    selector->show();
    if (selector->IssueSelector()->count() > 0) {
        selector->IssueSelector()->setCurrentIndex(0);
        selector->TeButton3Click();
        // Scrolled to the first group in red.
        for (int g = 1; g <= kGroupCount24; ++g)
            if (selector->GroupBox(g)->property("hit").toBool()) {
                selector->Groups()->ensureWidgetVisible(selector->GroupBox(g), 0, 60);
                break;
            }
    }
    save(selector, QStringLiteral("selector-24.png"));
    selector->hide();

    form.ShowView(QStringLiteral("运算/过滤窗口"));
    QTabWidget* pages = windows.Filters->Pages();
    pages->setCurrentIndex(1);
    save(&form, QStringLiteral("main-filters-conditions.png"));
    pages->setCurrentIndex(2);
    save(&form, QStringLiteral("main-filters-numbers.png"));
    // 历史验证 of the newest 100 draws with the window's switches; it writes no file.
    pages->setCurrentIndex(3);
    if (BacktestView* backtest = windows.Filters->Backtest()) {
        QEventLoop wait;
        QObject::connect(backtest, &BacktestView::Finished, &wait, &QEventLoop::quit);
        backtest->StartClick();
        if (backtest->Running())
            wait.exec();
        save(&form, QStringLiteral("main-filters-backtest.png"));
    }
    pages->setCurrentIndex(0);
    const char* popups[][2] = {
        {"CheckBox9", "popup-value.png"}, {"CheckBox6", "popup-fixed.png"}, {"CheckBox24", "popup-file.png"}};
    for (const auto& [box, name] : popups) {
        QCheckBox* check = windows.Filters->Switch(box);
        if (!check)
            continue;
        windows.Popup->PointerMoved(box, check->mapToGlobal(QPoint(check->width() / 2, 4)),
                                    windows.Filters->KeepClear(box));
        if (windows.Popup->isVisible())
            save(windows.Popup, QString::fromUtf8(name));
        windows.Popup->TeButton1Click();
    }

    windows.About->ShowNearPointer();
    save(windows.About, QStringLiteral("about.png"));
    windows.About->hide();

    windows.Web->LoadPage(WebArea::Page::OnlineHelp);
    form.ShowArea(TForm1::Area::Web);
    save(&form, QStringLiteral("main-web-guide.png"));
    windows.Web->LoadPage(WebArea::Page::Forum);
    form.ShowView(QStringLiteral("投注/组合"));
    return saved;
}

} // namespace qv::ui
