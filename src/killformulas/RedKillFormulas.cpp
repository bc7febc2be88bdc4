#include "killformulas/RedKillFormulas.h"

#include "killformulas/KillVerification.h"

namespace qv {

namespace {

using kill::KillPrediction;
using kill::NumberText;
using kill::ReduceInto;

constexpr std::size_t kRedFormulas = 7;

KillPrediction RedKill(long long value)
{
    KillPrediction prediction;
    prediction.Text = NumberText(value);
    prediction.Target = kill::KillTarget::Reds;
    prediction.Numbers.push_back(prediction.Text);
    return prediction;
}

void PredictRed(const kill::DrawFields& earlier, std::vector<KillPrediction>& out)
{
    const long long b = StrToInt(FieldAt(earlier, 7));
    const long long r1 = StrToInt(FieldAt(earlier, 1));
    const long long r2 = StrToInt(FieldAt(earlier, 2));
    const long long r3 = StrToInt(FieldAt(earlier, 3));
    const long long r5 = StrToInt(FieldAt(earlier, 5));
    out.push_back(RedKill(b + 9));
    out.push_back(RedKill(b + 7));
    out.push_back(RedKill(ReduceInto(b % 2 == 0 ? 2 * b + 2 : 5 * b + 2, 33)));
    out.push_back(RedKill(r3 - r2));
    out.push_back(RedKill(r5 - r2));
    out.push_back(RedKill(ReduceInto(3 * (r1 + b), 33)));
    // Not reduced: a number above 33 can never be drawn, so this kill never fails.
    out.push_back(RedKill(r3 + 7));
}

constexpr kill::KillFormulaSet kRedSet{"杀红公式", kRedFormulas, PredictRed};

} // namespace

KillVerification VerifyRedKillTable(const Lines& history, KillRows rows)
{
    return kill::VerifyKillFormulas(history, kRedSet, rows);
}

std::vector<std::string> RedKillNumbers(std::string_view historyLine)
{
    return kill::PredictionTexts(kRedSet, historyLine);
}

std::vector<std::string> RedKillColumns()
{
    return kill::ColumnCaptions(kRedSet);
}

} // namespace qv
