#include "indicators/RedIndicators.h"

#include "core/Error.h"
#include "history/HistoryLoad.h"
#include "indicators/Classification.h"
#include "indicators/FieldCut.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace qv {

namespace {

using Reds = std::array<long long, 6>;

// Inclusive bounds of the position ranges (螺旋体范围), position 1 being the smallest red.
constexpr std::array<std::array<int, 2>, 6> kPositionRanges = {
    {{1, 8}, {5, 12}, {9, 16}, {17, 24}, {21, 28}, {25, 33}}};

// The three zones: 01-11, 12-22, 23-33. Numbers outside 1..33 lie in none.
int ZoneOf(long long n)
{
    if (n >= 1 && n <= 11)
        return 0;
    if (n >= 12 && n <= 22)
        return 1;
    if (n >= 23 && n <= 33)
        return 2;
    return -1;
}

void AppendTwoDigits(std::string& out, long long n)
{
    if (n >= 0 && n < 10)
        out += '0';
    AppendInt(out, n);
}

// AC value: the number of distinct differences between the reds, minus 5.
long long AcValue(const Reds& r)
{
    std::array<long long, 15> differences{};
    std::size_t k = 0;
    for (std::size_t a = 0; a < 6; ++a)
        for (std::size_t b = a + 1; b < 6; ++b)
            differences[k++] = r[b] - r[a];
    std::sort(differences.begin(), differences.end());
    const auto distinct = std::unique(differences.begin(), differences.end()) - differences.begin();
    return static_cast<long long>(distinct) - 5;
}

// Count of reds with lo <= red <= hi.
int CountIn(const Reds& r, long long lo, long long hi)
{
    return static_cast<int>(
        std::count_if(r.begin(), r.end(), [&](long long n) { return n >= lo && n <= hi; }));
}

// Fields 8 to 18: everything read from the history line (and, for the repeats, the line
// of the previous draw).
void AppendHistoryIndicators(std::string& out, const Reds& r, const Reds* previous)
{
    out += ' ';
    AppendInt(out, AcValue(r));

    out += ' '; // 个十: one-digit reds, then two-digit reds
    AppendInt(out, CountIn(r, 1, 9));
    AppendInt(out, CountIn(r, 10, 33));

    out += ' '; // 大小: 16-33, then 1-15
    AppendInt(out, CountIn(r, 16, 33));
    AppendInt(out, CountIn(r, 1, 15));

    int odd = 0;
    long long oddSum = 0;
    long long sum = 0;
    for (const long long n : r) {
        sum += n;
        if (n % 2 != 0) {
            ++odd;
            oddSum += n;
        }
    }
    out += ' '; // 奇偶
    AppendInt(out, odd);
    AppendInt(out, 6 - odd);

    out += ' '; // 除3
    for (const long long n : r)
        out += RemainderLetter(n);

    out += ' ';
    AppendInt(out, oddSum);
    out += ' ';
    AppendInt(out, sum);

    // 连号 and 连号数: the maximal runs of two or more consecutive reds.
    std::string runs;
    std::string lengths;
    for (std::size_t start = 0; start < 6;) {
        std::size_t end = start + 1;
        while (end < 6 && r[end] == r[end - 1] + 1)
            ++end;
        if (end - start >= 2) {
            if (!runs.empty()) {
                runs += ',';
                lengths += '+';
            }
            for (std::size_t k = start; k < end; ++k) {
                if (k > start)
                    runs += '-';
                AppendTwoDigits(runs, r[k]);
            }
            AppendInt(lengths, static_cast<long long>(end - start));
        }
        start = end;
    }
    out += ' ';
    out += runs.empty() ? "NO" : runs;
    out += ' ';
    out += lengths.empty() ? "NO" : lengths;

    // 重号 and 重号数: the reds shared with the previous draw.
    std::string repeats;
    int repeatCount = 0;
    if (previous) {
        for (const long long n : r) {
            if (std::find(previous->begin(), previous->end(), n) == previous->end())
                continue;
            if (repeatCount++)
                repeats += ',';
            AppendTwoDigits(repeats, n);
        }
    }
    out += ' ';
    if (repeatCount == 0) {
        out += "NO NO";
    } else {
        out += repeats;
        out += ' ';
        AppendInt(out, repeatCount);
    }
}

// Fields 19 to 24: everything read from the RedCombo of the draw.
void AppendComboIndicators(std::string& out, const Reds& r, long long ordinal)
{
    std::array<int, 3> zoneCounts{};
    std::array<long long, 3> zoneSums{};
    for (const long long n : r) {
        const int zone = ZoneOf(n);
        if (zone < 0)
            continue;
        ++zoneCounts[static_cast<std::size_t>(zone)];
        zoneSums[static_cast<std::size_t>(zone)] += n;
    }
    out += ' ';
    for (std::size_t z = 0; z < 3; ++z) {
        if (z)
            out += ':';
        AppendInt(out, zoneCounts[z]);
    }
    out += ' ';
    for (std::size_t z = 0; z < 3; ++z) {
        if (z)
            out += ':';
        AppendInt(out, zoneSums[z]);
    }

    out += ' '; // 极距
    AppendInt(out, r[5] - r[0]);

    out += ' '; // 五行
    for (const long long n : r)
        out += ElementOf(n);

    out += ' '; // 螺旋体范围
    for (std::size_t k = 0; k < 6; ++k)
        out += (r[k] >= kPositionRanges[k][0] && r[k] <= kPositionRanges[k][1]) ? "√" : "×";

    out += ' '; // 先天八卦, then the trigram of the draw
    for (const long long n : r)
        out += TrigramOf(n);
    out += ':';
    out += TrigramOf(ordinal);
}

} // namespace

