#include "support/CliRunner.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace qv {
namespace {

// Every file below dir with its bytes.
std::map<std::string, std::string> Tree(const test::TempAppDir& dir)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path()))
        if (entry.is_regular_file()) {
            const std::string relative = std::filesystem::relative(entry.path(), dir.Path()).string();
            files[relative] = dir.ReadBytes(relative);
        }
    return files;
}

TEST(BacktestCli, ReportsAndLeavesEveryFileAlone)
{
    test::TempAppDir dir;
    ASSERT_TRUE(dir.InstallRealHistory());
    dir.WriteBytes("option.ini", "Data=1\r\n");
    const auto before = Tree(dir);
    const auto run = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"--json", "--app-dir", dir.Path().string(), "backtest"});
        return test::RunCli(args, dir.Path());
    };

    auto result =
        run({"--draws", "3", "--none", "--enable", "CheckBox37", "--set", "Edit13=0", "--set", "edit14=1"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    for (const char* part :
         {"\"backtest\":{\"draws\":[{\"issue\":\"2026096\",\"reds\":\"01 04 16 22 26 "
          "31\",\"removedBy\":[\"CheckBox37\"],"
          "\"errors\":{},\"kept\":false},",
          "{\"name\":\"CheckBox37\",\"caption\":\"留下和值在\",\"on\":true,\"removed\":3,\"errors\":0}",
          "\"KillNumbers\":{\"hits\":", "},\"kept\":0}",
          "按当前设置，最近3期中开奖号码保留了0期；随机保留率约为0.00%"})
        EXPECT_NE(result.Out.find(part), std::string::npos) << part << "\n" << result.Out.substr(0, 600);
    EXPECT_EQ(result.Out.find("runShare"), std::string::npos);

    // Bad input: a clear message, nothing written.
    struct Case
    {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"--draws", "0"}, "验证期数应在1至3483之间"},
        {{"--draws", "-3"}, "验证期数应在1至3483之间"},
        {{"--draws", "abc"}, "验证期数“abc”不是整数"},
        {{"--draws", "4000"}, "验证期数应在1至3483之间（历史数据共3493期"},
        {{"--tolerance", "-1"}, "容错数“-1”无法识别，应为0或正整数"},
        {{"--draws", "2", "--set", "Edit13=x", "--none", "--enable", "CheckBox37"},
         "\"errors\":{\"CheckBox37\":\"过滤条件“留下和值在”"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        result = run(c.args);
        EXPECT_NE(result.Out.find(c.message), std::string::npos) << result.Out.substr(0, 600);
    }
    EXPECT_EQ(Tree(dir), before);
}

} // namespace
} // namespace qv
