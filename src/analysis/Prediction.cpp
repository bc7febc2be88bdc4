#include "analysis/Prediction.h"

#include "analysis/OmissionStatistics.h"
#include "core/Error.h"
#include "history/StoredFile.h"
#include "killformulas/KillVerification.h"

#include <algorithm>
#include <array>

namespace qv {

namespace {

using Reds = std::array<int, 6>;

constexpr int kHighestRed = 33;
constexpr std::array<int, 3> kRegionBoundaries{10, 20, 30};

// Row captions of the prediction view in the computing and the reading mode.
constexpr const char* kFiveDrawCaption = "五期均值算法";
constexpr const char* kFifthDrawCaption = "参考前4+1期重码";
constexpr const char* kRegionEdgeCaption = "区域边缘算法";
constexpr const char* kLongOmissionComputedCaption = "10期大遗漏值";
constexpr const char* kLongOmissionStoredCaption = "10期大遗漏";

constexpr std::size_t kStoredLines = 5;

void RequireDraws(const Lines& historyLines, std::size_t needed)
{
    if (historyLines.size() >= needed)
        return;
    std::string text = "历史数据不足：当前期分析至少需要";
    text += std::to_string(kPredictionMinimumDraws);
    text += "期开奖数据，现有";
    text += std::to_string(historyLines.size());
    text += "期。";
    throw Error(text);
}

Reds RedsOf(std::string_view line)
{
    const auto fields = SplitFieldViews(line);
    Reds reds{};
    for (std::size_t k = 0; k < reds.size(); ++k)
        reds[k] = StrToInt(FieldAt(fields, k + 1));
    return reds;
}

// Walks adjacent pairs of an ascending list; a pair that straddles a boundary adds both
// numbers, or only the upper one when the lower one is already listed (so a pair across
// two boundaries adds its upper number twice).
void CollectEdges(const std::vector<int>& numbers, std::vector<int>& edges)
{
    std::vector<int> list;
    for (std::size_t i = 0; i + 1 < numbers.size(); ++i) {
        const int x = numbers[i];
        const int y = numbers[i + 1];
        for (const int boundary : kRegionBoundaries) {
            if (!(x < boundary && boundary <= y))
                continue;
            if (std::find(list.begin(), list.end(), x) == list.end())
                list.push_back(x);
            list.push_back(y);
        }
    }
    edges.insert(edges.end(), list.begin(), list.end());
}

struct ListStep
{
    bool PredictionSwitches::*Switch; // nullptr: always runs
    const char* StartLine;
    const char* DoneLine; // nullptr: none
};

// The algorithms in the order they run.
constexpr std::array<ListStep, 5> kListSteps{{
    {&PredictionSwitches::FiveDrawMean, "正在进行五期均值法计算....", "五期均值法计算....OK"},
    {&PredictionSwitches::FifthDraw, "列出第5期重码以供参考....", nullptr},
    {&PredictionSwitches::RegionEdge, "正在进行区域边缘算法....", "区域边缘运算成功...OK"},
    {&PredictionSwitches::KillRed, "正在进行杀红算法....", "杀红运算成功...OK"},
    {nullptr, "正在遗漏10期分析.....", "计算大于10期遗漏...OK"},
}};

bool Runs(const ListStep& step, const PredictionSwitches& switches)
{
    return step.Switch == nullptr || switches.*(step.Switch);
}

void AddRow(PredictionLists& out, const char* caption, const std::string& numbers)
{
    out.Rows.push_back(ViewRow{caption, numbers});
}

} // namespace

std::string FiveDrawMeanNumbers(const Lines& historyLines)
{
    RequireDraws(historyLines, 5);
    Reds sums{};
    for (std::size_t i = 0; i < 5; ++i) {
        const Reds reds = RedsOf(historyLines[i]);
        for (std::size_t k = 0; k < sums.size(); ++k)
            sums[k] += reds[k];
    }
    std::vector<int> means;
    for (const int sum : sums)
        means.push_back(sum / 5);
    return JoinTwoDigits(means);
}

std::string FifthDrawNumbers(const Lines& historyLines)
{
    RequireDraws(historyLines, 4);
    const auto fields = SplitFieldViews(historyLines[3]);
    std::string text;
    for (std::size_t k = 1; k <= 6; ++k) {
        if (k > 1)
            text += ' ';
        text += FieldAt(fields, k);
    }
    return text;
}

std::string RegionEdgeNumbers(const Lines& historyLines)
{
    RequireDraws(historyLines, 2);
    std::array<bool, kHighestRed + 1> drawn{};
    std::vector<int> united;
    for (std::size_t i = 0; i < 2; ++i)
        for (const int red : RedsOf(historyLines[i]))
            united.push_back(red);
    std::sort(united.begin(), united.end());
    united.erase(std::unique(united.begin(), united.end()), united.end());
    for (const int red : united)
        if (red >= 1 && red <= kHighestRed)
            drawn[static_cast<std::size_t>(red)] = true;
    std::vector<int> missed;
    for (int number = 1; number <= kHighestRed; ++number)
        if (!drawn[static_cast<std::size_t>(number)])
            missed.push_back(number);

    std::vector<int> edges;
    CollectEdges(united, edges);
    CollectEdges(missed, edges);
    std::stable_sort(edges.begin(), edges.end());
    return JoinTwoDigits(edges);
}

std::string KillRedNumbers(std::string_view newestLine)
{
    const auto fields = SplitFieldViews(newestLine);
    const long long b = StrToInt(FieldAt(fields, 7));
    std::array<long long, 6> r{};
    for (std::size_t k = 0; k < r.size(); ++k)
        r[k] = StrToInt(FieldAt(fields, k + 1));
    const auto [r1, r2, r3, r4, r5, r6] = r;
    (void)r4;

    std::vector<long long> candidates;
    const auto takeIf = [&candidates](bool taken, long long value) {
        if (taken)
            candidates.push_back(value);
    };
    takeIf(true, b + 9);
    takeIf(true, b + 7);
    takeIf(b % 2 == 0 && 2 * b + 2 <= kHighestRed, 2 * b + 2);
    takeIf(b % 2 != 0 && 5 * b + 2 <= kHighestRed, 5 * b + 2);
    takeIf(true, r2 - r1);
    takeIf(true, r5 - r2);
    takeIf(3 * (r1 + b) <= kHighestRed, 3 * (r1 + b));
    takeIf(true, r3 + 7); // listed even above 33
    takeIf(r6 + 4 <= kHighestRed, r6 + 4);
    takeIf(r1 + r2 <= kHighestRed, r1 + r2);
    takeIf(true, r3 - r2);
    takeIf(true, r5 - r3);
    takeIf(r6 + b - r1 - 3 <= kHighestRed, r6 + b - r1 - 3);

    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    std::string text;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (i)
            text += ' ';
        text += kill::NumberText(candidates[i]);
    }
    return text;
}