Lines ComputeRedIndicatorTable(const Lines& historyLines, const Lines& redHistory, StepLog& log)
{
    const std::size_t count = historyLines.size();

    // Pass 1: the base lines; every history line needs its fields 0 to 7.
    std::vector<std::array<std::string_view, 8>> fields(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t found = CutFields(historyLines[i], fields[i]);
        if (found < 8)
            throw HistoryLineError(i, historyLines[i],
                                   Error::ListIndexOutOfBounds(static_cast<long long>(found)));
    }
    LogStep(log, "初始化成功....开始计算AC值->");

    // Pass 2 (AC value) is the first to read the reds as numbers; passes 3 to 10 read the
    // same fields and cannot fail where it succeeded.
    std::vector<Reds> historyReds(count);
    for (std::size_t i = 0; i < count; ++i)
        ReadHistoryLine(i, historyLines[i], [&] {
            for (std::size_t k = 0; k < 6; ++k)
                historyReds[i][k] = StrToInt(fields[i][k + 1]);
        });
    LogStep(log, "AC值计算成功....OK");
    static constexpr std::string_view kMiddlePasses[] = {
        "正在进行个十比计算....", "个十比计算成功....OK", "正在进行大小比计算....", "大小比计算成功....OK",
        "正在进行奇偶值计算....", "奇偶值计算成功....OK", "正在进行除3值计算....",  "除三值计算成功....OK",
        "正在进行奇数和计算....", "奇数和计算成功....OK", "正在进行总和计算....",   "总和计算成功....OK",
        "正在进行连号数计算....", "连号数计算成功....OK", "正在进行重号数计算....", "重号组合成功....OK",
    };
    for (const auto line : kMiddlePasses)
        LogStep(log, std::string(line));

    // Pass 11 (三区比) is the first to read the RedCombos; passes 12 to 17 read the same.
    LogStep(log, "正在进行三区比计算....");
    std::vector<Reds> comboReds(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (i >= redHistory.size())
            throw Error::ListIndexOutOfBounds(static_cast<long long>(i));
        std::array<std::string_view, 6> combo;
        const std::size_t found = CutFields(redHistory[i], combo);
        for (std::size_t k = 0; k < 6; ++k) {
            if (k >= found)
                throw Error::ListIndexOutOfBounds(static_cast<long long>(k));
            comboReds[i][k] = StrToInt(combo[k]);
        }
    }
    static constexpr std::string_view kLastPasses[] = {
        "三区比计算成功....OK",           "正在进行三区总和计算....", "三区比总和计算成功....OK",
        "正在进行极距计算....",           "极距计算....OK",           "正在进行五行计算....",
        "正在进行中心平均值范围计算....", "正在进行先天八卦计算....", "正在进行八卦期数计算....",
    };
    for (const auto line : kLastPasses)
        LogStep(log, std::string(line));

    Lines table;
    table.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto& f = fields[i];
        const long long ordinal = static_cast<long long>(count - i);
        std::string line;
        line.reserve(128);
        line += f[0];
        line += '(';
        AppendInt(line, ordinal);
        line += ')';
        for (std::size_t k = 1; k <= 7; ++k) {
            line += ' ';
            line += f[k];
        }
        AppendHistoryIndicators(line, historyReds[i], i + 1 < count ? &historyReds[i + 1] : nullptr);
        AppendComboIndicators(line, comboReds[i], ordinal);
        table.push_back(std::move(line));
    }
    return table;
}

} // namespace qv
