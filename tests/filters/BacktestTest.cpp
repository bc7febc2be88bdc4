#include "filters/Backtest.h"
#include "core/RecordingHost.h"
#include "filters/FilterRun.h"
#include "history/HistoryLoad.h"
#include "session/AppState.h"
#include "session/BacktestCommands.h"
#include "session/FilterCommands.h"
#include "session/Pipeline.h"
#include "session/SelectionCommands.h"
#include "support/ErrorOf.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

std::size_t OrderOf(const std::string& checkBox)
{
    const auto& catalogue = FilterCatalogue();
    for (std::size_t i = 0; i < catalogue.size(); ++i)
        if (catalogue[i].CheckBox == checkBox)
            return i;
    ADD_FAILURE() << "no filter " << checkBox;
    return 0;
}

FilterState OnlySum(const std::string& lo, const std::string& hi)
{
    FilterState settings;
    ResetFilterState(settings);
    for (auto& [name, on] : settings.Switches)
        on = false;
    settings.Switches["CheckBox37"] = true; // 留下和值在
    settings.Edits["Edit13"] = lo;
    settings.Edits["edit14"] = hi;
    return settings;
}

TEST(Backtest, JudgesEveryDrawAsTheFilterAloneWould)
{
    // 14 draws: the newest 4 have the 10 older draws the analyses need.
    const Lines history = test::RotatingHistory(14);
    struct Case
    {
        const char* name;
        const char *lo, *hi;
        int tolerance;
        bool removed, failed, kept;
    };
    const Case cases[] = {
        {"a range holding every sum keeps", "21", "183", 0, false, false, true},
        {"an empty range removes", "0", "1", 0, true, false, false},
        {"a tolerance of one keeps what one filter removes", "0", "1", 1, true, false, true},
        {"a field that is no integer fails", "x", "130", 0, false, true, false},
    };
    const std::size_t sum = OrderOf("CheckBox37");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BacktestRequest request;
        request.History = history;
        request.Settings = OnlySum(c.lo, c.hi);
        request.Draws = 4;
        request.Tolerance = c.tolerance;
        const BacktestReport report = RunBacktest(request);
        ASSERT_EQ(report.Draws.size(), 4u);
        for (std::size_t d = 0; d < 4; ++d) {
            const BacktestDraw& draw = report.Draws[d];
            EXPECT_EQ(draw.Issue, SplitFields(history[d])[0]);
            EXPECT_EQ(draw.Reds, RedHistoryOf(Lines{history[d]}).front());
            EXPECT_EQ(draw.Filters[sum].Removed, c.removed);
            EXPECT_EQ(draw.Filters[sum].Failed, c.failed);
            if (c.failed) {
                EXPECT_NE(draw.Filters[sum].Error.find("留下和值在"), std::string::npos)
                    << draw.Filters[sum].Error;
            }
            EXPECT_EQ(draw.Kept, c.kept);
        }
        EXPECT_EQ(report.Kept, c.kept ? 4 : 0);
        EXPECT_EQ(report.Filters[sum].Removed, c.removed ? 4 : 0);
        EXPECT_EQ(report.Filters[sum].Errors, c.failed ? 4 : 0);
        EXPECT_TRUE(report.Filters[sum].On);
        EXPECT_EQ(report.Filters.size(), FilterCatalogue().size());
        // Each list's hits are its distinct items among the drawn reds; chance gives 6/33 of them.
        for (const auto& list : report.Lists) {
            EXPECT_LE(list.Hits, list.Items) << list.Name;
            EXPECT_DOUBLE_EQ(list.Expected, static_cast<double>(list.Items) * 6 / 33) << list.Name;
        }
    }
}

