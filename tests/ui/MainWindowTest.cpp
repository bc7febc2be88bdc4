// The main window's frame: menus, tool bars, views and areas, the information log, the
// command dispatcher and the host's controls.

#include "UiTestSupport.h"

#include "core/Error.h"
#include "ui/App.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <QToolBar>

using namespace qv;
using namespace qv::ui;
using namespace qv::ui::test;

namespace {

// A menu as text: "caption<TAB>shortcut" per item, "-" for a separator, "!" before a
// disabled item.
QStringList Describe(const QMenu* menu)
{
    QStringList items;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            items << QStringLiteral("-");
            continue;
        }
        QString item = action->isEnabled() ? QString() : QStringLiteral("!");
        item += action->text();
        if (!action->shortcut().isEmpty())
            item += QLatin1Char('\t') + action->shortcut().toString(QKeySequence::PortableText);
        items << item;
    }
    return items;
}

QMenu* MenuTitled(TForm1& form, const QString& title)
{
    for (QAction* action : form.menuBar()->actions())
        if (action->text() == title)
            return action->menu();
    return nullptr;
}

QStringList Checked(TForm1& form, const QStringList& names)
{
    QStringList checked;
    for (const QString& name : names)
        if (QAction* action = form.Action(name); action && action->isChecked())
            checked << name;
    return checked;
}

const QStringList kAnalysisMenu = {QStringLiteral("MenuHistoryStatistics"),
                                   QStringLiteral("MenuIndicatorReference"),
                                   QStringLiteral("MenuHistoryOmission"),
                                   QStringLiteral("MenuAlgorithmReference"), QStringLiteral("MenuTrend")};
