#include "history/HistoryLoad.h"
#include "core/Error.h"
#include "history/DrawRecord.h"
#include "session/AppState.h"
#include "session/HistoryCommands.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(HistoryLoad, BuildsRedHistoryWithItsEmptyLastLine)
{
    test::TempAppDir dir;
    dir.Write("data/data.txt", {"2009149 06 12 15 22 29 32 07", "2009148 03 06 17 22 25 31 12 "});
    AppState state;
    dir.Attach(state);
    LoadHistory(state);
    EXPECT_EQ(state.HistoryLines.size(), 2u);
    EXPECT_EQ(state.RedHistory, (Lines{"06 12 15 22 29 32", "03 06 17 22 25 31", ""}));
}

TEST(HistoryLoad, EmptyFileLeavesOnlyTheEmptyLine)
{
    test::TempAppDir dir;
    dir.WriteBytes("data/data.txt", "");
    AppState state;
    dir.Attach(state);
    LoadHistory(state);
    EXPECT_TRUE(state.HistoryLines.empty());
    EXPECT_EQ(state.RedHistory, Lines{""});
}

TEST(HistoryLoad, BadLinesStopTheLoad)
{
    struct Case
    {
        std::string line;
        std::string error; // empty: loads
        std::string reds;
    };
    const Case cases[] = {
        // Two blanks give an empty field: the last red drops out of the red part.
        {"2009149 06  12 15 22 29 32 07", "", "06  12 15 22 29"},
        {"2009149 06 12 15", "List index out of bounds (4)", ""},
        {"", "List index out of bounds (1)", ""},
        {"2009149 0a 12 15 22 29 32 07", "", "0a 12 15 22 29 32"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        test::TempAppDir dir;
        dir.Write("data/data.txt", {c.line});
        AppState state;
        dir.Attach(state);
        if (c.error.empty()) {
            LoadHistory(state);
            EXPECT_EQ(state.RedHistory.front(), c.reds);
        } else {
            try {
                LoadHistory(state);
                ADD_FAILURE() << "no error";
            } catch (const HistoryLineError& e) {
                EXPECT_EQ(e.Original(), c.error);
                EXPECT_EQ(std::string(e.what()).rfind(
                              "历史数据（data/data.txt）第1行“" + c.line + "”无法读取：", 0),
                          0u)
                    << e.what();
            }
            EXPECT_TRUE(state.HistoryLines.empty());
        }
    }
}

// The report names the line, says what is wrong in words and shows the form expected.
TEST(HistoryLoad, LineReportsSayWhatIsWrong)
{
    const std::pair<std::string, std::string> cases[] = {
        {"2009149 06 12 15", "只有4项，应为8项"},
        {"", "空行"},
        {"2009149 06 12 15 22 0x 32 07", "第5个红球“0x”不是整数"},
        {"2009149 06 12 15 22 29 32 +7", "蓝球应为两位数字：+7"},
        {"2009149 06 12 15 22 29 32 07", ""},
    };
    for (const auto& [line, reason] : cases)
        EXPECT_EQ(HistoryLineReason(line), reason) << line;
    EXPECT_EQ(std::string(HistoryLineError(2, "2009149 06 12 15", Error::ListIndexOutOfBounds(4)).what()),
              "历史数据（data/data.txt）第3行“2009149 06 12 "
              "15”无法读取：只有4项，应为8项。每行应为期号、6个红球和1个"
              "蓝球，以一个空格分隔，如“2026096 01 04 16 22 26 31 04”，请改正后重算数据。");
    EXPECT_EQ(QuotedLine(std::string(100, '7')), std::string(60, '7') + "…");
}

TEST(HistoryLoad, MissingFileIsReported)
{
    test::TempAppDir dir;
    AppState state;
    dir.Attach(state);
    EXPECT_THROW(LoadHistory(state), Error);
}

TEST(HistoryLoad, RealHistoryLoads)
{
    test::TempAppDir dir;
    ASSERT_TRUE(dir.InstallRealHistory());
    AppState state;
    dir.Attach(state);
    LoadHistory(state);
    ASSERT_EQ(state.HistoryLines.size(), 3493u);
    EXPECT_EQ(state.RedHistory.size(), 3494u);
    EXPECT_EQ(state.HistoryLines.front().substr(0, 7), "2026096");
    EXPECT_EQ(state.HistoryLines.back().substr(0, 7), "2003001");
    for (const auto& line : state.HistoryLines) {
        std::string why;
        EXPECT_TRUE(ParseHistoryLine(line, &why).has_value()) << line << ": " << why;
    }
}

TEST(DrawRecord, ChecksTheHistoryFormat)
{
    struct Case
    {
        std::string line;
        bool ok;
    };
    const Case cases[] = {
        {"2009149 06 12 15 22 29 32 07", true},  {"2009149 06 12 15 22 29 32 07 ", false}, // 29 characters
        {"200914 06 12 15 22 29 32 07 ", false}, {"2009149 06 12 15 22 29 32 17", false},  // blue above 16
        {"2009149 06 12 15 22 29 34 07", false},                                           // red above 33
        {"2009149 06 12 12 22 29 32 07", false},                                           // repeated red
        {"2009149 12 06 15 22 29 32 07", false},                                           // not ascending
        {"2009149 06 12 15 22 29 32 00", false}, {"2009149 6  12 15 22 29 32 07", false},
        {"200914a 06 12 15 22 29 32 07", false}, {"2009149 01 02 03 04 05 33 16", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::string why;
        const auto record = ParseHistoryLine(c.line, &why);
        EXPECT_EQ(record.has_value(), c.ok) << why;
        if (record) {
            EXPECT_EQ(record->ToLine(), c.line);
        } else {
            EXPECT_FALSE(why.empty());
        }
    }
}

} // namespace
} // namespace qv
