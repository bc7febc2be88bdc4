#include "history/Gbk.h"
#include "support/CliRunner.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(SelectionCli, ExpandReadsUtf8AndGbkBetFiles)
{
    struct Case
    {
        const char* name;
        std::string bytes;
    };
    const std::string utf8 = "01 02 03 04 05 06 07\r\n红 01 02 03 04 05\n";
    const Case cases[] = {
        {"utf-8", utf8},
        {"utf-8 with byte order mark", "\xEF\xBB\xBF" + utf8},
        {"gbk", Utf8ToGbk(utf8)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempAppDir dir;
        dir.WriteBytes("bets.txt", c.bytes);
        const auto result = test::RunCli(
            {"--json", "--app-dir", dir.Path().string(), "expand", (dir / "bets.txt").string()}, dir.Path());
        EXPECT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_NE(result.Out.find("\"Label29\":\"组数：2组\""), std::string::npos) << result.Out;
        EXPECT_NE(result.Out.find("\"Label4\":\"合计共：8注/16元\""), std::string::npos) << result.Out;
        const Lines basket = dir.Read("Data/temp.txt");
        ASSERT_EQ(basket.size(), 8u);
        EXPECT_EQ(basket.back(), "红 01 02 03 04 05");
    }
}

TEST(SelectionCli, GroupsByIssueOrLine)
{
    test::TempAppDir dir;
    ASSERT_TRUE(dir.InstallRealHistory());
    struct Case
    {
        std::vector<std::string> arguments;
        int status;
        const char* out;
    };
    const Case cases[] = {
        {{"groups", "--issue", "2009148"}, 0, "10 12\n"},
        {{"groups", "--line", "2010001 01 02 03 04 05 07 09"}, 0, "8 26\n"},
        {{"--json", "groups", "--line", "2010001 01 02 03 04 05 06 09"}, 0, "\"lists\":{\"Groups\":[26]}"},
        {{"--json", "groups", "--line", "x 01 02"}, 1, "\"error\":\"所选开奖记录的格式不正确"},
        {{"groups", "--issue", "1999001"}, 1, "开奖历史中没有期号1999001"},
        {{"groups"}, 2, "give either --issue or --line"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments = {"--app-dir", dir.Path().string()};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        SCOPED_TRACE(c.arguments.back());
        const auto result = test::RunCli(arguments, dir.Path());
        const std::string output = result.Out + result.Err;
        EXPECT_EQ(result.ExitCode, c.status) << output;
        EXPECT_NE(output.find(c.out), std::string::npos) << output;
    }
}

} // namespace
} // namespace qv
