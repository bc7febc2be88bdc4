// The record editor: its list commands, the OK / question / write / recompute flow, the
// ways its edits are discarded, and the format check that keeps malformed lines out of
// the history.

#include "UiTestSupport.h"

#include "history/TextFile.h"
#include "ui/windows/ImportPreview.h"
#include "ui/windows/adddata.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace qv;
using namespace qv::ui;
using namespace qv::ui::test;

namespace {

const char* const kNewDraw = "2026097 01 02 03 04 05 06 07";
const char* const kQuestion = "您已经更新了期数，数据库将会全部重新进行运算，您确定吗？";

// A desk with the real history, its windows created and the record editor open.
struct EditorDesk : Desk
{
    // history: data/data.txt instead of the bundled history.
    explicit EditorDesk(const Lines* history = nullptr)
    {
        if (history)
            Dir.Write("data/data.txt", *history);
        Create();
        HistoryBytes = Dir.ReadBytes("data/data.txt");
        Editor()->show();
    }

    TNadddata* Editor() const { return Form->RecordEditor(); }
    QListWidget* List() const { return Editor()->ListBox1(); }
    QLineEdit* Input() const { return Editor()->Edit1(); }
    void Press(const char* button) const
    {
        auto* found = Editor()->findChild<QPushButton*>(QString::fromUtf8(button));
        QVERIFY2(found, button);
        found->click();
    }
    void Type(const QString& text) const { Input()->setText(text); }
    QString Entry(int row) const { return List()->item(row)->text(); }
    bool HistoryUnchanged() const { return Dir.ReadBytes("data/data.txt") == HistoryBytes; }

    std::string HistoryBytes;
};

} // namespace

class RecordEditorTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { PrepareApplication(); }

    void opensOnTheHistoryWithItsTitle()
    {
        EditorDesk desk;
        QCOMPARE(desk.Editor()->windowTitle(),
                 QStringLiteral("添加/修改/删除历史往期记录 Quorvane 2010 Ver 1.75"));
        QCOMPARE(desk.List()->count(), 3493);
        QCOMPARE(desk.Entry(0), QStringLiteral("2026096 01 04 16 22 26 31 04"));
        QCOMPARE(desk.List()->currentRow(), 0);
        QVERIFY(desk.List()->selectedItems().isEmpty());
        QVERIFY(!desk.Editor()->Changed());
    }

    void okWithoutAnEditOnlyCloses()
    {
        EditorDesk desk;
        desk.Press("TeButton1");
        QVERIFY(!desk.Editor()->isVisible());
        QVERIFY(desk.Script().Messages.empty());
        QVERIFY(desk.HistoryUnchanged());
        QCOMPARE(desk.Script().ProgressUpdates, 0);
    }

    void addThenOkAndYesWritesAndRecomputes()
    {
        EditorDesk desk;
        desk.Type(QString::fromUtf8(kNewDraw));
        desk.Press("TeButton3");
        QCOMPARE(desk.Entry(0), QString::fromUtf8(kNewDraw));
        QVERIFY(desk.Input()->text().isEmpty());
        QVERIFY(desk.Editor()->Changed());

        desk.Script().QueueAnswer(MessageAnswer::Yes);
        desk.Press("TeButton1");

        QCOMPARE(desk.Script().Messages.size(), std::size_t(1));
        const auto& question = desk.Script().Messages.front();
        QCOMPARE(question.Caption, std::string("提示"));
        QCOMPARE(question.Text, std::string(kQuestion));
        QCOMPARE(question.Icon, MessageIcon::Question);
        QCOMPARE(question.Buttons, MessageButtons::YesNo);

        const Lines history = desk.Dir.Read("data/data.txt");
        QCOMPARE(history.size(), std::size_t(3494));
        QCOMPARE(history.front(), std::string(kNewDraw));
        QCOMPARE(history[1], std::string("2026096 01 04 16 22 26 31 04"));
        QVERIFY(desk.Dir.ReadBytes("data/data.txt").ends_with("\r\n"));

        // Every view was recomputed from the new history.
        QCOMPARE(desk.Form->ProgressBar()->value(), 100);
        QCOMPARE(desk.Form->ProgressBar()->maximum(), 100);
        QCOMPARE(desk.Form->State().Flag.Value(), std::string("Data=1"));
        const QAbstractItemModel* red = desk.Find<QTableView>("ListView3")->model();
        QCOMPARE(red->rowCount(), 3494);
        QCOMPARE(red->index(0, 0).data().toString(), QStringLiteral("2026097(3494)"));
        QCOMPARE(red->index(0, 1).data().toString(), QStringLiteral("01 02 03 04 05 06 +07"));
        const QAbstractItemModel* kill = desk.Find<QTableView>("TeListView5")->model();
        QCOMPARE(kill->index(kill->rowCount() - 1, 0).data().toString(), QStringLiteral("2026098"));

        QVERIFY(!desk.Editor()->isVisible());
        QVERIFY(!desk.Editor()->Changed());
        QCOMPARE(desk.List()->count(), 3494);
    }

    void emptyInputIsRefused_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("添加") << QStringLiteral("TeButton3");
        QTest::newRow("插入") << QStringLiteral("TeButton4");
        QTest::newRow("修改") << QStringLiteral("TeButton6");
    }

    void emptyInputIsRefused()
    {
        QFETCH(QString, button);
        EditorDesk desk;
        desk.Press(button.toUtf8().constData());
        QCOMPARE(desk.Script().Messages.size(), std::size_t(1));
        const auto& warning = desk.Script().Messages.front();
        QCOMPARE(warning.Caption, std::string("数据"));
        QCOMPARE(warning.Text,
                 std::string(
                     "没有填入号码！请不要试图添加入非法格式的错误数据，否则可能会导致软件再也无法启动。"));
        QCOMPARE(warning.Icon, MessageIcon::Warning);
        QCOMPARE(desk.List()->count(), 3493);
        QCOMPARE(desk.Entry(0), QStringLiteral("2026096 01 04 16 22 26 31 04"));
        QVERIFY(!desk.Editor()->Changed());
    }

    void editsAreDiscarded_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Cancel") << 0;
        QTest::newRow("OK, then No") << 1;
        QTest::newRow("closing the window") << 2;
        QTest::newRow("Retry") << 3;
    }

    void editsAreDiscarded()
    {
        QFETCH(int, how);
        EditorDesk desk;
        desk.Type(QString::fromUtf8(kNewDraw));
        desk.Press("TeButton3");
        desk.List()->item(5)->setSelected(true);
        desk.Press("TeButton5");
        QCOMPARE(desk.List()->count(), 3493);

        if (how == 0) {
            desk.Press("TeButton2");
        } else if (how == 1) {
            desk.Script().QueueAnswer(MessageAnswer::No);
            desk.Press("TeButton1");
            QCOMPARE(desk.Script().Messages.size(), std::size_t(1));
        } else if (how == 2) {
            desk.Editor()->close();
        } else {
            desk.Press("TeButton7");
            QVERIFY(desk.Editor()->isVisible());
            QVERIFY(desk.Editor()->Changed()); // Retry leaves the mark as it is
        }
        QCOMPARE(desk.Editor()->isVisible(), how == 3);
        QVERIFY(desk.HistoryUnchanged());
        QCOMPARE(desk.Script().ProgressUpdates, 0);
        QCOMPARE(desk.Editor()->Entries(), desk.Dir.Read("data/data.txt"));

        desk.Editor()->close();
        desk.Editor()->show();
        QVERIFY(!desk.Editor()->Changed());
        QCOMPARE(desk.List()->count(), 3493);
        QCOMPARE(desk.Entry(0), QStringLiteral("2026096 01 04 16 22 26 31 04"));
    }

    void deleteRemovesEverySelectedEntry()
    {
        EditorDesk desk;
        const QString second = desk.Entry(2);
        const QString fifth = desk.Entry(5);
        for (const int row : {0, 2, 5})
            desk.List()->item(row)->setSelected(true);
        const QString first = desk.Entry(1);
        desk.Press("TeButton5");
        QCOMPARE(desk.List()->count(), 3490);
        QCOMPARE(desk.Entry(0), first);
        QVERIFY(desk.List()->findItems(second, Qt::MatchExactly).isEmpty());
        QVERIFY(desk.List()->findItems(fifth, Qt::MatchExactly).isEmpty());
        QVERIFY(desk.Editor()->Changed());
    }

    void deleteWithNothingSelectedStillAsks()
    {
        EditorDesk desk;
        desk.Press("TeButton5");
        QCOMPARE(desk.List()->count(), 3493);
        desk.Script().QueueAnswer(MessageAnswer::No);
        desk.Press("TeButton1");
        QCOMPARE(desk.Script().Messages.size(), std::size_t(1));
        QCOMPARE(desk.Script().Messages.front().Text, std::string(kQuestion));
        QVERIFY(desk.HistoryUnchanged());
    }

    void clickAndInsertAndModifyWorkOnTheCurrentEntry()
    {
        EditorDesk desk;
        desk.List()->item(1)->setSelected(true);
        desk.Press("TeButton5"); // 2026095 goes, leaving its place free
        const QString second = desk.Entry(1);
        QTest::mouseClick(desk.List()->viewport(), Qt::LeftButton, {},
                          desk.List()->visualItemRect(desk.List()->item(1)).center());
        QCOMPARE(desk.Input()->text(), second);

        desk.Type(QStringLiteral("2026095 04 06 14 21 22 33 15"));
        desk.Press("TeButton4"); // 插入 before the current entry
        QCOMPARE(desk.Entry(1), QStringLiteral("2026095 04 06 14 21 22 33 15"));
        QCOMPARE(desk.Entry(2), second);

        desk.Type(QStringLiteral("2026095 04 06 14 21 22 33 16"));
        desk.Press("TeButton6"); // 修改 the current entry
        QCOMPARE(desk.Entry(1), QStringLiteral("2026095 04 06 14 21 22 33 16"));
        QCOMPARE(desk.List()->count(), 3493);
        QVERIFY(desk.Input()->text().isEmpty());
        QVERIFY(desk.Script().Messages.empty());
    }

    // A typed draw goes in as the history writes it, or is refused with the reason while
    // the input keeps the text for mending.
    void typedDrawsAreCheckedAndNormalised_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("entry");   // the new first entry; empty when refused
        QTest::addColumn<QString>("refusal"); // part of the message
        QTest::newRow("as stored") << QString::fromUtf8(kNewDraw) << QString::fromUtf8(kNewDraw) << QString();
        QTest::newRow("drawing order") << QStringLiteral("2026097 33 05 01 20 12 02 07")
                                       << QStringLiteral("2026097 01 02 05 12 20 33 07") << QString();
        QTest::newRow("one digit, +blue")
            << QStringLiteral("2026097 1 2 3 4 5 6 +7") << QString::fromUtf8(kNewDraw) << QString();
        QTest::newRow("two blanks") << QStringLiteral("2026097 01 02  03 04 05 06 07")
                                    << QString::fromUtf8(kNewDraw) << QString();
        QTest::newRow("older issue") << QStringLiteral("2026090 01 02 03 04 05 06 07") << QString()
                                     << QStringLiteral("期号2026090已经存在：2026090 02 04 15 23 25 27 03");
        QTest::newRow("newest again") << QStringLiteral("2026096 01 04 16 22 26 31 04") << QString()
                                      << QStringLiteral("期号2026096已经存在");
        QTest::newRow("red 34") << QStringLiteral("2026097 01 02 03 04 05 34 07") << QString()
                                << QStringLiteral("红球应在1至33之间：34");
        QTest::newRow("red twice") << QStringLiteral("2026097 01 01 03 04 05 06 07") << QString()
                                   << QStringLiteral("红球重复");
        QTest::newRow("blue 17") << QStringLiteral("2026097 01 02 03 04 05 06 17") << QString()
                                 << QStringLiteral("蓝球应在1至16之间：17");
        QTest::newRow("missing blue")
            << QStringLiteral("2026097 01 02 03 04 05 06") << QString() << QStringLiteral("号码不足7个");
        QTest::newRow("letters") << QStringLiteral("2026097 01 02 03 04 0A 06 07") << QString()
                                 << QStringLiteral("无法识别：0A");
        QTest::newRow("6-digit issue") << QStringLiteral("202609 01 02 03 04 05 06 07") << QString()
                                       << QStringLiteral("期号应为7位数字");
    }

    void typedDrawsAreCheckedAndNormalised()
    {
        QFETCH(QString, typed);
        QFETCH(QString, entry);
        QFETCH(QString, refusal);
        EditorDesk desk;
        desk.Type(typed);
        desk.Press("TeButton3");
        auto* shown = desk.Editor()->findChild<QLabel*>(QStringLiteral("Label6"));
        QVERIFY(shown);
        if (!entry.isEmpty()) {
            QVERIFY(desk.Script().Messages.empty());
            QCOMPARE(desk.Entry(0), entry);
            QCOMPARE(desk.List()->count(), 3494);
            QCOMPARE(shown->text(), typed == entry ? QString() : QStringLiteral("已整理为：") + entry);
            QVERIFY(desk.Editor()->Changed());
            return;
        }
        QCOMPARE(desk.Script().Messages.size(), std::size_t(1));
        const QString text = QString::fromStdString(desk.Script().Messages.front().Text);
        QVERIFY2(text.startsWith(QStringLiteral("开奖数据格式不对，没有添加：")) ||
                     text.startsWith(QStringLiteral("没有添加：")),
                 qPrintable(text));
        QVERIFY2(text.contains(refusal), qPrintable(text));
        QCOMPARE(desk.List()->count(), 3493);
        QCOMPARE(desk.Input()->text(), typed);
        QVERIFY(!desk.Editor()->Changed());
    }

    // Issues stay descending across a year change, whichever command places the draw.
    void placementFollowsTheIssueAcrossTheYearChange()
    {
        EditorDesk desk;
        const auto source = desk.Dir / "year.txt";
        SaveLines(source, {"2026153 01 02 03 04 05 06 07", "2026152 01 02 03 04 05 06 08"});
        desk.Script().QueueOpenFile(source);
        desk.Press("TeButton8");
        desk.Type(QStringLiteral("2027001 01 02 03 04 05 06 09"));
        desk.Press("TeButton3");
        QCOMPARE(desk.Entry(0), QStringLiteral("2027001 01 02 03 04 05 06 09"));

        desk.Type(QStringLiteral("2026154 01 02 03 04 05 06 10"));
        desk.Press("TeButton3"); // older than the entry below it
        desk.Type(QStringLiteral("2027001 01 02 03 04 05 06 10"));
        desk.List()->setCurrentRow(1, QItemSelectionModel::NoUpdate);
        desk.Press("TeButton6"); // 修改 2026153 into an issue already above it
        QCOMPARE(desk.MessageTexts().size(), 2);
        QVERIFY(desk.MessageTexts()[0].contains(QStringLiteral("期号2026154应大于下一行的期号2027001")));
        QVERIFY(desk.MessageTexts()[1].contains(QStringLiteral("期号2027001已经存在")));

        desk.Type(QStringLiteral("2026154 01 02 03 04 05 06 10"));
        desk.Press("TeButton4"); // 插入 between 2027001 and 2026153
        QCOMPARE(desk.Editor()->Entries(),
                 (Lines{"2027001 01 02 03 04 05 06 09", "2026154 01 02 03 04 05 06 10",
                        "2026153 01 02 03 04 05 06 07", "2026152 01 02 03 04 05 06 08"}));
    }

    void modifyOnAnEmptyListReportsTheIndex()
    {
        EditorDesk desk;
        desk.List()->selectAll();
        desk.Press("TeButton5");
        QCOMPARE(desk.List()->count(), 0);
        desk.Type(QString::fromUtf8(kNewDraw));
        desk.Press("TeButton6");
        QCOMPARE(desk.MessageTexts(), QStringList{QStringLiteral("List index out of bounds (-1)")});
        QCOMPARE(desk.Input()->text(), QString::fromUtf8(kNewDraw));
        QCOMPARE(desk.List()->count(), 0);

        desk.Press("TeButton4"); // 插入 into the empty list makes the only entry
        QCOMPARE(desk.List()->count(), 1);
        QCOMPARE(desk.Entry(0), QString::fromUtf8(kNewDraw));
    }

    void saveAsWritesTheListAsEdited()
    {
        EditorDesk desk;
        desk.Type(QString::fromUtf8(kNewDraw));
        desk.Press("TeButton3");
        const auto target = desk.Dir / "copy.txt";
        desk.Script().QueueSaveFile(target);
        desk.Press("TeButton9");

        QCOMPARE(desk.Script().SaveRequests.size(), std::size_t(1));
        const FileDialogRequest& request = desk.Script().SaveRequests.front();
        QCOMPARE(request.ProposedName, std::string("历史开奖记录.txt"));
        QCOMPARE(request.Filter, std::string("*.txt|*.txt"));
        QCOMPARE(request.StartFolder, desk.Dir.Path());
        const Lines saved = LoadLines(target);
        QCOMPARE(saved.size(), std::size_t(3494));
        QCOMPARE(saved.front(), std::string(kNewDraw));
        QVERIFY(desk.HistoryUnchanged());
        QVERIFY(desk.Editor()->Changed());
        QVERIFY(desk.Editor()->isVisible());
    }

    void openReplacesTheListAndOkReplacesTheHistory()
    {
        EditorDesk desk;
        Lines other = qv::test::RealHistoryLines();
        other.resize(300);
        const auto source = desk.Dir / "other.txt";
        SaveLines(source, other);
        desk.Script().QueueOpenFile(source);
        desk.Press("TeButton8");
        QCOMPARE(desk.Editor()->Entries(), other);
        QVERIFY(desk.Editor()->Changed());

        desk.Script().QueueAnswer(MessageAnswer::Yes);
        desk.Press("TeButton1");
        QCOMPARE(desk.Dir.Read("data/data.txt"), other);
        QCOMPARE(desk.Find<QTableView>("ListView3")->model()->rowCount(), 300);
    }

    void malformedLinesAreNeverWritten_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<int>("faultLine");
        QTest::newRow("two blanks") << QStringLiteral("2026094 01 02  03 04 05 06 07")
                                    << QStringLiteral("长度应为28个字符") << 3;
        QTest::newRow("missing blue")
            << QStringLiteral("2026094 01 02 03 04 05 06") << QStringLiteral("长度应为28个字符") << 3;
        QTest::newRow("letters") << QStringLiteral("2026094 01 02 03 04 0A 06 07")
                                 << QStringLiteral("红球应为两位数字") << 3;
        QTest::newRow("5-digit issue")
            << QStringLiteral("20097 001 02 03 04 05 06 107") << QStringLiteral("期号应为7位数字") << 3;
        QTest::newRow("red 34") << QStringLiteral("2026094 01 02 03 04 05 34 07")
                                << QStringLiteral("红球应在01至33之间") << 3;
        QTest::newRow("red 00") << QStringLiteral("2026094 00 02 03 04 05 06 07")
                                << QStringLiteral("红球应在01至33之间") << 3;
        QTest::newRow("reds descending")
            << QStringLiteral("2026094 02 01 03 04 05 06 07") << QStringLiteral("从小到大") << 3;
        QTest::newRow("red twice") << QStringLiteral("2026094 01 01 03 04 05 06 07")
                                   << QStringLiteral("从小到大") << 3;
        QTest::newRow("blue 17") << QStringLiteral("2026094 01 02 03 04 05 06 17")
                                 << QStringLiteral("蓝球应在01至16之间") << 3;
        QTest::newRow("trailing blank")
            << QStringLiteral("2026094 01 02 03 04 05 06 07 ") << QStringLiteral("长度应为28个字符") << 3;
        QTest::newRow("blank line") << QStringLiteral(" ") << QStringLiteral("长度应为28个字符") << 3;
        QTest::newRow("issue twice") << QStringLiteral("2026095 01 02 03 04 05 06 07")
                                     << QStringLiteral("第2行的期号2026095应大于第3行的期号2026095") << 2;
        QTest::newRow("older above") << QStringLiteral("2026090 01 02 03 04 05 06 07")
                                     << QStringLiteral("第3行的期号2026090应大于第4行的期号2026093") << 3;
    }

    // Lines the user opened are written only when every one keeps the form and the issues
    // descend; otherwise the list stays open as it is, for mending.
    void malformedLinesAreNeverWritten()
    {
        QFETCH(QString, line);
        QFETCH(QString, reason);
        QFETCH(int, faultLine);
        EditorDesk desk;
        Lines opened = qv::test::RealHistoryLines();
        opened.resize(10);
        opened[2] = line.toStdString();
        const auto source = desk.Dir / "opened.txt";
        SaveLines(source, opened);
        desk.Script().QueueOpenFile(source);
        desk.Press("TeButton8");
        desk.Script().QueueAnswer(MessageAnswer::Yes);
        desk.Press("TeButton1");

        QCOMPARE(desk.Script().Messages.size(), std::size_t(2));
        const auto& refusal = desk.Script().Messages.back();
        const QString text = QString::fromStdString(refusal.Text);
        QVERIFY2(text.startsWith(QStringLiteral("第%1行").arg(faultLine)), qPrintable(text));
        QVERIFY2(text.contains(line + QLatin1Char('\n')), qPrintable(text));
        QVERIFY2(text.contains(reason), qPrintable(text));
        QCOMPARE(refusal.Icon, MessageIcon::Warning);

        QVERIFY(desk.HistoryUnchanged());
        QCOMPARE(desk.Script().ProgressUpdates, 0);
        QVERIFY(desk.Editor()->isVisible());
        QCOMPARE(desk.Entry(2), line);
        QCOMPARE(desk.List()->currentRow(), faultLine - 1);
        QVERIFY(desk.Editor()->Changed());
    }

    void anEmptyListIsNeverWritten()
    {
        EditorDesk desk;
        desk.List()->selectAll();
        desk.Press("TeButton5");
        desk.Script().QueueAnswer(MessageAnswer::Yes);
        desk.Press("TeButton1");
        QCOMPARE(desk.Script().Messages.size(), std::size_t(2));
        QVERIFY(desk.HistoryUnchanged());
        QVERIFY(desk.Editor()->isVisible());
    }

    // 粘贴导入 and 从文件导入 preview the import; 应用 writes the merged history once and
    // recomputes, 取消 leaves everything as it was.
    void importPreviewsThenApplies_data()
    {
        QTest::addColumn<bool>("paste");
        QTest::addColumn<int>("choice"); // 0 取消, 1 应用, 2 应用 replacing the conflict
        QTest::newRow("paste, apply") << true << 1;
        QTest::newRow("file, cancel") << false << 0;
        QTest::newRow("file, apply") << false << 1;
        QTest::newRow("file, replace") << false << 2;
    }

    void importPreviewsThenApplies()
    {
        QFETCH(bool, paste);
        QFETCH(int, choice);
        const Lines real = qv::test::RealHistoryLines();
        const Lines cut(real.begin() + 3, real.end());
        EditorDesk desk(&cut);
        const std::string cutBytes = desk.HistoryBytes;
        const std::string changed = real[5].substr(0, 26) + "16";
        Lines input{"期号,红1,红2,红3,红4,红5,红6,蓝球", changed};
        for (int i = 2; i >= 0; --i) {
            std::string line = real[static_cast<std::size_t>(i)];
            std::replace(line.begin(), line.end(), ' ', ',');
            input.push_back(line);
        }
        if (paste) {
            QApplication::clipboard()->setText(QString::fromStdString(Join(input, "\n")));
            desk.Press("TeButton10");
        } else {
            const auto source = desk.Dir / "import.txt";
            SaveLines(source, input);
            desk.Script().QueueOpenFile(source);
            desk.Press("TeButton11");
        }
        auto* preview = desk.Editor()->findChild<ImportPreview*>();
        QVERIFY(preview && preview->isVisible());
        QVERIFY(desk.Script().Messages.empty());
        QVERIFY(preview->findChild<QLabel*>(QStringLiteral("Label1"))
                    ->text()
                    .endsWith(QStringLiteral("新增 3 期，未变 0 期，冲突 1 期，拒绝 1 行，缺期 0 期")));
        const QString details = preview->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText();
        QVERIFY(details.contains(QString::fromStdString(real[5])));
        QVERIFY(details.contains(QString::fromStdString(changed)));
        QVERIFY(details.contains(QStringLiteral("第1行：期号")));
        auto* replace = preview->findChild<QCheckBox*>(QStringLiteral("CheckBox1"));
        QVERIFY(replace->isVisibleTo(preview));
        replace->setChecked(choice == 2);
        preview->findChild<QPushButton*>(choice == 0 ? QStringLiteral("Button2") : QStringLiteral("Button1"))
            ->click();

        if (choice == 0) {
            QCOMPARE(desk.Dir.ReadBytes("data/data.txt"), cutBytes);
            QCOMPARE(desk.Script().ProgressUpdates, 0);
            QCOMPARE(desk.List()->count(), 3490);
            return;
        }
        Lines expected = real;
        if (choice == 2)
            expected[5] = changed;
        QCOMPARE(desk.Dir.Read("data/data.txt"), expected);
        QCOMPARE(desk.Editor()->Entries(), expected);
        QVERIFY(!desk.Editor()->Changed());
        QVERIFY(desk.Editor()->isVisible());
        QCOMPARE(desk.Form->ProgressBar()->value(), 100);
        QCOMPARE(desk.Form->State().Flag.Value(), std::string("Data=1"));
        QCOMPARE(desk.Find<QTableView>("ListView3")->model()->rowCount(), 3493);
        QVERIFY(desk.LogLines().contains(
            QStringLiteral("导入开奖数据：新增3期，未变0期，冲突1期，拒绝1行，缺期0期")));
    }

    void importWithNothingValidCannotApply()
    {
        EditorDesk desk;
        QApplication::clipboard()->setText(QStringLiteral("开奖公告\n2026097 01 02 03"));
        desk.Press("TeButton10");
        auto* preview = desk.Editor()->findChild<ImportPreview*>();
        QVERIFY(preview);
        QVERIFY(!preview->findChild<QPushButton*>(QStringLiteral("Button1"))->isEnabled());
        QVERIFY(!preview->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->isVisibleTo(preview));
        QCOMPARE(preview->Plan().Rejected.size(), std::size_t(2));
        preview->reject();
        QVERIFY(desk.HistoryUnchanged());

        QApplication::clipboard()->clear();
        desk.Press("TeButton10");
        QCOMPARE(desk.Script().Messages.size(), std::size_t(1));
        QVERIFY(desk.Script().Messages.front().Text.starts_with("剪贴板里没有文字"));
    }
};

QTEST_MAIN(RecordEditorTest)
#include "RecordEditorTest.moc"
