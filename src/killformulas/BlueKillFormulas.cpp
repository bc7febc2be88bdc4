#include "killformulas/BlueKillFormulas.h"

#include "killformulas/KillVerification.h"

namespace qv {

namespace {

using kill::KillPrediction;
using kill::KillTarget;
using kill::NumberText;
using kill::UnitsDigit;

constexpr std::size_t kBlueFormulas = 5;

KillPrediction TailKill(long long value)
{
    KillPrediction prediction;
    prediction.Tail = static_cast<char>('0' + UnitsDigit(value));
    prediction.Text = std::string(1, prediction.Tail) + "尾";
    prediction.Target = KillTarget::BlueTail;
    return prediction;
}

KillPrediction BlueKill(long long value)
{
    KillPrediction prediction;
    prediction.Text = NumberText(value);
    prediction.Target = KillTarget::Blue;
    prediction.Numbers.push_back(prediction.Text);
    return prediction;
}

KillPrediction BluePairKill(long long p, long long q)
{
    KillPrediction prediction;
    prediction.Target = KillTarget::Blue;
    prediction.Numbers = {NumberText(p), NumberText(q)};
    prediction.Text = prediction.Numbers[0] + "|" + prediction.Numbers[1];
    return prediction;
}

void PredictBlue(const kill::DrawFields& earlier, std::vector<KillPrediction>& out)
{
    const long long b = StrToInt(FieldAt(earlier, 7));
    const long long r1 = StrToInt(FieldAt(earlier, 1));
    const long long r2 = StrToInt(FieldAt(earlier, 2));
    const long long issue = StrToInt(FieldAt(earlier, 0));
    // The tail of the blue's two-digit text: 07 gives 7, 10 gives 0.
    const long long u = UnitsDigit(b);
    out.push_back(TailKill(2 * u));
    out.push_back(BluePairKill(b + 2 > 16 ? b - 14 : b + 2, b - 2 < 1 ? b + 14 : b - 2));
    out.push_back(BlueKill(kill::ReduceInto(r1 + b, 16)));
    out.push_back(TailKill(issue + b));
    out.push_back(TailKill(r2 + 1));
}

constexpr kill::KillFormulaSet kBlueSet{"杀蓝公式", kBlueFormulas, PredictBlue};

} // namespace

KillVerification VerifyBlueKillTable(const Lines& history, KillRows rows)
{
    return kill::VerifyKillFormulas(history, kBlueSet, rows);
}

std::vector<std::string> BlueKillPredictions(std::string_view historyLine)
{
    return kill::PredictionTexts(kBlueSet, historyLine);
}

std::vector<std::string> BlueKillColumns()
{
    return kill::ColumnCaptions(kBlueSet);
}

} // namespace qv
