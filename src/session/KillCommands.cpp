#include "session/KillCommands.h"

#include "core/Error.h"
#include "core/Host.h"
#include "history/AppPaths.h"
#include "history/TextFile.h"
#include "killformulas/BlueKillFormulas.h"
#include "killformulas/RedKillFormulas.h"
#include "session/AppState.h"

namespace qv {

namespace {

// One verification run: its lines, the rate pane cleared, then the new results. Without
// lines the history file is read afresh (after the pane was cleared).
template <typename Verify>
void RunVerification(AppState& state, Host& host, KillVerification& result, Verify verify,
                     const char* startLine, const char* doneLine, const char* view, const char* rates,
                     const Lines* history)
{
    LogStep(host, startLine);
    result.RateLines.clear();
    host.ViewChanged(rates);

    const KillRows rows = state.BuildsViews ? KillRows::Built : KillRows::Left;
    result = history ? verify(*history, rows) : verify(LoadLines(state.File(files::kHistory)), rows);
    host.ViewChanged(rates);
    host.ViewChanged(view);
    LogStep(host, doneLine);
}

void VerifyRed(AppState& state, Host& host, const Lines* history)
{
    RunVerification(state, host, state.Kill.Red, VerifyRedKillTable, kRedKillStartLine, kRedKillDoneLine,
                    kRedKillView, kRedKillRates, history);
}

void VerifyBlue(AppState& state, Host& host, const Lines* history)
{
    RunVerification(state, host, state.Kill.Blue, VerifyBlueKillTable, kBlueKillStartLine, kBlueKillDoneLine,
                    kBlueKillView, kBlueKillRates, history);
}

} // namespace

void VerifyRedKillFormulas(AppState& state, Host& host)
{
    VerifyRed(state, host, nullptr);
}

void VerifyBlueKillFormulas(AppState& state, Host& host)
{
    VerifyBlue(state, host, nullptr);
}

void VerifyKillFormulasOn(AppState& state, Host& host, const Lines& history)
{
    VerifyRed(state, host, &history);
    VerifyBlue(state, host, &history);
}

void SaveRedKillTable(AppState& state, Host& host)
{
    SaveKillTable(state, host, state.Kill.Red, "杀红公式验证.txt",
                  "还没有杀红公式的验证记录，请先点击“重算”。");
}

void SaveBlueKillTable(AppState& state, Host& host)
{
    SaveKillTable(state, host, state.Kill.Blue, "杀蓝公式验证.txt",
                  "还没有杀蓝公式的验证记录，请先点击“重算”。");
}

void SaveKillTable(const AppState& state, Host& host, const KillVerification& verification,
                   const std::string& proposedName, const std::string& missingText)
{
    if (verification.Empty())
        throw Error(missingText);
    const auto path = host.ChooseSaveFile(state.TextFileDialog(proposedName));
    if (!path)
        return;
    SaveLines(*path, verification.Table);
}

} // namespace qv
