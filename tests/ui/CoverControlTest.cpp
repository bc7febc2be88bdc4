// 缩水覆盖 below the basket grid: the cover computed off the window's thread, its lines
// selected in the grid and offered to the purchase list; the refusal without a basket.

#include "UiTestSupport.h"

#include "selection/BasketCover.h"
#include "session/SelectionCommands.h"
#include "ui/selection/CoverControl.h"
#include "ui/selection/SelectionArea.h"
#include "ui/widgets/QtText.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace qv;
using namespace qv::ui;
using namespace qv::ui::test;

class CoverControlTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { PrepareApplication(); }

    void coverIsSelectedAndGoesToThePurchaseList()
    {
        Desk desk(false);
        desk.Create();
        AppState& state = desk.Form->State();
        state.Selection.BetList = {"01 02 03 04 05 06 07 08 09 10 11 12"};
        QVERIFY(desk.Form->Context().Run([&]() { ExpandBetList(state, desk.Host()); }));
        state.Purchase.PurchaseList = {"33 32 31 30 29 28 +01", ""};
        CoverControl& cover = *desk.Form->Selection().Cover;
        desk.Find<QComboBox>("CoverGuarantee")->setCurrentIndex(1); // 中4
        desk.Script().QueueAnswer(MessageAnswer::Yes);
        QSignalSpy finished(&cover, &CoverControl::Finished);
        desk.Find<QPushButton>("CoverButton")->click();
        QVERIFY(cover.Running() || finished.count() == 1);
        QVERIFY(finished.count() == 1 || finished.wait(60000));

        const QStringList messages = desk.MessageTexts();
        QVERIFY(!messages.isEmpty());
        QVERIFY2(messages.back().startsWith(QStringLiteral("缩水覆盖：号码篮924注中选出")),
                 qPrintable(messages.back()));
        const auto selected = desk.Find<QTableView>("BasketGrid")->selectionModel()->selectedRows();
        const Lines& list = state.Purchase.PurchaseList;
        QCOMPARE(list.front(), std::string("33 32 31 30 29 28 +01"));
        QCOMPARE(static_cast<std::size_t>(selected.size()), list.size() - 1);
        // What was selected and added covers the basket at 中4.
        std::vector<std::size_t> tickets;
        for (const QModelIndex& index : selected)
            tickets.push_back(static_cast<std::size_t>(index.row()));
        QCOMPARE(CoverageGaps(BasketReds(state.Selection.BasketView), 4, tickets), std::uint64_t{0});
    }

    void refusesWithoutABasket()
    {
        Desk desk(false);
        desk.Create();
        desk.Find<QPushButton>("CoverButton")->click();
        QVERIFY(!desk.Form->Selection().Cover->Running());
        QVERIFY(desk.MessageTexts().contains(QStringLiteral("您的号码篮没有号码")));
    }
};

QTEST_MAIN(CoverControlTest)
#include "CoverControlTest.moc"
