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

TEST(PurchaseCli, PurchaseThenCheck)
{
    test::TempAppDir dir;
    dir.Write("bets.txt", {"01 02 03 04 05 06 07"});
    const std::string appDir = dir.Path().string();
    const std::string list = (dir / "list.txt").string();

    auto result = test::RunCli({"--app-dir", appDir, "purchase", "--bets", (dir / "bets.txt").string(),
                                "--preset", "全偶", "--blues", "07", "--out", list},
                               dir.Path());
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_NE(result.Out.find("随机蓝码，蓝码共1粒，分别为：07 \n"), std::string::npos) << result.Out;
    const Lines saved = dir.Read("list.txt");
    ASSERT_EQ(saved.size(), 8u);
    EXPECT_EQ(saved.front(), "01 02 03 04 05 06 +07");
    EXPECT_EQ(saved.back(), "");

    result =
        test::RunCli({"--app-dir", appDir, "check", "--draw", "01 02 03 04 05 06 +07", list}, dir.Path());
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out, "中奖查询.......OK\n命中一等奖：1注\n01 02 03 04 05 06 +07\n\n命中三等奖：6注\n"
                          "01 02 03 04 05 07 +07\n01 02 03 04 06 07 +07\n01 02 03 05 06 07 +07\n"
                          "01 02 04 05 06 07 +07\n01 03 04 05 06 07 +07\n02 03 04 05 06 07 +07\n\n");

    // the preset alone: blues only from the even numbers
    result = test::RunCli({"--app-dir", appDir, "purchase", "--bets", (dir / "bets.txt").string(), "--preset",
                           "全偶", "--out", list},
                          dir.Path());
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    for (const auto& line : dir.Read("list.txt")) {
        if (line.empty())
            continue;
        SCOPED_TRACE(line);
        ASSERT_EQ(line.size(), 21u);
        EXPECT_EQ((line[20] - '0') % 2, 0); // 02, 04, … 16 all end in an even digit
    }
}

TEST(PurchaseCli, FilteredPurchaseThenCheck)
{
    test::TempAppDir dir;
    ASSERT_TRUE(dir.InstallRealHistory());
    dir.Write("bets.txt", {"01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18"});
    const std::string appDir = dir.Path().string();
    const std::string list = (dir / "list.txt").string();

    auto result = test::RunCli({"--app-dir", appDir, "purchase", "--bets", (dir / "bets.txt").string(),
                                "--filter-defaults", "--blues", "07", "--out", list},
                               dir.Path());
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_NE(result.Out.find("完成运算.......OK"), std::string::npos);
    const Lines saved = dir.Read("list.txt");
    ASSERT_GE(saved.size(), 2u);
    EXPECT_LT(saved.size(), 18564u); // the filters removed lines from the expansion
    EXPECT_EQ(saved.back(), "");
    for (std::size_t i = 0; i + 1 < saved.size(); ++i) {
        SCOPED_TRACE(saved[i]);
        ASSERT_EQ(saved[i].size(), 21u);
        EXPECT_EQ(saved[i].substr(17), " +07");
    }

    result = test::RunCli({"--app-dir", appDir, "check", "--draw", saved.front(), list}, dir.Path());
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out.rfind("中奖查询.......OK\n命中一等奖：1注\n" + saved.front() + "\n\n", 0), 0u)
        << result.Out;
}

TEST(PurchaseCli, PurchaseRefusalsAndUsage)
{
    test::TempAppDir dir;
    dir.Write("bets.txt", {"01 02 03 04 05 06"});
    dir.Write("empty.txt", {});
    const std::string appDir = dir.Path().string();
    const std::string bets = (dir / "bets.txt").string();
    const std::string out = (dir / "out.txt").string();

    struct Case
    {
        std::string name;
        std::vector<std::string> args;
        int exitCode;
        std::string err; // part of stderr
    };
    const Case cases[] = {
        {"empty bet list",
         {"--bets", (dir / "empty.txt").string(), "--out", out},
         0,
         "您没有将投注号码添加到投注列表"},
        {"no blue left", {"--bets", bets, "--blues", "", "--out", out}, 1, "没有选择蓝码"},
        {"unknown preset", {"--bets", bets, "--preset", "全部", "--out", out}, 2, "unknown --preset"},
        {"blue out of range", {"--bets", bets, "--blues", "01 17", "--out", out}, 2, "'17'"},
        {"no output", {"--bets", bets}, 2, "--out"},
        {"missing bet file", {"--bets", (dir / "missing.txt").string(), "--out", out}, 1, "Cannot open file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = {"--app-dir", appDir, "purchase"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto result = test::RunCli(args, dir.Path());
        EXPECT_EQ(result.ExitCode, c.exitCode);
        EXPECT_NE(result.Err.find(c.err), std::string::npos) << result.Err;
        EXPECT_FALSE(dir.Exists("out.txt"));
    }
}

} // namespace
} // namespace qv
