#include "support/CliRunner.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(PurchaseCli, CheckPrintsTheResultBox)
{
    test::TempAppDir dir;
    dir.Write("list.txt", {"01 02 03 04 05 06 +07", "01 02 03 31 32 33 +08", "01 02 03 31 32 33 +07", ""});
    const std::string appDir = dir.Path().string();
    const std::string list = (dir / "list.txt").string();

    auto result =
        test::RunCli({"--app-dir", appDir, "check", "--draw", "01 02 03 04 05 06 +07", list}, dir.Path());
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out, "中奖查询.......OK\n命中一等奖：1注\n01 02 03 04 05 06 +07\n\n命中五等奖：1注\n01 "
                          "02 03 31 32 33 +07\n\n");

    result = test::RunCli({"--json", "--app-dir", appDir, "check", "--draw", "10 11 12 13 14 15 +16", list},
                          dir.Path());
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out,
              "{\"log\":[\"中奖查询.......OK\"],\"messages\":[],\"labels\":{\"Memo7\":\"没有中奖，真遗憾！"
              "\\n\"},\"lists\":{},\"error\":null}\n");

    struct Failure
    {
        std::vector<std::string> args;
        int exitCode;
    };
    const Failure failures[] = {
        {{"--app-dir", appDir, "check", "--draw", "01 02 03", list}, 1},
        {{"--app-dir", appDir, "check", (dir / "missing.txt").string()}, 1},
        {{"--app-dir", appDir, "check"}, 2},
        {{"--app-dir", appDir, "check", list, list}, 2},
    };
    for (const auto& f : failures) {
        SCOPED_TRACE(testing::PrintToString(f.args));
        result = test::RunCli(f.args, dir.Path());
        EXPECT_EQ(result.ExitCode, f.exitCode);
        EXPECT_FALSE(result.Err.empty());
    }
}

} // namespace
} // namespace qv
