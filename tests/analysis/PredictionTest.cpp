#include "analysis/Prediction.h"
#include "analysis/OmissionStatistics.h"
#include "core/Error.h"
#include "core/RecordingHost.h"
#include "history/StoredFile.h"
#include "session/AnalysisCommands.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

struct Fixture
{
    test::TempAppDir dir;
    AppState state;
    RecordingHost host;

    Fixture(const char* flag, const Lines* history = nullptr)
    {
        dir.Attach(state);
        state.Flag.Set(flag);
        if (history)
            dir.Write("data/data.txt", *history);
        else
            EXPECT_TRUE(dir.InstallRealHistory());
    }

    Lines Rows(std::size_t column) const
    {
        Lines texts;
        for (const auto& row : state.Analysis.PredictionView.Rows)
            texts.push_back(row.at(column));
        return texts;
    }
};

TEST(KillRedNumbers, CandidatesSortedWithoutRepeats)
{
    struct Case
    {
        std::string line;
        std::string kills;
    };
    const Case cases[] = {
        {test::HistoryLine(2009148, {3, 8, 15, 22, 27, 31}, 6), "05 07 11 12 13 14 15 19 22 27 31"},
        {test::HistoryLine(2009148, {1, 5, 9, 18, 27, 33}, 1), "04 06 07 08 10 16 18 22 30"},
        {test::HistoryLine(2009148, {5, 12, 28, 29, 30, 33}, 2), "02 06 07 09 11 16 17 18 21 27 35"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(KillRedNumbers(c.line), c.kills);
    }
}

TEST(RegionEdgeNumbers, PairsAcrossTheDecadeBoundaries)
{
    struct Case
    {
        const char* what;
        Lines history;
        std::string edges;
    };
    const Case cases[] = {
        {"pair across two boundaries adds its upper number twice",
         {test::HistoryLine(2009148, {2, 5, 25, 26, 31, 33}, 1),
          test::HistoryLine(2009147, {2, 5, 25, 26, 31, 33}, 1)},
         "05 09 10 19 20 25 25 26 29 30 31"},
        {"a lower number already listed adds only the upper one",
         {test::HistoryLine(2009148, {9, 10, 20, 30, 31, 32}, 1),
          test::HistoryLine(2009147, {9, 10, 20, 30, 31, 32}, 1)},
         "08 09 10 11 19 20 21 29 30 33"},
        {"the union of two different draws",
         {test::HistoryLine(2009148, {10, 11, 12, 13, 14, 15}, 1),
          test::HistoryLine(2009147, {9, 20, 21, 22, 23, 30}, 1)},
         "08 09 10 15 16 19 20 23 24 29 30 31"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RegionEdgeNumbers(c.history), c.edges);
    }
}

TEST(PredictionLists, MeansFourthNewestAndTenDrawOmission)
{
    Lines history;
    // Newest five draws: position sums 1+1+1+1+2 = 6 (mean 1.2 -> 01) ... 30+31+32+33+33.
    history.push_back(test::HistoryLine(2009150, {2, 3, 4, 5, 6, 33}, 1));
    history.push_back(test::HistoryLine(2009149, {1, 3, 4, 5, 6, 33}, 2));
    history.push_back(test::HistoryLine(2009148, {1, 3, 4, 5, 6, 32}, 3));
    history.push_back(test::HistoryLine(2009147, {1, 3, 4, 5, 6, 31}, 4));
    history.push_back(test::HistoryLine(2009146, {1, 3, 4, 5, 6, 30}, 5));
    for (int i = 0; i < 4; ++i)
        history.push_back(test::HistoryLine(2009145 - i, {7, 8, 9, 10, 11, 12}, 6));
    // The tenth draw holds 13 and 14; 15 is missing from all ten.
    history.push_back(test::HistoryLine(2009141, {13, 14, 16, 17, 18, 19}, 7));
    history.push_back(test::HistoryLine(2009140, {15, 20, 21, 22, 23, 24}, 8));

    EXPECT_EQ(FiveDrawMeanNumbers(history), "01 03 04 05 06 31");
    EXPECT_EQ(FifthDrawNumbers(history), "01 03 04 05 06 31");
    EXPECT_EQ(LongOmissionNumbers(history), "15 20 21 22 23 24 25 26 27 28 29");

    Lines nine(history.begin(), history.begin() + 9);
    EXPECT_THROW(LongOmissionNumbers(nine), Error);
}

TEST(PredictionLists, ReplayLogsTheSameLinesAndStoredListsReadBack)
{
    struct Case
    {
        const char* name;
        bool PredictionSwitches::*off; // nullptr: all on
        std::size_t stored;
        std::size_t rows;
    };
    const Case cases[] = {
        {"all on", nullptr, 5, 4},
        {"five-draw mean off", &PredictionSwitches::FiveDrawMean, 4, 3},
        {"kill off", &PredictionSwitches::KillRed, 4, 4},
    };
    const Lines history = test::RotatingHistory(12);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PredictionSwitches switches;
        if (c.off)
            switches.*(c.off) = false;
        test::CollectingLog computed;
        const PredictionLists lists = ComputePredictionLists(history, switches, computed);
        test::CollectingLog replayed;
        LogPredictionLists(replayed, switches);
        EXPECT_EQ(replayed.Lines, computed.Lines);
        EXPECT_EQ(lists.Stored.size(), c.stored);
        EXPECT_EQ(lists.Rows.size(), c.rows);
        EXPECT_EQ(lists.Lists.LongOmissionNumbers, LongOmissionNumbers(history));
        if (c.stored != 5) {
            // A set with a list left out cannot be reloaded.
            EXPECT_THROW(PredictionFromStored("Red/RedNext.txt", lists.Stored), StoredFileError);
            continue;
        }
        const PredictionLists stored = PredictionFromStored("Red/RedNext.txt", lists.Stored);
        EXPECT_EQ(stored.Lists.KillNumbers, lists.Lists.KillNumbers);
        EXPECT_EQ(stored.Lists.FifthDrawNumbers, lists.Lists.FifthDrawNumbers);
        ASSERT_EQ(stored.Rows.size(), 4u);
        EXPECT_EQ(stored.Rows[3], (ViewRow{"10期大遗漏", lists.Lists.LongOmissionNumbers}));
    }
}

