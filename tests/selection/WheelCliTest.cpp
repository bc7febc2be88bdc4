#include "support/CliRunner.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr const char* kTwelve = "01 03 05 07 09 11 13 15 17 19 21 23";

TEST(WheelCli, WritesVerifiedTicketsAndRefusesBadInput)
{
    test::TempAppDir dir;
    const auto run = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"--json", "--app-dir", dir.Path().string(), "wheel"});
        return test::RunCli(args, dir.Path());
    };

    const auto ok = run(
        {"--reds", kTwelve, "--guarantee", "6-5", "--blues", "07 16", "--out", (dir / "wheel.txt").string()});
    ASSERT_EQ(ok.ExitCode, 0) << ok.Err;
    EXPECT_NE(ok.Out.find("\"v\":12,\"m\":6,\"t\":5,\"banker\":[],\"tickets\":[\""), std::string::npos)
        << ok.Out;
    EXPECT_NE(ok.Out.find("\"checked\":924,\"uncovered\":0}"), std::string::npos) << ok.Out;
    EXPECT_NE(ok.Out.find("已验证：全部924种情况满足"), std::string::npos) << ok.Out;
    const Lines lines = dir.Read("wheel.txt");
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), std::string("01 03 05 07 09 11 +07").size()) << lines[0];
    EXPECT_EQ(lines[0].substr(17), " +07");
    EXPECT_EQ(lines[1].substr(0, 17), lines[0].substr(0, 17));
    EXPECT_EQ(lines[1].substr(17), " +16");
    EXPECT_NE(dir.ReadBytes("wheel.txt").find("\r\n"), std::string::npos);

    struct Case
    {
        std::vector<std::string> args;
        int exitCode;
        const char* message;
    };
    const Case cases[] = {
        {{"--reds", "01 02 03 04 05 06", "--guarantee", "6-5"}, 1, "旋转矩阵需要选择7至20个红球"},
        {{"--reds", kTwelve, "--guarantee", "6-5", "--banker", "03"}, 1, "胆码03不能同时是选择的红球"},
        {{"--reds", kTwelve, "--guarantee", "6-3"}, 1, "不提供“6-3”这种保证"},
        {{"--reds", kTwelve, "--guarantee", "6-5", "--blues", "17"}, 1, "蓝球号码应在01至16之间"},
        {{"--reds", kTwelve}, 2, "--guarantee is required"},
    };
    for (const auto& c : cases) {
        auto args = c.args;
        args.insert(args.end(), {"--out", (dir / "bad.txt").string()});
        const auto result = run(args);
        EXPECT_EQ(result.ExitCode, c.exitCode) << c.message;
        EXPECT_NE((result.Out + result.Err).find(c.message), std::string::npos) << result.Out << result.Err;
    }
    EXPECT_FALSE(dir.Exists("bad.txt"));
}

} // namespace
} // namespace qv
