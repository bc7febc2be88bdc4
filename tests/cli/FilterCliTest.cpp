#include "history/TextFile.h"
#include "support/CliRunner.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

class FilterCliTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.InstallRealHistory());
        m_dir.Write("bets.txt",
                    {"01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 "
                     "28 29 30 31 32 33"});
    }

    test::CliResult Run(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--json", "--app-dir", m_dir.Path().string()});
        return test::RunCli(args, m_dir.Path());
    }

    test::TempAppDir m_dir;
};

TEST_F(FilterCliTest, FullBasketWithTheWindowDefaults)
{
    const auto result = Run({"filter", "--bets", (m_dir / "bets.txt").string()});
    ASSERT_EQ(result.ExitCode, 0) << result.Err << result.Out.substr(0, 400);
    const auto basket = m_dir.Read("Data/temp.txt");
    EXPECT_GT(basket.size(), 0u);
    EXPECT_LT(basket.size(), 1107568u);
    const std::string total =
        "总共合计：" + std::to_string(basket.size()) + "注/" + std::to_string(2 * basket.size()) + "元";
    EXPECT_NE(result.Out.find("\"Label4\":\"" + total + "\""), std::string::npos);
    EXPECT_NE(result.Out.find("\"Label5\":\"已排除"), std::string::npos);
    EXPECT_NE(result.Out.find("\"Label29\":"), std::string::npos);
    EXPECT_NE(result.Out.find("完成运算.......OK"), std::string::npos);
    EXPECT_NE(result.Out.find("{\"caption\":\"运算完毕\",\"text\":\"OK！运算完毕\""), std::string::npos);
    EXPECT_EQ(m_dir.ReadBytes("option.ini"), "Data=1\r\n");
}

TEST_F(FilterCliTest, OptionsSelectTheFilters)
{
    // Only the first-number filter, with its limit typed in.
    auto result = Run({"filter", "--bets", (m_dir / "bets.txt").string(), "--none", "--enable", "CheckBox7",
                       "--set", "Edit5=3"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    for (const auto& line : m_dir.Read("Data/temp.txt"))
        ASSERT_LT(line.substr(0, 2), "03") << line;
    EXPECT_EQ(m_dir.Read("Data/temp.txt").size(), 201376u + 169911u); // first number 01: C(32,5), 02: C(31,5)

    // A parameter that is not an integer stops the run at that pass with a report naming the
    // filter and the field; the conversion error follows it in the log.
    result = Run({"filter", "--bets", (m_dir / "bets.txt").string(), "--none", "--enable", "CheckBox7",
                  "--set", "Edit5=1 2"});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Out.find(
                  "\"error\":\"过滤条件“排除首位数>=”：参数框 Edit5的内容“1 2”无法识别，应为一个整数（如 "
                  "2），不带空格。\""),
              std::string::npos)
        << result.Out;
    EXPECT_NE(result.Out.find("\"'1 2' is not a valid integer value\""), std::string::npos);
    EXPECT_EQ(m_dir.Read("Data/temp.txt").size(), 1107568u); // the expanded basket stays

    m_dir.Write("rule.txt", {"01 02,0", "", "03,0"});
    result = Run({"filter", "--bets", (m_dir / "bets.txt").string(), "--none", "--enable", "CheckBox46",
                  "--set-file", "Memo3=" + (m_dir / "rule.txt").string()});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(m_dir.Read("Data/temp.txt").size(), 736281u); // C(31,6): neither 01 nor 02
}

TEST_F(FilterCliTest, UsageErrors)
{
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"filter"},
             {"filter", "--bets", "x", "--enable", "NoSuchBox"},
             {"filter", "--bets", "x", "--set", "Edit5"},
             {"filter", "--bets", "x", "stray"},
         }) {
        SCOPED_TRACE(testing::PrintToString(args));
        EXPECT_EQ(Run(args).ExitCode, 2);
    }
}

} // namespace
} // namespace qv

namespace qv {
namespace {

TEST_F(FilterCliTest, ToleranceIsTakenAndReported)
{
    auto result = Run({"filter", "--bets", (m_dir / "bets.txt").string(), "--tolerance", "2"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_NE(result.Out.find("本次运算容错2："), std::string::npos);
    EXPECT_NE(result.Out.find("\"ToleranceCounter\":\"容错删除"), std::string::npos);
    const auto tolerant = m_dir.Read("Data/temp.txt").size();

    result = Run({"filter", "--bets", (m_dir / "bets.txt").string()});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out.find("ToleranceCounter"), std::string::npos);
    EXPECT_LT(m_dir.Read("Data/temp.txt").size(), tolerant);

    m_dir.WriteBytes("Data/temp.txt", "kept\r\n");
    result = Run({"filter", "--bets", (m_dir / "bets.txt").string(), "--tolerance", "-2"});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Out.find("容错数“-2”无法识别"), std::string::npos);
    EXPECT_EQ(m_dir.ReadBytes("Data/temp.txt"), "kept\r\n");
}

} // namespace
} // namespace qv
