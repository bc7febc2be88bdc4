#include "analysis/NextIssueReference.h"

#include "analysis/OmissionStatistics.h"
#include "core/Error.h"

#include <algorithm>
#include <cstdlib>
#include <set>

namespace qv {

namespace {

using RedDraw = std::array<int, 6>;

constexpr int kSumBaseline = 102; // the usual ten-draw average of the red sum

std::vector<RedDraw> ParseRedHistory(const Lines& redHistory)
{
    std::vector<RedDraw> draws;
    draws.reserve(redHistory.size());
    for (const auto& line : redHistory) {
        if (line.empty())
            continue;
        const auto fields = SplitFieldViews(line);
        RedDraw draw{};
        for (std::size_t k = 0; k < 6; ++k)
            draw[k] = StrToInt(FieldAt(fields, k));
        draws.push_back(draw);
    }
    return draws;
}

void RequireDraws(std::size_t count, const char* what)
{
    if (count >= kReferenceMinimumDraws)
        return;
    std::string text = what;
    text += "只有";
    text += std::to_string(count);
    text += "期，至少需要";
    text += std::to_string(kReferenceMinimumDraws);
    text += "期才能进行下一期基础指标分析";
    throw Error(text);
}

std::string Ratio(const char* first, int p, const char* second, int q)
{
    std::string text = first;
    text += std::to_string(p);
    text += "%  ";
    text += second;
    text += std::to_string(q);
    text += '%';
    return text;
}

// Reds of the newest draw in record order, then those of the second-newest not among them,
// sorted by value.
std::vector<int> RepeatNumbers(const std::vector<RedDraw>& draws)
{
    std::vector<int> numbers(draws[0].begin(), draws[0].end());
    for (const int red : draws[1]) {
        bool seen = false;
        for (const int n : numbers)
            seen = seen || n == red;
        if (!seen)
            numbers.push_back(red);
    }
    std::stable_sort(numbers.begin(), numbers.end());
    return numbers;
}

std::string NeighbourNumbers(const std::vector<int>& repeats)
{
    std::set<std::string> neighbours;
    for (const int n : repeats) {
        if (n >= 2 && n <= 32) {
            neighbours.insert(TwoDigits(n + 1));
            neighbours.insert(TwoDigits(n - 1));
        } else if (n == 1) {
            neighbours.insert("02");
        } else if (n == 33) {
            neighbours.insert("32");
        }
    }
    return Join(std::vector<std::string>(neighbours.begin(), neighbours.end()), " ");
}

Lines ComputeRedSheet(const std::vector<RedDraw>& draws, const std::vector<int>& spans,
                      NextIssueReference& reference)
{
    Lines sheet;
    sheet.reserve(kRedSheetLines);

    const std::vector<int> repeats = RepeatNumbers(draws);
    reference.RepeatNumbers = JoinTwoDigits(repeats);
    reference.NeighbourNumbers = NeighbourNumbers(repeats);

    std::array<int, 34> recent{};
    for (std::size_t i = 0; i < 6; ++i)
        for (const int red : draws[i])
            if (red >= 1 && red <= 33)
                ++recent[red];
    std::vector<int> cold;
    std::vector<int> hot;
    for (int n = 1; n <= 33; ++n) {
        if (recent[n] == 0)
            cold.push_back(n);
        else if (recent[n] >= 2)
            hot.push_back(n);
    }
    reference.ColdNumbers = JoinTwoDigits(cold);
    reference.HotNumbers = JoinTwoDigits(hot);

    sheet.push_back(reference.RepeatNumbers);
    sheet.push_back(reference.NeighbourNumbers);
    sheet.push_back(reference.ColdNumbers);
    sheet.push_back(reference.HotNumbers);

    const long long n = static_cast<long long>(draws.size());
    std::array<long long, 6> positionSums{};
    for (const auto& draw : draws)
        for (std::size_t k = 0; k < 6; ++k)
            positionSums[k] += draw[k];
    std::string means;
    for (std::size_t k = 0; k < 6; ++k) {
        reference.PositionMeans[k] = static_cast<double>(positionSums[k]) / static_cast<double>(n);
        if (k)
            means += ' ';
        means += TwoDigits(static_cast<int>(positionSums[k] / n));
    }
    sheet.push_back(means);

    for (const std::size_t depth : {std::size_t{10}, std::size_t{9}}) {
        std::string sums;
        for (std::size_t k = 0; k < 6; ++k) {
            int sum = 0;
            for (std::size_t i = 0; i < depth; ++i)
                sum += draws[i][k];
            if (k)
                sums += ' ';
            sums += TwoDigits(sum);
        }
        sheet.push_back(sums);
    }

    const auto zones = [&](std::size_t depth) {
        std::array<int, 3> counts{};
        for (std::size_t i = 0; i < depth; ++i)
            for (const int red : draws[i]) {
                if (red >= 1 && red <= 11)
                    ++counts[0];
                else if (red >= 12 && red <= 22)
                    ++counts[1];
                else if (red >= 23 && red <= 33)
                    ++counts[2];
            }
        return std::to_string(counts[0]) + ":" + std::to_string(counts[1]) + ":" + std::to_string(counts[2]);
    };
    std::string zoneLine = "5期比：";
    zoneLine += zones(5);
    zoneLine += " 4期比：";
    zoneLine += zones(4);
    sheet.push_back(zoneLine);

    int tenSum = 0;
    int even = 0;
    int small = 0;
    for (std::size_t i = 0; i < 10; ++i)
        for (const int red : draws[i]) {
            tenSum += red;
            if (red % 2 == 0)
                ++even;
            if (red <= 16)
                ++small;
        }
    const int average = tenSum / 10;
    std::string averageLine = "平均：";
    averageLine += std::to_string(average);
    averageLine += " 偏态：";
    averageLine += std::to_string(average - kSumBaseline);
    sheet.push_back(averageLine);

    long long spanSum = 0;
    for (const int span : spans)
        spanSum += span;
    sheet.push_back(std::to_string(spanSum / static_cast<long long>(spans.size())));
    int span10 = 0;
    int span9 = 0;
    for (std::size_t i = 0; i < 10; ++i) {
        span10 += spans[i];
        if (i < 9)
            span9 += spans[i];
    }
    std::string spanLine = "10期极距和：";
    spanLine += std::to_string(span10);
    spanLine += " 9期极距和：";
    spanLine += std::to_string(span9);
    sheet.push_back(spanLine);

    const int odd = 60 - even;
    std::string parityLine = "偶数：";
    parityLine += std::to_string(even);
    parityLine += "  奇数：";
    parityLine += std::to_string(odd);
    parityLine += "  偏态：";
    parityLine += std::to_string(std::abs(even - odd));
    sheet.push_back(parityLine);

    const int big = 60 - small;
    std::string sizeLine = "小号：";
    sizeLine += std::to_string(small);
    sizeLine += "  大号：";
    sizeLine += std::to_string(big);
    sizeLine += "  偏态：";
    sizeLine += std::to_string(std::abs(small - big));
    sheet.push_back(sizeLine);

    for (const double mean : reference.PositionMeans)
        sheet.push_back(FormatReal(mean));
    return sheet;
}

struct BlueRow
{
    int Blue = 0;
    bool Odd = false, Even = false, Prime = false, Composite = false, Big = false, Small = false;
};

Lines ComputeBlueSheet(const std::vector<BlueRow>& rows)
{
    const long long m = static_cast<long long>(rows.size());
    long long total = 0;
    for (const auto& row : rows)
        total += row.Blue;
    int sum10 = 0;
    int sum9 = 0;
    for (std::size_t i = 0; i < 10; ++i) {
        sum10 += rows[i].Blue;
        if (i < 9)
            sum9 += rows[i].Blue;
    }

    Lines sheet;
    sheet.reserve(kBlueSheetLines);
    sheet.push_back(std::to_string(total / m));
    std::string recent = "10期来：";
    recent += std::to_string(sum10);
    recent += "   9期来：";
    recent += std::to_string(sum9);
    sheet.push_back(recent);

    const auto shares = [&](bool BlueRow::*first, bool BlueRow::*second, const char* firstText,
                            const char* secondText) {
        long long all1 = 0, all2 = 0, ten1 = 0, ten2 = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const bool a = rows[i].*first;
            const bool b = rows[i].*second;
            all1 += a;
            all2 += b;
            if (i < 10) {
                ten1 += a;
                ten2 += b;
            }
        }
        sheet.push_back(Ratio(firstText, WholePercent(all1, m), secondText, WholePercent(all2, m)));
        sheet.push_back(Ratio(firstText, WholePercent(ten1, 10), secondText, WholePercent(ten2, 10)));
    };
    shares(&BlueRow::Odd, &BlueRow::Even, "奇数：", "偶数：");
    shares(&BlueRow::Prime, &BlueRow::Composite, "质数：", "合数：");
    shares(&BlueRow::Big, &BlueRow::Small, "大数：", "小数：");
    return sheet;
}

} // namespace

