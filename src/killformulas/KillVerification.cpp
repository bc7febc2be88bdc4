#include "killformulas/KillVerification.h"

#include "core/Error.h"

#include <algorithm>

namespace qv::kill {

namespace {

constexpr std::string_view kHit = "√";
constexpr std::string_view kMiss = "×";
constexpr std::string_view kNone = "无";
constexpr std::string_view kComingDraw = "?? ?? ?? ?? ?? ?? +??";

std::string DrawnNumbers(const DrawFields& fields)
{
    std::string text;
    for (std::size_t k = 1; k <= 6; ++k) {
        if (k > 1)
            text += ' ';
        text += FieldAt(fields, k);
    }
    text += " +";
    text += FieldAt(fields, 7);
    return text;
}

std::string RateLine(std::string_view name, std::size_t formula, int verified, int hits, int failures)
{
    std::string line(name);
    line += std::to_string(formula + 1);
    line += "在";
    line += std::to_string(verified);
    line += "期中 杀中";
    line += std::to_string(hits);
    line += "次，杀错";
    line += std::to_string(failures);
    line += "次，命中率为";
    line += std::to_string(WholePercent(hits, verified));
    line += "%";
    return line;
}

} // namespace

std::string NumberText(long long value)
{
    if (value >= 0 && value < 10)
        return std::string(1, '0') + static_cast<char>('0' + value);
    return std::to_string(value);
}

long long ReduceInto(long long value, long long limit)
{
    if (value <= limit)
        return value;
    return (value - 1) % limit + 1;
}

int UnitsDigit(long long value)
{
    return static_cast<int>(((value % 10) + 10) % 10);
}

bool KillFailed(const KillPrediction& prediction, const DrawFields& later)
{
    switch (prediction.Target) {
    case KillTarget::Reds:
        for (std::size_t k = 1; k <= 6; ++k) {
            const std::string_view red = FieldAt(later, k);
            for (const auto& number : prediction.Numbers)
                if (red == number)
                    return true;
        }
        return false;
    case KillTarget::Blue: {
        const std::string_view blue = FieldAt(later, 7);
        return std::find(prediction.Numbers.begin(), prediction.Numbers.end(), blue) !=
               prediction.Numbers.end();
    }
    case KillTarget::BlueTail: {
        const std::string_view blue = FieldAt(later, 7);
        return !blue.empty() && blue.back() == prediction.Tail;
    }
    }
    return false;
}

KillVerification VerifyKillFormulas(const Lines& history, const KillFormulaSet& set, KillRows rows)
{
    const std::size_t n = history.size();
    if (n < 2) {
        std::string text = "历史数据不足：";
        text += set.Name;
        text += "验证至少需要2期开奖数据，现有";
        text += std::to_string(n);
        text += "期。";
        throw Error(text);
    }

    std::vector<DrawFields> fields(n);
    for (std::size_t i = 0; i < n; ++i)
        fields[i] = SplitFieldViews(history[i]);

    // Table line t (0 = coming issue) holds history line t - 1 and is view row n - t (the
    // view lists the oldest draw first). Both take the formula fields as they come; the
    // rows are given the issue and the drawn numbers afterwards.
    const long long coming = static_cast<long long>(StrToInt(FieldAt(fields[0], 0))) + 1;
    const bool withRows = rows == KillRows::Built;

    KillVerification result;
    result.Hits.assign(set.Count, 0);
    result.Failures.assign(set.Count, 0);
    result.Verified = static_cast<int>(n - 1);
    // Each table line is sized once for the fields it takes (" 15|08×" and the like).
    const auto startLine = [&](std::string_view text) {
        std::string& line = result.Table.emplace_back();
        line.reserve(text.size() + set.Count * 8);
        line = text;
    };
    result.Table.reserve(n + 1);
    std::string comingLine = std::to_string(coming);
    for (int i = 0; i < 7; ++i)
        comingLine += " ??";
    startLine(comingLine);
    for (const auto& line : history)
        startLine(line);
    if (withRows) {
        result.Rows.resize(n + 1);
        for (auto& row : result.Rows) {
            row.reserve(2 + set.Count);
            row.resize(2);
        }
        result.Rows[0].resize(2 + set.Count, std::string(kNone));
    }
    for (std::size_t f = 0; f < set.Count; ++f) {
        result.Table[n] += ' ';
        result.Table[n] += kNone;
    }

    std::vector<KillPrediction> predictions;
    for (std::size_t k = n; k-- > 0;) {
        // The earlier draw is table line k + 1 = history line k; the later one is table
        // line k = history line k - 1 (none for the coming issue).
        predictions.clear();
        set.Predict(fields[k], predictions);
        std::string& line = result.Table[k];
        for (std::size_t f = 0; f < set.Count; ++f) {
            const auto& prediction = predictions.at(f);
            std::string_view mark;
            if (k != 0) {
                const bool failed = KillFailed(prediction, fields[k - 1]);
                mark = failed ? kMiss : kHit;
                ++(failed ? result.Failures[f] : result.Hits[f]);
            }
            line += ' ';
            line += prediction.Text;
            line += mark;
            if (withRows)
                result.Rows[n - k].emplace_back(
                    std::string_view(line).substr(line.size() - prediction.Text.size() - mark.size()));
        }
    }

    if (withRows) {
        for (std::size_t t = 0; t <= n; ++t) {
            ViewRow& row = result.Rows[n - t];
            if (t == 0) {
                row[0] = std::to_string(coming);
                row[1] = kComingDraw;
            } else {
                const auto& draw = fields[t - 1];
                row[0] = FieldAt(draw, 0);
                row[1] = DrawnNumbers(draw);
            }
        }
    }

    for (std::size_t f = 0; f < set.Count; ++f)
        result.RateLines.push_back(
            RateLine(set.Name, f, result.Verified, result.Hits[f], result.Failures[f]));
    return result;
}

std::vector<std::string> PredictionTexts(const KillFormulaSet& set, std::string_view historyLine)
{
    std::vector<KillPrediction> predictions;
    set.Predict(SplitFieldViews(historyLine), predictions);
    std::vector<std::string> texts;
    for (auto& prediction : predictions)
        texts.push_back(std::move(prediction.Text));
    return texts;
}

std::vector<std::string> ColumnCaptions(const KillFormulaSet& set)
{
    std::vector<std::string> columns{"期号", "当期开奖号码"};
    for (std::size_t f = 1; f <= set.Count; ++f) {
        std::string caption(set.Name);
        caption += std::to_string(f);
        columns.push_back(std::move(caption));
    }
    return columns;
}

} // namespace qv::kill
