// kill-red, kill-blue: the kill-formula verifications on their own, as "重算" on the pages
// "杀号公式" and "杀蓝公式"; and the --off option of the commands that run the prediction.

#include "session/KillCommands.h"
#include "cli/Cli.h"
#include "cli/PredictionOptions.h"
#include "history/HistoryLoad.h"
#include "killformulas/BlueKillFormulas.h"
#include "killformulas/RedKillFormulas.h"
#include "session/HistoryCommands.h"

#include <cstdio>

namespace qv::cli {

void ApplyPredictionOff(std::vector<std::string>& args, AppState& state)
{
    for (const auto& value : TakeOptionAll(args, "off")) {
        const auto names = SplitFields(value, ',');
        if (names.empty())
            throw UsageError{"--off needs switch names, e.g. --off CheckBox1,CheckBox2"};
        for (const auto& name : names) {
            bool* flag = FindPredictionSwitch(state.Analysis.PredictionView.Switches, name);
            if (!flag) {
                std::string text = "unknown prediction switch '";
                text += name;
                text += "' (known: CheckBox1, CheckBox2, CheckBox5, CheckBox4, CheckBoxsh)";
                throw UsageError{text};
            }
            *flag = false;
        }
    }
}

namespace {

std::string JsonLines(const Lines& lines)
{
    std::string out = "[";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i)
            out += ',';
        out += JsonString(lines[i]);
    }
    out += ']';
    return out;
}

void RunKill(Context& ctx, std::vector<std::string>& args, bool red)
{
    const auto save = TakeOption(args, "save");
    ExpectPositional(args, 0, red ? "kill-red [--save FILE]" : "kill-blue [--save FILE]");

    LoadHistory(ctx.State);
    red ? VerifyRedKillFormulas(ctx.State, ctx.Host) : VerifyBlueKillFormulas(ctx.State, ctx.Host);
    const KillVerification& verification = red ? ctx.State.Kill.Red : ctx.State.Kill.Blue;
    if (save) {
        ctx.Host.QueueSaveFile(std::filesystem::absolute(*save));
        red ? SaveRedKillTable(ctx.State, ctx.Host) : SaveBlueKillTable(ctx.State, ctx.Host);
    }

    if (ctx.Json) {
        ctx.Lists[red ? "Memo19" : "Memo20"] = JsonLines(verification.RateLines);
        return;
    }
    for (const auto& line : verification.RateLines) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
}

void RunKillRed(Context& ctx, std::vector<std::string>& args)
{
    RunKill(ctx, args, true);
}

void RunKillBlue(Context& ctx, std::vector<std::string>& args)
{
    RunKill(ctx, args, false);
}

const bool registeredRed = RegisterCommand({"kill-red", "[--save FILE]", RunKillRed});
const bool registeredBlue = RegisterCommand({"kill-blue", "[--save FILE]", RunKillBlue});

} // namespace

} // namespace qv::cli
