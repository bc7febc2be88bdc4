// The player's work across a restart of the desktop program, 恢复默认设置, and Qt's own
// dialogs in Chinese with whole captions.

#include "UiTestSupport.h"

#include "ui/SessionSettings.h"
#include "ui/Translations.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

using namespace qv;
using namespace qv::ui;
using namespace qv::ui::test;

namespace {

template <typename T> T* Find(Desk& desk, const char* name)
{
    T* widget = desk.Find<T>(name);
    if (!widget)
        qFatal("no %s", name);
    return widget;
}

int BasketRows(Desk& desk)
{
    return Find<QTableView>(desk, "BasketGrid")->model()->rowCount();
}

bool Logged(Desk& desk, const QString& part)
{
    for (const QString& line : desk.LogLines())
        if (line.contains(part))
            return true;
    return false;
}

// The work a player builds: picked reds, a bet list expanded into the basket, a filter
// switched off, a parameter and a rule box changed, the odd blues with 02 … none.
void BuildWork(Desk& desk)
{
    Find<QCheckBox>(desk, "hao1")->setChecked(true);
    Find<QCheckBox>(desk, "hao33")->setChecked(true);
    Find<QPlainTextEdit>(desk, "Memo6")->setPlainText(QStringLiteral("01 02 03 04 05 06 07\n"));
    Find<QPushButton>(desk, "Button8")->click();
    Find<QCheckBox>(desk, "CheckBox6")->setChecked(false);
    Find<QLineEdit>(desk, "Edit5")->setText(QStringLiteral("15"));
    Find<QPlainTextEdit>(desk, "Memo3")->setPlainText(QStringLiteral("01 05,1\n"));
    Find<QRadioButton>(desk, "RadioButton1")->click(); // 全奇
}

} // namespace

class SessionSettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        PrepareApplication();
        QVERIFY(InstallChineseTranslations(*QCoreApplication::instance()));
    }

    void workSurvivesARestartAndDefaultsComeBack()
    {
        Desk desk(false);
        desk.Create();
        BuildWork(desk);
        QCOMPARE(BasketRows(desk), 7);
        desk.Form->close();
        QVERIFY(desk.Dir.Exists("Data/settings.ini"));

        desk.Form.reset();
        desk.Create();
        QVERIFY(Logged(
            desk,
            QStringLiteral("已恢复上次的设置（过滤条件、选号与投注列表、蓝码、购买清单位置），号码篮7注")));
        QVERIFY(Find<QCheckBox>(desk, "hao1")->isChecked());
        QVERIFY(Find<QCheckBox>(desk, "hao33")->isChecked());
        QVERIFY(!Find<QCheckBox>(desk, "hao2")->isChecked());
        QCOMPARE(Find<QPlainTextEdit>(desk, "Memo6")->toPlainText(),
                 QStringLiteral("01 02 03 04 05 06 07\n"));
        QVERIFY(!Find<QCheckBox>(desk, "CheckBox6")->isChecked());
        QCOMPARE(Find<QLineEdit>(desk, "Edit5")->text(), QStringLiteral("15"));
        QCOMPARE(Find<QPlainTextEdit>(desk, "Memo3")->toPlainText(), QStringLiteral("01 05,1\n"));
        QVERIFY(Find<QRadioButton>(desk, "RadioButton1")->isChecked());
        QVERIFY(Find<QCheckBox>(desk, "lan1")->isChecked());
        QVERIFY(!Find<QCheckBox>(desk, "lan2")->isChecked());
        QCOMPARE(BasketRows(desk), 7);
        QCOMPARE(Find<QLabel>(desk, "Label4")->text(), QStringLiteral("合计共：7注/14元"));
        QCOMPARE(Find<QLabel>(desk, "Label29")->text(), QStringLiteral("组数：1组"));
        // The basket is ready: it goes into the purchase list without a refusal.
        Find<QPushButton>(desk, "Button15")->click();
        QVERIFY(desk.Script().Messages.empty());
        QCOMPARE(Find<QPlainTextEdit>(desk, "Memo8")->toPlainText().count(QLatin1Char('\n')), 7);

        desk.Script().QueueAnswer(MessageAnswer::No);
        desk.Form->Action(QStringLiteral("MenuRestoreDefaults"))->trigger();
        QVERIFY(Find<QCheckBox>(desk, "hao1")->isChecked());
        desk.Script().QueueAnswer(MessageAnswer::Yes);
        desk.Form->Action(QStringLiteral("MenuRestoreDefaults"))->trigger();
        QVERIFY(!Find<QCheckBox>(desk, "hao1")->isChecked());
        QVERIFY(Find<QPlainTextEdit>(desk, "Memo6")->toPlainText().isEmpty());
        QVERIFY(Find<QCheckBox>(desk, "CheckBox6")->isChecked());
        QCOMPARE(Find<QLineEdit>(desk, "Edit5")->text(), QStringLiteral("12"));
        QVERIFY(Find<QRadioButton>(desk, "RadioButton3")->isChecked());
        QVERIFY(Find<QCheckBox>(desk, "lan2")->isChecked());
        QCOMPARE(BasketRows(desk), 7);

        // What was reset is what the next start sees.
        desk.Form.reset();
        desk.Create();
        QVERIFY(!Find<QCheckBox>(desk, "hao1")->isChecked());
        QCOMPARE(BasketRows(desk), 7);
    }

    void aDamagedFileOrAChangedBasketStartsFromTheDefaults_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("logged");
        QTest::addColumn<bool>("redsBack");
        QTest::newRow("cut short") << "settings"
                                   << "不完整（缺少结尾行“end=1”），已忽略，使用默认设置" << false;
        QTest::newRow("not a settings file") << "garbage"
                                             << "不是UTF-8文本，已忽略，使用默认设置" << false;
        QTest::newRow("basket changed") << "basket"
                                        << "号码篮文件“Data/temp.txt”已被改动，号码篮未恢复" << true;
    }

    void aDamagedFileOrAChangedBasketStartsFromTheDefaults()
    {
        QFETCH(QString, damage);
        QFETCH(QString, logged);
        QFETCH(bool, redsBack);
        Desk desk(false);
        desk.Create();
        BuildWork(desk);
        SaveSessionSettings(*desk.Form);
        desk.Form.reset();
        if (damage == QStringLiteral("settings")) {
            const std::string bytes = desk.Dir.ReadBytes("Data/settings.ini");
            desk.Dir.WriteBytes("Data/settings.ini", bytes.substr(0, bytes.rfind("end=1")));
        } else if (damage == QStringLiteral("garbage")) {
            desk.Dir.WriteBytes("Data/settings.ini", std::string("\x89PNG\r\n\x1a\n", 8));
        } else {
            desk.Dir.Write("Data/temp.txt", {"01 02 03 04 05 06"});
        }

        desk.Create();
        QVERIFY2(Logged(desk, logged), qPrintable(desk.LogLines().join(QLatin1Char('|'))));
        QCOMPARE(Find<QCheckBox>(desk, "hao1")->isChecked(), redsBack);
        QCOMPARE(BasketRows(desk), 0);
        Find<QPushButton>(desk, "Button15")->click();
        QCOMPARE(desk.Script().Messages.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(desk.Script().Messages.front().Caption), QStringLiteral("非法操作"));
    }

    void standardDialogsSpeakChineseAndShowTheirWholeCaption()
    {
        QMessageBox question(QMessageBox::Question, QStringLiteral("恢复默认设置"),
                             QStringLiteral("是否继续？"), QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(question.button(QMessageBox::Yes)->text(), QStringLiteral("是(&Y)"));
        QCOMPARE(question.button(QMessageBox::No)->text(), QStringLiteral("否(&N)"));

        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"))->text(),
                 QStringLiteral("查找范围："));

        QMessageBox done(QMessageBox::NoIcon, QStringLiteral("运算完毕"), QStringLiteral("OK！运算完毕"),
                         QMessageBox::Ok);
        QtHost::FitCaption(done);
        QFont bold = done.font();
        bold.setBold(true);
        QVERIFY(done.sizeHint().width() >= QFontMetrics(bold).horizontalAdvance(done.windowTitle()) + 140);
        QCOMPARE(done.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    }
};

QTEST_MAIN(SessionSettingsTest)
#include "SessionSettingsTest.moc"
