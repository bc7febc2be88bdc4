#include "analysis/OmissionStatistics.h"
#include "analysis/ReferenceTestData.h"
#include "core/Error.h"
#include "core/RecordingHost.h"
#include "history/HistoryLoad.h"
#include "history/TextFile.h"
#include "session/AnalysisCommands.h"
#include "session/AppState.h"
#include "session/HistoryCommands.h"
#include "support/ErrorOf.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::ErrorOf;

using test::HistoryLine;

// A history whose blues are given newest first; the reds stay 01..06.
Lines BlueHistory(const std::vector<int>& blues)
{
    Lines history;
    for (std::size_t i = 0; i < blues.size(); ++i)
        history.push_back(HistoryLine(std::to_string(2009200 - i), {1, 2, 3, 4, 5, 6}, blues[i]));
    return history;
}

// The lines of one number's block in a report.
Lines BlockOf(const Lines& report, const std::string& head)
{
    Lines block;
    bool inside = false;
    for (const auto& line : report) {
        if (line.rfind(head, 0) == 0)
            inside = true;
        else if (inside && (line.empty() || line == "  "))
            break;
        if (inside)
            block.push_back(line);
    }
    return block;
}

// Blue 05: hit, hit, miss, hit, miss, miss; blue 01: miss, miss, hit, miss, hit, hit.
const std::vector<int> kSixDraws = {5, 5, 1, 5, 1, 1};

TEST(RunHistogram, CountsRunsAndMovesUpdatedEntriesToTheEnd)
{
    RunHistogram histogram;
    histogram.Record(5, 'L', 1);
    histogram.Record(5, 'K', 1);
    histogram.Record(5, 'L', 1);
    histogram.Record(12, 'K', 10);
    EXPECT_EQ(histogram.ToLines(), (Lines{" ", "05,K,1,1", "05,L,1,2", "12,K,10,1"}));
    EXPECT_EQ(RunHistogram().ToLines(), Lines{" "});
}

TEST(OmissionReport, BlocksListRunsInHistogramOrder)
{
    const auto draws = ParseOmissionDraws(BlueHistory(kSixDraws));
    const OmissionReport blue = BuildOmissionReport(draws, BallColour::Blue);

    EXPECT_EQ(BlockOf(blue.Report, "05共出现"),
              (Lines{"05共出现：3次,共遗漏3次", "========05的重号统计=========", "05连续重出2期,有1次;",
                     "05连续重出1期,有1次;", "========05的遗漏统计=========", "05遗漏1期,有1次;",
                     "05遗漏2期,有1次;"}));
    // Miss runs first, and a hit run that reaches the oldest draw.
    EXPECT_EQ(BlockOf(blue.Report, "01共出现"),
              (Lines{"01共出现：3次,共遗漏3次", "========01的重号统计=========", "01连续重出1期,有1次;",
                     "01连续重出2期,有1次;", "========01的遗漏统计=========", "01遗漏2期,有1次;",
                     "01遗漏1期,有1次;"}));
    // Never drawn: one miss run over the whole history, no hit run.
    EXPECT_EQ(BlockOf(blue.Report, "16共出现"),
              (Lines{"16共出现：0次,共遗漏6次",
                     "========16的重号统计=========", "========16的遗漏统计=========", "16遗漏6期,有1次;"}));

    Lines lm = {" ",        "01,K,2,1", "01,L,1,1", "01,K,1,1", "01,L,2,1", "02,K,6,1",
                "03,K,6,1", "04,K,6,1", "05,L,2,1", "05,K,1,1", "05,L,1,1", "05,K,2,1"};
    for (int n = 6; n <= 16; ++n)
        lm.push_back(TwoDigits(n) + ",K,6,1");
    EXPECT_EQ(blue.Histogram.ToLines(), lm);

    // The report opens with the empty line of the first block and closes with one more.
    ASSERT_EQ(blue.Report.size(), 16u * 4 + 4 + 4 + 14 + 1);
    EXPECT_EQ(blue.Report.front(), "");
    EXPECT_EQ(blue.Report[1], "01共出现：3次,共遗漏3次");
    EXPECT_EQ(blue.Report.back(), "");
}

