#include "history/Gbk.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

namespace qv {
namespace {

struct CliResult
{
    int Status = -1;
    std::string Out;
};

CliResult RunCli(const std::string& arguments)
{
    CliResult result;
    const std::string command = std::string(QUORVANE_CLI) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.Out.append(buffer, n);
    const int status = pclose(pipe);
    result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

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
        const auto result =
            RunCli("--json --app-dir " + dir.Path().string() + " expand " + (dir / "bets.txt").string());
        EXPECT_EQ(result.Status, 0) << result.Out;
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
    const std::string app = " --app-dir " + dir.Path().string() + " ";
    struct Case
    {
        std::string arguments;
        int status;
        const char* out;
    };
    const Case cases[] = {
        {app + "groups --issue 2009148", 0, "10 12\n"},
        {app + "groups --line '2010001 01 02 03 04 05 07 09'", 0, "8 26\n"},
        {app + "--json groups --line '2010001 01 02 03 04 05 06 09'", 0, "\"lists\":{\"Groups\":[26]}"},
        {app + "--json groups --line 'x 01 02'", 1, "\"error\":\"所选开奖记录的格式不正确"},
        {app + "groups --issue 1999001", 1, "开奖历史中没有期号1999001"},
        {app + "groups", 2, "give either --issue or --line"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const auto result = RunCli(c.arguments);
        EXPECT_EQ(result.Status, c.status) << result.Out;
        EXPECT_NE(result.Out.find(c.out), std::string::npos) << result.Out;
    }
}

} // namespace
} // namespace qv