const QStringList kSelectionMenu = {QStringLiteral("MenuNotepad"),    QStringLiteral("MenuBetCombination"),
                                    QStringLiteral("MenuFilters"),    QStringLiteral("MenuPurchaseList"),
                                    QStringLiteral("MenuPrizeCheck"), QStringLiteral("MenuWheel")};

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { PrepareApplication(); }

    void startsLikeEveryRun()
    {
        Desk desk;
        TForm1& form = desk.Create();
        QCOMPARE(form.windowTitle(), QStringLiteral("Quorvane 2010 Ver 1.75"));
        QCOMPARE(form.CurrentArea(), TForm1::Area::Selection);
        QCOMPARE(form.CurrentView(TForm1::Area::Selection), QStringLiteral("投注/组合"));
        QCOMPARE(form.CurrentView(TForm1::Area::Analysis), QStringLiteral("历史统计"));
        QCOMPARE(
            Checked(form, kAnalysisMenu + kSelectionMenu),
            (QStringList{QStringLiteral("MenuHistoryStatistics"), QStringLiteral("MenuBetCombination")}));
        auto* omission = desk.Find<QWidget>("OmissionView");
        QVERIFY(desk.Find<QWidget>("RedOmissionPanel")->isVisibleTo(omission));
        QVERIFY(!desk.Find<QWidget>("BlueOmissionPanel")->isVisibleTo(omission));
        QCOMPARE(form.ProgressBar()->value(), 0);
        QCOMPARE(desk.Find<QLabel>("Label4")->text(), QStringLiteral("合计共：0注/0元"));
        QCOMPARE(desk.Find<QLabel>("Label29")->text(), QStringLiteral("组数：0组"));
        QCOMPARE(form.State().Selection.BasketReadyFlag, false);
        // The log starts with one empty line; the title line goes below it.
        QCOMPARE(desk.LogLines(), (QStringList{QString(), QStringLiteral("****Quorvane 2010 Ver 1.75****")}));
        QVERIFY(form.InfoLog()->isReadOnly());
    }

    void frameHasItsFixedSizes()
    {
        Desk desk;
        TForm1& form = desk.Create();
        form.resize(1280, 800);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(desk.Find<QSplitter>("Splitter1")->sizes().back(), 296);
        QCOMPARE(desk.Find<QWidget>("SponsorStrip")->height(), 55);
        QCOMPARE(form.ProgressBar()->height(), 16);
        QCOMPARE(form.ProgressBar()->objectName(), QStringLiteral("suiProgressBar1"));
    }

    void menusHoldTheirItems_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("数据操作") << QStringLiteral("数据操作")
                                  << QStringList{QStringLiteral("添加/修改/删除开奖记录\tCtrl+N"),
                                                 QStringLiteral("-"),
                                                 QStringLiteral("重算数据\tF5"),
                                                 QStringLiteral("-"),
                                                 QStringLiteral("开始执行运算/过滤\tF7"),
                                                 QStringLiteral("-"),
                                                 QStringLiteral("恢复默认设置"),
                                                 QStringLiteral("-"),
                                                 QStringLiteral("退出\tCtrl+Alt+X")};
        QTest::newRow("查看视窗")
            << QStringLiteral("查看视窗")
            << QStringList{QStringLiteral("历史统计"),      QStringLiteral("指标参考"),
                           QStringLiteral("历史遗漏"),      QStringLiteral("算法参考"),
                           QStringLiteral("走势图"),        QStringLiteral("!相邻号码组合分析"),
                           QStringLiteral("!下期分析预测"), QStringLiteral("-"),
                           QStringLiteral("记事工作区域"),  QStringLiteral("投注/组合"),
                           QStringLiteral("运算/过滤窗口"), QStringLiteral("购买清单\tCtrl+Alt+C"),
                           QStringLiteral("中奖查询"),      QStringLiteral("旋转矩阵")};
        QTest::newRow("使用帮助") << QStringLiteral("使用帮助")
                                  << QStringList{QStringLiteral("使用指南"),         QStringLiteral("-"),
                                                 QStringLiteral("关于我们\tAlt+A"),  QStringLiteral("-"),
                                                 QStringLiteral("进入Pellisor吧！"), QStringLiteral("-"),
                                                 QStringLiteral("进入Kevrin"),       QStringLiteral("-"),
                                                 QStringLiteral("提交新算法")};
    }

    void menusHoldTheirItems()
    {
        QFETCH(QString, menu);
        QFETCH(QStringList, items);
        Desk desk;
        TForm1& form = desk.Create();
        QMenu* found = MenuTitled(form, menu);
        QVERIFY(found);
        QCOMPARE(Describe(found), items);
    }

    void toolBarsHoldTheirButtons_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("top") << QStringLiteral("ToolBar1")
                             << QStringList{QStringLiteral("选号/过滤"), QStringLiteral("技术指标"),
                                            QStringLiteral("在线讨论"), QStringLiteral("使用指南"),
                                            QStringLiteral("关于我们")};
        QTest::newRow("analysis") << QStringLiteral("AnalysisToolBar")
                                  << QStringList{QStringLiteral("历史统计"), QStringLiteral("指标参考"),
                                                 QStringLiteral("历史遗漏"), QStringLiteral("号码预测"),
                                                 QStringLiteral("走势图"),   QStringLiteral("!分析预测"),
                                                 QStringLiteral("-"),        QStringLiteral("更新期数"),
                                                 QStringLiteral("重算数据")};
        QTest::newRow("selection") << QStringLiteral("SelectionToolBar")
                                   << QStringList{QStringLiteral("记事本"),   QStringLiteral("选号"),
                                                  QStringLiteral("缩水过滤"), QStringLiteral("购买清单"),
                                                  QStringLiteral("中奖查询"), QStringLiteral("旋转矩阵")};
    }

    void toolBarsHoldTheirButtons()
    {
        QFETCH(QString, bar);
        QFETCH(QStringList, buttons);
        Desk desk;
        TForm1& form = desk.Create();
        auto* toolBar = form.findChild<QToolBar*>(bar);
        QVERIFY(toolBar);
        QMenu flat;
        flat.addActions(toolBar->actions());
        QCOMPARE(Describe(&flat), buttons);
    }

    void viewCommandsShowTheirViewAndMoveTheCheckMark_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("area");
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("checked");
        const int analysis = static_cast<int>(TForm1::Area::Analysis);
        const int selection = static_cast<int>(TForm1::Area::Selection);
        const struct
        {
            const char* Command;
            int Area;
            const char* View;
            const char* Checked;
        } rows[] = {
            {"MenuHistoryStatistics", analysis, "历史统计", "MenuHistoryStatistics"},
            {"MenuIndicatorReference", analysis, "指标参考", "MenuIndicatorReference"},
            {"MenuHistoryOmission", analysis, "历史遗漏", "MenuHistoryOmission"},
            {"MenuAlgorithmReference", analysis, "算法参考", "MenuAlgorithmReference"},
            {"ToolIndicatorReference", analysis, "指标参考", "MenuIndicatorReference"},
            {"ToolPrediction", analysis, "算法参考", "MenuAlgorithmReference"},
            {"ToolTrend", analysis, "走势图", "MenuTrend"},
            {"MenuNotepad", selection, "记事工作区域", "MenuNotepad"},
            {"MenuFilters", selection, "运算/过滤窗口", "MenuFilters"},
            {"MenuPurchaseList", selection, "购买清单", "MenuPurchaseList"},
            {"ToolPurchaseList", selection, "购买清单", "MenuPurchaseList"},
            {"ToolPrizeCheck", selection, "中奖查询", "MenuPrizeCheck"},
            {"ToolWheel", selection, "旋转矩阵", "MenuWheel"},
            {"ToolNotepad", selection, "记事工作区域", "MenuNotepad"},
        };
        for (const auto& row : rows)
            QTest::newRow(row.Command) << QString::fromUtf8(row.Command) << row.Area
                                       << QString::fromUtf8(row.View) << QString::fromUtf8(row.Checked);
    }

    void viewCommandsShowTheirViewAndMoveTheCheckMark()
    {
        QFETCH(QString, command);
        QFETCH(int, area);
        QFETCH(QString, view);
        QFETCH(QString, checked);
        Desk desk;
        TForm1& form = desk.Create();
        const auto shownArea = static_cast<TForm1::Area>(area);
        const auto otherArea =
            shownArea == TForm1::Area::Analysis ? TForm1::Area::Selection : TForm1::Area::Analysis;
        const QString otherView = form.CurrentView(otherArea);
        const QStringList& group = shownArea == TForm1::Area::Analysis ? kAnalysisMenu : kSelectionMenu;
        const QStringList& otherGroup = shownArea == TForm1::Area::Analysis ? kSelectionMenu : kAnalysisMenu;
        const QStringList otherChecked = Checked(form, otherGroup);

        form.Action(command)->trigger();

        QCOMPARE(form.CurrentArea(), shownArea);
        QCOMPARE(form.CurrentView(shownArea), view);
        QCOMPARE(Checked(form, group), QStringList{checked});
        // The other group keeps its view and its check mark.
        QCOMPARE(form.CurrentView(otherArea), otherView);
        QCOMPARE(Checked(form, otherGroup), otherChecked);
    }

    void areasKeepTheirViewWhileAnotherIsShown()
    {
        Desk desk;
        TForm1& form = desk.Create();
        form.Action(QStringLiteral("MenuHistoryOmission"))->trigger();
        form.Action(QStringLiteral("MenuFilters"))->trigger();
        form.Action(QStringLiteral("TopWeb"))->trigger();
        QCOMPARE(form.CurrentArea(), TForm1::Area::Web);

        form.Action(QStringLiteral("TopAnalysis"))->trigger();
        QCOMPARE(form.CurrentArea(), TForm1::Area::Analysis);
        QCOMPARE(form.CurrentView(TForm1::Area::Analysis), QStringLiteral("历史遗漏"));
        QCOMPARE(desk.Find<QWidget>("AnalysisViews")
                     ->findChild<QWidget*>(QStringLiteral("OmissionView"))
                     ->isVisibleTo(&form),
                 true);
        QCOMPARE(Checked(form, kAnalysisMenu), QStringList{QStringLiteral("MenuHistoryOmission")});

        form.Action(QStringLiteral("TopSelection"))->trigger();
        QCOMPARE(form.CurrentArea(), TForm1::Area::Selection);
        QCOMPARE(form.CurrentView(TForm1::Area::Selection), QStringLiteral("运算/过滤窗口"));
        QCOMPARE(Checked(form, kSelectionMenu), QStringList{QStringLiteral("MenuFilters")});
    }

    void disabledCommandsCannotBeInvoked()
    {
        Desk desk;
        TForm1& form = desk.Create();
        form.Action(QStringLiteral("MenuIndicatorReference"))->trigger();
        for (const char* name : {"MenuNeighbourAnalysis", "MenuSpiral", "ToolSpiral"}) {
            QAction* action = form.Action(QString::fromUtf8(name));
            QVERIFY2(action && !action->isEnabled(), name);
            action->trigger();
            QCOMPARE(form.CurrentArea(), TForm1::Area::Analysis);
            QCOMPARE(form.CurrentView(TForm1::Area::Analysis), QStringLiteral("指标参考"));
        }
        form.ShowView(QStringLiteral("下期分析预测"));
        QCOMPARE(form.CurrentView(TForm1::Area::Analysis), QStringLiteral("指标参考"));
        QVERIFY(!desk.Find<QWidget>("SpiralView")->isVisibleTo(&form));
    }

    void purchaseListShortcutMovesTheCheckMark()
    {
        Desk desk;
        TForm1& form = desk.Create();
        form.Action(QStringLiteral("MenuHistoryStatistics"))->trigger();
        desk.Start();
        form.LoadingWindow()->close();
        QTRY_VERIFY(!form.LoadingWindow());
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(form.CurrentArea(), TForm1::Area::Selection);
        QCOMPARE(form.CurrentView(TForm1::Area::Selection), QStringLiteral("购买清单"));
        QCOMPARE(Checked(form, kSelectionMenu), QStringList{QStringLiteral("MenuPurchaseList")});
        QCOMPARE(Checked(form, kAnalysisMenu), QStringList{QStringLiteral("MenuHistoryStatistics")});
    }

    void omissionLabelsSwitchThePanels()
    {
        Desk desk;
        TForm1& form = desk.Create();
        auto* red = desk.Find<QWidget>("RedOmissionPanel");
        auto* blue = desk.Find<QWidget>("BlueOmissionPanel");
        form.Action(QStringLiteral("MenuHistoryOmission"))->trigger();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mouseClick(desk.Find<QWidget>("Label74"), Qt::LeftButton);
        QVERIFY(!red->isVisible() && blue->isVisible());
        QVERIFY(desk.Find<QWidget>("Memo11")->isVisible());
        QTest::mouseClick(desk.Find<QWidget>("Label73"), Qt::LeftButton);
        QVERIFY(red->isVisible() && !blue->isVisible());
        QVERIFY(desk.Find<QWidget>("Memo4")->isVisible());
    }

    void infoLogShowsEveryLineAndFollowsTheNewest()
    {
        Desk desk;
        TForm1& form = desk.Create();
        form.resize(1280, 800);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.InfoLog()->verticalScrollBar()->setValue(0);
        for (int i = 0; i < 200; ++i)
            desk.Host().Log(" ");
        desk.Host().Log("两行\r\n文字");
        desk.Host().Log("最后一行");
        const QStringList lines = desk.LogLines();
        QCOMPARE(lines.size(), 2 + 200 + 3);
        QCOMPARE(lines.mid(lines.size() - 3),
                 (QStringList{QStringLiteral("两行"), QStringLiteral("文字"), QStringLiteral("最后一行")}));
        QScrollBar* bar = form.InfoLog()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
    }

    void commandErrorsAreReportedInOnePlace_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("qv::Error") << 0 << QStringLiteral("List index out of bounds (7)");
        QTest::newRow("std::exception") << 1 << QStringLiteral("other failure");
        QTest::newRow("out of memory") << 2 << QStringLiteral("Out of memory");
    }

    void commandErrorsAreReportedInOnePlace()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        Desk desk;
        TForm1& form = desk.Create();
        const bool finished = form.Run([kind]() {
            if (kind == 0)
                throw Error::ListIndexOutOfBounds(7);
            if (kind == 1)
                throw std::runtime_error("other failure");
            throw std::bad_alloc();
        });
        QVERIFY(!finished);
        QVERIFY(!form.Busy());
        QCOMPARE(desk.MessageTexts(), QStringList{text});
        QCOMPARE(desk.Script().Messages.front().Icon, MessageIcon::Error);
    }

    void aCommandCannotStartWhileAnotherRuns()
    {
        Desk desk;
        TForm1& form = desk.Create();
        bool innerRan = false;
        bool innerAccepted = true;
        QVERIFY(form.Run([&]() {
            QVERIFY(form.Busy());
            innerAccepted = form.Run([&]() { innerRan = true; });
        }));
        QVERIFY(!innerAccepted);
        QVERIFY(!innerRan);
        QVERIFY(!form.Busy());
    }

    // A command run aside reports what it reports run here: the same log, labels,
    // answers, dialogs, views and error, in the same order.
    void aCommandRunAsideReportsAsItWouldHere()
    {
        const auto command = [](Host& host, bool fail) {
            host.Log("开始");
            host.SetLabel("Label4", "总共合计：12注/24元");
            host.SetProgressMaximum(10);
            host.SetProgressPosition(5);
            const auto answer = host.Message("提示", "继续？", MessageIcon::Question, MessageButtons::YesNo);
            host.Log(answer == MessageAnswer::No ? "否" : "是");
            FileDialogRequest request;
            const auto path = host.ChooseSaveFile(request);
            host.Log(path ? path->filename().string() : "取消");
            host.ShowView("中奖查询");
            host.SetLabel("Memo19", "第一行\n第二行");
            if (fail)
                throw Error::ListIndexOutOfBounds(3);
            host.Log("完成");
        };
        for (const bool fail : {false, true}) {
            QStringList logs[2];
            QStringList messages[2];
            for (const bool aside : {false, true}) {
                Desk desk;
                TForm1& form = desk.Create();
                desk.Script().QueueAnswer(MessageAnswer::No);
                desk.Script().QueueSaveFile(desk.Dir / "a.txt");
                const bool done = aside ? form.RunAside([&](Host& host) { command(host, fail); })
                                        : form.Run([&] { command(form.Host(), fail); });
                QCOMPARE(done, !fail);
                QVERIFY(!form.Busy());
                QVERIFY(!StateLent());
                logs[aside] = desk.LogLines();
                messages[aside] = desk.MessageTexts();
                QCOMPARE(desk.Find<QLabel>("Label4")->text(), QStringLiteral("总共合计：12注/24元"));
                QCOMPARE(desk.Find<QPlainTextEdit>("Memo19")->toPlainText(),
                         QStringLiteral("第一行\n第二行"));
                QCOMPARE(form.ProgressBar()->value(), 5);
                QCOMPARE(form.CurrentView(TForm1::Area::Selection), QStringLiteral("中奖查询"));
            }
            QCOMPARE(logs[1], logs[0]);
            QCOMPARE(messages[1], messages[0]);
            QVERIFY(logs[1].contains(QStringLiteral("否")) && logs[1].contains(QStringLiteral("a.txt")));
        }
    }

    void hostReachesControlsByComponentName()
    {
        Desk desk;
        TForm1& form = desk.Create();
        desk.Host().SetLabel("Label4", "总共合计：12注/24元");
        desk.Host().SetLabel("Memo19", "杀红公式1在1期中\n第二行");
        desk.Host().SetLabel("NoSuchControl", "x");
        QCOMPARE(desk.Find<QLabel>("Label4")->text(), QStringLiteral("总共合计：12注/24元"));
        QCOMPARE(desk.Find<QPlainTextEdit>("Memo19")->toPlainText(),
                 QStringLiteral("杀红公式1在1期中\n第二行"));
        desk.Host().ShowView("中奖查询");
        QCOMPARE(form.CurrentView(TForm1::Area::Selection), QStringLiteral("中奖查询"));
        desk.Host().SetProgressMaximum(100);
        desk.Host().SetProgressPosition(45);
        QCOMPARE(form.ProgressBar()->value(), 45);
    }

    void scriptedDialogsNeverWait()
    {
        Desk desk;
        desk.Create();
        FileDialogRequest request;
        request.ProposedName = "红球数据.txt";
        QCOMPARE(desk.Host().ChooseSaveFile(request), std::optional<std::filesystem::path>());
        desk.Script().QueueSaveFile(desk.Dir / "out.txt");
        QCOMPARE(desk.Host().ChooseSaveFile(request),
                 std::optional<std::filesystem::path>(desk.Dir / "out.txt"));
        desk.Script().QueueAnswer(MessageAnswer::No);
        QCOMPARE(desk.Host().Message("提示", "?", MessageIcon::Question, MessageButtons::YesNo),
                 MessageAnswer::No);
        QCOMPARE(desk.Host().Message("提示", "?", MessageIcon::Question, MessageButtons::YesNo),
                 MessageAnswer::Yes);
    }

    void nameFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expected");
        QTest::newRow("same pattern") << QStringLiteral("*.txt|*.txt") << QStringLiteral("*.txt");
        QTest::newRow("described") << QStringLiteral("文本文件|*.txt") << QStringLiteral("文本文件 (*.txt)");
        QTest::newRow("two filters") << QStringLiteral("文本|*.txt|全部|*.*")
                                     << QStringLiteral("文本 (*.txt);;全部 (*.*)");
        QTest::newRow("several patterns")
            << QStringLiteral("文本|*.txt;*.csv") << QStringLiteral("文本 (*.txt *.csv)");
        QTest::newRow("bare pattern") << QStringLiteral("*.txt") << QStringLiteral("*.txt");
    }

    void nameFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QString, expected);
        QCOMPARE(QtHost::NameFilter(filter.toStdString()), expected);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("appDir");
        QTest::addColumn<QString>("screenshots");
        QTest::newRow("none") << QStringList{} << true << QString() << QString();
        QTest::newRow("--app-dir DIR") << QStringList{QStringLiteral("--app-dir"), QStringLiteral("/data/q")}
                                       << true << QStringLiteral("/data/q") << QString();
        QTest::newRow("--app-dir=DIR") << QStringList{QStringLiteral("--app-dir=/data/q")} << true
                                       << QStringLiteral("/data/q") << QString();
        QTest::newRow("both") << QStringList{QStringLiteral("--screenshots"), QStringLiteral("/tmp/s"),
                                             QStringLiteral("--app-dir"), QStringLiteral("/a")}
                              << true << QStringLiteral("/a") << QStringLiteral("/tmp/s");
        QTest::newRow("missing value")
            << QStringList{QStringLiteral("--app-dir")} << false << QString() << QString();
        QTest::newRow("empty value") << QStringList{QStringLiteral("--screenshots=")} << false << QString()
                                     << QString();
        QTest::newRow("unknown") << QStringList{QStringLiteral("--bogus")} << false << QString() << QString();
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, accepted);
        QFETCH(QString, appDir);
        QFETCH(QString, screenshots);
        std::string error;
        const auto options = ParseArguments(QStringList{QStringLiteral("quorvane")} + arguments, error);
        QCOMPARE(options.has_value(), accepted);
        QCOMPARE(error.empty(), accepted);
        if (!options)
            return;
        QCOMPARE(options->Form.AppDir ? QString::fromStdString(options->Form.AppDir->string()) : QString(),
                 appDir);
        QCOMPARE(options->ScreenshotDir ? QString::fromStdString(options->ScreenshotDir->string())
                                        : QString(),
                 screenshots);
    }

    void controlsCarryTheirComponentNames()
    {
        Desk desk;
        TForm1& form = desk.Create();
        for (const char* name :
             {"ListView3",  "TeListView1", "ListView1",  "TeListView2", "Memo4",           "Memo10",
              "Memo11",     "Memo12",      "ListView2",  "TeListView5", "Memo19",          "TeListView6",
              "Memo20",     "CheckBox1",   "CheckBox2",  "CheckBox5",   "CheckBox4",       "CheckBoxsh",
              "Label4",     "Label29",     "Label73",    "Label74",     "suiProgressBar1", "InfoLog",
              "Button1",    "Button5",     "Button6",    "TeButton22",  "TeButton25",      "TeButton23",
              "TeButton24", "TeButton11",  "TeButton12", "TeButton13",  "TeButton14",      "TeButton26",
              "TeButton27", "TeButton28",  "TeButton29", "Button15",    "ToolButton2",     "ToolButton22",
              "ListBox1",   "Edit1",       "TeButton1",  "TeButton2",   "TeButton3",       "TeButton4",
              "TeButton5",  "TeButton6",   "TeButton7",  "TeButton8",   "TeButton9",       "Label5"})
            QVERIFY2(form.Component(QString::fromUtf8(name)), name);
        QVERIFY(form.Action(QStringLiteral("N4")));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