TEST(PredictionSwitches, ComponentNamesReachTheirAlgorithm)
{
    struct Case
    {
        const char* component;
        bool PredictionSwitches::*member; // nullptr: no such switch
    };
    const Case cases[] = {
        {"CheckBox1", &PredictionSwitches::TimeSequence},
        {"CheckBox2", &PredictionSwitches::FiveDrawMean},
        {"CheckBox5", &PredictionSwitches::FifthDraw},
        {"CheckBox4", &PredictionSwitches::RegionEdge},
        {"CheckBoxsh", &PredictionSwitches::KillRed},
        {"CheckBox3", nullptr},
        {"checkbox1", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.component);
        PredictionSwitches switches;
        bool* found = FindPredictionSwitch(switches, c.component);
        EXPECT_EQ(found, c.member ? &(switches.*c.member) : nullptr);
    }
    // All ticked at start.
    PredictionSwitches defaults;
    for (const auto& info : kPredictionSwitches)
        EXPECT_TRUE(defaults.*info.Member) << info.Component;
}

TEST(RunPrediction, ComputesShowsStoresAndLogsOnTheRealHistory)
{
    Fixture f("Data=0");
    RunPrediction(f.state, f.host);

    const auto& p = f.state.Analysis.Prediction;
    const Lines history = test::RealHistoryLines();
    EXPECT_EQ(p.FiveDrawMeanNumbers, FiveDrawMeanNumbers(history));
    EXPECT_EQ(p.FifthDrawNumbers, FifthDrawNumbers(history));
    EXPECT_EQ(p.RegionEdgeNumbers, RegionEdgeNumbers(history));
    EXPECT_EQ(p.KillNumbers, KillRedNumbers(history[0]));
    EXPECT_EQ(p.LongOmissionNumbers, LongOmissionNumbers(history));
    EXPECT_EQ(f.dir.Read("Red/RedNext.txt"),
              (Lines{p.FiveDrawMeanNumbers, p.FifthDrawNumbers, p.RegionEdgeNumbers, p.KillNumbers,
                     p.LongOmissionNumbers}));

    EXPECT_EQ(f.Rows(0), (Lines{"五期均值算法", "参考前4+1期重码", "区域边缘算法", "10期大遗漏值"}));
    EXPECT_EQ(f.Rows(1),
              (Lines{p.FiveDrawMeanNumbers, p.FifthDrawNumbers, p.RegionEdgeNumbers, p.LongOmissionNumbers}));

    // The red appearance report: in Memo10 and on disk, ending in one empty line.
    const Lines report = BuildAppearanceReport(ParseOmissionDraws(history), BallColour::Red);
    EXPECT_EQ(f.state.Analysis.OmissionView.RedAppearance, report);
    EXPECT_EQ(f.dir.Read("red/redQK.txt"), report);
    EXPECT_EQ(report.size(), 33u * 7 + 1);
    EXPECT_EQ(report.back(), "");

    // Both verifications ran first.
    EXPECT_EQ(f.state.Kill.Red.Table.size(), history.size() + 1);
    EXPECT_EQ(f.state.Kill.Blue.Table.size(), history.size() + 1);
    EXPECT_EQ(f.host.LogLines, (Lines{" ", "正在进行杀红算法....",       " ", "杀红运算成功...OK",
                                      " ", "正在进行杀蓝算法....",       " ", "杀蓝运算成功...OK",
                                      " ", "正在进行时向序列分析.....",  " ", "时向序列分析.....OK",
                                      " ", "正在进行五期均值法计算....", " ", "五期均值法计算....OK",
                                      " ", "列出第5期重码以供参考....",  " ", "正在进行区域边缘算法....",
                                      " ", "区域边缘运算成功...OK",      " ", "正在进行杀红算法....",
                                      " ", "杀红运算成功...OK",          " ", "正在遗漏10期分析.....",
                                      " ", "计算大于10期遗漏...OK"}));

    // A second run (the pipeline runs it twice) shows the same four rows, not eight.
    RunPrediction(f.state, f.host);
    EXPECT_EQ(f.state.Analysis.PredictionView.Rows.size(), 4u);
}

