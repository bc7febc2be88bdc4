#include "history/TextFile.h"
#include "support/CliRunner.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(KillCommands, PrintRateLinesAndSaveTheTable)
{
    test::TempAppDir dir;
    dir.Write("data/data.txt", {"2009149 05 13 14 19 22 30 09", "2009148 03 08 15 22 27 31 06"});
    const std::string appDir = dir.Path().string();
    struct Case
    {
        const char* command;
        std::string rateLine;  // the first one
        std::string tableLine; // the verified one
    };
    const Case cases[] = {
        {"kill-red", "杀红公式1在1期中 杀中1次，杀错0次，命中率为100%",
         "2009149 05 13 14 19 22 30 09 15√ 13× 14× 07√ 19× 27√ 22×"},
        {"kill-blue", "杀蓝公式1在1期中 杀中1次，杀错0次，命中率为100%",
         "2009149 05 13 14 19 22 30 09 2尾√ 08|04√ 09× 4尾√ 9尾×"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        const auto out = dir / "out.txt";
        std::filesystem::remove(out);
        const auto result =
            test::RunCli({"--app-dir", appDir, c.command, "--save", out.string()}, dir.Path());
        EXPECT_EQ(result.ExitCode, 0);
        EXPECT_NE(result.Out.find(c.rateLine + "\n"), std::string::npos) << result.Out;
        ASSERT_TRUE(std::filesystem::exists(out));
        const Lines table = LoadLines(out);
        ASSERT_EQ(table.size(), 3u);
        EXPECT_EQ(table[1], c.tableLine);

        const auto json = test::RunCli({"--json", "--app-dir", appDir, c.command}, dir.Path());
        EXPECT_EQ(json.ExitCode, 0);
        EXPECT_NE(json.Out.find("\"" + c.rateLine + "\""), std::string::npos) << json.Out;
    }

    // Too short a history is an error report, not a crash.
    dir.Write("data/data.txt", {"2009148 05 13 14 19 22 30 09"});
    EXPECT_EQ(test::RunCli({"--app-dir", appDir, "kill-red"}, dir.Path()).ExitCode, 1);
    EXPECT_EQ(test::RunCli({"--app-dir", appDir, "kill-red", "extra"}, dir.Path()).ExitCode, 2);
}

} // namespace
} // namespace qv
