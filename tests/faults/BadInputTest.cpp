// Files no one should hand the program, handed to every reader of user files: bytes that
// are not GBK, lines of 100,000 characters, NUL bytes, a history of one line, a history of
// 100,000 draws. Nothing may crash or hang; each reader finishes or stops with a message
// the user can read.

#include "core/Error.h"
#include "core/RecordingHost.h"
#include "faults/FileTree.h"
#include "faults/Spawn.h"
#include "filters/FilterRun.h"
#include "history/TextFile.h"
#include "purchase/PrizeCheck.h"
#include "selection/Basket.h"
#include "session/FilterCommands.h"
#include "session/Pipeline.h"
#include "session/SelectionCommands.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>

namespace qv {
namespace {

// What a reader did with an input: "" when it finished, else the message it stopped with.
template <typename Body> std::string Outcome(Body body)
{
    try {
        body();
    } catch (const Error& e) {
        return e.what();
    }
    return "";
}

struct BadInput
{
    const char* Name;
    std::string Bytes;
    // The outcome of each reader: "" = finished, else the exact message.
    std::string History;   // a history line report when it starts with "第": what it must contain
    std::string Expansion; // bets in the basket afterwards, "refused", or the message
    std::string Filters;   // lines left in the basket after every filter, or the message
    std::string PrizeCheck;
};

const std::string kTooShort = "历史数据只有1期，至少需要10期才能进行下一期基础指标分析";

std::vector<BadInput> BadInputs()
{
    const std::string real =
        ReadFileBytes(std::filesystem::path(QUORVANE_SOURCE_DIR) / "appdata/data/data.txt");
    const std::string longNumber(100'000, '1');
    std::string manyNumbers;
    for (int i = 0; i < 33'333; ++i)
        manyNumbers += "01 ";
    return {
        {"bytes that are not GBK", "\x80\xff\xfe\x81\x30 01 02\r\n\xa1", "第1行“€", "0 bets", "0 left", ""},
        // The expansion takes any field for a number: eight fields make C(8,6) bets.
        {"UTF-8 text", "二〇二六年 01 02 03 04 05 06 07\r\n", kTooShort, "28 bets", "0 left", ""},
        {"a line of 100,000 characters", std::string(100'000, '7') + "\r\n",
         "第1行“" + std::string(60, '7') + "…”无法读取：只有1项，应为8项。", "0 bets", "0 left", ""},
        {"a number of 100,000 digits", "2026097 " + longNumber + " 02 03 04 05 06 07\r\n" + real,
         "第1个红球“" + longNumber.substr(0, 60) + "…”不是整数", "97747 bets", "0 left", ""},
        {"a line of 33,333 numbers", "2026097 " + manyNumbers + "\r\n" + real, "",
         "投注列表最多可分解出无法计数的注，超过了号码篮5000000注的上限，未进行分解。请减少每行的号码个数或删"
         "除多余的"
         "行后再分解。",
         "0 left", ""},
        {"NUL bytes only", std::string(4096, '\0'), "”无法读取：只有1项，应为8项。", "refused", "0 left", ""},
        {"a NUL inside a number",
         std::string("2026097 0\0"
                     "1 02 03 04 05 06 07\r\n",
                     31) +
             real,
         "第1行“2026097 0\u24001 02 03 04 05 06 07”无法读取：第1个红球“0\u24001”不是整数。", "", "0 left",
         ""},
        {"a history of one line", "2026096 01 04 16 22 26 31 04\r\n", kTooShort, "28 bets", "0 left", ""},
    };
}

class BadInputTest : public testing::Test
{
protected:
    // A directory with the real history and its analysis files, and a run that read them.
    void StartOnRealHistory()
    {
        ASSERT_TRUE(m_dir.InstallRealHistory());
        m_dir.Attach(m_state);
        RunStartup(m_state, m_host);
    }

    test::TempAppDir m_dir;
    AppState m_state;
    RecordingHost m_host;
};

TEST_F(BadInputTest, HistoryChainStopsWithTheLineFormatReports)
{
    for (const auto& input : BadInputs()) {
        SCOPED_TRACE(input.Name);
        test::TempAppDir dir;
        dir.WriteBytes("data/data.txt", input.Bytes);
        AppState state;
        RecordingHost host;
        dir.Attach(state);
        const std::string outcome = Outcome([&] { RecomputeAll(state, host); });
        if (input.History.starts_with("第") || input.History.starts_with("”")) {
            // Named by line, in a report of bounded length whatever the line holds.
            EXPECT_TRUE(outcome.starts_with("历史数据（data/data.txt）第1行“")) << outcome.substr(0, 200);
            EXPECT_NE(outcome.find(input.History), std::string::npos) << outcome.substr(0, 400);
            EXPECT_LT(outcome.size(), 800u);
        } else {
            EXPECT_EQ(outcome.size(), input.History.size());
            EXPECT_TRUE(outcome == input.History) << outcome.substr(0, 200);
        }
        EXPECT_EQ(dir.ReadBytes("option.ini"), outcome.empty() ? test::kReadyBytes : test::kStaleBytes);
    }
}

TEST_F(BadInputTest, ExpansionRefusesOrExpandsWhatItCanRead)
{
    StartOnRealHistory();
    for (const auto& input : BadInputs()) {
        SCOPED_TRACE(input.Name);
        m_dir.WriteBytes("bets.txt", input.Bytes);
        m_state.Selection.BetList = LoadLinesUtf8OrGbk(m_dir / "bets.txt");
        m_state.Selection.BasketReadyFlag = false;
        m_host.Clear();
        std::string outcome = Outcome([&] { ExpandBetList(m_state, m_host); });
        if (outcome.empty() && !m_state.Selection.BasketReadyFlag) {
            outcome = "refused";
            ASSERT_EQ(m_host.Messages.size(), 1u);
            EXPECT_EQ(m_host.Messages[0].Text, "您没有将投注号码添加到投注列表");
        } else if (outcome.empty()) {
            outcome = std::to_string(m_state.Selection.BasketView.Size()) + " bets";
            EXPECT_EQ(SplitLines(m_dir.ReadBytes("data/temp.txt")).size(),
                      m_state.Selection.BasketView.Size());
        }
        if (!input.Expansion.empty())
            EXPECT_EQ(outcome, input.Expansion);
        else
            EXPECT_TRUE(outcome.ends_with(" bets")) << outcome;
    }
}

TEST_F(BadInputTest, FilterRunTakesAnyBasketFile)
{
    StartOnRealHistory();
    for (const auto& input : BadInputs()) {
        SCOPED_TRACE(input.Name);
        m_dir.WriteBytes("data/temp.txt", input.Bytes);
        ResetFilterState(m_state.Filters);
        for (auto& [name, on] : m_state.Filters.Switches)
            on = true;
        m_state.Selection.BasketReadyFlag = true;
        const auto started = std::chrono::steady_clock::now();
        std::string outcome = Outcome([&] { RunFilters(m_state, m_host); });
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
        const std::size_t left = SplitLines(m_dir.ReadBytes("data/temp.txt")).size();
        EXPECT_LE(left, SplitLines(input.Bytes).size());
        if (outcome.empty())
            outcome = std::to_string(left) + " left";
        EXPECT_EQ(outcome, input.Filters);
    }
}

TEST_F(BadInputTest, PrizeCheckTakesAnyListAndAnyDraw)
{
    for (const auto& input : BadInputs()) {
        SCOPED_TRACE(input.Name);
        const Lines lines = SplitLines(input.Bytes);
        EXPECT_EQ(Outcome([&] { CheckPrizeLines(lines, "01 02 03 04 05 06 +07"); }), input.PrizeCheck);
        // The same text typed as the draw: a draw that does not cut into seven fields is named.
        const std::string draw = lines.empty() ? std::string() : lines.front();
        const std::string outcome = Outcome([&] { CheckPrizeLines({"01 02 03 04 05 06 +07"}, draw); });
        EXPECT_EQ(outcome.find('\0'), std::string::npos);
        if (!outcome.empty()) {
            EXPECT_TRUE(outcome.starts_with("查询号码“")) << outcome.substr(0, 200);
        }
    }
}

TEST_F(BadInputTest, MessagesQuotingANulArePrintedWhole)
{
    test::TempAppDir dir;
    dir.WriteBytes("data/data.txt", std::string("2026097 0\0"
                                                "1 02 03 04 05 06 07\r\n",
                                                31));
    const auto run = test::RunChild(test::CliRequest(dir.Path(), {"recompute"}));
    EXPECT_EQ(run.Exit.Code, 1);
    EXPECT_EQ(
        run.Err,
        "历史数据（data/data.txt）第1行“2026097 0\u24001 02 03 04 05 06 07”无法读取：第1个红球“0\u24001”"
        "不是整数。每行应为期号、6个红球和1个蓝球，以一个空格分隔，如“2026096 01 04 16 22 26 31 04”，"
        "请改正后重算数据。\n");

    dir.WriteBytes("list.txt", std::string("01 02 03 04 05 06 +07\r\n") + std::string(21, '\0') + "\r\n");
    const auto check = test::RunChild(test::CliRequest(dir.Path(), {"check", "list.txt"}));
    EXPECT_EQ(check.Exit.Code, 1);
    EXPECT_TRUE(check.Err.starts_with("查询清单第2行“\u2400\u2400")) << check.Err;
}

// A generated history of draws, newest first, with well-formed lines.
std::string GeneratedHistory(int draws)
{
    std::mt19937 random(11);
    std::string text;
    text.reserve(static_cast<std::size_t>(draws) * 30);
    int year = 2026;
    int number = 150;
    std::vector<int> all(33);
    for (int i = 0; i < 33; ++i)
        all[static_cast<std::size_t>(i)] = i + 1;
    for (int d = 0; d < draws; ++d) {
        std::shuffle(all.begin(), all.end(), random);
        std::vector<int> reds(all.begin(), all.begin() + 6);
        std::sort(reds.begin(), reds.end());
        char line[64];
        std::snprintf(line, sizeof line, "%04d%03d %02d %02d %02d %02d %02d %02d %02d\r\n", year, number,
                      reds[0], reds[1], reds[2], reds[3], reds[4], reds[5],
                      static_cast<int>(random() % 16) + 1);
        text += line;
        if (--number == 0) {
            number = 150;
            --year;
        }
    }
    return text;
}

TEST_F(BadInputTest, AHundredThousandLinesThroughExpansionFiltersAndPrizeCheck)
{
    StartOnRealHistory();
    // The generated draws as bets: six reds each, then with their blue.
    Lines reds;
    Lines bets;
    for (const auto& line : SplitLines(GeneratedHistory(100'000))) {
        reds.push_back(line.substr(8, 17));
        bets.push_back(line.substr(8, 17) + " +" + line.substr(26, 2));
    }
    const auto started = std::chrono::steady_clock::now();
    m_state.Selection.BetList = reds;
    ExpandBetList(m_state, m_host);
    const std::size_t expanded = m_state.Selection.BasketView.Size();
    EXPECT_GT(expanded, 90'000u); // a few draws repeat
    EXPECT_LE(expanded, 100'000u);

    ResetFilterState(m_state.Filters);
    for (auto& [name, on] : m_state.Filters.Switches)
        on = true;
    EXPECT_EQ(Outcome([&] { RunFilters(m_state, m_host); }), "");
    EXPECT_LE(SplitLines(m_dir.ReadBytes("data/temp.txt")).size(), expanded);

    const Lines result = CheckPrizeLines(bets, "01 02 03 04 05 06 +07");
    EXPECT_FALSE(result.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(60));
}

TEST(LongHistory, RecomputeOfAHundredThousandDrawsGrowsLinearly)
{
    struct Size
    {
        int Draws;
        long MaxRssKb = 0;
        double Seconds = 0;
    };
    Size sizes[] = {{25'000}, {100'000}};
    for (auto& size : sizes) {
        SCOPED_TRACE(size.Draws);
        test::TempAppDir dir;
        dir.WriteBytes("data/data.txt", GeneratedHistory(size.Draws));
        const auto started = std::chrono::steady_clock::now();
        const auto run = test::RunChild(test::CliRequest(dir.Path(), {"recompute"}));
        size.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        size.MaxRssKb = run.Exit.MaxRssKb;
        ASSERT_EQ(run.Exit.Code, 0) << run.Err;
        EXPECT_EQ(dir.ReadBytes("option.ini"), test::kReadyBytes);
        EXPECT_EQ(SplitLines(dir.ReadBytes("Red/RedAna.txt")).size(), static_cast<std::size_t>(size.Draws));
        std::printf("recompute of %d draws: %.1f s, peak %ld MB\n", size.Draws, size.Seconds,
                    size.MaxRssKb / 1024);
    }
    // Four times the draws may take at most about four times the memory (plus the program).
    EXPECT_LT(sizes[1].MaxRssKb, 5 * sizes[0].MaxRssKb);
}

} // namespace
} // namespace qv
