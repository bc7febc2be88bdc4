#include "core/Error.h"
#include "core/RecordingHost.h"
#include "killformulas/BlueKillFormulas.h"
#include "killformulas/KillVerification.h"
#include "killformulas/RedKillFormulas.h"
#include "session/KillCommands.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

std::vector<std::string> Fields(const std::string& line)
{
    return SplitFields(line);
}

// The formula fields (after issue, reds and blue) of a table line.
std::vector<std::string> FormulaFields(const std::string& tableLine)
{
    auto fields = SplitFields(tableLine);
    fields.erase(fields.begin(), fields.begin() + 8);
    return fields;
}

struct Fixture
{
    test::TempAppDir dir;
    AppState state;
    RecordingHost host;

    explicit Fixture(const Lines& history)
    {
        dir.Attach(state);
        dir.Write("data/data.txt", history);
    }
};

TEST(RedKillNumbers, FormulasFromTheEarlierDraw)
{
    struct Case
    {
        const char* what;
        std::string line;
        std::vector<std::string> kills;
    };
    const Case cases[] = {
        {"worked example",
         test::HistoryLine(2009147, {3, 8, 15, 22, 27, 31}, 6),
         {"15", "13", "14", "07", "19", "27", "22"}},
        {"blue 16: 34 - 33",
         test::HistoryLine(2009147, {1, 2, 3, 4, 5, 6}, 16),
         {"25", "23", "01", "01", "03", "18", "10"}},
        {"blue 13: 67 - 66",
         test::HistoryLine(2009147, {1, 2, 3, 4, 5, 6}, 13),
         {"22", "20", "01", "01", "03", "09", "10"}},
        {"blue 15: 77 - 66",
         test::HistoryLine(2009147, {1, 2, 3, 4, 5, 6}, 15),
         {"24", "22", "11", "01", "03", "15", "10"}},
        {"r1 10, b 14: 72 - 66",
         test::HistoryLine(2009147, {10, 11, 12, 13, 14, 15}, 14),
         {"23", "21", "30", "01", "03", "06", "19"}},
        {"r1 28, b 16: 132 - 99",
         test::HistoryLine(2009147, {28, 29, 30, 31, 32, 33}, 16),
         {"25", "23", "01", "01", "03", "33", "37"}},
        {"r3 29 stays above 33",
         test::HistoryLine(2009147, {20, 25, 29, 30, 31, 32}, 2),
         {"11", "09", "06", "04", "06", "33", "36"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RedKillNumbers(c.line), c.kills);
    }
}

TEST(BlueKillPredictions, FormulasFromTheEarlierDraw)
{
    struct Case
    {
        const char* what;
        std::string line;
        std::vector<std::string> predictions;
    };
    const Case cases[] = {
        {"worked example",
         test::HistoryLine(2009148, {3, 8, 15, 22, 27, 31}, 6),
         {"2尾", "08|04", "09", "4尾", "9尾"}},
        {"blue 15 wraps p",
         test::HistoryLine(2009148, {3, 8, 15, 22, 27, 31}, 15),
         {"0尾", "01|13", "02", "3尾", "9尾"}},
        {"blue 01 wraps q",
         test::HistoryLine(2009148, {3, 8, 15, 22, 27, 31}, 1),
         {"2尾", "03|15", "04", "9尾", "9尾"}},
        {"blue 02 wraps q",
         test::HistoryLine(2009148, {3, 8, 15, 22, 27, 31}, 2),
         {"4尾", "04|16", "05", "0尾", "9尾"}},
        {"blue 10: tail 0",
         test::HistoryLine(2009148, {3, 9, 15, 22, 27, 31}, 10),
         {"0尾", "12|08", "13", "8尾", "0尾"}},
        {"r1 28, b 16: 44 - 32",
         test::HistoryLine(2009148, {28, 29, 30, 31, 32, 33}, 16),
         {"2尾", "02|14", "12", "4尾", "0尾"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(BlueKillPredictions(c.line), c.predictions);
    }
}

TEST(KillFailed, TailsAndNumbersCompareAsText)
{
    using kill::KillPrediction;
    using kill::KillTarget;
    struct Case
    {
        KillPrediction prediction;
        int laterBlue;
        bool failed;
    };
    const auto tail = [](char t) {
        KillPrediction p;
        p.Target = KillTarget::BlueTail;
        p.Tail = t;
        return p;
    };
    KillPrediction pair;
    pair.Target = KillTarget::Blue;
    pair.Numbers = {"08", "04"};
    const Case cases[] = {
        {tail('1'), 11, true}, {tail('1'), 10, false}, {tail('1'), 12, false}, {tail('0'), 10, true},
        {tail('1'), 1, true},  {pair, 8, true},        {pair, 4, true},        {pair, 6, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.prediction.Text + " / tail " + c.prediction.Tail + " against " +
                     std::to_string(c.laterBlue));
        const auto later = test::HistoryLine(2009149, {1, 2, 3, 4, 5, 6}, c.laterBlue);
        EXPECT_EQ(kill::KillFailed(c.prediction, SplitFieldViews(later)), c.failed);
    }
}

TEST(VerifyRedKillFormulas, MarksTheLaterDrawAndAddsTheComingIssue)
{
    const std::string earlier = test::HistoryLine(2009147, {3, 8, 15, 22, 27, 31}, 6);
    const std::string later = test::HistoryLine(2009148, {5, 13, 14, 19, 22, 30}, 9);
    Fixture f({later, earlier});
    VerifyRedKillFormulas(f.state, f.host);

    const auto& red = f.state.Kill.Red;
    ASSERT_EQ(red.Table.size(), 3u);
    EXPECT_EQ(red.Table[1], later + " 15√ 13× 14× 07√ 19× 27√ 22×");
    EXPECT_EQ(red.Table[2], earlier + " 无 无 无 无 无 无 无");
    const auto laterKills = RedKillNumbers(later);
    std::string coming = "2009149 ?? ?? ?? ?? ?? ?? ??";
    for (const auto& k : laterKills)
        coming += " " + k;
    EXPECT_EQ(red.Table[0], coming);

    // A history of two draws verifies one line: every rate is 0 or 100.
    EXPECT_EQ(red.Verified, 1);
    ASSERT_EQ(red.RateLines.size(), 7u);
    EXPECT_EQ(red.RateLines[0], "杀红公式1在1期中 杀中1次，杀错0次，命中率为100%");
    EXPECT_EQ(red.RateLines[1], "杀红公式2在1期中 杀中0次，杀错1次，命中率为0%");
    EXPECT_EQ(red.RateLines[6], "杀红公式7在1期中 杀中0次，杀错1次，命中率为0%");

    // The view runs from the oldest draw up to the coming issue at the bottom.
    ASSERT_EQ(red.Rows.size(), 3u);
    EXPECT_EQ(red.Rows[0],
              (ViewRow{"2009147", "03 08 15 22 27 31 +06", "无", "无", "无", "无", "无", "无", "无"}));
    EXPECT_EQ(red.Rows[1],
              (ViewRow{"2009148", "05 13 14 19 22 30 +09", "15√", "13×", "14×", "07√", "19×", "27√", "22×"}));
    EXPECT_EQ(red.Rows[2][0], "2009149");
    EXPECT_EQ(red.Rows[2][1], "?? ?? ?? ?? ?? ?? +??");
    EXPECT_EQ(std::vector<std::string>(red.Rows[2].begin() + 2, red.Rows[2].end()), laterKills);

    EXPECT_EQ(f.host.LogLines, (Lines{" ", "正在进行杀红算法....", " ", "杀红运算成功...OK"}));
    EXPECT_EQ(RedKillColumns().size(), 9u);
}

TEST(VerifyBlueKillFormulas, MarksTheLaterDrawAndAddsTheComingIssue)
{
    const std::string earlier = test::HistoryLine(2009148, {3, 8, 15, 22, 27, 31}, 6);
    const std::string later = test::HistoryLine(2009154, {5, 13, 14, 19, 22, 30}, 9);
    Fixture f({later, earlier});
    VerifyBlueKillFormulas(f.state, f.host);

    const auto& blue = f.state.Kill.Blue;
    ASSERT_EQ(blue.Table.size(), 3u);
    EXPECT_EQ(FormulaFields(blue.Table[1]),
              (std::vector<std::string>{"2尾√", "08|04√", "09×", "4尾√", "9尾×"}));
    EXPECT_EQ(blue.Table[2], earlier + " 无 无 无 无 无");
    // The coming issue is the newest issue plus one, whatever the year.
    EXPECT_EQ(Fields(blue.Table[0])[0], "2009155");
    EXPECT_EQ(blue.RateLines, (Lines{"杀蓝公式1在1期中 杀中1次，杀错0次，命中率为100%",
                                     "杀蓝公式2在1期中 杀中1次，杀错0次，命中率为100%",
                                     "杀蓝公式3在1期中 杀中0次，杀错1次，命中率为0%",
                                     "杀蓝公式4在1期中 杀中1次，杀错0次，命中率为100%",
                                     "杀蓝公式5在1期中 杀中0次，杀错1次，命中率为0%"}));
    ASSERT_EQ(blue.Rows.size(), 3u);
    EXPECT_EQ(blue.Rows.back()[1], "?? ?? ?? ?? ?? ?? +??");
    EXPECT_EQ(blue.Rows.back().size(), 7u);
    EXPECT_EQ(f.host.LogLines, (Lines{" ", "正在进行杀蓝算法....", " ", "杀蓝运算成功...OK"}));
}

TEST(VerifyRedKillFormulas, RatesAreTruncatedWholePercents)
{
    // Every draw has blue 01, so formula 1 always kills 10; the rate is the share of
    // later draws without a 10.
    struct Case
    {
        int hits;
        int verified;
        const char* rate;
    };
    const Case cases[] = {{7, 30, "23"}, {2, 3, "66"}, {57, 100, "56"}, {0, 5, "0"}, {5, 5, "100"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.hits) + " of " + std::to_string(c.verified));
        Lines history;
        for (int i = 0; i <= c.verified; ++i) {
            const bool hit = i < c.hits;
            history.push_back(test::HistoryLine(2009000 + c.verified - i, {1, 2, 3, 4, 5, hit ? 11 : 10}, 1));
        }
        Fixture f(history);
        VerifyRedKillFormulas(f.state, f.host);
        EXPECT_EQ(f.state.Kill.Red.RateLines[0],
                  "杀红公式1在" + std::to_string(c.verified) + "期中 杀中" + std::to_string(c.hits) +
                      "次，杀错" + std::to_string(c.verified - c.hits) + "次，命中率为" + c.rate + "%");
    }
}

TEST(KillVerification, ShortOrBrokenHistoriesStopWithAReport)
{
    struct Case
    {
        const char* what;
        Lines history;
        std::string message; // empty: only check that the report is understandable
    };
    const Case cases[] = {
        {"empty history", {}, ""},
        {"one draw", {test::HistoryLine(2009148, {3, 8, 15, 22, 27, 31}, 6)}, ""},
        {"non-numeric blue",
         {test::HistoryLine(2009148, {3, 8, 15, 22, 27, 31}, 6), "2009147 01 02 03 04 05 06 x1"},
         "'x1' is not a valid integer value"},
        {"short line",
         {test::HistoryLine(2009148, {3, 8, 15, 22, 27, 31}, 6), "2009147 01 02 03 04 05"},
         "List index out of bounds (7)"},
    };
    const bool red[] = {true, false};
    for (const auto& c : cases) {
        for (const bool isRed : red) {
            SCOPED_TRACE(std::string(c.what) + (isRed ? " (red)" : " (blue)"));
            Fixture f({test::HistoryLine(2009148, {3, 8, 15, 22, 27, 31}, 6),
                       test::HistoryLine(2009147, {1, 2, 3, 4, 5, 6}, 1)});
            isRed ? VerifyRedKillFormulas(f.state, f.host) : VerifyBlueKillFormulas(f.state, f.host);
            const auto before = isRed ? f.state.Kill.Red : f.state.Kill.Blue;
            f.dir.Write("data/data.txt", c.history);
            try {
                isRed ? VerifyRedKillFormulas(f.state, f.host) : VerifyBlueKillFormulas(f.state, f.host);
                ADD_FAILURE() << "no report";
            } catch (const Error& e) {
                if (c.message.empty())
                    EXPECT_NE(std::string(e.what()).find("至少需要2期"), std::string::npos) << e.what();
                else
                    EXPECT_EQ(std::string(e.what()), c.message);
            }
            // The view and the table of the earlier run stay.
            const auto& after = isRed ? f.state.Kill.Red : f.state.Kill.Blue;
            EXPECT_EQ(after.Rows, before.Rows);
            EXPECT_EQ(after.Table, before.Table);
        }
    }
}

TEST(KillVerification, SaveWritesTheTableOrNothing)
{
    Fixture f({test::HistoryLine(2009148, {5, 13, 14, 19, 22, 30}, 9),
               test::HistoryLine(2009147, {3, 8, 15, 22, 27, 31}, 6)});

    // Nothing to save before the first run: no dialog, no file.
    EXPECT_THROW(SaveRedKillTable(f.state, f.host), Error);
    EXPECT_TRUE(f.host.SaveRequests.empty());

    VerifyRedKillFormulas(f.state, f.host);
    VerifyBlueKillFormulas(f.state, f.host);

    struct Case
    {
        bool isRed;
        const char* proposed;
    };
    for (const auto& c : {Case{true, "杀红公式验证.txt"}, Case{false, "杀蓝公式验证.txt"}}) {
        SCOPED_TRACE(c.proposed);
        const auto target = f.dir / "out.txt";
        std::filesystem::remove(target);
        f.host.SaveRequests.clear();
        f.host.QueueSaveFile(std::nullopt);
        c.isRed ? SaveRedKillTable(f.state, f.host) : SaveBlueKillTable(f.state, f.host);
        EXPECT_FALSE(std::filesystem::exists(target));

        f.host.QueueSaveFile(target);
        c.isRed ? SaveRedKillTable(f.state, f.host) : SaveBlueKillTable(f.state, f.host);
        ASSERT_EQ(f.host.SaveRequests.size(), 2u);
        EXPECT_EQ(f.host.SaveRequests[1].ProposedName, c.proposed);
        EXPECT_EQ(f.host.SaveRequests[1].Filter, "*.txt|*.txt");
        const auto& table = c.isRed ? f.state.Kill.Red.Table : f.state.Kill.Blue.Table;
        EXPECT_EQ(f.dir.ReadBytes("out.txt"), EncodeLines(table));
    }
}

TEST(KillVerification, RealHistoryEndToEnd)
{
    test::TempAppDir dir;
    AppState state;
    RecordingHost host;
    dir.Attach(state);
    ASSERT_TRUE(dir.InstallRealHistory());
    const Lines history = test::RealHistoryLines();
    const int n = static_cast<int>(history.size());
    ASSERT_GE(n, 1000);

    VerifyRedKillFormulas(state, host);
    VerifyBlueKillFormulas(state, host);
    for (const auto* verification : {&state.Kill.Red, &state.Kill.Blue}) {
        ASSERT_EQ(verification->Table.size(), history.size() + 1);
        EXPECT_EQ(verification->Rows.size(), history.size() + 1);
        EXPECT_EQ(verification->Verified, n - 1);
        for (std::size_t f = 0; f < verification->Hits.size(); ++f)
            EXPECT_EQ(verification->Hits[f] + verification->Failures[f], n - 1);
        EXPECT_EQ(Fields(verification->Table[0])[0], std::to_string(std::stoi(Fields(history[0])[0]) + 1));
        EXPECT_EQ(verification->Table.back().rfind(history.back(), 0), 0u);
    }
    // A kill above 33 can never fail, so formula 7 hits at least as often as such kills occur.
    int above = 0;
    for (std::size_t i = 1; i < history.size(); ++i)
        above += std::stoi(RedKillNumbers(history[i])[6]) > 33;
    EXPECT_GE(state.Kill.Red.Hits[6], above);
    EXPECT_EQ(state.Kill.Red.RateLines.size(), 7u);
    EXPECT_EQ(state.Kill.Blue.RateLines.size(), 5u);
}

} // namespace
} // namespace qv