TEST(RunPrediction, SwitchesDropTheirLinesAndKeepTheirLists)
{
    const Lines history = test::RotatingHistory(12);
    struct Case
    {
        const char* off;
        std::size_t fileLines;
        std::size_t rows;
    };
    const Case cases[] = {
        {"CheckBox2", 4, 3}, {"CheckBox5", 4, 3}, {"CheckBox4", 4, 3}, {"CheckBoxsh", 4, 4}, {"all", 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.off);
        Fixture f("Data=0", &history);
        auto& switches = f.state.Analysis.PredictionView.Switches;
        switches.TimeSequence = false; // too short a history for the appearance report
        f.state.Analysis.Prediction = {"keep1", "keep2", "keep3", "keep4", "keep5"};
        if (std::string(c.off) == "all") {
            for (const auto& info : kPredictionSwitches)
                switches.*info.Member = false;
        } else {
            *FindPredictionSwitch(switches, c.off) = false;
        }
        RunPrediction(f.state, f.host);

        const auto& p = f.state.Analysis.Prediction;
        Lines expected;
        if (switches.FiveDrawMean)
            expected.push_back(FiveDrawMeanNumbers(history));
        if (switches.FifthDraw)
            expected.push_back(FifthDrawNumbers(history));
        if (switches.RegionEdge)
            expected.push_back(RegionEdgeNumbers(history));
        if (switches.KillRed)
            expected.push_back(KillRedNumbers(history[0]));
        expected.push_back(LongOmissionNumbers(history));
        EXPECT_EQ(f.dir.Read("Red/RedNext.txt"), expected);
        EXPECT_EQ(expected.size(), c.fileLines);
        EXPECT_EQ(f.state.Analysis.PredictionView.Rows.size(), c.rows);
        EXPECT_EQ(p.FiveDrawMeanNumbers, switches.FiveDrawMean ? FiveDrawMeanNumbers(history) : "keep1");
        EXPECT_EQ(p.FifthDrawNumbers, switches.FifthDraw ? FifthDrawNumbers(history) : "keep2");
        EXPECT_EQ(p.RegionEdgeNumbers, switches.RegionEdge ? RegionEdgeNumbers(history) : "keep3");
        EXPECT_EQ(p.KillNumbers, switches.KillRed ? KillRedNumbers(history[0]) : "keep4");
        EXPECT_EQ(p.LongOmissionNumbers, LongOmissionNumbers(history));
    }
}

TEST(RunPrediction, TimeSequenceOffLeavesMemo10EmptyAndTheReportFile)
{
    Fixture f("Data=0", nullptr);
    f.dir.Write("Red/RedQK.txt", {"earlier report"});
    f.state.Analysis.OmissionView.RedAppearance = {"shown before"};
    f.state.Analysis.PredictionView.Switches.TimeSequence = false;
    RunPrediction(f.state, f.host);
    EXPECT_TRUE(f.state.Analysis.OmissionView.RedAppearance.empty());
    EXPECT_EQ(f.dir.Read("Red/RedQK.txt"), (Lines{"earlier report"}));
    EXPECT_EQ(f.dir.Read("Red/RedNext.txt").size(), 5u);
}

