// The commands a player runs on the full basket of all 33 reds (1,107,568 lines), driven
// through the window from the click to the result shown. Each reports its time and the
// program's memory in the test output; the times are figures to read, never asserted.

#include "UiTestSupport.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <functional>

using namespace qv;
using namespace qv::ui;
using namespace qv::ui::test;

namespace {

// VmRSS or VmHWM of this process, in MB.
[[maybe_unused]] long MemoryMB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').front().toLong() / 1024;
    return -1;
}

} // namespace

class FullBasketTimingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { PrepareApplication(); }

    // From creating the windows to the filled window: the first start computes every file
    // ("Data=0"), the second reads them back ("Data=1").
    void startUpOnTheBundledHistory()
    {
#ifdef QUORVANE_CHECK_LEAKS
        QSKIP("start-up figures are taken from the optimised build");
#else
        Desk desk;
        desk.SetFlagFile("Data=0");
        for (const char* flag : {"Data=0", "Data=1"}) {
            QCOMPARE(desk.Dir.Read("option.ini"), Lines{flag});
            QElapsedTimer clock;
            clock.start();
            desk.Create();
            QVERIFY(desk.Start());
            QCoreApplication::processEvents();
            desk.Form->repaint();
            qInfo("start-up with %s: %lld ms", flag, clock.elapsed());
            desk.Form.reset();
        }
#endif
    }

    void everyCommandOnTheFullBasket()
    {
#ifdef QUORVANE_CHECK_LEAKS
        QSKIP("full-basket figures are taken from the optimised build");
#else
        Desk desk;
        desk.Create();
        desk.Form->resize(1280, 800);
        QVERIFY(desk.Start());
        const auto click = [&](const char* name) {
            QPushButton* button = desk.Find<QPushButton>(name);
            QVERIFY2(button, name);
            button->click();
        };
        const auto measure = [&](const char* what, const QString& view,
                                 const std::function<void()>& command) {
            desk.Form->ShowView(view);
            QCoreApplication::processEvents();
            QElapsedTimer clock;
            clock.start();
            command();
            QCoreApplication::processEvents();
            desk.Form->repaint();
            qInfo("%s: %lld ms, %ld MB now, %ld MB at most so far", what, clock.elapsed(), MemoryMB("VmRSS"),
                  MemoryMB("VmHWM"));
        };
        const QString basket = QStringLiteral("投注/组合");
        const QString list = QStringLiteral("购买清单");
        const QString prizes = QStringLiteral("中奖查询");
        const auto file = desk.Dir / "all.txt";

        click("ToolButton8");
        click("TeButton7");
        measure("分解到号码篮", basket, [&] { click("Button8"); });
        QCOMPARE(desk.Find<QTableView>("BasketGrid")->model()->rowCount(), 1107568);
        measure("加入购买清单", list, [&] { click("Button15"); });
        QCOMPARE(desk.Form->State().Purchase.PurchaseList.size(), 1107568u);
        measure("随机->", list, [&] { click("Button17"); });
        const std::size_t saved = desk.Form->State().Purchase.PurchaseList.size();
        desk.Script().QueueSaveFile(file);
        measure("保存清单", list, [&] { click("Button16"); });
        desk.Script().QueueOpenFile(file);
        measure("载入清单", list, [&] { click("Button18"); });
        QCOMPARE(desk.Form->State().Purchase.PurchaseList.size(), saved);
        desk.Script().QueueOpenFile(file);
        measure("载入查询清单", prizes, [&] { click("TeButton1"); });
        measure("查询中奖", prizes, [&] { click("Button12"); });
        QVERIFY(desk.Form->State().Purchase.PrizeBets >= 1107568u);
        measure("默认过滤", QStringLiteral("运算/过滤窗口"), [&] { click("Button9"); });
        QCOMPARE(desk.Find<QTableView>("BasketGrid")->model()->rowCount(), 83362);
        qInfo("peak memory: %ld MB", MemoryMB("VmHWM"));
#endif
    }
};

QTEST_MAIN(FullBasketTimingTest)
#include "FullBasketTimingTest.moc"