ReferenceSheets ComputeReferenceSheets(const Lines& redHistory, const Lines& redIndicatorTable,
                                       const Lines& blueIndicatorTable)
{
    const std::vector<RedDraw> draws = ParseRedHistory(redHistory);
    RequireDraws(draws.size(), "历史数据");
    RequireDraws(redIndicatorTable.size(), "红球指标数据（Red/RedAna.txt）");
    RequireDraws(blueIndicatorTable.size(), "蓝球指标数据（Blue/BlueAna.txt）");

    std::vector<int> spans;
    spans.reserve(redIndicatorTable.size());
    for (const auto& line : redIndicatorTable)
        spans.push_back(StrToInt(FieldAt(SplitFieldViews(line), 21)));

    std::vector<BlueRow> blues;
    blues.reserve(blueIndicatorTable.size());
    for (const auto& line : blueIndicatorTable) {
        BlueRow row;
        row.Blue = StrToInt(FieldAt(SplitFieldViews(line), 1));
        row.Odd = Contains(line, "奇");
        row.Even = Contains(line, "偶");
        row.Prime = Contains(line, "质");
        row.Composite = Contains(line, "合");
        row.Big = Contains(line, "大");
        row.Small = Contains(line, "小");
        blues.push_back(row);
    }

    ReferenceSheets sheets;
    sheets.Red = ComputeRedSheet(draws, spans, sheets.Reference);
    sheets.Blue = ComputeBlueSheet(blues);
    return sheets;
}

