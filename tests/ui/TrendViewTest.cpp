// The 走势图 view over the bundled history.

#include "UiTestSupport.h"

#include "ui/analysis/TrendView.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

using namespace qv;
using namespace qv::ui;
using namespace qv::ui::test;

namespace {

class TrendViewTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { PrepareApplication(); }

    void opensWithTheNewestRowInSight()
    {
        Desk desk;
        TForm1& form = desk.Create();
        form.resize(1366, 800);
        QVERIFY(desk.Start());
        auto* view = desk.Find<TrendView>("TrendView");
        auto* draws = desk.Find<QComboBox>("TrendDraws");
        auto* pages = desk.Find<QTabWidget>("TrendPages");
        QVERIFY(view && draws && pages);

        form.ShowView(QStringLiteral("走势图"));
        QApplication::processEvents();
        QCOMPARE(view->RedGrid()->Grid().Rows(), std::size_t{100});
        QCOMPARE(view->RedGrid()->Grid().Issues.back(), std::string("2026096"));
        QVERIFY(view->RedGrid()->NewestRowVisible());

        // The blue grid saved as CSV and as PNG, through the buttons.
        pages->setCurrentIndex(1);
        desk.Script().QueueSaveFile(desk.Dir / "blue.csv");
        QTest::mouseClick(desk.Find<QPushButton>("TrendSaveCsv"), Qt::LeftButton);
        QCOMPARE(desk.Dir.ReadBytes("blue.csv"), TrendCsv(view->BlueGrid()->Grid()));
        desk.Script().QueueSaveFile(desk.Dir / "blue.png");
        QTest::mouseClick(desk.Find<QPushButton>("TrendSavePng"), Qt::LeftButton);
        QCOMPARE(desk.Dir.ReadBytes("blue.png").substr(1, 3), std::string("PNG"));
        pages->setCurrentIndex(0);

        // Every draw: the view is left and opened again, as a user would.
        form.ShowView(QStringLiteral("历史统计"));
        QElapsedTimer timer;
        timer.start();
        draws->setCurrentIndex(draws->count() - 1);
        form.ShowView(QStringLiteral("走势图"));
        view->RedGrid()->viewport()->repaint();
        qInfo("trend view opened on every draw in %lld ms", static_cast<long long>(timer.elapsed()));
        QCOMPARE(view->RedGrid()->Grid().Rows(), form.State().HistoryLines.size());
        QVERIFY(view->RedGrid()->NewestRowVisible());
        QScrollBar* bar = view->RedGrid()->verticalScrollBar();
        timer.restart();
        for (int step = 0; step < 100; ++step) {
            bar->setValue(bar->value() - 3 * TrendMetrics::kRowHeight);
            view->RedGrid()->viewport()->repaint();
        }
        qInfo("100 scroll steps painted in %lld ms", static_cast<long long>(timer.elapsed()));
        QVERIFY(!view->RedGrid()->NewestRowVisible());

        pages->setCurrentIndex(1);
        QApplication::processEvents();
        QCOMPARE(view->BlueGrid()->Grid().Colour, BallColour::Blue);
        QVERIFY(view->BlueGrid()->NewestRowVisible());

        timer.restart();
        pages->setCurrentIndex(2); // the charts are built when their page opens
        QApplication::processEvents();
        qInfo("indicator charts of every draw built and shown in %lld ms",
              static_cast<long long>(timer.elapsed()));
    }
};

} // namespace

QTEST_MAIN(TrendViewTest)
#include "TrendViewTest.moc"
