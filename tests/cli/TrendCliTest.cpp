#include "history/TextFile.h"
#include "support/CliRunner.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qv {
namespace {

using test::HistoryLine;

TEST(TrendCli, WritesTheGridAsCsvToStdoutOrAFile)
{
    test::TempAppDir dir;
    dir.Write("data/data.txt",
              {HistoryLine(2024003, {1, 2, 3, 4, 5, 6}, 16), HistoryLine(2024002, {1, 8, 9, 10, 11, 33}, 2),
               HistoryLine(2024001, {7, 8, 9, 10, 11, 12}, 16)});
    const std::string app = dir.Path().string();
    const std::string blue = "期号,01,02,03,04,05,06,07,08,09,10,11,12,13,14,15,16\n"
                             "2024002,2,0,2,2,2,2,2,2,2,2,2,2,2,2,2,1\n"
                             "2024003,3,1,3,3,3,3,3,3,3,3,3,3,3,3,3,0\n"
                             "出现次数,0,1,0,0,0,0,0,0,0,0,0,0,0,0,0,1\n"
                             "平均遗漏,2,0,2,2,2,2,2,2,2,2,2,2,2,2,2,0\n"
                             "最大遗漏,3,1,3,3,3,3,3,3,3,3,3,3,3,3,3,1\n"
                             "最大连出,0,1,0,0,0,0,0,0,0,0,0,0,0,0,0,1\n"
                             "当前遗漏,3,1,3,3,3,3,3,3,3,3,3,3,3,3,3,0\n";
    auto result = test::RunCli({"--app-dir", app, "trend", "--blue", "--draws", "2"}, dir.Path());
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out, blue);

    result = test::RunCli({"--app-dir", app, "trend", "--csv", (dir / "red.csv").string()}, dir.Path());
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    const std::string red = dir.ReadBytes("red.csv");
    EXPECT_EQ(red.substr(0, red.find('\n')),
              "期号,01,02,03,04,05,06,07,08,09,10,11,12,13,14,15,16,17,18,19,20,21,22,"
              "23,24,25,26,27,28,29,30,31,32,33");
    EXPECT_NE(red.find("\n2024001,1,1,1,1,1,1,0,0,"), std::string::npos) << red;
    EXPECT_NE(red.find("\n最大连出,2,1,1,1,1,1,1,2,2,2,2,1,"), std::string::npos) << red;
    EXPECT_EQ(std::count(red.begin(), red.end(), '\n'), 1 + 3 + 5);
    EXPECT_EQ(red.find('\r'), std::string::npos);

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--draws", "0"}, {"--draws", "x"}, {"extra"}}) {
        std::vector<std::string> args = {"--app-dir", app, "trend"};
        args.insert(args.end(), bad.begin(), bad.end());
        EXPECT_EQ(test::RunCli(args, dir.Path()).ExitCode, 2) << bad.back();
    }
}

TEST(TrendCli, DrawsThePngWithoutADisplay)
{
    test::TempAppDir dir;
    dir.Write("data/data.txt", {HistoryLine(2024001, {1, 2, 3, 4, 5, 6}, 7)});
    const auto result = test::RunCli(
        {"--app-dir", dir.Path().string(), "trend", "--png", (dir / "t.png").string()}, dir.Path());
    if (result.ExitCode == 1 && result.Err.find("PNG") != std::string::npos)
        GTEST_SKIP() << "built without the desktop program";
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(dir.ReadBytes("t.png").substr(1, 3), "PNG");
}

} // namespace
} // namespace qv
