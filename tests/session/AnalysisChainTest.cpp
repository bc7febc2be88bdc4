#include "analysis/AnalysisResults.h"
#include "core/RecordingHost.h"
#include "history/TextFile.h"
#include "session/AppState.h"
#include "session/Pipeline.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// The files a computing start writes, with the result each holds.
const struct
{
    const char* file;
    Lines (*of)(const AnalysisResults&);
} kWritten[] = {
    {"Red/RedAna.txt", [](const AnalysisResults& r) { return r.RedIndicatorTable; }},
    {"Blue/BlueAna.txt", [](const AnalysisResults& r) { return r.BlueIndicatorTable; }},
    {"Red/RedZB.txt", [](const AnalysisResults& r) { return r.Reference.Red; }},
    {"Blue/BlueZB.txt", [](const AnalysisResults& r) { return r.Reference.Blue; }},
    {"Red/RedYL.txt", [](const AnalysisResults& r) { return r.RedOmission; }},
    {"Blue/BlueLM.txt", [](const AnalysisResults& r) { return r.BlueRunHistogram; }},
    {"Blue/BlueYL.txt", [](const AnalysisResults& r) { return r.BlueOmission; }},
    {"Blue/BlueQK.txt", [](const AnalysisResults& r) { return r.BlueAppearance; }},
    {"Red/RedQK.txt", [](const AnalysisResults& r) { return r.RedAppearance; }},
    {"Red/RedNext.txt", [](const AnalysisResults& r) { return r.Prediction.Stored; }},
};

// The bundled history without its newest draws.
Lines CutHistory(std::size_t newest)
{
    const Lines real = test::RealHistoryLines();
    return Lines(real.begin() + static_cast<std::ptrdiff_t>(std::min(newest, real.size())), real.end());
}

TEST(AnalysisChain, InMemoryResultsEqualWhatAComputingStartWrites)
{
    struct Case
    {
        const char* name;
        std::size_t cut;
        bool timeSequence;
    };
    const Case cases[] = {
        {"newest seven draws cut", 7, true},
        {"newest thousand draws cut, no time sequence", 1000, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Lines history = CutHistory(c.cut);
        ASSERT_GT(history.size(), 100u);
        test::TempAppDir dir;
        dir.Write("data/data.txt", history);
        AppState state;
        dir.Attach(state);
        state.Analysis.PredictionView.Switches.TimeSequence = c.timeSequence;
        RecordingHost host;
        RunStartup(state, host);

        test::CollectingLog log;
        const AnalysisResults results =
            ComputeAnalysis(history, state.Analysis.PredictionView.Switches, &log);
        for (const auto& written : kWritten) {
            SCOPED_TRACE(written.file);
            if (!c.timeSequence && std::string_view(written.file) == "Red/RedQK.txt") {
                EXPECT_FALSE(dir.Exists(written.file));
                continue;
            }
            EXPECT_EQ(dir.Read(written.file), written.of(results));
        }
        EXPECT_EQ(state.Indicators.RedRows, results.RedIndicatorRows);
        EXPECT_EQ(state.Indicators.BlueRows, results.BlueIndicatorRows);
        EXPECT_EQ(state.Kill.Red.Table, results.RedKill.Table);
        EXPECT_EQ(state.Kill.Blue.RateLines, results.BlueKill.RateLines);
        EXPECT_EQ(state.Analysis.Reference.HotNumbers, results.Reference.Reference.HotNumbers);
        EXPECT_EQ(state.Analysis.Prediction.LongOmissionNumbers,
                  results.Prediction.Lists.LongOmissionNumbers);
        EXPECT_EQ(state.Analysis.PredictionView.Rows, results.Prediction.Rows);
        // The start-up's log is the chain's, then the closing step's two entries twice.
        ASSERT_EQ(host.LogLines.size(), log.Lines.size() + 4);
        EXPECT_TRUE(std::equal(log.Lines.begin(), log.Lines.end(), host.LogLines.begin()));
    }
}

TEST(AnalysisChain, AStartReadsTheHistoryOnceAndWritesEachFileOnce)
{
    test::TempAppDir dir;
    ASSERT_TRUE(dir.InstallRealHistory());
    const char* const stored[] = {"Red/RedAna.txt",  "Blue/BlueAna.txt", "Red/RedZB.txt",
                                  "Blue/BlueZB.txt", "Red/RedYL.txt",    "Blue/BlueYL.txt",
                                  "Blue/BlueQK.txt", "Red/RedQK.txt",    "Red/RedNext.txt"};
    struct Case
    {
        const char* name;
        bool ready; // the flag at the start
    };
    for (const Case c : {Case{"computing start", false}, Case{"reloading start", true}}) {
        SCOPED_TRACE(c.name);
        AppState state;
        dir.Attach(state);
        ASSERT_EQ(state.Flag.IsReady(), c.ready);
        RecordingHost host;
        StartCountingFileAccess();
        RunStartup(state, host);
        const FileAccessCounts counts = StopCountingFileAccess();
        const auto count = [&](std::string_view file) {
            const auto it = counts.find(state.File(file));
            return it == counts.end() ? FileAccessCount{} : it->second;
        };
        EXPECT_EQ(count("data/data.txt").Reads, 1);
        EXPECT_EQ(count("data/data.txt").Replacements, 0);
        EXPECT_EQ(count("option.ini").Replacements, 1);
        for (const auto& written : kWritten) {
            SCOPED_TRACE(written.file);
            const FileAccessCount n = count(written.file);
            if (!c.ready) {
                EXPECT_EQ(n.Reads, 0);
                EXPECT_EQ(n.Replacements, 1);
                continue;
            }
            const bool isStored = std::find(std::begin(stored), std::end(stored),
                                            std::string_view(written.file)) != std::end(stored);
            EXPECT_EQ(n.Reads, isStored ? 1 : 0);
            // The reload writes the two tables back as loaded, nothing else.
            const bool table = std::string_view(written.file).find("Ana.txt") != std::string_view::npos;
            EXPECT_EQ(n.Replacements, table ? 1 : 0);
        }
        EXPECT_EQ(state.Flag.Value(), ReadyFlag::kReady);
    }
}

} // namespace
} // namespace qv