std::string LongOmissionNumbers(const Lines& historyLines)
{
    RequireDraws(historyLines, kPredictionMinimumDraws);
    std::array<bool, kHighestRed + 1> drawn{};
    for (std::size_t i = 0; i < kPredictionMinimumDraws; ++i)
        for (const int red : RedsOf(historyLines[i]))
            if (red >= 1 && red <= kHighestRed)
                drawn[static_cast<std::size_t>(red)] = true;
    std::vector<int> missed;
    for (int number = 1; number <= kHighestRed; ++number)
        if (!drawn[static_cast<std::size_t>(number)])
            missed.push_back(number);
    return JoinTwoDigits(missed);
}

void RequirePredictionInput(const Lines& historyLines)
{
    RequireDraws(historyLines, kPredictionMinimumDraws);
    for (std::size_t i = 0; i < kPredictionMinimumDraws; ++i)
        (void)RedsOf(historyLines[i]);
    (void)KillRedNumbers(historyLines[0]);
}

PredictionLists ComputePredictionLists(const Lines& historyLines, const PredictionSwitches& switches,
                                       StepLog& log)
{
    PredictionLists out;
    NextIssuePrediction& lists = out.Lists;
    for (std::size_t k = 0; k < kListSteps.size(); ++k) {
        const ListStep& step = kListSteps[k];
        if (!Runs(step, switches))
            continue;
        LogStep(log, step.StartLine);
        switch (k) {
        case 0:
            lists.FiveDrawMeanNumbers = FiveDrawMeanNumbers(historyLines);
            AddRow(out, kFiveDrawCaption, lists.FiveDrawMeanNumbers);
            out.Stored.push_back(lists.FiveDrawMeanNumbers);
            break;
        case 1:
            lists.FifthDrawNumbers = FifthDrawNumbers(historyLines);
            AddRow(out, kFifthDrawCaption, lists.FifthDrawNumbers);
            out.Stored.push_back(lists.FifthDrawNumbers);
            break;
        case 2:
            lists.RegionEdgeNumbers = RegionEdgeNumbers(historyLines);
            AddRow(out, kRegionEdgeCaption, lists.RegionEdgeNumbers);
            out.Stored.push_back(lists.RegionEdgeNumbers);
            break;
        case 3:
            lists.KillNumbers = KillRedNumbers(historyLines[0]);
            out.Stored.push_back(lists.KillNumbers);
            break;
        default:
            lists.LongOmissionNumbers = LongOmissionNumbers(historyLines);
            AddRow(out, kLongOmissionComputedCaption, lists.LongOmissionNumbers);
            out.Stored.push_back(lists.LongOmissionNumbers);
            break;
        }
        if (step.DoneLine)
            LogStep(log, step.DoneLine);
    }
    return out;
}

void LogPredictionLists(StepLog& log, const PredictionSwitches& switches)
{
    for (const ListStep& step : kListSteps) {
        if (!Runs(step, switches))
            continue;
        LogStep(log, step.StartLine);
        if (step.DoneLine)
            LogStep(log, step.DoneLine);
    }
}

Lines PredictionAppearanceReport(const Lines& historyLines, const std::vector<OmissionDraw>* draws)
{
    if (draws)
        return BuildAppearanceReport(*draws, BallColour::Red);
    return BuildAppearanceReport(ParseOmissionDraws(historyLines), BallColour::Red);
}

PredictionLists PredictionFromStored(std::string_view file, const Lines& stored)
{
    // A file a run with a switched-off algorithm wrote holds fewer lists, in other places.
    RequireStoredLineCount(file, stored, kStoredLines);
    CheckStoredLines(file, [&stored]() {
        for (const auto& line : stored)
            for (const auto field : SplitFieldViews(line))
                if (!field.empty())
                    (void)StrToInt(field);
    });

    PredictionLists out;
    out.Stored = stored;
    out.Lists.FiveDrawMeanNumbers = stored[0];
    out.Lists.FifthDrawNumbers = stored[1];
    out.Lists.RegionEdgeNumbers = stored[2];
    out.Lists.KillNumbers = stored[3];
    out.Lists.LongOmissionNumbers = stored[4];
    AddRow(out, kFiveDrawCaption, stored[0]);
    AddRow(out, kFifthDrawCaption, stored[1]);
    AddRow(out, kRegionEdgeCaption, stored[2]);
    AddRow(out, kLongOmissionStoredCaption, stored[4]);
    return out;
}

} // namespace qv