NextIssueReference ReferenceFromSheets(const Lines& red, const Lines& blue)
{
    if (red.size() < kRedSheetLines)
        throw Error::ListIndexOutOfBounds(static_cast<long long>(red.size()));
    if (blue.size() < kBlueSheetLines)
        throw Error::ListIndexOutOfBounds(static_cast<long long>(blue.size()));
    NextIssueReference reference;
    reference.RepeatNumbers = red[0];
    reference.NeighbourNumbers = red[1];
    reference.ColdNumbers = red[2];
    reference.HotNumbers = red[3];
    for (std::size_t k = 0; k < 6; ++k)
        reference.PositionMeans[k] = StrToReal(red[13 + k]);
    return reference;
}

void LogReferenceComputation(StepLog& log, const ReferenceSheets& sheets, const Lines& redHistory)
{
    std::size_t draws = 0;
    for (const auto& line : redHistory)
        draws += !line.empty();

    std::string counted = "OK...读取成功，自此以来共有";
    counted += std::to_string(draws);
    counted += "期数字需要进行统计->";
    LogStep(log, counted);
    LogStep(log, "开始计算前2期重号数->");
    LogStep(log, "OK...统计重号：" + sheets.Red[0]);
    LogStep(log, "开始准备计算邻号->");
    LogStep(log, "OK...计算得出邻号：" + sheets.Red[1]);
    LogStep(log, "开始计算6期来不曾出现过的冷码->");
    LogStep(log, "OK...计算出最近冷号：" + sheets.Red[2]);
    LogStep(log, "OK...计算出最近热号：" + sheets.Red[3]);
    LogStep(log, "开始计算所有期位置平均值->");
    LogStep(log, "开始计算区间偏态情况->");
    LogStep(log, "所有期3区合计统计结束->");
    LogStep(log, "开始计算10期来平均值->");
    LogStep(log, "10期来平均值计算....OK");
    LogStep(log, "开始计算极距情况->");
    LogStep(log, "极距分析....OK");
    LogStep(log, "正在进行奇偶偏态分析....");
    LogStep(log, "奇偶偏态分析....OK");
    LogStep(log, "正在进行大小偏态分析....");
    LogStep(log, "大小偏态分析....OK");
}

} // namespace qv
