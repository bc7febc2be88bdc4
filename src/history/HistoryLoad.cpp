#include "history/HistoryLoad.h"

#include "history/DrawRecord.h"

namespace qv {

std::string QuotedLine(std::string_view line)
{
    constexpr std::size_t kShown = 60;
    if (line.size() <= kShown)
        return std::string(line);
    std::size_t cut = kShown;
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
        --cut;
    return std::string(line.substr(0, cut)) + "…";
}

std::string HistoryLineReason(std::string_view line)
{
    const auto fields = SplitFieldViews(line);
    if (line.empty())
        return "空行";
    if (fields.size() < 8)
        return "只有" + std::to_string(fields.size()) + "项，应为8项";
    int value = 0;
    for (std::size_t k = 1; k <= 6; ++k)
        if (!TryStrToInt(fields[k], value))
            return "第" + std::to_string(k) + "个红球“" + QuotedLine(fields[k]) + "”不是整数";
    if (!TryStrToInt(fields[7], value))
        return "蓝球“" + QuotedLine(fields[7]) + "”不是整数";
    std::string why;
    if (!ParseHistoryLine(line, &why))
        return why;
    return {};
}

namespace {

std::string HistoryLineReport(std::size_t index, std::string_view line)
{
    std::string report = "历史数据（data/data.txt）第";
    report += std::to_string(index + 1);
    report += "行“";
    report += QuotedLine(line);
    report += "”无法读取";
    const std::string why = HistoryLineReason(line);
    if (!why.empty()) {
        report += "：";
        report += why;
    }
    report += "。每行应为期号、6个红球和1个蓝球，以一个空格分隔，如“2026096 01 04 16 22 26 31 04”，"
              "请改正后重算数据。";
    return report;
}

} // namespace

HistoryLineError::HistoryLineError(std::size_t index, std::string_view line, const Error& original)
    : Error(HistoryLineReport(index, line)), m_original(original.what())
{
}

Lines RedHistoryOf(const Lines& historyLines)
{
    Lines reds;
    reds.reserve(historyLines.size() + 1);
    for (std::size_t i = 0; i < historyLines.size(); ++i) {
        const std::string& line = historyLines[i];
        const auto fields = SplitFieldViews(line);
        std::string combo;
        ReadHistoryLine(i, line, [&] {
            for (std::size_t k = 1; k <= 6; ++k) {
                if (k > 1)
                    combo += ' ';
                combo += FieldAt(fields, k);
            }
        });
        reds.push_back(std::move(combo));
    }
    reds.emplace_back();
    return reds;
}

} // namespace qv
