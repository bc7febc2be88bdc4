#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace qv {
namespace {

std::string Quoted(const std::string& text)
{
    std::string out = "'";
    for (const char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    out += "'";
    return out;
}

// Runs quorvane-cli with the app directory given; returns stdout, sets the exit status.
std::string RunCli(const test::TempAppDir& dir, const std::string& arguments, int& status)
{
    const std::string command = std::string(QUORVANE_CLI) + " --app-dir " + Quoted(dir.Path().string()) +
                                " " + arguments + " 2>/dev/null";
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        status = -1;
        return out;
    }
    char buffer[4096];
    std::size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    const int raw = pclose(pipe);
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return out;
}

TEST(PurchaseCli, CheckPrintsTheResultBox)
{
    test::TempAppDir dir;
    dir.Write("list.txt", {"01 02 03 04 05 06 +07", "01 02 03 31 32 33 +08", "01 02 03 31 32 33 +07", ""});
    const std::string list = Quoted((dir / "list.txt").string());
    int status = 0;

    EXPECT_EQ(RunCli(dir, "check --draw '01 02 03 04 05 06 +07' " + list, status),
              "中奖查询.......OK\n命中一等奖：1注\n01 02 03 04 05 06 +07\n\n命中五等奖：1注\n01 02 03 31 32 "
              "33 +07\n\n");
    EXPECT_EQ(status, 0);

    const std::string json = RunCli(dir, "--json check --draw '10 11 12 13 14 15 +16' " + list, status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(json.find("\"labels\":{\"Memo7\":\"没有中奖，真遗憾！\\n\"}"), std::string::npos) << json;

    RunCli(dir, "check --draw '01 02 03' " + list, status);
    EXPECT_EQ(status, 1);
    RunCli(dir, "check " + Quoted((dir / "missing.txt").string()), status);
    EXPECT_EQ(status, 1);
    RunCli(dir, "check", status);
    EXPECT_EQ(status, 2);
}

} // namespace
} // namespace qv