TEST(OmissionReport, RepeatedLengthMovesItsLineAfterNewerOnes)
{
    // 05: hit, miss, hit, miss, miss, hit, miss. Runs in order: L1, K1, L1, K2, L1, K1.
    const auto draws = ParseOmissionDraws(BlueHistory({5, 1, 5, 1, 1, 5, 1}));
    const OmissionReport blue = BuildOmissionReport(draws, BallColour::Blue);
    EXPECT_EQ(BlockOf(blue.Report, "05共出现"),
              (Lines{"05共出现：3次,共遗漏4次", "========05的重号统计=========", "05连续重出1期,有3次;",
                     "========05的遗漏统计=========", "05遗漏2期,有1次;", "05遗漏1期,有2次;"}));
    // 01: miss, hit, miss, hit, hit, miss, hit. The hit on the oldest draw closes its hit run
    // first, then the miss run before it.
    const Lines lm = blue.Histogram.ToLines();
    EXPECT_EQ(Lines(lm.begin(), lm.begin() + 4), (Lines{" ", "01,L,2,1", "01,L,1,2", "01,K,1,3"}));
}

TEST(OmissionReport, RedRunsCoverTheWholeRealHistory)
{
    const Lines history = test::RealHistoryLines();
    const auto draws = ParseOmissionDraws(history);
    const int n = static_cast<int>(draws.size());
    for (const BallColour colour : {BallColour::Red, BallColour::Blue}) {
        SCOPED_TRACE(colour == BallColour::Red ? "red" : "blue");
        const OmissionReport report = BuildOmissionReport(draws, colour);
        const int highest = colour == BallColour::Red ? 33 : 16;
        std::vector<int> covered(highest + 1), hits(highest + 1), hitRuns(highest + 1), missRuns(highest + 1);
        for (const auto& e : report.Histogram.Entries()) {
            covered[e.Number] += e.Length * e.Count;
            (e.Kind == 'L' ? hitRuns : missRuns)[e.Number] += e.Count;
            if (e.Kind == 'L')
                hits[e.Number] += e.Length * e.Count;
        }
        int allHits = 0;
        for (int number = 1; number <= highest; ++number) {
            EXPECT_EQ(covered[number], n) << number;
            EXPECT_LE(std::abs(hitRuns[number] - missRuns[number]), 1) << number;
            allHits += hits[number];
            const std::string head = TwoDigits(number) + "共出现：" + std::to_string(hits[number]) +
                                     "次,共遗漏" + std::to_string(n - hits[number]) + "次";
            EXPECT_EQ(BlockOf(report.Report, TwoDigits(number) + "共出现").front(), head);
        }
        EXPECT_EQ(allHits, colour == BallColour::Red ? 6 * n : n);
    }
}

// 90 draws, newest first: 05 at 0, 10, 60, 65; 09 at 1, 9, 30, 61, 70; 07 at 2..8; the other
// blues once each at 11..22; 16 everywhere else (newest at 23).
std::vector<int> AppearanceBlues(std::size_t count = 90)
{
    std::vector<int> blues(90, 16);
    blues[0] = blues[10] = blues[60] = blues[65] = 5;
    blues[1] = blues[9] = blues[30] = blues[61] = blues[70] = 9;
    for (std::size_t i = 2; i <= 8; ++i)
        blues[i] = 7;
    const int others[] = {1, 2, 3, 4, 6, 8, 10, 11, 12, 13, 14, 15};
    for (std::size_t i = 0; i < 12; ++i)
        blues[11 + i] = others[i];
    blues.resize(count);
    return blues;
}

