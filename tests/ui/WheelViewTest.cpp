// The wheel page (旋转矩阵) driven through its widgets: the picker's reds by default, a
// wheel built off the window's thread, its lines into the purchase list and a file, and
// the requests that cannot be wheeled.

#include "UiTestSupport.h"

#include "ui/selection/SelectionArea.h"
#include "ui/selection/WheelView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace qv;
using namespace qv::ui;
using namespace qv::ui::test;

namespace {

struct Page
{
    Page() : desk(false)
    {
        desk.Create();
        view = desk.Form->Selection().Wheel;
    }
    template <typename T> T* Find(const char* name) const { return desk.Find<T>(name); }
    void Click(const char* name) const { Find<QPushButton>(name)->click(); }
    void Build(const QString& reds, const QString& bankers, const QString& guarantee) const
    {
        Find<QLineEdit>("WheelReds")->setText(reds);
        Find<QLineEdit>("WheelBankers")->setText(bankers);
        Find<QComboBox>("WheelGuarantee")->setCurrentText(guarantee);
        Click("WheelBuild");
        QTRY_VERIFY_WITH_TIMEOUT(!view->Building(), 20000);
    }
    QString Label(const char* name) const { return Find<QLabel>(name)->text(); }

    Desk desk;
    WheelView* view = nullptr;
};

} // namespace

class WheelViewTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { PrepareApplication(); }

    void TwelveRedsSixFiveIntoThePurchaseListAndAFile()
    {
        Page p;
        const int reds[] = {1, 3, 5, 8, 11, 14, 17, 20, 23, 26, 29, 33};
        for (const int k : reds)
            p.Find<QCheckBox>(("hao" + std::to_string(k)).c_str())->setChecked(true);
        p.desk.Form->show();
        p.desk.Form->ShowView(QStringLiteral("旋转矩阵"));
        QCOMPARE(p.Find<QLineEdit>("WheelReds")->text(),
                 QStringLiteral("01 03 05 08 11 14 17 20 23 26 29 33"));

        p.desk.Form->State().Purchase.PurchaseList = {"02 04 06 07 09 10 +01", ""};
        p.Find<QComboBox>("WheelGuarantee")->setCurrentText(QStringLiteral("中6保5"));
        p.Click("WheelBuild");
        QTRY_VERIFY_WITH_TIMEOUT(!p.view->Building(), 20000);
        const auto match = QRegularExpression(QStringLiteral("^12码中6保5：(\\d+)注/(\\d+)元，全组合924注$"))
                               .match(p.Label("WheelSummary"));
        QVERIFY2(match.hasMatch(), qPrintable(p.Label("WheelSummary")));
        const int tickets = match.captured(1).toInt();
        QCOMPARE(match.captured(2).toInt(), 2 * tickets);
        QCOMPARE(p.Label("WheelVerified"), QStringLiteral("已验证：全部924种情况满足"));
        const QStringList lines = p.Find<QPlainTextEdit>("WheelTickets")
                                      ->toPlainText()
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), tickets);

        p.Click("WheelAddToPurchase");
        const Lines& list = p.desk.Form->State().Purchase.PurchaseList;
        QCOMPARE(static_cast<int>(list.size()), tickets + 1);
        QCOMPARE(list.front(), std::string("02 04 06 07 09 10 +01"));
        QCOMPARE(QString::fromStdString(list.back()), lines.back());

        p.desk.Script().QueueSaveFile(p.desk.Dir / "wheel.txt");
        p.Click("WheelSave");
        QCOMPARE(p.desk.Script().SaveRequests.back().ProposedName, std::string("旋转矩阵.txt"));
        QCOMPARE(static_cast<int>(p.desk.Dir.Read("wheel.txt").size()), tickets);
    }

    void RequestsThatCannotBeWheeledWriteNothing()
    {
        struct Case
        {
            const char* reds;
            const char* bankers;
            const char* message;
        };
        const Case cases[] = {
            {"01 02 03 04 05 06", "", "旋转矩阵需要选择7至20个红球，现在选择了6个"},
            {"01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21", "",
             "旋转矩阵需要选择7至20个红球，现在选择了21个"},
            {"01 03 05 07 09 11 11", "", "选择的红球中11重复"},
            {"01 03 05 07 09 11 34", "", "红球号码应在01至33之间"},
            {"01 03 05 07 09 11 13", "13", "胆码13不能同时是选择的红球"},
            {"01 03 05 07 09 11 13", "02 04 06 08 10 12", "胆码最多5个，现在有6个"},
            {"01 03 05 07 09 11 1x", "", "红球中“1x”不是号码（应为01至33）"},
        };
        Page p;
        p.Build(QStringLiteral("01 02 03 04 05 06 07 08"), {}, QStringLiteral("中4保4"));
        QVERIFY(!p.Label("WheelVerified").isEmpty());
        const Lines before = {"02 04 06 07 09 10 +01"};
        for (const auto& c : cases) {
            p.desk.Form->State().Purchase.PurchaseList = before;
            p.Build(QString::fromUtf8(c.reds), QString::fromUtf8(c.bankers), QStringLiteral("中6保5"));
            QVERIFY2(p.desk.MessageTexts().contains(QString::fromUtf8(c.message)), c.message);
            // The wheel of the earlier request is gone: nothing of it can be bought or saved.
            QVERIFY(p.Label("WheelSummary").isEmpty());
            QVERIFY(!p.Find<QPushButton>("WheelAddToPurchase")->isEnabled());
            p.view->AddToPurchaseClick();
            p.desk.Script().QueueSaveFile(p.desk.Dir / "wheel.txt");
            p.view->SaveClick();
            QVERIFY(!p.desk.Dir.Exists("wheel.txt"));
            QVERIFY(p.desk.Form->State().Purchase.PurchaseList == before);
        }
    }
};

QTEST_MAIN(WheelViewTest)
#include "WheelViewTest.moc"
