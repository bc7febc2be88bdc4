#include "analysis/AnalysisResults.h"

#include "core/Error.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qv {
namespace {

std::size_t CountOf(const std::vector<std::string>& lines, const std::string& line)
{
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

TEST(ComputeAnalysis, ReachesEveryStageInOrderAndLogsThePredictionTwice)
{
    using S = AnalysisStage;
    struct Case
    {
        const char* name;
        PredictionSwitches switches;
        std::vector<S> stages;
        std::size_t storedLists;
    };
    PredictionSwitches noTimeSequence;
    noTimeSequence.TimeSequence = false;
    PredictionSwitches noKill;
    noKill.KillRed = false;
    noKill.FifthDraw = false;
    const std::vector<S> all{
        S::RedIndicators, S::BlueIndicatorTable, S::BlueIndicators, S::IndicatorsDone, S::Reference,
        S::ReferenceDone, S::RedOmission,        S::BlueOmission,   S::BlueAppearance, S::RedKill,
        S::BlueKill,      S::RedAppearance,      S::Prediction,     S::Complete};
    std::vector<S> withoutAppearance = all;
    withoutAppearance.erase(std::find(withoutAppearance.begin(), withoutAppearance.end(), S::RedAppearance));
    const Case cases[] = {
        {"all switches on", PredictionSwitches{}, all, 5},
        {"time sequence off", noTimeSequence, withoutAppearance, 5},
        {"kill and fifth draw off", noKill, all, 3},
    };
    const Lines history = test::RotatingHistory(80);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::CollectingLog log;
        AnalysisResults results;
        std::vector<S> reached;
        ComputeAnalysis(results, history, c.switches, &log, [&](S stage, const AnalysisResults& r) {
            EXPECT_EQ(r.Reached, stage);
            reached.push_back(stage);
        });
        EXPECT_EQ(reached, c.stages);
        EXPECT_EQ(results.RedIndicatorTable.size(), history.size());
        EXPECT_EQ(results.BlueIndicatorRows.size(), history.size());
        EXPECT_EQ(results.RedKill.Table.size(), history.size() + 1);
        EXPECT_EQ(results.Prediction.Stored.size(), c.storedLists);
        EXPECT_EQ(results.RedAppearance.empty(), !c.switches.TimeSequence);
        // Once closing the omission statistics, once as the prediction's own step.
        EXPECT_EQ(CountOf(log.Lines, "正在遗漏10期分析....."), 2u);
        EXPECT_EQ(CountOf(log.Lines, kBlueKillDoneLine), 2u);
        EXPECT_EQ(CountOf(log.Lines, kTimeSequenceDoneLine), c.switches.TimeSequence ? 2u : 0u);
        EXPECT_EQ(log.Lines.back(), "计算大于10期遗漏...OK");

        // Without a log or a callback the results are the same.
        const AnalysisResults quiet = ComputeAnalysis(history, c.switches, nullptr);
        EXPECT_EQ(quiet.Reached, S::Complete);
        EXPECT_EQ(quiet.Prediction.Stored, results.Prediction.Stored);
        EXPECT_EQ(quiet.Reference.Red, results.Reference.Red);
        EXPECT_EQ(quiet.BlueRunHistogram, results.BlueRunHistogram);
    }
}

TEST(ComputeAnalysis, AFailingStepKeepsWhatWasCompleteBeforeIt)
{
    using S = AnalysisStage;
    struct Case
    {
        const char* name;
        Lines history;
        S reached;
        std::size_t redRows;
        std::size_t blueRows;
    };
    Lines shortLine = test::RotatingHistory(80);
    shortLine[2] = "2009198 01 02 03";
    Lines blue17 = test::RotatingHistory(80);
    blue17[2] = test::HistoryLine(2009198, {1, 2, 3, 4, 5, 6}, 17);
    const Case cases[] = {
        {"a short line", shortLine, S::Started, 0, 0},
        // A blue without element or trigram: the blue view cannot show its line, and the
        // rows before it stay.
        {"a blue of 17", blue17, S::BlueIndicatorTable, 80, 2},
        {"nine draws", test::RotatingHistory(9), S::IndicatorsDone, 9, 9},
        // Too few draws behind the blues' last draws for the appearance report.
        {"thirty draws", test::RotatingHistory(30), S::BlueOmission, 30, 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisResults results;
        EXPECT_THROW(ComputeAnalysis(results, c.history, PredictionSwitches{}, nullptr, {}), Error);
        EXPECT_EQ(results.Reached, c.reached);
        EXPECT_EQ(results.RedIndicatorRows.size(), c.redRows);
        EXPECT_EQ(results.BlueIndicatorRows.size(), c.blueRows);
        EXPECT_TRUE(results.Prediction.Stored.empty());
    }
}

} // namespace
} // namespace qv
