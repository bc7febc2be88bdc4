#include "support/CliRunner.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(CoverCli, CoversTheFilteredBasketAndRefusesABadGuarantee)
{
    test::TempAppDir dir;
    ASSERT_TRUE(dir.InstallRealHistory());
    dir.Write("bets.txt", {"01 02 03 04 05 06 07 08 09 10 11 12"});
    const auto run = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"--json", "--app-dir", dir.Path().string(), "cover", "--bets",
                                   (dir / "bets.txt").string(), "--none"});
        return test::RunCli(args, dir.Path());
    };
    auto result = run({"--t", "5"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_NE(result.Out.find("\"cover\":{\"basket\":924,\"t\":5,\"tickets\":[\"01 02 03 04 05 06\","),
              std::string::npos)
        << result.Out.substr(0, 400);
    EXPECT_NE(result.Out.find("],\"uncovered\":0}"), std::string::npos);
    EXPECT_NE(result.Out.find("缩水覆盖：号码篮924注中选出"), std::string::npos);

    for (const char* t : {"6", "x"}) {
        dir.WriteBytes("Data/temp.txt", "kept\r\n");
        result = run({"--t", t});
        EXPECT_EQ(result.ExitCode, 1) << t;
        EXPECT_NE(result.Out.find("覆盖保证“"), std::string::npos) << t;
        EXPECT_EQ(dir.ReadBytes("Data/temp.txt"), "kept\r\n") << t;
    }
}

} // namespace
} // namespace qv