TEST(Backtest, DrawCountsTheHistoryCannotGiveAreRefused)
{
    struct Case
    {
        const char* text;
        std::size_t history;
        const char* message; // empty: accepted
    };
    const Case cases[] = {
        {"100", 3493, ""},
        {"3483", 3493, ""},
        {"3484", 3493, "验证期数应在1至3483之间"},
        {"0", 3493, "验证期数应在1至3483之间"},
        {"-5", 3493, "验证期数应在1至3483之间"},
        {"十", 3493, "验证期数“十”不是整数"},
        {"12abc", 3493, "不是整数"},
        {"1", 10, "历史数据只有10期"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::string problem;
        const auto draws = ParseBacktestDraws(c.text, c.history, problem);
        EXPECT_EQ(draws.has_value(), *c.message == '\0');
        EXPECT_NE(problem.find(c.message), std::string::npos) << problem;
    }
    BacktestRequest request;
    request.History = test::RotatingHistory(12);
    request.Draws = 3;
    EXPECT_NE(test::ErrorOf([&] { RunBacktest(request); }).find("验证期数应在1至2之间"), std::string::npos);
}

TEST(Backtest, ThreadsDoNotChangeTheResult)
{
    BacktestRequest request;
    request.History = test::RotatingHistory(40);
    ResetFilterState(request.Settings);
    request.Draws = 30;
    request.Threads = 1;
    const BacktestReport one = RunBacktest(request);
    request.Threads = 2;
    const BacktestReport two = RunBacktest(request);
    EXPECT_EQ(BacktestFilterCsv(one), BacktestFilterCsv(two));
    EXPECT_EQ(BacktestDrawCsv(one), BacktestDrawCsv(two));
    EXPECT_EQ(BacktestListCsv(one), BacktestListCsv(two));
    EXPECT_EQ(BacktestSummary(one), BacktestSummary(two));
}

// The real history without its newest draws: a start-up on it in a fresh directory.
class BacktestOnRealHistory : public testing::Test
{
protected:
    void SetUp() override
    {
        m_history = test::RealHistoryLines();
        ASSERT_GT(m_history.size(), 100u);
        m_older.assign(m_history.begin() + 1, m_history.end());
        m_dir.Write("Data/data.txt", m_older);
        m_dir.Attach(m_state);
        RunStartup(m_state, m_host);
    }

    Lines m_history, m_older;
    test::TempAppDir m_dir;
    AppState m_state;
    RecordingHost m_host;
};

TEST_F(BacktestOnRealHistory, StateBeforeTheNewestDrawIsTheStartupOfTheOlderDraws)
{
    const FilterInputs inputs = ComputeFilterInputs(m_older, m_state.Analysis.PredictionView.Switches);
    EXPECT_EQ(inputs.RedHistory, m_state.RedHistory);
    EXPECT_EQ(inputs.Sheets.Red, m_dir.Read("Red/RedZB.txt"));
    EXPECT_EQ(inputs.Sheets.Blue, m_dir.Read("Blue/BlueZB.txt"));
    EXPECT_EQ(inputs.Prediction.Stored, m_dir.Read("Red/RedNext.txt"));
    const NextIssueReference& r = m_state.Analysis.Reference;
    EXPECT_EQ(inputs.Sheets.Reference.RepeatNumbers, r.RepeatNumbers);
    EXPECT_EQ(inputs.Sheets.Reference.NeighbourNumbers, r.NeighbourNumbers);
    EXPECT_EQ(inputs.Sheets.Reference.ColdNumbers, r.ColdNumbers);
    EXPECT_EQ(inputs.Sheets.Reference.HotNumbers, r.HotNumbers);
    EXPECT_EQ(inputs.Sheets.Reference.PositionMeans, r.PositionMeans);
    const NextIssuePrediction& p = m_state.Analysis.Prediction;
    EXPECT_EQ(inputs.Prediction.Lists.FiveDrawMeanNumbers, p.FiveDrawMeanNumbers);
    EXPECT_EQ(inputs.Prediction.Lists.FifthDrawNumbers, p.FifthDrawNumbers);
    EXPECT_EQ(inputs.Prediction.Lists.RegionEdgeNumbers, p.RegionEdgeNumbers);
    EXPECT_EQ(inputs.Prediction.Lists.KillNumbers, p.KillNumbers);
    EXPECT_EQ(inputs.Prediction.Lists.LongOmissionNumbers, p.LongOmissionNumbers);
}

TEST_F(BacktestOnRealHistory, RemovedSharesOfTheNewestDrawAreTheCountersOfARealRun)
{
    BacktestRequest request;
    request.History = m_history;
    ResetFilterState(request.Settings);
    request.Draws = 1;
    request.Shrink = true;
    const BacktestReport report = RunBacktest(request);
    ASSERT_EQ(report.Draws.size(), 1u);
    const BacktestDraw& newest = report.Draws.front();

    const auto realRun = [&](const std::vector<std::string>& on) {
        ResetFilterState(m_state.Filters);
        if (!on.empty())
            for (auto& [name, checked] : m_state.Filters.Switches)
                checked = std::find(on.begin(), on.end(), name) != on.end();
        m_state.Selection.BetList = {
            "01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 "
            "25 26 27 28 29 30 31 32 33"};
        ExpandBetList(m_state, m_host);
        RunFilters(m_state, m_host);
    };
    const auto lines = [](double share) { return static_cast<long long>(share * kFullBasketLines + 0.5); };
    // Filters of several families, some reading the prediction lists, each alone.
    for (const std::string name : {"CheckBox13", "CheckBox19", "CheckBox37", "TeCheckBox9", "CheckBox42"}) {
        SCOPED_TRACE(name);
        realRun({name});
        const FilterInfo& info = *FindFilter(name);
        EXPECT_EQ(m_state.Filters.Counters[info.Counter], CounterText(lines(newest.Shares[OrderOf(name)])));
    }
    // The window's default run removes what its filters, each judged alone, remove together.
    realRun({});
    EXPECT_EQ(static_cast<long long>(m_dir.Read("Data/temp.txt").size()),
              static_cast<long long>(kFullBasketLines) - lines(newest.RunShare));
}

} // namespace
} // namespace qv
