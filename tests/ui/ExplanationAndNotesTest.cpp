// The filter view's switches and its explanation pop-ups, the notepad, the about window
// and the web area, driven through their widgets.

#include "UiTestSupport.h"

#include "core/Error.h"
#include "filters/HelpCatalogue.h"
#include "history/RichText.h"
#include "history/TextFile.h"
#include "ui/selection/FilterView.h"
#include "ui/selection/NotepadView.h"
#include "ui/selection/S24.h"
#include "ui/selection/SelectionArea.h"
#include "ui/web/WebArea.h"
#include "ui/widgets/WindowEffects.h"
#include "ui/windows/about.h"
#include "ui/windows/adddata.h"
#include "ui/windows/helpsum.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QWheelEvent>

#include <filesystem>
#include <set>

#if __has_include("filters/FilterRun.h")
#include "filters/FilterRun.h"
#define QV_HAVE_FILTER_RUN 1
#endif

using namespace qv;
using namespace qv::ui;
using namespace qv::ui::test;

namespace {

// Copies installed data of the source tree (a folder below appdata) into the app directory.
void InstallData(const qv::test::TempAppDir& dir, const char* folder)
{
    const std::filesystem::path from = std::filesystem::path(QUORVANE_SOURCE_DIR) / "appdata" / folder;
    std::filesystem::create_directories(dir / folder);
    std::filesystem::copy(from, dir / folder,
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
}

struct Shell
{
    explicit Shell(bool withData = true) : desk(false)
    {
        if (withData) {
            InstallData(desk.Dir, "Red");
            InstallData(desk.Dir, "web");
        }
        desk.Create();
        windows = desk.Form->Selection();
    }
    Desk desk;
    SelectionWindows windows;
};

void MoveOver(QWidget* box, QPoint local)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(box->mapToGlobal(local)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &move);
}

void Leave(QWidget* box)
{
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(box, &leave);
}

// Opens the system's browser by recording instead.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> Opened;
public slots:
    void open(const QUrl& url) { Opened << url; }
};

} // namespace

class ExplanationAndNotesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { PrepareApplication(); }

    void catalogueExplainsEveryFilterOnce()
    {
        std::multiset<std::string> boxes;
        for (const auto& entry : HelpCatalogue())
            boxes.insert(entry.CheckBoxes.begin(), entry.CheckBoxes.end());
        QCOMPARE(boxes.size(), std::size_t{47});
        QCOMPARE(std::set<std::string>(boxes.begin(), boxes.end()).size(), std::size_t{47});
        Shell shell(false);
        for (const auto& box : boxes)
            QVERIFY2(shell.windows.Filters->Switch(box), box.c_str());
#ifdef QV_HAVE_FILTER_RUN
        for (const auto& slot : FilterRunOrder())
            QVERIFY2(boxes.count(slot.CheckBox) == 1, slot.CheckBox);
#endif
    }

    void popupTexts_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("fixed") << QStringLiteral("CheckBox42")
                               << QStringList{QStringLiteral("您选中的号码与历史出号记录相等时，则排除"),
                                              QString(), QStringLiteral("运算速度：慢")};
        QTest::newRow("value") << QStringLiteral("CheckBox9")
                               << QStringList{
                                      QStringLiteral("两期来重号：03 09 14"),
                                      QStringLiteral("如果您所选择的号码有大于或等于5个2期来重号时，则排除"),
                                      QString(), QStringLiteral("运算速度：快")};
        QTest::newRow("value not computed")
            << QStringLiteral("CheckBox10")
            << QStringList{QStringLiteral("冷号："), QStringLiteral("您可以选择要留下的冷号个数"), QString(),
                           QStringLiteral("运算速度：一般")};
        QTest::newRow("shared entry") << QStringLiteral("CheckBox8")
                                      << QStringList{QStringLiteral("首位号，即是双色球中最小的第一位号码。"),
                                                     QStringLiteral("您可以设置第一位号码大小范围。"),
                                                     QString(), QStringLiteral("运算速度：快")};
    }

    void popupTexts()
    {
        QFETCH(QString, box);
        QFETCH(QStringList, lines);
        Shell shell;
        shell.desk.Form->State().Analysis.Reference.RepeatNumbers = "03 09 14";
        QCheckBox* check = shell.windows.Filters->Switch(box.toStdString());
        MoveOver(check, QPoint(3, 3));
        QVERIFY(shell.windows.Popup->isVisible());
        QCOMPARE(shell.windows.Popup->Text().split(QLatin1Char('\n')), lines);
    }

    void popupShowsOncePerEntryClearOfItsBox()
    {
        Shell shell;
        TNhelpsum* popup = shell.windows.Popup;
        QCheckBox* box = shell.windows.Filters->Switch("CheckBox6");
        MoveOver(box, QPoint(5, 4));
        QVERIFY(popup->isVisible());
        const QPoint first = popup->pos();
        QVERIFY(!popup->frameGeometry().intersects(shell.windows.Filters->KeepClear("CheckBox6")));
        QVERIFY(popup->screen()->availableGeometry().contains(popup->frameGeometry()));
        QCOMPARE(popup->size(), QSize(kHelpDefaultWidth, kHelpDefaultHeight));
        QVERIFY(shell.windows.Popup->ShownFlag());
        QVERIFY(popup->Text().startsWith(
            QStringLiteral("设定值如下：\n01-09为X\n10-19为Y\n20-29为Z\n30-33为ZZ")));
        MoveOver(box, QPoint(20, 6));
        MoveOver(box, QPoint(40, 8));
        QCOMPARE(popup->pos(), first);
        QCOMPARE(popup->ShownCount(), 1);
        // Straight onto another box: the pop-up follows it.
        MoveOver(shell.windows.Filters->Switch("CheckBox9"), QPoint(5, 4));
        QCOMPARE(popup->ShownCount(), 2);
        QVERIFY(popup->Text().startsWith(QStringLiteral("两期来重号：")));
    }

    void popupStaysUntilLeftOrClosed_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("leave both") << QStringLiteral("leave");
        QTest::newRow("Esc") << QStringLiteral("esc");
        QTest::newRow("关闭") << QStringLiteral("close");
    }

    void popupStaysUntilLeftOrClosed()
    {
        QFETCH(QString, how);
        Shell shell;
        shell.desk.Form->State().Analysis.Prediction.RegionEdgeNumbers = "05 09 10";
        TNhelpsum* popup = shell.windows.Popup;
        QCheckBox* box = shell.windows.Filters->Switch("CheckBox15");
        MoveOver(box, QPoint(3, 3));
        QVERIFY(popup->isVisible());
        // From the box onto the pop-up: it stays, however long the pointer rests there.
        Leave(box);
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(popup->mapToGlobal(QPoint(5, 5))));
        QCoreApplication::sendEvent(popup, &enter);
        QTest::qWait(TNhelpsum::kCloseDelayMs + 150);
        QVERIFY(popup->isVisible());

        // The wheel scrolls the text to its end (the computed numbers), over the pop-up and
        // over the box.
        QScrollBar* bar = popup->TextBox()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), 0);
        const auto wheel = [](QWidget* target, int steps) {
            const QPointF at(5, 5);
            QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, -120 * steps), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(target, &event);
        };
        wheel(popup->TextBox()->viewport(), 2);
        const int scrolled = bar->value();
        QVERIFY(scrolled > 0);
        MoveOver(box, QPoint(3, 3));
        wheel(box, 200);
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(popup->isVisible());

        if (how == QStringLiteral("leave")) {
            Leave(box);
            QTest::qWait(TNhelpsum::kCloseDelayMs + 150);
            QVERIFY(popup->isVisible()); // still over the pop-up
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(popup, &leave);
        } else if (how == QStringLiteral("esc")) {
            QTest::keyClick(shell.desk.Form.get(), Qt::Key_Escape);
        } else {
            popup->findChild<QPushButton*>(QStringLiteral("TeButton1"))->click();
        }
        QTRY_VERIFY(!popup->isVisible());
        QVERIFY(!shell.windows.Popup->ShownFlag());
        // The next showing starts at the top of its text.
        MoveOver(box, QPoint(3, 3));
        QCOMPARE(bar->value(), 0);
    }

    void popupPlacementKeepsCaptionAndRuleBoxClear_data()
    {
        QTest::addColumn<QRect>("keepClear");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QString>("side");
        const QRect caption(300, 300, 200, 20);
        QTest::newRow("room below") << caption << QPoint(320, 310) << QStringLiteral("below");
        QTest::newRow("rule box below")
            << caption.united(QRect(300, 322, 400, 140)) << QPoint(320, 310) << QStringLiteral("above");
        QTest::newRow("bottom of screen")
            << QRect(300, 900, 200, 20) << QPoint(320, 910) << QStringLiteral("above");
        QTest::newRow("tall rule box right edge")
            << QRect(1200, 40, 390, 900) << QPoint(1210, 50) << QStringLiteral("left");
        QTest::newRow("near the left edge")
            << QRect(0, 300, 200, 20) << QPoint(2, 310) << QStringLiteral("below");
    }

    void popupPlacementKeepsCaptionAndRuleBoxClear()
    {
        QFETCH(QRect, keepClear);
        QFETCH(QPoint, pointer);
        QFETCH(QString, side);
        const QRect screen(0, 0, 1600, 1000);
        const QSize size(kHelpDefaultWidth, kHelpDefaultHeight);
        const QRect placed(TNhelpsum::Placement(size, pointer, keepClear, screen), size);
        QVERIFY(screen.contains(placed));
        QVERIFY(!placed.intersects(keepClear));
        const QString actual = placed.top() > keepClear.bottom()   ? QStringLiteral("below")
                               : placed.bottom() < keepClear.top() ? QStringLiteral("above")
                               : placed.left() > keepClear.right() ? QStringLiteral("right")
                                                                   : QStringLiteral("left");
        QCOMPARE(actual, side);
        // Near the pointer: within a few pixels of the box on that side.
        const int gap = side == QStringLiteral("below")   ? placed.top() - keepClear.bottom()
                        : side == QStringLiteral("above") ? keepClear.top() - placed.bottom()
                        : side == QStringLiteral("right") ? placed.left() - keepClear.right()
                                                          : keepClear.left() - placed.right();
        QVERIFY(gap > 0 && gap <= 4);
    }

    void filePopupsWidenAndClosingRestores_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("ZH 30") << QStringLiteral("CheckBox30") << 600 << QStringLiteral("【组合定律过滤】");
        QTest::newRow("ZH 31") << QStringLiteral("CheckBox31") << 600 << QStringLiteral("【组合定律过滤】");
        QTest::newRow("hz") << QStringLiteral("CheckBox24") << 700 << QStringLiteral("【衡值轮盘过滤】");
        QTest::newRow("8G") << QStringLiteral("CheckBox22") << 342 << QStringLiteral("【八卦阵排除法】");
        QTest::newRow("PS") << QStringLiteral("CheckBox43") << 400 << QStringLiteral("【排序法】");
        QTest::newRow("75") << QStringLiteral("CheckBox32") << 500 << QStringLiteral("【7行5列过滤法】");
        QTest::newRow("QY") << QStringLiteral("CheckBox15") << 342 << QStringLiteral("【区域分析法】");
    }

    void filePopupsWidenAndClosingRestores()
    {
        QFETCH(QString, box);
        QFETCH(int, width);
        QFETCH(QString, firstLine);
        Shell shell;
        shell.desk.Form->State().Analysis.Prediction.RegionEdgeNumbers = "05 09 10";
        TNhelpsum* popup = shell.windows.Popup;
        QCheckBox* check = shell.windows.Filters->Switch(box.toStdString());
        MoveOver(check, QPoint(3, 3));
        QVERIFY(popup->isVisible());
        QCOMPARE(popup->width(), width);
        const QStringList lines = popup->Text().split(QLatin1Char('\n'));
        QCOMPARE(lines.front(), firstLine);
        if (box == QStringLiteral("CheckBox15")) {
            QCOMPARE(lines.mid(lines.size() - 7),
                     QStringList({QString(), QString(), QStringLiteral("======以下为软件运算结果======"),
                                  QStringLiteral("下期区域边缘算法号码：05 09 10"),
                                  QStringLiteral("如果您所选中的号码中没有包含在该号码组，则删除"), QString(),
                                  QStringLiteral("运算速度：快")}));
        } else {
            QVERIFY(!lines.contains(QStringLiteral("运算速度：特慢")));
        }
        // Leaving closes it and restores the width; the next box shows at the normal width.
        Leave(check);
        QTRY_COMPARE(popup->width(), kHelpDefaultWidth);
        MoveOver(shell.windows.Filters->Switch("CheckBox26"), QPoint(3, 3));
        QCOMPARE(popup->width(), kHelpDefaultWidth);
        // 关闭 restores it too and clears the flag.
        Leave(shell.windows.Filters->Switch("CheckBox26"));
        QTRY_VERIFY(!popup->isVisible());
        MoveOver(check, QPoint(3, 3));
        popup->findChild<QPushButton*>(QStringLiteral("TeButton1"))->click();
        QVERIFY(!popup->isVisible());
        QCOMPARE(popup->width(), kHelpDefaultWidth);
        QVERIFY(!shell.windows.Popup->ShownFlag());
    }

    void switchOffShowsNone()
    {
        Shell shell;
        TNhelpsum* popup = shell.windows.Popup;
        QCheckBox* box = shell.windows.Filters->Switch("CheckBox6");
        auto* popupSwitch = shell.desk.Find<QCheckBox>("TeCheckBox1");
        QVERIFY(popupSwitch->isChecked());
        popupSwitch->setChecked(false);
        MoveOver(box, QPoint(3, 3));
        QVERIFY(!popup->isVisible());
        QCOMPARE(popup->ShownCount(), 0);

        // A pop-up open when the switch goes off stays until 关闭.
        popupSwitch->setChecked(true);
        MoveOver(box, QPoint(3, 3));
        popupSwitch->setChecked(false);
        Leave(box);
        QVERIFY(popup->isVisible());
        popup->findChild<QPushButton*>(QStringLiteral("TeButton1"))->click();
        QVERIFY(!popup->isVisible());
    }

    void missingExplanationFileShowsTheErrorAndNoPopup()
    {
        Shell shell(false);
        TNhelpsum* popup = shell.windows.Popup;
        QCheckBox* box = shell.windows.Filters->Switch("CheckBox22");
        MoveOver(box, QPoint(3, 3));
        QVERIFY(!popup->isVisible());
        QVERIFY(shell.desk.MessageTexts().back().startsWith(QStringLiteral("Cannot open file")));
        // The flag stays until the pointer leaves, so no second error box on every move.
        MoveOver(box, QPoint(9, 3));
        QCOMPARE(shell.desk.MessageTexts().size(), 1);
        Leave(box);
        QVERIFY(!shell.windows.Popup->ShownFlag());
    }

    void filterViewHoldsEveryControlWithItsDefault()
    {
#ifdef QV_HAVE_FILTER_RUN
        Shell shell(false);
        FilterView* view = shell.windows.Filters;
        for (const auto& slot : FilterRunOrder()) {
            QCheckBox* box = view->Switch(slot.CheckBox);
            QVERIFY2(box, slot.CheckBox);
            QCOMPARE(box->text(), QString::fromUtf8(slot.Caption));
            QCOMPARE(box->isChecked(), slot.Default);
            auto* counter = shell.desk.Find<QLabel>(slot.Counter);
            QVERIFY2(counter, slot.Counter);
            QCOMPARE(counter->text(), QStringLiteral("已排除0注"));
        }
        for (const auto& info : FilterCatalogue()) {
            for (const auto& [name, text] : info.EditDefaults) {
                auto* edit = shell.desk.Find<QLineEdit>(name.c_str());
                QVERIFY2(edit, name.c_str());
                QCOMPARE(edit->text(), QString::fromStdString(text));
            }
            for (const auto& [name, lines] : info.MemoDefaults) {
                auto* memo = shell.desk.Find<QPlainTextEdit>(name.c_str());
                QVERIFY2(memo, name.c_str());
                QCOMPARE(MemoLines(memo->toPlainText()), lines);
            }
        }
        // Each filter page's title counts its checked filters, as the boxes change; the
        // backtest page follows them.
        QCOMPARE(view->Pages()->count(), 4);
        QCOMPARE(view->Pages()->tabText(3), QStringLiteral("历史验证"));
        const auto titles = [view]() {
            return QStringList{view->Pages()->tabText(0), view->Pages()->tabText(1),
                               view->Pages()->tabText(2)};
        };
        const auto checkedOn = [view](int page) {
            int count = 0;
            for (QCheckBox* box : view->Pages()->widget(page)->findChildren<QCheckBox*>())
                count += box->isChecked() ? 1 : 0;
            return count;
        };
        const QStringList names{QStringLiteral("公式"), QStringLiteral("条件"), QStringLiteral("号码设置")};
        for (int page = 0; page < 3; ++page)
            QCOMPARE(titles()[page], QStringLiteral("%1（已选%2项）").arg(names[page]).arg(checkedOn(page)));
        QCOMPARE(titles()[2], QStringLiteral("号码设置（已选0项）"));
        view->Switch("TeCheckBox10")->setChecked(true);
        view->Switch("CheckBox36")->setChecked(true);
        QCOMPARE(titles()[2], QStringLiteral("号码设置（已选2项）"));
        shell.desk.Find<QPushButton>("Button13")->click();
        for (int page = 0; page < 3; ++page)
            QCOMPARE(titles()[page], QStringLiteral("%1（已选%2项）").arg(names[page]).arg(checkedOn(page)));
#else
        QSKIP("the filter run is not part of this build");
#endif
    }

    void selectAllAndRecommendMoveTheBoxes()
    {
#ifdef QV_HAVE_FILTER_RUN
        Shell shell(false);
        FilterView* view = shell.windows.Filters;
        auto* all = shell.desk.Find<QPushButton>("Button13");
        view->Switch("TeCheckBox8")->setChecked(true);
        all->click();
        QVERIFY(view->Switch("CheckBox25")->isChecked());
        QVERIFY(view->Switch("TeCheckBox8")->isChecked());
        QVERIFY(!view->Switch("CheckBox46")->isChecked());
        all->click();
        QVERIFY(!view->Switch("CheckBox6")->isChecked());
        QVERIFY(!view->Switch("TeCheckBox8")->isChecked());
        shell.desk.Find<QPushButton>("TeButton19")->click();
        QVERIFY(view->Switch("CheckBox6")->isChecked());
        QVERIFY(!view->Switch("CheckBox45")->isChecked());
        // Typed parameters reach the run's state as they are typed.
        shell.desk.Find<QLineEdit>("Edit5")->setText(QStringLiteral("x"));
        QCOMPARE(shell.desk.Form->State().Filters.Edits.at("Edit5"), std::string("x"));
#else
        QSKIP("the filter run is not part of this build");
#endif
    }

    void filterRunRefusesWithoutAnExpansion()
    {
#ifdef QV_HAVE_FILTER_RUN
        Shell shell(false);
        shell.desk.Dir.Write("Data/temp.txt", {"01 02 03 04 05 06"});
        shell.desk.Form->ShowView(QStringLiteral("运算/过滤窗口"));
        shell.desk.Find<QPushButton>("Button9")->click();
        QCOMPARE(shell.desk.MessageTexts().back(), QStringLiteral("您的号码篮没有号码"));
        QCOMPARE(shell.desk.Form->CurrentView(TForm1::Area::Selection), QStringLiteral("投注/组合"));
#else
        QSKIP("the filter run is not part of this build");
#endif
    }

    void notepadSavesOnlyWhenAsked()
    {
        Shell shell(false);
        NotepadView* notepad = shell.windows.Notepad;
        notepad->Editor()->setPlainText(QStringLiteral("第一行"));
        QVERIFY(!shell.desk.Dir.Exists("Data/text.txt"));
        shell.desk.Find<QPushButton>("TeButton4")->click();
        QCOMPARE(QString::fromStdString(ReadRichText(shell.desk.Dir.ReadBytes("Data/text.txt"))),
                 QStringLiteral("第一行"));
    }

    void notepadAutoSavesEveryChange()
    {
        Shell shell(false);
        NotepadView* notepad = shell.windows.Notepad;
        shell.desk.Find<QCheckBox>("TeCheckBox3")->setChecked(true);
        QTest::keyClicks(notepad->Editor(), QStringLiteral("ab"));
        QCOMPARE(ReadRichText(shell.desk.Dir.ReadBytes("Data/text.txt")), std::string("ab"));
        notepad->Editor()->insertPlainText(QStringLiteral("\n双色球 01 02"));
        QCOMPARE(QString::fromStdString(ReadRichText(shell.desk.Dir.ReadBytes("Data/text.txt"))),
                 QStringLiteral("ab\n双色球 01 02"));
        shell.desk.Find<QPushButton>("TeButton2")->click();
        QCOMPARE(ReadRichText(shell.desk.Dir.ReadBytes("Data/text.txt")), std::string());
        QVERIFY(LooksLikeRichText(shell.desk.Dir.ReadBytes("Data/text.txt")));
    }

    void notepadAutoSaveFailureIsReportedOnceAndSwitchesItOff()
    {
        Shell shell(false);
        NotepadView* notepad = shell.windows.Notepad;
        auto* autoSave = shell.desk.Find<QCheckBox>("TeCheckBox3");
        autoSave->setChecked(true);
        QTest::keyClicks(notepad->Editor(), QStringLiteral("a"));
        const std::string saved = shell.desk.Dir.ReadBytes("Data/text.txt");
        SetWriteFailureHook([](const std::filesystem::path& path) {
            throw Error::CannotOpenFileErrno(path.string(), EACCES);
        });
        QTest::keyClicks(notepad->Editor(), QStringLiteral("bc"));
        SetWriteFailureHook({});
        QCOMPARE(shell.desk.MessageTexts().size(), 1);
        QVERIFY(shell.desk.MessageTexts().front().startsWith(QStringLiteral("Cannot open file")));
        QVERIFY(!autoSave->isChecked());
        QCOMPARE(shell.desk.Dir.ReadBytes("Data/text.txt"), saved);
        QCOMPARE(notepad->Text(), QStringLiteral("abc"));
    }

    void notepadRoundTripsChineseThroughItsFiles_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("chinese") << QStringLiteral(
            "本期重点：红球 03 08 11\n蓝球看 07、12\n\n记住：理性购彩！");
        QTest::newRow("rtf control characters") << QStringLiteral("{大括号} \\反斜杠\\ 和\t制表符");
        QTest::newRow("beyond the basic plane") << QStringLiteral("表情 😀 与 𠀋");
        QTest::newRow("empty") << QString();
    }

    void notepadRoundTripsChineseThroughItsFiles()
    {
        QFETCH(QString, text);
        {
            Shell shell(false);
            shell.windows.Notepad->Editor()->setPlainText(text);
            shell.desk.Script().QueueSaveFile(shell.desk.Dir / "notes.txt");
            shell.desk.Find<QPushButton>("TeButton15")->click();
            const FileDialogRequest& request = shell.desk.Script().SaveRequests.back();
            QCOMPARE(request.ProposedName, std::string("双色球记事文件.txt"));
            QCOMPARE(request.StartFolder, shell.desk.Dir.Path());
            // 另存为... leaves the default file alone; 打开 reads the document back.
            QVERIFY(!shell.desk.Dir.Exists("Data/text.txt"));
            shell.windows.Notepad->Editor()->clear();
            shell.desk.Script().QueueOpenFile(shell.desk.Dir / "notes.txt");
            shell.desk.Find<QPushButton>("TeButton16")->click();
            QCOMPARE(shell.windows.Notepad->Text(), text);
            shell.desk.Find<QPushButton>("TeButton4")->click();
            // The next start loads the default file.
            const std::string saved = shell.desk.Dir.ReadBytes("Data/text.txt");
            Desk again(false);
            again.Dir.WriteBytes("Data/text.txt", saved);
            again.Create();
            QCOMPARE(again.Form->Selection().Notepad->Text(), text);
        }
    }

    void notepadOpensPlainTextAndKeepsItsTextOnFailure()
    {
        Shell shell(false);
        shell.desk.Dir.Write("plain.txt", {"纯文本的记事", "第二行"});
        shell.desk.Script().QueueOpenFile(shell.desk.Dir / "plain.txt");
        shell.desk.Find<QPushButton>("TeButton16")->click();
        const QString plain = QStringLiteral("纯文本的记事\n第二行\n");
        QCOMPARE(shell.windows.Notepad->Text(), plain);
        shell.desk.Script().QueueOpenFile(shell.desk.Dir / "missing.txt");
        shell.desk.Find<QPushButton>("TeButton16")->click();
        QVERIFY(shell.desk.MessageTexts().back().startsWith(QStringLiteral("Cannot open file")));
        QCOMPARE(shell.windows.Notepad->Text(), plain);
        shell.desk.Script().QueueOpenFile(std::nullopt);
        shell.desk.Find<QPushButton>("TeButton16")->click();
        QCOMPARE(shell.windows.Notepad->Text(), plain);
    }

    void aboutWindowShowsAndFadesToHidden()
    {
        Shell shell(false);
        TNabout* about = shell.windows.About;
        QVERIFY(!about->isVisible());
        shell.desk.Form->Action(QStringLiteral("MenuAbout"))->trigger();
        QVERIFY(about->isVisible());
        QCOMPARE(about->windowTitle(), QStringLiteral("关于Quorvane"));
        QVERIFY(about->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(about->findChild<QLabel*>(QStringLiteral("AboutTitle"))->text() ==
                QStringLiteral("Quorvane 2010 Ver 1.75"));
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
        QTest::mouseClick(about->findChild<QLabel*>(QStringLiteral("Image1")), Qt::LeftButton);
        QTest::mouseClick(about->findChild<QLabel*>(QStringLiteral("AboutHomeLink")), Qt::LeftButton);
        QTest::mouseClick(about->findChild<QLabel*>(QStringLiteral("AboutCommunityLink")), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(catcher.Opened.size(), 3);
        QCOMPARE(catcher.Opened[2].host(), QStringLiteral("pellisor.example.com"));
        QCOMPARE(catcher.Opened[0].host(), QStringLiteral("pellisor.example.com"));
        QCOMPARE(catcher.Opened[1].host(), QStringLiteral("kevrin.example.com"));
        about->findChild<QPushButton*>(QStringLiteral("TeButton1"))->click();
        QTRY_VERIFY(!about->isVisible());
        QVERIFY(about->findChild<QPushButton*>(QStringLiteral("TeButton1")) !=
                nullptr); // hidden, not destroyed
        shell.desk.Form->Action(QStringLiteral("TopAbout"))->trigger();
        QVERIFY(about->isVisible());
        QCOMPARE(about->windowOpacity(), 1.0);
    }

    void escapeClosesTheSecondaryWindows_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("answer"); // -1: no question; else the answer to "放弃修改"
        QTest::addColumn<bool>("closes");
        QTest::newRow("about") << QStringLiteral("about") << -1 << true;
        QTest::newRow("24-code selector") << QStringLiteral("selector") << -1 << true;
        QTest::newRow("editor unchanged") << QStringLiteral("editor") << -1 << true;
        QTest::newRow("editor changed, keep editing")
            << QStringLiteral("editor") << static_cast<int>(MessageAnswer::No) << false;
        QTest::newRow("editor changed, discard")
            << QStringLiteral("editor") << static_cast<int>(MessageAnswer::Yes) << true;
    }

    void escapeClosesTheSecondaryWindows()
    {
        QFETCH(QString, window);
        QFETCH(int, answer);
        QFETCH(bool, closes);
        Desk desk;
        desk.Create();
        const SelectionWindows windows = desk.Form->Selection();
        const std::string history = desk.Dir.ReadBytes("data/data.txt");
        QWidget* target = nullptr;
        QWidget* focus = nullptr;
        if (window == QStringLiteral("about")) {
            windows.About->ShowNearPointer();
            target = windows.About;
            focus = windows.About->findChild<QPushButton*>(QStringLiteral("TeButton1"));
        } else if (window == QStringLiteral("selector")) {
            windows.Selector->show();
            target = windows.Selector;
            focus = windows.Selector->IssueSelector();
        } else {
            desk.Form->ToolButton22Click();
            TNadddata* editor = desk.Form->RecordEditor();
            target = editor;
            focus = editor->Edit1();
            if (answer >= 0) {
                editor->ListBox1()->setCurrentRow(0);
                editor->findChild<QPushButton*>(QStringLiteral("TeButton5"))->click();
                QVERIFY(editor->Changed());
                desk.Script().QueueAnswer(static_cast<MessageAnswer>(answer));
            }
        }
        QVERIFY(target->isVisible());
        const auto asked = desk.Script().Messages.size();
        QTest::keyClick(focus, Qt::Key_Escape);
        QCOMPARE(desk.Script().Messages.size(), asked + (answer >= 0 ? 1 : 0));
        QCOMPARE(!target->isVisible(), closes);
        QCOMPARE(desk.Dir.ReadBytes("data/data.txt"), history);
        // Esc in the main window leaves a secondary window alone.
        if (!closes) {
            QTest::keyClick(desk.Form.get(), Qt::Key_Escape);
            QVERIFY(target->isVisible());
        }
    }

    void windowsOpenNearThePointerWholeOnScreen_data()
    {
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("middle") << QPoint(800, 500) << QPoint(800 - 250, 500 - 12);
        QTest::newRow("bottom right corner") << QPoint(1599, 999) << QPoint(1600 - 500, 1000 - 400);
        QTest::newRow("top left corner") << QPoint(3, 2) << QPoint(0, 40);
        QTest::newRow("right edge") << QPoint(1590, 300) << QPoint(1100, 300 - 12);
    }

    void windowsOpenNearThePointerWholeOnScreen()
    {
        QFETCH(QPoint, pointer);
        QFETCH(QPoint, expected);
        // A panel at the top (40 pixels) is not available.
        const QRect available(0, 40, 1600, 960);
        const QSize frame(500, 400);
        const QPoint placed = NearPointer(frame, pointer, available);
        QCOMPARE(placed, expected);
        QVERIFY(available.contains(QRect(placed, frame)));

        // The windows themselves, on the test screen.
        Shell shell(false);
        QCursor::setPos(pointer);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        shell.windows.About->ShowNearPointer();
        QVERIFY(screen.contains(shell.windows.About->frameGeometry()));
        shell.desk.Form->ToolButton22Click();
        QVERIFY(screen.contains(shell.desk.Form->RecordEditor()->frameGeometry()));
    }

    void toolButtonsSayWhatTheyDo()
    {
        Shell shell;
        int buttons = 0;
        for (QToolButton* button : shell.desk.Form->findChildren<QToolButton*>()) {
            QAction* action = button->defaultAction();
            if (!action || action->objectName().isEmpty())
                continue;
            ++buttons;
            QVERIFY2(!button->toolTip().isEmpty(), qPrintable(action->objectName()));
            QVERIFY2(button->toolTip() != button->text(), qPrintable(action->objectName()));
        }
        QCOMPARE(buttons, 23);
    }

    void placeholderLinksShowTheirLocalPage_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("page"); // the local page shown, empty: the browser's
        QTest::addColumn<bool>("browserStarts");
        QTest::addColumn<QString>("message"); // the start of the message box, if any
        QTest::newRow("forum") << QStringLiteral("https://forum.pellisor.example.com/quorvane")
                               << "forum.html" << true << QString();
        QTest::newRow("topic below the help page")
            << QStringLiteral("https://forum.pellisor.example.com/quorvane/topic/help#top") << "guide.html"
            << true << QString();
        QTest::newRow("product home")
            << QStringLiteral("https://kevrin.example.com/quorvane/") << "version.html" << true << QString();
        QTest::newRow("unknown placeholder")
            << QStringLiteral("http://www.example.org/a") << "forum.html" << true << QString();
        QTest::newRow(".invalid") << QStringLiteral("https://shop.invalid/") << "forum.html" << true
                                  << QString();
        QTest::newRow("real site") << QStringLiteral("https://www.cwl.gov.cn/") << QString() << true
                                   << QString();
        QTest::newRow("no browser") << QStringLiteral("https://www.cwl.gov.cn/") << QString() << false
                                    << QStringLiteral(
                                           "无法启动浏览器打开以下地址：\nhttps://www.cwl.gov.cn/");
    }

    void placeholderLinksShowTheirLocalPage()
    {
        QFETCH(QString, address);
        QFETCH(QString, page);
        QFETCH(bool, browserStarts);
        QFETCH(QString, message);
        Shell shell;
        QList<QUrl> launched;
        shell.windows.Web->SetBrowserLauncher([&](const QUrl& url) {
            launched << url;
            return browserStarts;
        });
        shell.desk.Form->ShowView(QStringLiteral("运算/过滤窗口"));
        QDesktopServices::openUrl(QUrl(address));
        if (page.isEmpty()) {
            QCOMPARE(launched, QList<QUrl>{QUrl(address)});
            QCOMPARE(shell.desk.Form->CurrentArea(), TForm1::Area::Selection);
        } else {
            QVERIFY(launched.isEmpty());
            QCOMPARE(shell.desk.Form->CurrentArea(), TForm1::Area::Web);
            QCOMPARE(shell.windows.Web->Browser()->source().fileName(), page);
        }
        if (message.isEmpty())
            QVERIFY(shell.desk.MessageTexts().isEmpty());
        else
            QVERIFY(!shell.desk.MessageTexts().isEmpty() &&
                    shell.desk.MessageTexts().back().startsWith(message));
        // The same placeholder again, with its page already in front: a message says why
        // nothing changes.
        if (!page.isEmpty()) {
            QDesktopServices::openUrl(QUrl(address));
            QVERIFY(!shell.desk.MessageTexts().isEmpty());
            QVERIFY(shell.desk.MessageTexts().back().contains(QStringLiteral("只是示例地址")));
        }
    }

    void webAreaLoadsItsPagesWithTheConfiguredAddresses()
    {
        Shell shell;
        WebArea* web = shell.windows.Web;
        TForm1& form = *shell.desk.Form;
        form.Action(QStringLiteral("MenuGuide"))->trigger();
        QCOMPARE(form.CurrentArea(), TForm1::Area::Web);
        QVERIFY(web->Browser()->toPlainText().contains(QStringLiteral("使用指南")));
        QVERIFY(web->Browser()->toPlainText().contains(QStringLiteral("分解到号码篮")));
        // Where option.ini lies, for each way the program runs.
        QVERIFY(web->Browser()->toPlainText().contains(QStringLiteral("启动程序时的当前工作目录")));
        QVERIFY(web->Browser()->toPlainText().contains(QStringLiteral("~/.local/share/quorvane")));
        QVERIFY(!web->Browser()->toPlainText().contains(QStringLiteral("{{")));
        QCOMPARE(web->CurrentAddress(),
                 QStringLiteral("https://forum.pellisor.example.com/quorvane/topic/help"));

        const struct
        {
            const char* Button;
            const char* Title;
        } pages[] = {{"WebForum", "即时讨论"}, {"WebGroupChat", "QQ群"}, {"WebNewVersion", "新版本"}};
        for (const auto& page : pages) {
            form.findChild<QAction*>(QString::fromUtf8(page.Button))->trigger();
            QVERIFY2(web->Browser()->toPlainText().startsWith(QString::fromUtf8(page.Title)), page.Button);
            QVERIFY(web->Browser()->toHtml().contains(web->CurrentAddress()));
        }
        auto* banner = form.findChild<QTextBrowser*>(QStringLiteral("WebBrowser2"));
        QVERIFY(banner->toPlainText().contains(QStringLiteral("理性购彩")));
        QCOMPARE(banner->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(banner->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

        // "在线讨论" only shows the area.
        form.ShowArea(TForm1::Area::Analysis);
        form.findChild<QAction*>(QStringLiteral("TopWeb"))->trigger();
        QCOMPARE(form.CurrentArea(), TForm1::Area::Web);
        QVERIFY(web->Browser()->toPlainText().startsWith(QStringLiteral("新版本")));
    }
};

QTEST_MAIN(ExplanationAndNotesTest)
#include "ExplanationAndNotesTest.moc"
