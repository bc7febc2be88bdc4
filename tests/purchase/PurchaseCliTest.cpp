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
    EXPECT_EQ(result.Out,
              "中奖查询.......OK\n命中一等奖：1注\n01 02 03 04 05 06 +07\n\n命中五等奖：1注\n01 "
              "02 03 31 32 33 +07\n\n"
              "一等奖（6+1）：1注 × 浮动\n二等奖（6+0）：0注 × 浮动\n三等奖（5+1）：0注 × 3000元 = 0元\n"
              "四等奖（5+0、4+1）：0注 × 200元 = 0元\n五等奖（4+0、3+1）：1注 × 10元 = 10元\n"
              "六等奖（2+1、1+1、0+1）：0注 × 5元 = 0元\n共查询3注，花费6元\n固定奖金合计：10元\n"
              "奖金合计（含浮动奖）：浮动（一等奖、二等奖的单注奖金未填）\n");

    result = test::RunCli({"--json", "--app-dir", appDir, "check", "--draw", "10 11 12 13 14 15 +16", list},
                          dir.Path());
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out,
              "{\"log\":[\"中奖查询.......OK\"],\"messages\":[],\"labels\":{\"Memo7\":\"没有中奖，真遗憾！"
              "\\n\"},\"lists\":{\"prizes\":{\"tiers\":[{\"tier\":1,\"count\":0,\"amount\":null},{\"tier\":2,"
              "\"count\":0,\"amount\":null},{\"tier\":3,\"count\":0,\"amount\":3000},{\"tier\":4,\"count\":0,"
              "\"amount\":200},{\"tier\":5,\"count\":0,\"amount\":10},{\"tier\":6,\"count\":0,\"amount\":5}],"
              "\"bets\":3,\"cost\":6,\"fixed\":0,\"total\":0}},\"error\":null}\n");

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
    const std::string resultBox =
        "中奖查询.......OK\n命中一等奖：1注\n01 02 03 04 05 06 +07\n\n命中三等奖：6注\n"
        "01 02 03 04 05 07 +07\n01 02 03 04 06 07 +07\n01 02 03 05 06 07 +07\n"
        "01 02 04 05 06 07 +07\n01 03 04 05 06 07 +07\n02 03 04 05 06 07 +07\n\n";
    EXPECT_EQ(result.Out.substr(0, resultBox.size()), resultBox);
    EXPECT_NE(result.Out.find("\n共查询7注，花费14元\n固定奖金合计：18000元\n"), std::string::npos)
        << result.Out;

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

TEST(PurchaseCli, AmountsReplayAndCount)
{
    test::TempAppDir dir;
    // Three draws, newest first.
    dir.Write("data/data.txt", {test::HistoryLine(2026003, {1, 2, 3, 4, 5, 6}, 7),
                                test::HistoryLine(2026002, {1, 2, 3, 4, 5, 33}, 8),
                                test::HistoryLine(2026001, {10, 11, 12, 13, 14, 15}, 16)});
    dir.Write("list.txt", {"01 02 03 04 05 06 +07", "(01 02) 03 04 05 06 07 +08", "", "01 02 03 04 05 06"});
    const std::string appDir = dir.Path().string();
    const std::string list = (dir / "list.txt").string();
    const auto lists = [](const std::string& out) { return out.substr(out.find("\"lists\":")); };

    // against 2026003: the single bet wins the first tier, the banker line (5 bets) one
    // second tier and four fourth tiers (5+0)
    auto result = test::RunCli({"--json", "--app-dir", appDir, "check", "--draw", "01 02 03 04 05 06 +07",
                                "--first", "5000000", "--second", "100000", list},
                               dir.Path());
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(
        lists(result.Out),
        "\"lists\":{\"prizes\":{\"tiers\":[{\"tier\":1,\"count\":1,\"amount\":5000000},{\"tier\":2,"
        "\"count\":1,\"amount\":100000},{\"tier\":3,\"count\":0,\"amount\":3000},{\"tier\":4,\"count\":4,"
        "\"amount\":200},{\"tier\":5,\"count\":0,\"amount\":10},{\"tier\":6,\"count\":0,\"amount\":5}],"
        "\"bets\":6,\"cost\":12,\"fixed\":800,\"total\":5100800}},\"error\":null}\n");

    // 2026003 as above; 2026002: the single bet 5+0 (fourth); the banker line picks 4 of
    // 03..07, of which 03 04 05 are drawn: C(3,3)·C(2,1) = 2 bets 5+1 (third) and
    // C(3,2)·C(2,2) = 3 bets 4+1 (fourth); 2026001: nothing
    result = test::RunCli({"--json", "--app-dir", appDir, "replay", "--draws", "5", list}, dir.Path());
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(
        lists(result.Out),
        "\"lists\":{\"replay\":{\"draws\":[{\"issue\":\"2026003\",\"tiers\":[1,1,0,4,0,0],\"fixed\":800},"
        "{\"issue\":\"2026002\",\"tiers\":[0,0,2,4,0,0],\"fixed\":6800},{\"issue\":\"2026001\",\"tiers\":[0,"
        "0,0,0,0,0],\"fixed\":0}],\"bets\":6,\"cost\":36,\"fixed\":7600,\"returnRate\":"
        "211.111111111111}},\"error\":null}\n");
    result = test::RunCli({"--app-dir", appDir, "replay", "--draws", "2", list}, dir.Path());
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_NE(result.Out.find("2026002 0 0 2 4 0 0 6800\n共回放2期，每期6注，花费24元\n"), std::string::npos)
        << result.Out;

    result = test::RunCli({"--app-dir", appDir, "count", list}, dir.Path());
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out, "共3行，合计共：7注/14元\n");

    dir.Write("bad.txt", {"01 02 03 04 05 06 +07", "(01 02 03 04 05 06) 07 +01"});
    struct Failure
    {
        std::vector<std::string> args;
        int exitCode;
        std::string err;
    };
    const Failure failures[] = {
        {{"check", "--first", "5e6", list}, 2, "--first takes an amount"},
        {{"replay", "--draws", "0", list}, 2, "--draws takes a number"},
        {{"count", (dir / "bad.txt").string()},
         1,
         "清单第2行“(01 02 03 04 05 06) 07 +01”：胆拖的胆码应为1至5个，现有6个"},
        {{"replay", (dir / "bad.txt").string()}, 1, "查询清单第2行"},
        {{"check", "--draw", "01 02 03 04 05 06 +17", list}, 1, "查询号码“01 02 03 04 05 06 +17”有误：蓝球"},
    };
    for (const auto& f : failures) {
        SCOPED_TRACE(testing::PrintToString(f.args));
        std::vector<std::string> args = {"--app-dir", appDir};
        args.insert(args.end(), f.args.begin(), f.args.end());
        result = test::RunCli(args, dir.Path());
        EXPECT_EQ(result.ExitCode, f.exitCode);
        EXPECT_NE(result.Err.find(f.err), std::string::npos) << result.Err;
    }
}

} // namespace
} // namespace qv
