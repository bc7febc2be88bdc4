// The start-up sequence behind the loading window, the two recompute commands and the
// analysis views they fill.

#include "UiTestSupport.h"

#include "core/RecordingHost.h"
#include "history/TextFile.h"
#include "session/Pipeline.h"
#include "ui/windows/starloading.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <algorithm>

using namespace qv;
using namespace qv::ui;
using namespace qv::ui::test;

namespace {

int Rows(const Desk& desk, const char* view)
{
    return desk.Find<QTableView>(view)->model()->rowCount();
}

QString Cell(const Desk& desk, const char* view, int row, int column)
{
    const QAbstractItemModel* model = desk.Find<QTableView>(view)->model();
    if (row < 0)
        row += model->rowCount();
    return model->index(row, column).data().toString();
}

int PaneLines(const Desk& desk, const char* pane)
{
    return desk.Find<QPlainTextEdit>(pane)->document()->blockCount();
}

// Computes and stores every analysis file, as an earlier run of the program would have.
void StoreAnalysisFiles(const qv::test::TempAppDir& dir)
{
    AppState state;
    dir.Attach(state);
    RecordingHost host;
    RunStartup(state, host);
}

void Click(const Desk& desk, const char* button)
{
    auto* found = desk.Find<QPushButton>(button);
    QVERIFY2(found, button);
    found->click();
}

} // namespace

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { PrepareApplication(); }

    void startupFillsEveryView_data()
    {
        QTest::addColumn<bool>("stored");
        QTest::newRow("Data=0") << false;
        QTest::newRow("Data=1") << true;
    }

    void startupFillsEveryView()
    {
        QFETCH(bool, stored);
        Desk desk;
        if (stored)
            StoreAnalysisFiles(desk.Dir);
        else
            desk.SetFlagFile("Data=0");
        const std::string redTable = stored ? desk.Dir.ReadBytes("Red/RedAna.txt") : std::string();
        desk.Create();

        QVERIFY(desk.Start());
        QVERIFY(desk.Form->StartupSucceeded());
        QCOMPARE(desk.Dir.Read("option.ini"), Lines{"Data=1"});
        QCOMPARE(desk.Form->LoadingWindow()->Label()->text(), QStringLiteral("读取成功！点击图片关闭窗口"));
        QVERIFY(desk.Script().Messages.empty());

        QCOMPARE(Rows(desk, "ListView3"), 3493);
        QCOMPARE(Cell(desk, "ListView3", 0, 0), QStringLiteral("2026096(3493)"));
        QCOMPARE(Cell(desk, "ListView3", 0, 1), QStringLiteral("01 04 16 22 26 31 +04"));
        QCOMPARE(Rows(desk, "TeListView1"), 3493);
        QCOMPARE(Rows(desk, "ListView1"), 13);
        QCOMPARE(Cell(desk, "ListView1", 0, 0), QStringLiteral("重号"));
        QCOMPARE(Rows(desk, "TeListView2"), 8);
        QCOMPARE(Rows(desk, "ListView2"), 4);
        QCOMPARE(Cell(desk, "ListView2", 3, 0),
                 stored ? QStringLiteral("10期大遗漏") : QStringLiteral("10期大遗漏值"));
        QCOMPARE(Rows(desk, "TeListView5"), 3494);
        QCOMPARE(Cell(desk, "TeListView5", -1, 0), QStringLiteral("2026097"));
        QCOMPARE(Rows(desk, "TeListView6"), 3494);
        QCOMPARE(PaneLines(desk, "Memo19"), 7);
        QCOMPARE(PaneLines(desk, "Memo20"), 5);
        for (const char* pane : {"Memo4", "Memo10", "Memo11", "Memo12"})
            QVERIFY2(PaneLines(desk, pane) > 100, pane);

        // With "Data=1" nothing is computed: the stored table is read back unchanged.
        const QStringList log = desk.LogLines();
        QCOMPARE(log.contains(QStringLiteral("开始读取历史文件.....")), !stored);
        QVERIFY(log.contains(QStringLiteral("螺旋体猜想运算成功.....OK")));
        if (stored)
            QCOMPARE(desk.Dir.ReadBytes("Red/RedAna.txt"), redTable);
    }

    void aFailedStartupKeepsTheWindowWithTheError_data()
    {
        QTest::addColumn<int>("draws");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing history") << -1 << QStringLiteral("Cannot open file");
        QTest::newRow("five draws") << 5 << QString();
    }

    void aFailedStartupKeepsTheWindowWithTheError()
    {
        QFETCH(int, draws);
        QFETCH(QString, error);
        Desk desk(false);
        if (draws >= 0) {
            Lines history = qv::test::RealHistoryLines();
            history.resize(static_cast<std::size_t>(draws));
            desk.Dir.Write("data/data.txt", history);
        }
        desk.SetFlagFile("Data=0");
        desk.Create();
        QPointer<TNstarloading> loading = desk.Form->LoadingWindow();

        QVERIFY(!desk.Start());
        QCOMPARE(desk.Script().Messages.size(), std::size_t(1));
        QVERIFY(desk.MessageTexts().front().startsWith(error));
        QCOMPARE(desk.Script().Messages.front().Icon, MessageIcon::Error);
        // The loading window closed before the report; the main window stays with what was
        // filled, and the next start computes again.
        QTRY_VERIFY(!loading);
        QVERIFY(desk.Form->isVisible());
        QCOMPARE(Rows(desk, "ListView3"), std::max(draws, 0));
        QCOMPARE(desk.Form->State().Flag.Value(), std::string("Data=0"));
        QVERIFY(!desk.Form->Busy());
    }

    // The start after a recompute with 五期平均值算法 unticked, and a start under "Data=1" with
    // the short list such a recompute used to leave: both succeed and fill the prediction.
    void aStartAfterASwitchedOffRecomputeSucceeds()
    {
        for (const bool forcedReady : {false, true}) {
            Desk first;
            first.Create();
            QVERIFY(first.Start());
            first.Form->findChild<QCheckBox*>(QStringLiteral("CheckBox2"))->setChecked(false);
            first.Form->Action(QStringLiteral("ToolButton2"))->trigger();
            QCOMPARE(first.Dir.Read("Red/RedNext.txt").size(), std::size_t(4));
            Desk desk;
            for (const char* file :
                 {"Red/RedAna.txt", "Blue/BlueAna.txt", "Red/RedZB.txt", "Blue/BlueZB.txt", "Red/RedYL.txt",
                  "Red/RedQK.txt", "Blue/BlueYL.txt", "Blue/BlueQK.txt", "Red/RedNext.txt"})
                desk.Dir.WriteBytes(file, first.Dir.ReadBytes(file));
            desk.SetFlagFile(forcedReady ? "Data=1" : first.Dir.Read("option.ini").front());
            desk.Create();

            QVERIFY(desk.Start());
            QVERIFY(desk.Script().Messages.empty());
            QCOMPARE(desk.Dir.Read("option.ini"), Lines{"Data=1"});
            QCOMPARE(desk.Dir.Read("Red/RedNext.txt").size(), std::size_t(5));
            QCOMPARE(Rows(desk, "ListView2"), 4);
            QCOMPARE(desk.LogLines().contains(QStringLiteral(
                         "分析文件“Red/"
                         "RedNext.txt”无法使用：共4行，应为5行，改为根据历史数据重新计算全部数据...")),
                     forcedReady);
        }
    }

    // Stored files that no longer fit a history damaged since: the fallback computation
    // fails too, and the window stays usable for the repair.
    void aDamagedHistoryUnderDataOneLeavesTheWindowUsable()
    {
        Desk desk;
        StoreAnalysisFiles(desk.Dir);
        Lines history = desk.Dir.Read("data/data.txt");
        const Lines sound = history;
        history.insert(history.begin(), "2026097 01 02 03 04 05 0x 07");
        desk.Dir.Write("data/data.txt", history);
        desk.Create();

        QVERIFY(!desk.Start());
        QCOMPARE(desk.Script().Messages.size(), std::size_t(1));
        const QString error = desk.MessageTexts().front();
        QVERIFY2(error.startsWith(QStringLiteral(
                     "历史数据（data/data.txt）第1行“2026097 01 02 03 04 05 0x 07”无法读取：")),
                 qPrintable(error));
        const QStringList log = desk.LogLines();
        QVERIFY(log.contains(QStringLiteral("分析文件“Red/RedAna.txt”无法使用：共3493行，应为3494行，"
                                            "改为根据历史数据重新计算全部数据...")));
        QCOMPARE(log.back(), error);
        QVERIFY(desk.Form->isVisible());
        QVERIFY(!desk.Form->Busy());
        QCOMPARE(desk.Form->State().Flag.Value(), std::string("Data=0"));

        desk.Form->Action(QStringLiteral("ToolButton22"))->trigger();
        QVERIFY(desk.Form->RecordEditor()->isVisible());
        desk.Form->RecordEditor()->hide();
        desk.Dir.Write("data/data.txt", sound);
        desk.Form->Action(QStringLiteral("ToolButton2"))->trigger();
        QCOMPARE(desk.Script().Messages.size(), std::size_t(1));
        QCOMPARE(desk.Dir.Read("option.ini"), Lines{"Data=1"});
        QCOMPARE(Rows(desk, "ListView3"), 3493);
    }

    void loadingWindowLooksAndClosesAsItShould()
    {
        Desk desk;
        desk.Create();
        QPointer<TNstarloading> loading = desk.Form->LoadingWindow();
        QCOMPARE(loading->size(), QSize(439, 262));
        QVERIFY(loading->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(loading->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(loading->Label()->text(), QStringLiteral("正在初始化数据......请稍候"));
        QVERIFY(desk.Start());
        QVERIFY(loading->isVisible());
        QTest::mouseClick(loading, Qt::LeftButton);
        QTRY_VERIFY(!loading);
    }

    void loadingWindowShowsTheNewestDraw_data()
    {
        QTest::addColumn<QStringList>("history");
        QTest::addColumn<QString>("shown"); // empty: blank balls
        QTest::newRow("newest on top") << QStringList{QStringLiteral("2026097 02 07 11 19 28 33 09"),
                                                      QStringLiteral("2026096 01 04 16 22 26 31 04")}
                                       << QStringLiteral("2026097 02 07 11 19 28 33 09");
        QTest::newRow("no history") << QStringList{} << QString();
        QTest::newRow("malformed first line") << QStringList{QStringLiteral("2026097 02 07")} << QString();
    }

    void loadingWindowShowsTheNewestDraw()
    {
        QFETCH(QStringList, history);
        QFETCH(QString, shown);
        Desk desk(false);
        if (!history.isEmpty()) {
            Lines lines;
            for (const QString& line : history)
                lines.push_back(line.toStdString());
            desk.Dir.Write("data/data.txt", lines);
        }
        desk.Create();
        const auto& draw = desk.Form->LoadingWindow()->ShownDraw();
        QCOMPARE(draw ? QString::fromStdString(draw->ToLine()) : QString(), shown);
    }

    void loadingWindowClosesItselfAtTheEleventhTick()
    {
        Desk desk;
        desk.Create();
        QPointer<TNstarloading> loading = desk.Form->LoadingWindow();
        loading->SetTickInterval(100);
        QVERIFY(desk.Start());
        // Watch it closely: open through the tenth tick, gone at the eleventh.
        int ticksSeenOpen = 0;
        QElapsedTimer watch;
        watch.start();
        while (loading && watch.elapsed() < 20000) {
            if (loading->isVisible())
                ticksSeenOpen = std::max(ticksSeenOpen, loading->Ticks());
            QTest::qWait(5);
        }
        QVERIFY(!loading);
        QCOMPARE(ticksSeenOpen, 10);
    }

    void loadingWindowDoesNotTickWhileACommandRuns()
    {
        Desk desk;
        desk.Create();
        QPointer<TNstarloading> loading = desk.Form->LoadingWindow();
        QVERIFY(desk.Start());
        loading->SetTickInterval(20);
        const int before = loading->Ticks();
        desk.Form->Run([]() { QTest::qWait(300); });
        QCOMPARE(loading->Ticks(), before);
        QTRY_VERIFY(loading->Ticks() > before);
    }

    void recomputeAllRunsEveryStepToAFullBar()
    {
        Desk desk;
        desk.Create();
        QVERIFY(desk.Start());
        desk.Form->findChild<QCheckBox*>(QStringLiteral("CheckBox2"))->setChecked(false);
        const qsizetype logBefore = desk.LogLines().size();

        desk.Form->Action(QStringLiteral("ToolButton2"))->trigger();

        QCOMPARE(desk.Form->ProgressBar()->maximum(), 100);
        QCOMPARE(desk.Form->ProgressBar()->value(), 100);
        // The stored set lacks the unticked list: the next start computes it whole.
        QCOMPARE(desk.Dir.Read("option.ini"), Lines{"Data=0"});
        QVERIFY(desk.LogLines().mid(logBefore).contains(QStringLiteral("开始读取历史文件.....")));
        // The switch unticked on the 围红公式 page reached the prediction.
        QCOMPARE(Rows(desk, "ListView2"), 3);
        QCOMPARE(Cell(desk, "ListView2", 0, 0), QStringLiteral("参考前4+1期重码"));
        QVERIFY(desk.Script().Messages.empty());
    }

    void refreshShowsTheStoredTables()
    {
        Desk desk;
        desk.Create();
        QVERIFY(desk.Start());
        Lines history = desk.Dir.Read("data/data.txt");
        history.insert(history.begin(), "2026097 01 02 03 04 05 06 07");
        desk.Dir.Write("data/data.txt", history);

        desk.Form->Action(QStringLiteral("MenuRefresh"))->trigger();

        QCOMPARE(desk.Form->ProgressBar()->value(), 100);
        QCOMPARE(Rows(desk, "ListView3"), 3493);
        QCOMPARE(Cell(desk, "ListView3", 0, 0), QStringLiteral("2026096(3493)"));
        QCOMPARE(desk.Dir.Read("option.ini"), Lines{"Data=1"});
    }

    void analysisButtonsRunTheirCommands()
    {
        Desk desk;
        desk.Create();
        QVERIFY(desk.Start());
        Click(desk, "Button1");
        QCOMPARE(desk.LogLines().back(), QStringLiteral("基础指标统计结束..."));
        Click(desk, "TeButton27");
        QCOMPARE(desk.LogLines().back(), QStringLiteral("杀红运算成功...OK"));
        Click(desk, "TeButton29");
        QCOMPARE(desk.LogLines().back(), QStringLiteral("杀蓝运算成功...OK"));
        QTest::mouseClick(desk.Find<QWidget>("Label74"), Qt::LeftButton);
        QVERIFY(!desk.Find<QWidget>("RedOmissionPanel")->isVisibleTo(desk.Find<QWidget>("OmissionView")));
        QVERIFY(desk.Script().Messages.empty());
    }

    void saveButtonsWriteWhatTheyShow_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("保存红球数据") << QStringLiteral("TeButton22") << QStringLiteral("红球数据.txt")
                                      << QStringLiteral("Red/RedAna.txt");
        QTest::newRow("保存蓝球数据") << QStringLiteral("TeButton25") << QStringLiteral("蓝球数据.txt")
                                      << QStringLiteral("Blue/BlueAna.txt");
        QTest::newRow("red reference")
            << QStringLiteral("TeButton23") << QStringLiteral("红球遗下期指标参考.txt")
            << QStringLiteral("Red/RedZB.txt");
        QTest::newRow("blue reference")
            << QStringLiteral("TeButton24") << QStringLiteral("蓝球下期指标参考.txt")
            << QStringLiteral("Blue/BlueZB.txt");
        QTest::newRow("red omission")
            << QStringLiteral("TeButton11") << QStringLiteral("红球遗漏数据分析报告.txt")
            << QStringLiteral("Red/RedYL.txt");
        QTest::newRow("blue appearance")
            << QStringLiteral("TeButton14") << QStringLiteral("蓝球出号统计报告.txt")
            << QStringLiteral("Blue/BlueQK.txt");
        QTest::newRow("red kill table")
            << QStringLiteral("TeButton26") << QStringLiteral("杀红公式验证.txt") << QString();
        QTest::newRow("blue kill table")
            << QStringLiteral("TeButton28") << QStringLiteral("杀蓝公式验证.txt") << QString();
    }

    void saveButtonsWriteWhatTheyShow()
    {
        QFETCH(QString, button);
        QFETCH(QString, proposed);
        QFETCH(QString, stored);
        Desk desk;
        desk.Create();
        QVERIFY(desk.Start());
        const auto target = desk.Dir / "export.txt";
        desk.Script().QueueSaveFile(target);
        Click(desk, button.toUtf8().constData());

        QVERIFY(desk.Script().Messages.empty());
        QCOMPARE(desk.Script().SaveRequests.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(desk.Script().SaveRequests.front().ProposedName), proposed);
        if (!stored.isEmpty())
            QCOMPARE(LoadLines(target), desk.Dir.Read(stored.toStdString()));
        else
            QCOMPARE(LoadLines(target).size(), std::size_t(3494));

        // A cancelled dialog writes nothing.
        std::filesystem::remove(target);
        Click(desk, button.toUtf8().constData());
        QVERIFY(!std::filesystem::exists(target));
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