TEST(RunPrediction, StoredListsFillTheViewWithTheirOwnCaptions)
{
    Lines history = test::RotatingHistory(3); // the reading mode computes nothing from it
    Fixture f("Data=1", &history);
    const Lines stored = {"01 02", "03", "", "-4 05 40", "33"};
    f.dir.Write("Red/RedNext.txt", stored);
    f.state.Analysis.OmissionView.RedAppearance = {"loaded by the omission step"};
    RunPrediction(f.state, f.host);

    const auto& p = f.state.Analysis.Prediction;
    EXPECT_EQ((Lines{p.FiveDrawMeanNumbers, p.FifthDrawNumbers, p.RegionEdgeNumbers, p.KillNumbers,
                     p.LongOmissionNumbers}),
              stored);
    EXPECT_EQ(f.Rows(0), (Lines{"五期均值算法", "参考前4+1期重码", "区域边缘算法", "10期大遗漏"}));
    EXPECT_EQ(f.Rows(1), (Lines{"01 02", "03", "", "33"}));
    EXPECT_EQ(f.state.Analysis.OmissionView.RedAppearance, (Lines{"loaded by the omission step"}));
    EXPECT_EQ(f.host.LogLines.size(), 8u); // the two verifications only
}

TEST(RunPrediction, FailuresLeaveFilesViewAndListsAlone)
{
    struct Case
    {
        const char* what;
        const char* flag;
        Lines history;
        Lines storedNext; // empty: no "Red/RedNext.txt"
        std::string message;
    };
    Lines onlyRecent = test::RotatingHistory(40);
    for (auto& line : onlyRecent)
        line = test::HistoryLine(2009000, {1, 2, 3, 4, 5, 6}, 1);
    Lines neverDrawn33;
    for (int i = 0; i < 100; ++i) {
        std::array<int, 6> reds{};
        for (int k = 0; k < 6; ++k)
            reds[static_cast<std::size_t>(k)] = (i * 6 + k) % 32 + 1;
        std::sort(reds.begin(), reds.end());
        neverDrawn33.push_back(test::HistoryLine(2009200 - i, reds, 1));
    }
    const Case cases[] = {
        {"no draw", "Data=0", {}, {}, "至少需要2期"},
        {"one draw", "Data=0", test::RotatingHistory(1), {}, "至少需要2期"},
        {"five draws", "Data=0", test::RotatingHistory(5), {}, "至少需要10期"},
        {"nine draws", "Data=0", test::RotatingHistory(9), {}, "至少需要10期"},
        {"a red never drawn", "Data=0", neverDrawn33, {}, "33在全部100期历史中从未出现"},
        {"a red drawn with too few older draws", "Data=0", onlyRecent, {}, "不足60期"},
        {"bad field among the newest ten",
         "Data=0",
         [] {
             Lines h = test::RotatingHistory(12);
             h[9] = "2009191 01 02 03 04 0x 06 07";
             return h;
         }(),
         {},
         "'0x' is not a valid integer value"},
        {"stored lists missing",
         "Data=1",
         test::RotatingHistory(12),
         {},
         "分析文件“Red/RedNext.txt”无法使用：文件不存在"},
        {"stored lists short",
         "Data=1",
         test::RotatingHistory(12),
         {"a", "b", "c", "d"},
         "分析文件“Red/RedNext.txt”无法使用：共4行，应为5行"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f(c.flag, &c.history);
        if (!c.storedNext.empty())
            f.dir.Write("Red/RedNext.txt", c.storedNext);
        f.state.Analysis.Prediction.KillNumbers = "before";
        f.state.Analysis.PredictionView.Rows = {{"x", "y"}};
        try {
            RunPrediction(f.state, f.host);
            ADD_FAILURE() << "no report";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
        EXPECT_FALSE(f.dir.Exists("Red/RedQK.txt"));
        if (c.storedNext.empty()) {
            EXPECT_FALSE(f.dir.Exists("Red/RedNext.txt"));
        }
        EXPECT_EQ(f.state.Analysis.Prediction.KillNumbers, "before");
        if (std::string(c.flag) == "Data=1")
            EXPECT_EQ(f.state.Analysis.PredictionView.Rows, (ViewRows{{"x", "y"}}));
        else
            EXPECT_TRUE(f.state.Analysis.PredictionView.Rows.size() <= 1);
    }
}

TEST(RunPrediction, OtherFlagValuesComputeAndShowNothing)
{
    const Lines history = test::RotatingHistory(12);
    Fixture f("Data=0", &history);
    f.dir.Write("Red/RedNext.txt", {"a", "b", "c", "d", "e"});
    f.state.Flag.Set("Data=1 ");
    f.state.Analysis.PredictionView.Rows = {{"x", "y"}};
    RunPrediction(f.state, f.host);
    EXPECT_TRUE(f.state.Analysis.PredictionView.Rows.empty());
    EXPECT_EQ(f.dir.Read("Red/RedNext.txt"), (Lines{"a", "b", "c", "d", "e"}));
    EXPECT_TRUE(f.state.Analysis.Prediction.KillNumbers.empty());
}

} // namespace
} // namespace qv