TEST(AppearanceReport, BlocksForTheWorkedExamples)
{
    const Lines report =
        BuildAppearanceReport(ParseOmissionDraws(BlueHistory(AppearanceBlues())), BallColour::Blue);
    struct Case
    {
        const char* name;
        std::string head;
        Lines block;
    };
    const Case cases[] = {
        {"hit the newest draw, W = 3",
         "=======05",
         {"=======05=======", "最后一次出号期2009200号码为：05", "2009200之前的60期以来共出现：3次",
          "2009200之前的60期来平均：20期出现1次", "从2009200至今遗漏了：0期", "90期以来平均出号次：22.5次"}},
        {"W = 7",
         "=======07",
         {"=======07=======", "最后一次出号期2009198号码为：07", "2009198之前的60期以来共出现：7次",
          "2009198之前的60期来平均：8.57142857142857期出现1次", "从2009198至今遗漏了：2期",
          "90期以来平均出号次：12.8571428571429次"}},
        {"W = 4, a later hit outside the window",
         "=======09",
         {"=======09=======", "最后一次出号期2009199号码为：09", "2009199之前的60期以来共出现：4次",
          "2009199之前的60期来平均：15期出现1次", "从2009199至今遗漏了：1期", "90期以来平均出号次：18次"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BlockOf(report, c.head), c.block);
    }
    EXPECT_EQ(report.size(), 16u * 7 + 1);
    EXPECT_EQ(report.front(), "  ");
    EXPECT_EQ(report.back(), "");
}

TEST(AppearanceReport, RedNumbersShowTheirWholeDraw)
{
    Lines history;
    for (int i = 0; i < 66; ++i) {
        const int base = i % 6 * 5 + 1; // six draws cover 01..33 between them
        history.push_back(HistoryLine(std::to_string(2009300 - i),
                                      {base, base + 1, base + 2, base + 3, base + 4, std::min(base + 5, 33)},
                                      1));
    }
    history[5] = HistoryLine("2009295", {26, 27, 28, 29, 30, 33}, 1);
    history[4] = HistoryLine("2009296", {21, 22, 23, 24, 25, 31}, 1);
    history[3] = HistoryLine("2009297", {16, 17, 18, 19, 20, 32}, 1);
    const Lines report = BuildAppearanceReport(ParseOmissionDraws(history), BallColour::Red);
    EXPECT_EQ(BlockOf(report, "=======32")[1], "最后一次出号期2009297号码为：16 17 18 19 20 32");
    EXPECT_EQ(BlockOf(report, "=======01")[4], "从2009300至今遗漏了：0期");
}

TEST(AppearanceReport, NumbersWithoutEnoughHistoryStopTheReport)
{
    struct Case
    {
        const char* name;
        std::vector<int> blues;
        std::string error;
    };
    const Case cases[] = {
        {"newest hit with exactly 60 older draws", AppearanceBlues(84), ""},
        {"newest hit with 59 older draws", AppearanceBlues(83),
         "蓝球16最后一次出号期2009177之前只有59期历史，不足60期，无法统计出号情况"},
        {"never drawn", std::vector<int>(100, 3), "蓝球01在全部100期历史中从未出现，无法统计出号情况"},
        {"empty history", {}, "蓝球01在全部0期历史中从未出现，无法统计出号情况"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto draws = ParseOmissionDraws(BlueHistory(c.blues));
        EXPECT_EQ(ErrorOf([&] { BuildAppearanceReport(draws, BallColour::Blue); }), c.error);
    }
    EXPECT_EQ(ErrorOf([] {
                  BuildAppearanceReport(ParseOmissionDraws(BlueHistory(AppearanceBlues())), BallColour::Red);
              }),
              "红球07在全部90期历史中从未出现，无法统计出号情况");
}

TEST(OmissionDraws, MalformedLinesAreReported)
{
    struct Case
    {
        std::string line;
        std::string error;
    };
    const Case cases[] = {
        {"2009149 06 12 15 22 29 32", "List index out of bounds (7)"},
        {"2009149 06 12 15 22 29 3x 07", "'3x' is not a valid integer value"},
        {"2009149 06  12 15 22 29 32 07", "'' is not a valid integer value"},
        {"", "List index out of bounds (0)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(ErrorOf([&] { ParseOmissionDraws({c.line}); }), c.error);
    }
    const auto draws = ParseOmissionDraws({"2009149 06 12 15 22 29 32 07"});
    EXPECT_EQ(draws[0].RedText, "06 12 15 22 29 32");
    EXPECT_TRUE(draws[0].Hits(BallColour::Red, 6));
    EXPECT_FALSE(draws[0].Hits(BallColour::Red, 7));
    EXPECT_TRUE(draws[0].Hits(BallColour::Blue, 7));
}

struct OmissionDir
{
    test::TempAppDir Dir;
    AppState State;
    RecordingHost Host;

    explicit OmissionDir(const char* flag)
    {
        Dir.Attach(State);
        State.Flag.SetCopy({flag});
    }

    void FillPanes()
    {
        auto& v = State.Analysis.OmissionView;
        v.RedOmission = v.RedAppearance = v.BlueOmission = v.BlueAppearance = {"earlier"};
    }
};

TEST(OmissionRun, ComputesWritesAndRunsThePrediction)
{
    OmissionDir o(ReadyFlag::kStale);
    ASSERT_TRUE(o.Dir.InstallRealHistory());
    LoadHistory(o.State);
    o.FillPanes();
    RunOmissionStatistics(o.State, o.Host);

    const auto draws = ParseOmissionDraws(o.State.HistoryLines);
    const auto red = BuildOmissionReport(draws, BallColour::Red);
    const auto blue = BuildOmissionReport(draws, BallColour::Blue);
    const auto& view = o.State.Analysis.OmissionView;
    EXPECT_EQ(view.RedOmission, red.Report);
    EXPECT_EQ(view.BlueOmission, blue.Report);
    EXPECT_EQ(view.BlueAppearance, BuildAppearanceReport(draws, BallColour::Blue));
    EXPECT_EQ(o.Dir.Read("Red/RedYL.txt"), red.Report);
    EXPECT_EQ(o.Dir.Read("Blue/BlueYL.txt"), blue.Report);
    EXPECT_EQ(o.Dir.Read("Blue/BlueLM.txt"), blue.Histogram.ToLines());
    EXPECT_EQ(o.Dir.Read("Blue/BlueQK.txt"), view.BlueAppearance);
    const std::string bytes = o.Dir.ReadBytes("Red/RedYL.txt");
    EXPECT_EQ(bytes.substr(0, 2), "\r\n");
    EXPECT_EQ(bytes.substr(bytes.size() - 4), "\r\n\r\n");

    ASSERT_GE(o.Host.LogLines.size(), 4u);
    EXPECT_EQ(
        Lines(o.Host.LogLines.begin(), o.Host.LogLines.begin() + 4),
        (Lines{" ", "正在进行数据统计分析并且存入数据档案...", " ", "数据分析成功，存入档案成功...OK"}));
    // The prediction ran after it: it rebuilt the red appearance pane and its file.
    EXPECT_GT(o.Host.LogLines.size(), 4u);
    EXPECT_EQ(view.RedAppearance, BuildAppearanceReport(draws, BallColour::Red));
    EXPECT_TRUE(o.Dir.Exists("Red/RedQK.txt"));

    // The stored reports show the same panes.
    OmissionDir stored(ReadyFlag::kReady);
    for (const char* file : {"Red/RedYL.txt", "Red/RedQK.txt", "Blue/BlueYL.txt", "Blue/BlueQK.txt"})
        stored.Dir.WriteBytes(file, o.Dir.ReadBytes(file));
    RunOmissionStatistics(stored.State, stored.Host);
    const auto& shown = stored.State.Analysis.OmissionView;
    EXPECT_EQ(shown.RedOmission, view.RedOmission);
    EXPECT_EQ(shown.RedAppearance, view.RedAppearance);
    EXPECT_EQ(shown.BlueOmission, view.BlueOmission);
    EXPECT_EQ(shown.BlueAppearance, view.BlueAppearance);
    EXPECT_TRUE(stored.Host.LogLines.empty());
    EXPECT_FALSE(stored.Dir.Exists("Blue/BlueLM.txt"));
}

TEST(OmissionRun, AppearanceFailureKeepsTheReportsAlreadyWritten)
{
    OmissionDir o(ReadyFlag::kStale);
    o.State.HistoryLines = BlueHistory(std::vector<int>(70, 3)); // blue 01 never drawn
    o.FillPanes();
    EXPECT_EQ(ErrorOf([&] { RunOmissionStatistics(o.State, o.Host); }),
              "蓝球01在全部70期历史中从未出现，无法统计出号情况");
    EXPECT_TRUE(o.Dir.Exists("Red/RedYL.txt"));
    EXPECT_TRUE(o.Dir.Exists("Blue/BlueLM.txt"));
    EXPECT_TRUE(o.Dir.Exists("Blue/BlueYL.txt"));
    EXPECT_FALSE(o.Dir.Exists("Blue/BlueQK.txt"));
    const auto& view = o.State.Analysis.OmissionView;
    EXPECT_FALSE(view.BlueOmission.empty());
    EXPECT_TRUE(view.BlueAppearance.empty());
    EXPECT_TRUE(view.RedAppearance.empty());
    EXPECT_EQ(o.Host.LogLines, (Lines{" ", "正在进行数据统计分析并且存入数据档案..."}));
}

// The least a reload takes for a stored report: one block per number, the closing empty line.
Lines StoredReport(const std::string& file)
{
    const bool appearance = file.find("QK") != std::string::npos;
    const int highest = file.rfind("Red", 0) == 0 ? 33 : 16;
    Lines lines;
    for (int number = 1; number <= highest; ++number) {
        if (appearance) {
            lines.insert(lines.end(),
                         {"  ", "=======" + TwoDigits(number) + "=======", "", "", "", "", file});
        } else {
            lines.push_back("");
            lines.push_back(TwoDigits(number) + "共出现：1次,共遗漏2次");
        }
    }
    lines.emplace_back();
    return lines;
}

TEST(OmissionRun, StoredReportsLoadUntilOneIsMissing)
{
    struct Case
    {
        const char* name;
        std::vector<const char*> present;
        std::size_t loaded; // panes filled, in the order Memo4, Memo10, Memo11, Memo12
    };
    const Case cases[] = {
        {"all four", {"Red/RedYL.txt", "Red/RedQK.txt", "Blue/BlueYL.txt", "Blue/BlueQK.txt"}, 4},
        {"blue omission missing", {"Red/RedYL.txt", "Red/RedQK.txt", "Blue/BlueQK.txt"}, 2},
        {"nothing stored", {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OmissionDir o(ReadyFlag::kReady);
        for (const char* file : c.present)
            o.Dir.Write(file, StoredReport(file));
        o.FillPanes();
        const std::string error = ErrorOf([&] { RunOmissionStatistics(o.State, o.Host); });
        EXPECT_EQ(error.empty(), c.loaded == 4) << error;
        const auto& v = o.State.Analysis.OmissionView;
        const Lines* panes[] = {&v.RedOmission, &v.RedAppearance, &v.BlueOmission, &v.BlueAppearance};
        const char* files[] = {"Red/RedYL.txt", "Red/RedQK.txt", "Blue/BlueYL.txt", "Blue/BlueQK.txt"};
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_EQ(*panes[i], (i < c.loaded ? StoredReport(files[i]) : Lines{})) << files[i];
        EXPECT_TRUE(o.Host.LogLines.empty());
    }
}

TEST(OmissionRun, OtherFlagValuesOnlyClearThePanes)
{
    OmissionDir o("Data=1 ");
    o.State.HistoryLines = BlueHistory(AppearanceBlues());
    o.FillPanes();
    RunOmissionStatistics(o.State, o.Host);
    const auto& v = o.State.Analysis.OmissionView;
    EXPECT_TRUE(v.RedOmission.empty() && v.RedAppearance.empty() && v.BlueOmission.empty() &&
                v.BlueAppearance.empty());
    EXPECT_TRUE(o.Host.LogLines.empty());
    EXPECT_FALSE(o.Dir.Exists("Red/RedYL.txt"));
    EXPECT_EQ(o.Host.ChangedViews, (std::vector<std::string>{"Memo4", "Memo10", "Memo11", "Memo12"}));
}

TEST(OmissionSave, EachPaneSavesAsShown)
{
    struct Case
    {
        void (*save)(AppState&, Host&);
        Lines OmissionViews::*pane;
        const char* proposed;
    };
    const Case cases[] = {
        {SaveRedOmissionReport, &OmissionViews::RedOmission, "红球遗漏数据分析报告.txt"},
        {SaveRedAppearanceReport, &OmissionViews::RedAppearance, "红球出号统计报告.txt"},
        {SaveBlueOmissionReport, &OmissionViews::BlueOmission, "蓝球遗漏数据分析报告.txt"},
        {SaveBlueAppearanceReport, &OmissionViews::BlueAppearance, "蓝球出号统计报告.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.proposed);
        OmissionDir o(ReadyFlag::kReady);
        o.State.Analysis.OmissionView.*c.pane = {"", "shown", ""};
        c.save(o.State, o.Host); // cancelled
        EXPECT_TRUE(std::filesystem::is_empty(o.Dir.Path()));
        o.Host.QueueSaveFile(o.Dir / "out.txt");
        c.save(o.State, o.Host);
        ASSERT_EQ(o.Host.SaveRequests.size(), 2u);
        EXPECT_EQ(o.Host.SaveRequests[1].ProposedName, c.proposed);
        EXPECT_EQ(o.Host.SaveRequests[1].Filter, "*.txt|*.txt");
        EXPECT_EQ(o.Dir.ReadBytes("out.txt"), "\r\nshown\r\n\r\n");
    }
}

TEST(OmissionPanels, LabelsSwitchThePanelShown)
{
    AppState state;
    RecordingHost host;
    EXPECT_TRUE(state.Analysis.OmissionView.RedPanelShown);
    ShowBlueOmissionPanel(state, host);
    EXPECT_FALSE(state.Analysis.OmissionView.RedPanelShown);
    ShowRedOmissionPanel(state, host);
    EXPECT_TRUE(state.Analysis.OmissionView.RedPanelShown);
    EXPECT_EQ(host.ChangedViews, (std::vector<std::string>{"Label74", "Label73"}));
}

} // namespace
} // namespace qv
