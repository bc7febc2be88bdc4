#include "analysis/AnalysisResults.h"
#include "core/Error.h"
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

TEST(AnalysisChain, AStartWithoutViewsDiffersOnlyInTheRows)
{
    struct Case
    {
        const char* name;
        bool ready;         // the flag at the start
        bool cutStoredLine; // the stored red table's second line cut short
    };
    const Case cases[] = {
        {"computing start", false, false},
        {"reloading start", true, false},
        {"reloading start, damaged red table", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        struct Run
        {
            test::TempAppDir dir;
            AppState state;
            RecordingHost host;
        };
        Run runs[2];
        for (int views = 0; views < 2; ++views) {
            Run& run = runs[views];
            run.dir.Write("data/data.txt", CutHistory(50));
            if (c.ready) {
                AppState first;
                run.dir.Attach(first);
                RecordingHost quiet;
                RunStartup(first, quiet);
            }
            if (c.cutStoredLine) {
                Lines table = run.dir.Read("Red/RedAna.txt");
                table.at(1).resize(12);
                run.dir.Write("Red/RedAna.txt", table);
            }
            run.dir.Attach(run.state);
            run.state.BuildsViews = views == 1;
            try {
                RunStartup(run.state, run.host);
            } catch (const Error& e) {
                run.host.LogLines.push_back(e.what());
            }
        }
        const Run& without = runs[0];
        const Run& with = runs[1];
        EXPECT_EQ(without.host.LogLines, with.host.LogLines);
        EXPECT_EQ(without.state.Flag.Value(), with.state.Flag.Value());
        for (const auto& written : kWritten) {
            SCOPED_TRACE(written.file);
            EXPECT_EQ(without.dir.Exists(written.file), with.dir.Exists(written.file));
            if (with.dir.Exists(written.file)) {
                EXPECT_EQ(without.dir.ReadBytes(written.file), with.dir.ReadBytes(written.file));
            }
        }
        EXPECT_EQ(without.state.Indicators.RedIndicatorTable, with.state.Indicators.RedIndicatorTable);
        EXPECT_EQ(without.state.Indicators.BlueIndicatorTable, with.state.Indicators.BlueIndicatorTable);
        for (KillVerification KillState::*kill : {&KillState::Red, &KillState::Blue}) {
            EXPECT_EQ((without.state.Kill.*kill).Table, (with.state.Kill.*kill).Table);
            EXPECT_EQ((without.state.Kill.*kill).RateLines, (with.state.Kill.*kill).RateLines);
        }
        // A reloading start lays out no rows without views; a computing one (also the
        // fallback after a damaged table) keeps the chain's.
        if (c.ready && !c.cutStoredLine) {
            EXPECT_TRUE(without.state.Kill.Red.Rows.empty() && without.state.Kill.Blue.Rows.empty());
            EXPECT_TRUE(without.state.Indicators.RedRows.empty() &&
                        without.state.Indicators.BlueRows.empty());
            EXPECT_FALSE(with.state.Kill.Red.Rows.empty() || with.state.Indicators.RedRows.empty());
        }
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
