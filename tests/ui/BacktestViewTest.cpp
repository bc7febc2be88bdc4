// The page 历史验证 driven through its widgets: a run off the user-interface thread, its
// tables and summary, 取消, switching off the filters that miss the draws, the CSV export.

#include "UiTestSupport.h"

#include "ui/selection/BacktestView.h"
#include "ui/selection/FilterView.h"
#include "ui/selection/SelectionArea.h"
#include "ui/widgets/QtText.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace qv;
using namespace qv::ui;
using namespace qv::ui::test;

class BacktestViewTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { PrepareApplication(); }

    void runShowsTablesAndActsOnThem()
    {
        Desk desk(false);
        desk.Create();
        AppState& state = desk.Form->State();
        state.HistoryLines = qv::test::RotatingHistory(40);
        BacktestView& view = *desk.Form->Selection().Filters->Backtest();
        desk.Find<QSpinBox>("BacktestDraws")->setValue(20);
        // The backtest takes the 容错 of the filter run.
        desk.Find<QSpinBox>("ToleranceEdit")->setValue(2);
        QCOMPARE(state.Filters.Tolerance, 2);

        // The window keeps answering while the run works.
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&]() { ++ticks; });
        timer.start(1);
        QSignalSpy finished(&view, &BacktestView::Finished);
        desk.Find<QPushButton>("BacktestStart")->click();
        QVERIFY(view.Running());
        QVERIFY(!desk.Find<QPushButton>("BacktestStart")->isEnabled());
        QVERIFY(finished.wait(120000));
        QVERIFY(ticks > 0);
        QVERIFY(!view.Running());

        const BacktestReport& report = *view.Report();
        QCOMPARE(report.Draws.size(), std::size_t{20});
        QCOMPARE(report.Tolerance, 2);
        QVERIFY(desk.Find<QLabel>("BacktestSummary")->text().contains(QStringLiteral("容错2")));
        QVERIFY(desk.Find<QLabel>("BacktestSummary")
                    ->text()
                    .startsWith(QStringLiteral("按当前设置，最近20期中开奖号码保留了")));
        QCOMPARE(desk.Find<QTableView>("BacktestFilters")->model()->rowCount(), 47);
        QCOMPARE(desk.Find<QTableView>("BacktestDrawTable")->model()->rowCount(), 20);
        QCOMPARE(desk.Find<QTableView>("BacktestLists")->model()->rowCount(), 9);

        // Every switched-on filter that removed a drawn line at least once goes off, on the
        // filter pages too; the others stay.
        desk.Find<QDoubleSpinBox>("BacktestLevel")->setValue(0);
        desk.Find<QPushButton>("BacktestSwitchOff")->click();
        int off = 0;
        for (const auto& f : report.Filters) {
            const bool expected = f.On && f.Removed == 0;
            QCOMPARE(state.Filters.Switches[f.Info->CheckBox], expected);
            QCOMPARE(desk.Form->Selection().Filters->Switch(f.Info->CheckBox)->isChecked(), expected);
            off += f.On && f.Removed > 0;
        }
        QVERIFY(off > 0);

        const auto csv = desk.Dir / "backtest.csv";
        desk.Script().QueueSaveFile(csv);
        desk.Find<QPushButton>("BacktestExport")->click();
        const Lines lines = desk.Dir.Read("backtest.csv");
        QVERIFY(!lines.empty());
        QCOMPARE(lines.front(), S(desk.Find<QLabel>("BacktestSummary")->text()));
    }

    void cancelStopsBetweenDraws()
    {
        Desk desk(false);
        desk.Create();
        desk.Form->State().HistoryLines = qv::test::RotatingHistory(200);
        BacktestView& view = *desk.Form->Selection().Filters->Backtest();
        desk.Find<QSpinBox>("BacktestDraws")->setValue(190);
        QSignalSpy finished(&view, &BacktestView::Finished);
        desk.Find<QPushButton>("BacktestStart")->click();
        desk.Find<QPushButton>("BacktestCancel")->click();
        QVERIFY(finished.wait(120000));
        QVERIFY(view.Report()->Cancelled);
        QVERIFY(view.Report()->Draws.size() < 190);
        QVERIFY(desk.Find<QLabel>("BacktestSummary")->text().contains(QStringLiteral("已取消")));
        QVERIFY(desk.Find<QPushButton>("BacktestStart")->isEnabled());
    }

    void drawCountTheHistoryCannotGiveIsRefused()
    {
        Desk desk(false);
        desk.Create();
        desk.Form->State().HistoryLines = qv::test::RotatingHistory(15);
        BacktestView& view = *desk.Form->Selection().Filters->Backtest();
        desk.Find<QSpinBox>("BacktestDraws")->setValue(10);
        desk.Find<QPushButton>("BacktestStart")->click();
        QVERIFY(!view.Running());
        QVERIFY(desk.MessageTexts().join(QString()).contains(QStringLiteral("验证期数应在1至5之间")));
    }
};

QTEST_MAIN(BacktestViewTest)
#include "BacktestViewTest.moc"
