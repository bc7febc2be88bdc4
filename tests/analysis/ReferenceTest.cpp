#include "analysis/NextIssueReference.h"
#include "analysis/ReferenceTestData.h"
#include "core/Error.h"
#include "core/RecordingHost.h"
#include "history/TextFile.h"
#include "session/AnalysisCommands.h"
#include "session/AppState.h"
#include "support/ErrorOf.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace qv {
namespace {

using test::ErrorOf;

using test::HistoryLine;
using test::RepeatedHistory;

ReferenceSheets SheetsFor(const Lines& history)
{
    return ComputeReferenceSheets(RedHistoryOf(history), test::RedAnaFor(history), test::BlueAnaFor(history));
}

TEST(ReferenceSheet, WholeRedSheetOfARepeatedDraw)
{
    const auto sheets = SheetsFor(RepeatedHistory(10, {1, 2, 3, 4, 5, 6}, 7));
    const Lines expected = {
        "01 02 03 04 05 06",
        "01 02 03 04 05 06 07",
        "07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33",
        "01 02 03 04 05 06",
        "01 02 03 04 05 06",
        "10 20 30 40 50 60",
        "09 18 27 36 45 54",
        "5期比：30:0:0 4期比：24:0:0",
        "平均：21 偏态：-81",
        "5",
        "10期极距和：50 9期极距和：45",
        "偶数：30  奇数：30  偏态：0",
        "小号：60  大号：0  偏态：60",
        "1",
        "2",
        "3",
        "4",
        "5",
        "6",
    };
    EXPECT_EQ(sheets.Red, expected);
    EXPECT_EQ(sheets.Blue, (Lines{"7", "10期来：70   9期来：63", "奇数：100%  偶数：0%",
                                  "奇数：100%  偶数：0%", "质数：100%  合数：0%", "质数：100%  合数：0%",
                                  "大数：0%  小数：100%", "大数：0%  小数：100%"}));
    EXPECT_EQ(sheets.Reference.RepeatNumbers, expected[0]);
    EXPECT_EQ(sheets.Reference.NeighbourNumbers, expected[1]);
    EXPECT_EQ(sheets.Reference.ColdNumbers, expected[2]);
    EXPECT_EQ(sheets.Reference.HotNumbers, expected[3]);
    EXPECT_EQ(sheets.Reference.PositionMeans, (std::array<double, 6>{1, 2, 3, 4, 5, 6}));
}

TEST(ReferenceSheet, RedLinesFromTheNewestDraws)
{
    struct Case
    {
        const char* name;
        Lines newest; // the newest draws; the history is filled up with 01 02 03 04 05 06
        std::size_t line;
        std::string expected;
    };
    const Case cases[] = {
        {"repeats: union of the newest two",
         {HistoryLine("2009150", {1, 5, 9, 18, 27, 33}, 1),
          HistoryLine("2009149", {2, 5, 10, 19, 28, 32}, 1)},
         0,
         "01 02 05 09 10 18 19 27 28 32 33"},
        {"neighbours: 1 gives only 02, 33 only 32",
         {HistoryLine("2009150", {1, 5, 9, 18, 27, 33}, 1),
          HistoryLine("2009149", {2, 5, 10, 19, 28, 32}, 1)},
         1,
         "01 02 03 04 06 08 09 10 11 17 18 19 20 26 27 28 29 31 32 33"},
        {"identical newest two",
         {HistoryLine("2009150", {7, 12, 19, 24, 30, 31}, 1),
          HistoryLine("2009149", {7, 12, 19, 24, 30, 31}, 1)},
         0,
         "07 12 19 24 30 31"},
        // Six draws: 01..06 twice (filler), 07..12 once, 13..18 three times, 19..33 never.
        {"cold: none of the newest six",
         {HistoryLine("1", {13, 14, 15, 16, 17, 18}, 1), HistoryLine("2", {7, 8, 9, 10, 11, 12}, 1),
          HistoryLine("3", {13, 14, 15, 16, 17, 18}, 1), HistoryLine("4", {13, 14, 15, 16, 17, 18}, 1)},
         2,
         "19 20 21 22 23 24 25 26 27 28 29 30 31 32 33"},
        {"hot: twice or more; once is neither",
         {HistoryLine("1", {13, 14, 15, 16, 17, 18}, 1), HistoryLine("2", {7, 8, 9, 10, 11, 12}, 1),
          HistoryLine("3", {13, 14, 15, 16, 17, 18}, 1), HistoryLine("4", {13, 14, 15, 16, 17, 18}, 1)},
         3,
         "01 02 03 04 05 06 13 14 15 16 17 18"},
        {"zones and sizes at their limits", Lines(10, HistoryLine("1", {11, 12, 16, 17, 22, 23}, 1)), 7,
         "5期比：5:20:5 4期比：4:16:4"},
        {"small 1-16, big 17-33", Lines(10, HistoryLine("1", {11, 12, 16, 17, 22, 23}, 1)), 12,
         "小号：30  大号：30  偏态：0"},
        {"odd above even", Lines(10, HistoryLine("1", {1, 3, 5, 7, 9, 10}, 1)), 11,
         "偶数：10  奇数：50  偏态：40"},
        {"average below 102 gives a negative deviation",
         {HistoryLine("1", {5, 10, 15, 20, 22, 26}, 1), HistoryLine("2", {5, 10, 15, 20, 22, 27}, 1),
          HistoryLine("3", {5, 10, 15, 20, 22, 26}, 1), HistoryLine("4", {5, 10, 15, 20, 22, 27}, 1),
          HistoryLine("5", {5, 10, 15, 20, 22, 26}, 1), HistoryLine("6", {5, 10, 15, 20, 22, 27}, 1),
          HistoryLine("7", {5, 10, 15, 20, 22, 26}, 1), HistoryLine("8", {5, 10, 15, 20, 22, 27}, 1),
          HistoryLine("9", {5, 10, 15, 20, 22, 26}, 1), HistoryLine("10", {5, 10, 15, 20, 22, 27}, 1)},
         8,
         "平均：98 偏态：-4"},
        {"average above 102", Lines(10, HistoryLine("1", {10, 15, 20, 25, 30, 33}, 1)), 8,
         "平均：133 偏态：31"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Lines history = c.newest;
        while (history.size() < 10)
            history.push_back(HistoryLine("0", {1, 2, 3, 4, 5, 6}, 1));
        const auto sheets = SheetsFor(history);
        ASSERT_EQ(sheets.Red.size(), kRedSheetLines);
        EXPECT_EQ(sheets.Red[c.line], c.expected);
    }
}

TEST(ReferenceSheet, PositionMeansKeepTheirFraction)
{
    // Position 1 sums to 47 over ten draws: 4 on line 5, 4.7 on line 14.
    Lines history(7, HistoryLine("1", {5, 10, 15, 20, 25, 30}, 1));
    history.insert(history.end(), 3, HistoryLine("2", {4, 10, 15, 20, 25, 31}, 1));
    const auto sheets = SheetsFor(history);
    EXPECT_EQ(sheets.Red[4], "04 10 15 20 25 30");
    EXPECT_EQ(sheets.Red[5], "47 100 150 200 250 303");
    EXPECT_EQ(sheets.Red[6], "43 90 135 180 225 272");
    EXPECT_EQ(sheets.Red[13], "4.7");
    EXPECT_EQ(sheets.Red[18], "30.3");
    EXPECT_DOUBLE_EQ(sheets.Reference.PositionMeans[0], 4.7);
    // Thirds print with fifteen significant digits.
    Lines thirds(2, HistoryLine("1", {2, 10, 15, 20, 25, 30}, 1));
    thirds.insert(thirds.end(), 10, HistoryLine("2", {1, 10, 15, 20, 25, 30}, 1));
    EXPECT_EQ(SheetsFor(thirds).Red[13], "1.16666666666667");
}

TEST(ReferenceSheet, SpanLinesReadTheRedTable)
{
    const Lines history = RepeatedHistory(12, {1, 2, 3, 4, 5, 6}, 1);
    Lines redTable = test::RedAnaFor(history);
    const int spans[] = {25, 20, 30, 28, 27, 26, 31, 29, 24, 22, 33, 32};
    for (std::size_t i = 0; i < redTable.size(); ++i) {
        auto f = SplitFields(redTable[i]);
        f[21] = std::to_string(spans[i]);
        redTable[i] = Join(f, " ");
    }
    const auto sheets = ComputeReferenceSheets(RedHistoryOf(history), redTable, test::BlueAnaFor(history));
    EXPECT_EQ(sheets.Red[9], "27"); // 327 / 12, truncated
    EXPECT_EQ(sheets.Red[10], "10期极距和：262 9期极距和：240");
}

TEST(ReferenceSheet, BlueSharesAreTruncatedWholePercent)
{
    struct Case
    {
        const char* name;
        std::vector<int> blues; // newest first
        Lines expected;         // lines 1-8
    };
    std::vector<int> thirty(30, 2); // 7 odd blues among 30, 3 of them among the newest 10
    for (const std::size_t i : {0, 4, 9, 12, 20, 25, 29})
        thirty[i] = 9;
    std::vector<int> twelve(12, 3); // 8 primes (03) and 4 composites (04) among 12
    for (const std::size_t i : {1, 5, 10, 11})
        twelve[i] = 4;
    const Case cases[] = {
        {"7 of 30 is 23",
         thirty,
         {"3", "10期来：41   9期来：32", "奇数：23%  偶数：76%", "奇数：30%  偶数：70%",
          "质数：76%  合数：23%", "质数：70%  合数：30%", "大数：23%  小数：76%", "大数：30%  小数：70%"}},
        {"2 of 3 is 66",
         twelve,
         {"3", "10期来：32   9期来：29", "奇数：66%  偶数：33%", "奇数：80%  偶数：20%",
          "质数：66%  合数：33%", "质数：80%  合数：20%", "大数：0%  小数：100%", "大数：0%  小数：100%"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Lines history;
        for (std::size_t i = 0; i < c.blues.size(); ++i)
            history.push_back(HistoryLine(std::to_string(2009100 + i), {1, 2, 3, 4, 5, 6}, c.blues[i]));
        EXPECT_EQ(SheetsFor(history).Blue, c.expected);
    }
}

TEST(ReferenceSheet, TooFewDrawsOrBadFieldsStopTheComputation)
{
    const Lines ten = RepeatedHistory(10, {1, 2, 3, 4, 5, 6}, 7);
    const Lines nine(ten.begin(), ten.begin() + 9);
    Lines badSpan = test::RedAnaFor(ten);
    auto fields = SplitFields(badSpan[3]);
    fields[21] = "x";
    badSpan[3] = Join(fields, " ");
    struct Case
    {
        const char* name;
        Lines redHistory, redTable, blueTable;
        std::string error;
    };
    const Case cases[] = {
        {"nine draws", RedHistoryOf(nine), test::RedAnaFor(ten), test::BlueAnaFor(ten),
         "历史数据只有9期，至少需要10期才能进行下一期基础指标分析"},
        {"empty history", Lines{""}, test::RedAnaFor(ten), test::BlueAnaFor(ten),
         "历史数据只有0期，至少需要10期才能进行下一期基础指标分析"},
        {"short red table", RedHistoryOf(ten), test::RedAnaFor(nine), test::BlueAnaFor(ten),
         "红球指标数据（Red/RedAna.txt）只有9期，至少需要10期才能进行下一期基础指标分析"},
        {"short blue table", RedHistoryOf(ten), test::RedAnaFor(ten), test::BlueAnaFor(nine),
         "蓝球指标数据（Blue/BlueAna.txt）只有9期，至少需要10期才能进行下一期基础指标分析"},
        {"span not a number", RedHistoryOf(ten), badSpan, test::BlueAnaFor(ten),
         "'x' is not a valid integer value"},
        {"red table line too short", RedHistoryOf(ten), Lines(10, "2009001(1) 01 02"), test::BlueAnaFor(ten),
         "List index out of bounds (21)"},
        {"red not a number", Lines(10, "01 02 0x 04 05 06"), test::RedAnaFor(ten), test::BlueAnaFor(ten),
         "'0x' is not a valid integer value"},
        {"blue not a number", RedHistoryOf(ten), test::RedAnaFor(ten), Lines(10, "2009001(1) 1a 奇"),
         "'1a' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ErrorOf([&] { ComputeReferenceSheets(c.redHistory, c.redTable, c.blueTable); }), c.error);
    }
}

// A temporary AppDir holding a history's red part in the state and its two tables on disk.
struct ReferenceDir
{
    test::TempAppDir Dir;
    AppState State;
    RecordingHost Host;

    explicit ReferenceDir(const Lines& history, const char* flag = ReadyFlag::kStale)
    {
        Dir.Attach(State);
        State.Flag.SetCopy({flag});
        State.HistoryLines = history;
        State.RedHistory = RedHistoryOf(history);
        Dir.Write("Red/RedAna.txt", test::RedAnaFor(history));
        Dir.Write("Blue/BlueAna.txt", test::BlueAnaFor(history));
    }
};

TEST(NextIssueReferenceRun, ComputesWritesShowsAndLogs)
{
    ReferenceDir r(RepeatedHistory(10, {1, 2, 3, 4, 5, 6}, 7));
    RunNextIssueReference(r.State, r.Host);

    const auto expected = SheetsFor(RepeatedHistory(10, {1, 2, 3, 4, 5, 6}, 7));
    EXPECT_EQ(r.Dir.Read("Red/RedZB.txt"), expected.Red);
    EXPECT_EQ(r.Dir.Read("Blue/BlueZB.txt"), expected.Blue);
    EXPECT_EQ(r.Dir.ReadBytes("Blue/BlueZB.txt").substr(0, 3), "7\r\n");

    const Lines messages = {
        "开始读取历史文件.....",
        "OK...读取成功，自此以来共有10期数字需要进行统计->",
        "开始计算前2期重号数->",
        "OK...统计重号：01 02 03 04 05 06",
        "开始准备计算邻号->",
        "OK...计算得出邻号：01 02 03 04 05 06 07",
        "开始计算6期来不曾出现过的冷码->",
        "OK...计算出最近冷号：" + expected.Red[2],
        "OK...计算出最近热号：01 02 03 04 05 06",
        "开始计算所有期位置平均值->",
        "开始计算区间偏态情况->",
        "所有期3区合计统计结束->",
        "开始计算10期来平均值->",
        "10期来平均值计算....OK",
        "开始计算极距情况->",
        "极距分析....OK",
        "正在进行奇偶偏态分析....",
        "奇偶偏态分析....OK",
        "正在进行大小偏态分析....",
        "大小偏态分析....OK",
        "基础指标统计结束...",
    };
    Lines log;
    for (const auto& m : messages) {
        log.push_back(" ");
        log.push_back(m);
    }
    EXPECT_EQ(r.Host.LogLines, log);

    const auto& view = r.State.Analysis.ReferenceView;
    ASSERT_EQ(view.RedRows.size(), 13u);
    ASSERT_EQ(view.BlueRows.size(), 8u);
    EXPECT_EQ(view.RedRows[0], (std::vector<std::string>{"重号", "01 02 03 04 05 06"}));
    EXPECT_EQ(view.RedRows[12], (std::vector<std::string>{"10期大小偏态", "小号：60  大号：0  偏态：60"}));
    EXPECT_EQ(view.BlueRows[7], (std::vector<std::string>{"大小最近出号比率", "大数：0%  小数：100%"}));
    EXPECT_EQ(r.Host.ChangedViews, (std::vector<std::string>{"ListView1", "TeListView2"}));
    EXPECT_EQ(r.State.Analysis.Reference.HotNumbers, "01 02 03 04 05 06");
}

TEST(NextIssueReferenceRun, StoredSheetsShowWhatTheComputationWrote)
{
    const Lines real = test::RealHistoryLines();
    const Lines history(real.begin(), real.begin() + 300);
    ReferenceDir computed(history);
    RunNextIssueReference(computed.State, computed.Host);

    AppState stored;
    computed.Dir.Attach(stored);
    stored.Flag.SetCopy({ReadyFlag::kReady});
    RecordingHost host;
    const auto before = std::filesystem::last_write_time(computed.Dir / "Red/RedZB.txt");
    RunNextIssueReference(stored, host);

    EXPECT_EQ(host.LogLines, (Lines{" ", "基础指标统计结束..."}));
    EXPECT_EQ(stored.Analysis.ReferenceView.RedRows, computed.State.Analysis.ReferenceView.RedRows);
    EXPECT_EQ(stored.Analysis.ReferenceView.BlueRows, computed.State.Analysis.ReferenceView.BlueRows);
    const auto& a = stored.Analysis.Reference;
    const auto& b = computed.State.Analysis.Reference;
    EXPECT_EQ(a.RepeatNumbers, b.RepeatNumbers);
    EXPECT_EQ(a.NeighbourNumbers, b.NeighbourNumbers);
    EXPECT_EQ(a.ColdNumbers, b.ColdNumbers);
    EXPECT_EQ(a.HotNumbers, b.HotNumbers);
    const Lines sheet = computed.Dir.Read("Red/RedZB.txt");
    for (std::size_t k = 0; k < 6; ++k) {
        EXPECT_EQ(a.PositionMeans[k], StrToReal(sheet[13 + k]));
        EXPECT_NEAR(a.PositionMeans[k], b.PositionMeans[k], 1e-12);
    }
    EXPECT_EQ(std::filesystem::last_write_time(computed.Dir / "Red/RedZB.txt"), before);
}

TEST(NextIssueReferenceRun, FailuresWriteNothing)
{
    const Lines ten = RepeatedHistory(10, {1, 2, 3, 4, 5, 6}, 7);
    const Lines sheet19(19, "1");
    struct Case
    {
        const char* name;
        const char* flag;
        std::function<void(ReferenceDir&)> arrange;
        std::string error; // prefix
    };
    const Case cases[] = {
        {"nine draws", ReadyFlag::kStale,
         [&](ReferenceDir& r) { r.State.RedHistory = RedHistoryOf(Lines(ten.begin(), ten.begin() + 9)); },
         "历史数据只有9期"},
        {"red table missing", ReadyFlag::kStale,
         [](ReferenceDir& r) { std::filesystem::remove(r.Dir / "Red/RedAna.txt"); }, "Cannot open file"},
        {"blue table missing", ReadyFlag::kStale,
         [](ReferenceDir& r) { std::filesystem::remove(r.Dir / "Blue/BlueAna.txt"); }, "Cannot open file"},
        {"stored red sheet missing", ReadyFlag::kReady,
         [](ReferenceDir& r) { r.Dir.Write("Blue/BlueZB.txt", Lines(8, "1")); },
         "分析文件“Red/RedZB.txt”无法使用：文件不存在"},
        {"stored blue sheet missing", ReadyFlag::kReady,
         [&](ReferenceDir& r) { r.Dir.Write("Red/RedZB.txt", sheet19); },
         "分析文件“Blue/BlueZB.txt”无法使用：文件不存在"},
        {"stored red sheet short", ReadyFlag::kReady,
         [](ReferenceDir& r) {
             r.Dir.Write("Red/RedZB.txt", Lines(13, "1"));
             r.Dir.Write("Blue/BlueZB.txt", Lines(8, "1"));
         },
         "分析文件“Red/RedZB.txt”无法使用：共13行，应为19行"},
        {"stored blue sheet short", ReadyFlag::kReady,
         [&](ReferenceDir& r) {
             r.Dir.Write("Red/RedZB.txt", sheet19);
             r.Dir.Write("Blue/BlueZB.txt", Lines(7, "1"));
         },
         "分析文件“Blue/BlueZB.txt”无法使用：共7行，应为8行"},
        {"stored mean not a number", ReadyFlag::kReady,
         [&](ReferenceDir& r) {
             Lines red = sheet19;
             red[16] = "4,7";
             r.Dir.Write("Red/RedZB.txt", red);
             r.Dir.Write("Blue/BlueZB.txt", Lines(8, "1"));
         },
         "分析文件“Red/RedZB.txt”无法使用：'4,7' is not a valid floating point value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReferenceDir r(ten, c.flag);
        r.State.Analysis.Reference.RepeatNumbers = "earlier";
        c.arrange(r);
        const bool redExisted = r.Dir.Exists("Red/RedZB.txt");
        const bool blueExisted = r.Dir.Exists("Blue/BlueZB.txt");
        const std::string error = ErrorOf([&] { RunNextIssueReference(r.State, r.Host); });
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
        EXPECT_EQ(r.Dir.Exists("Red/RedZB.txt"), redExisted);
        EXPECT_EQ(r.Dir.Exists("Blue/BlueZB.txt"), blueExisted);
        EXPECT_EQ(r.State.Analysis.Reference.RepeatNumbers, "earlier");
        EXPECT_TRUE(r.State.Analysis.ReferenceView.RedRows.empty());
        EXPECT_TRUE(r.Host.ChangedViews.empty());
        EXPECT_NE(r.Host.LogLines.empty() ? "" : r.Host.LogLines.back(), "基础指标统计结束...");
    }
}

TEST(NextIssueReferenceRun, OtherFlagValuesOnlyLogTheClosingLine)
{
    for (const char* flag : {"data=1", "Data=1 ", "", "Data=2"}) {
        SCOPED_TRACE(flag);
        ReferenceDir r(RepeatedHistory(10, {1, 2, 3, 4, 5, 6}, 7), flag);
        RunNextIssueReference(r.State, r.Host);
        EXPECT_EQ(r.Host.LogLines, (Lines{" ", "基础指标统计结束..."}));
        EXPECT_FALSE(r.Dir.Exists("Red/RedZB.txt"));
        EXPECT_FALSE(r.Dir.Exists("Blue/BlueZB.txt"));
        EXPECT_TRUE(r.State.Analysis.Reference.RepeatNumbers.empty());
    }
}

TEST(NextIssueReferenceSave, CopiesTheStoredSheets)
{
    const struct
    {
        void (*Save)(AppState&, Host&);
        const char* Sheet;
        const char* Proposed;
    } cases[] = {{SaveRedReference, "Red/RedZB.txt", "红球遗下期指标参考.txt"},
                 {SaveBlueReference, "Blue/BlueZB.txt", "蓝球下期指标参考.txt"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Sheet);
        test::TempAppDir dir;
        AppState state;
        dir.Attach(state);
        RecordingHost host;

        // Missing sheet: reported before any dialog.
        EXPECT_EQ(ErrorOf([&] { c.Save(state, host); }).rfind("Cannot open file", 0), 0u);
        EXPECT_TRUE(host.SaveRequests.empty());

        dir.Write(c.Sheet, {"01 02", "on disk"});
        state.Analysis.ReferenceView.RedRows = {{"重号", "in the view"}};
        state.Analysis.OmissionView.RedOmission = {"", "01共出现：1次,共遗漏0次"};
        c.Save(state, host); // cancelled
        ASSERT_EQ(host.SaveRequests.size(), 1u);
        EXPECT_EQ(host.SaveRequests[0].ProposedName, c.Proposed);
        EXPECT_EQ(host.SaveRequests[0].Filter, "*.txt|*.txt");
        EXPECT_EQ(host.SaveRequests[0].StartFolder, dir.Path());
        EXPECT_FALSE(dir.Exists("export.txt"));

        host.QueueSaveFile(dir / "export.txt");
        c.Save(state, host);
        EXPECT_EQ(dir.ReadBytes("export.txt"), dir.ReadBytes(c.Sheet));
    }
}

TEST(NextIssueReferenceSave, CommandLineCopiesTheStoredSheet)
{
    test::TempAppDir dir;
    dir.Write("Red/RedZB.txt", {"01 02 03", "平均：98 偏态：-4"});
    const std::string command = std::string("\"") + QUORVANE_CLI + "\" --app-dir \"" + dir.Path().string() +
                                "\" save-red-reference \"" + (dir / "copy.txt").string() +
                                "\" >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(dir.ReadBytes("copy.txt"), dir.ReadBytes("Red/RedZB.txt"));
    std::filesystem::remove(dir / "Red/RedZB.txt");
    EXPECT_NE(std::system(command.c_str()), 0);
}

} // namespace
} // namespace qv
