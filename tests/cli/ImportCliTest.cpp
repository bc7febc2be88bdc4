// quorvane-cli import: the plan in "import", what --dry-run and --replace write, and the
// exit status when the file holds no draw.

#include "history/TextFile.h"
#include "support/CliRunner.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(ImportCli, PlansThenWritesWhatTheOptionsAllow)
{
    const Lines real = test::RealHistoryLines();
    const Lines cut(real.begin() + 2, real.end());
    const std::string changed = real[2].substr(0, 26) + "16";
    const Lines input = {
        "2026-096 " + real[0].substr(8),
        "26095," + real[1].substr(8),
        "2026093 01 02 03 04 05 06 17",
        changed,
    };
    const std::string plan = "{\"added\":[\"2026096\",\"2026095\"],\"unchanged\":0,\"conflicts\":[{\"issue\":"
                             "\"2026094\",\"old\":\"" +
                             real[2] + "\",\"new\":\"" + changed +
                             "\"}],\"rejected\":[{\"line\":3,\"text\":\"2026093 01 02 03 04 05 06 17\","
                             "\"reason\":\"蓝球应在1至16之间：17\"}],\"gaps\":[],\"applied\":";
    Lines replaced = real;
    replaced[2] = changed;
    const struct
    {
        const char* name;
        std::vector<std::string> options;
        Lines input;
        int exitCode;
        std::string json; // the start of the "import" value
        Lines history;
        bool recomputed;
    } cases[] = {
        {"dry run", {"--dry-run"}, input, 0, plan + "false}", cut, false},
        {"dry run replacing", {"--dry-run", "--replace"}, input, 0, plan + "false}", cut, false},
        {"apply, conflict kept", {}, input, 0, plan + "true}", real, true},
        {"apply, conflict replaced", {"--replace"}, input, 0, plan + "true}", replaced, true},
        {"conflict only", {}, {changed}, 0, "{\"added\":[],\"unchanged\":0,\"conflicts\":[{", cut, false},
        {"nothing valid",
         {},
         {"期号,红球,蓝球", "", "开奖日期"},
         1,
         "{\"added\":[],\"unchanged\":0,\"conflicts\":[],"
         "\"rejected\":[{\"line\":1,",
         cut,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempAppDir dir;
        dir.Write("data/data.txt", cut);
        dir.Write("import.txt", c.input);
        std::vector<std::string> args = {"--json", "--app-dir", dir.Path().string(), "import", "import.txt"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto result = test::RunCli(args, dir.Path());
        EXPECT_EQ(result.ExitCode, c.exitCode) << result.Err;
        EXPECT_NE(result.Out.find("\"import\":" + c.json), std::string::npos) << result.Out;
        EXPECT_EQ(result.Out.find("\"error\":null") == std::string::npos, c.exitCode != 0);
        EXPECT_EQ(dir.Read("data/data.txt"), c.history);
        EXPECT_EQ(dir.Exists("option.ini"), c.recomputed);
        if (c.recomputed) {
            EXPECT_EQ(dir.ReadBytes("option.ini"), "Data=1\r\n");
        }
    }
}

} // namespace
} // namespace qv
