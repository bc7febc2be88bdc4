#include "support/CliRunner.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(Cli, UsageErrorsExitTwo)
{
    test::TempAppDir dir;
    const std::vector<std::vector<std::string>> calls = {
        {},
        {"no-such-command"},
        {"--app-dir"},
        {"--app-dir", dir.Path().string(), "version", "extra"},
    };
    for (const auto& args : calls) {
        SCOPED_TRACE(testing::PrintToString(args));
        const auto result = test::RunCli(args, dir.Path());
        EXPECT_EQ(result.ExitCode, 2);
        EXPECT_FALSE(result.Err.empty());
    }
}

TEST(Cli, JsonCarriesTheLog)
{
    test::TempAppDir dir;
    const auto result = test::RunCli({"--json", "--app-dir", dir.Path().string(), "version"}, dir.Path());
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_EQ(result.Out, "{\"log\":[\"Quorvane 2010 Ver 1.75\"],\"messages\":[],\"labels\":{},\"lists\":{},"
                          "\"error\":null}\n");
}

TEST(Cli, UnreadableFlagIsAnErrorReport)
{
    test::TempAppDir dir;
    std::filesystem::create_directories(dir / "option.ini");
    const auto result = test::RunCli({"--app-dir", dir.Path().string(), "version"}, dir.Path());
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("Cannot open file"), std::string::npos);
}

} // namespace
} // namespace qv
