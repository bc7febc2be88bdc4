#include "analysis/OmissionStatistics.h"

#include "core/Error.h"
#include "history/StoredFile.h"

#include <algorithm>

namespace qv {

namespace {

// The lines of one number's block in the appearance report.
constexpr std::size_t kAppearanceBlockLines = 7;

int HighestNumber(BallColour colour)
{
    return colour == BallColour::Red ? 33 : 16;
}

const char* ColourName(BallColour colour)
{
    return colour == BallColour::Red ? "红球" : "蓝球";
}

void AppendBlock(Lines& report, const std::string& nn, int hits, int misses,
                 const std::vector<RunHistogram::Entry>& runs)
{
    report.emplace_back();
    std::string head = nn;
    head += "共出现：";
    head += std::to_string(hits);
    head += "次,共遗漏";
    head += std::to_string(misses);
    head += "次";
    report.push_back(std::move(head));
    for (const char kind : {'L', 'K'}) {
        std::string title = "========";
        title += nn;
        title += kind == 'L' ? "的重号统计=========" : "的遗漏统计=========";
        report.push_back(std::move(title));
        for (const auto& run : runs) {
            if (run.Kind != kind)
                continue;
            std::string line = nn;
            line += kind == 'L' ? "连续重出" : "遗漏";
            line += std::to_string(run.Length);
            line += "期,有";
            line += std::to_string(run.Count);
            line += "次;";
            report.push_back(std::move(line));
        }
    }
}

} // namespace

std::vector<OmissionDraw> ParseOmissionDraws(const Lines& historyLines)
{
    std::vector<OmissionDraw> draws;
    draws.reserve(historyLines.size());
    for (const auto& line : historyLines) {
        const auto fields = SplitFieldViews(line);
        OmissionDraw draw;
        draw.Issue = FieldAt(fields, 0);
        for (std::size_t k = 1; k <= 6; ++k) {
            const std::string_view text = FieldAt(fields, k);
            const int red = StrToInt(text);
            if (red >= 1 && red <= 33)
                draw.RedMask |= std::uint64_t{1} << red;
            if (k > 1)
                draw.RedText += ' ';
            draw.RedText += text;
        }
        draw.BlueText = FieldAt(fields, 7);
        draw.Blue = StrToInt(draw.BlueText);
        draws.push_back(std::move(draw));
    }
    return draws;
}

void RunHistogram::Record(int number, char kind, int length)
{
    Slot& slot = m_slots[{number, kind, length}];
    ++slot.Count;
    slot.Updated = ++m_clock;
}

std::vector<RunHistogram::Entry> RunHistogram::Entries() const
{
    std::vector<std::pair<std::uint64_t, Entry>> ordered;
    ordered.reserve(m_slots.size());
    for (const auto& [key, slot] : m_slots)
        ordered.push_back(
            {slot.Updated, Entry{std::get<0>(key), std::get<1>(key), std::get<2>(key), slot.Count}});
    std::sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Entry> entries;
    entries.reserve(ordered.size());
    for (auto& [updated, entry] : ordered)
        entries.push_back(entry);
    return entries;
}

Lines RunHistogram::ToLines() const
{
    Lines lines{" "};
    for (const auto& entry : Entries()) {
        std::string text = TwoDigits(entry.Number);
        text += ',';
        text += entry.Kind;
        text += ',';
        text += std::to_string(entry.Length);
        text += ',';
        text += std::to_string(entry.Count);
        lines.push_back(std::move(text));
    }
    return lines;
}

OmissionReport BuildOmissionReport(const std::vector<OmissionDraw>& draws, BallColour colour)
{
    OmissionReport result;
    const int highest = HighestNumber(colour);
    std::vector<int> hitCounts(static_cast<std::size_t>(highest) + 1);
    for (int number = 1; number <= highest; ++number) {
        int hits = 0;
        int hitRun = 0;
        int missRun = 0;
        for (std::size_t r = 0; r < draws.size(); ++r) {
            const bool hit = draws[r].Hits(colour, number);
            const bool oldest = r + 1 == draws.size();
            if (hit) {
                ++hits;
                ++hitRun;
            } else {
                ++missRun;
            }
            if ((!hit || oldest) && hitRun > 0) {
                result.Histogram.Record(number, 'L', hitRun);
                hitRun = 0;
            }
            if ((hit || oldest) && missRun > 0) {
                result.Histogram.Record(number, 'K', missRun);
                missRun = 0;
            }
        }
        hitCounts[static_cast<std::size_t>(number)] = hits;
    }

    // A number's entries are final once its scan is over, so the blocks can be cut from the
    // finished histogram.
    std::vector<std::vector<RunHistogram::Entry>> runs(static_cast<std::size_t>(highest) + 1);
    for (const auto& entry : result.Histogram.Entries())
        runs[static_cast<std::size_t>(entry.Number)].push_back(entry);
    const int total = static_cast<int>(draws.size());
    for (int number = 1; number <= highest; ++number) {
        const int hits = hitCounts[static_cast<std::size_t>(number)];
        AppendBlock(result.Report, TwoDigits(number), hits, total - hits,
                    runs[static_cast<std::size_t>(number)]);
    }
    result.Report.emplace_back();
    return result;
}

Lines BuildAppearanceReport(const std::vector<OmissionDraw>& draws, BallColour colour)
{
    Lines report;
    const int highest = HighestNumber(colour);
    const std::size_t n = draws.size();
    for (int number = 1; number <= highest; ++number) {
        const std::string nn = TwoDigits(number);
        std::size_t hits = 0;
        std::size_t last = n;
        for (std::size_t r = 0; r < n; ++r) {
            if (draws[r].Hits(colour, number)) {
                ++hits;
                if (last == n)
                    last = r;
            }
        }
        if (hits == 0) {
            std::string text = ColourName(colour);
            text += nn;
            text += "在全部";
            text += std::to_string(n);
            text += "期历史中从未出现，无法统计出号情况";
            throw Error(text);
        }
        const std::string& issue = draws[last].Issue;
        const std::size_t older = n - 1 - last;
        if (older < static_cast<std::size_t>(kAppearanceWindow)) {
            std::string text = ColourName(colour);
            text += nn;
            text += "最后一次出号期";
            text += issue;
            text += "之前只有";
            text += std::to_string(older);
            text += "期历史，不足";
            text += std::to_string(kAppearanceWindow);
            text += "期，无法统计出号情况";
            throw Error(text);
        }
        int window = 0;
        for (std::size_t r = last; r <= last + kAppearanceWindow; ++r)
            window += draws[r].Hits(colour, number);

        report.emplace_back("  ");
        report.push_back("=======" + nn + "=======");
        std::string line = "最后一次出号期";
        line += issue;
        line += "号码为：";
        line += colour == BallColour::Red ? draws[last].RedText : draws[last].BlueText;
        report.push_back(std::move(line));
        line = issue;
        line += "之前的60期以来共出现：";
        line += std::to_string(window);
        line += "次";
        report.push_back(std::move(line));
        line = issue;
        line += "之前的60期来平均：";
        line += FormatReal(static_cast<double>(kAppearanceWindow) / window);
        line += "期出现1次";
        report.push_back(std::move(line));
        line = "从";
        line += issue;
        line += "至今遗漏了：";
        line += std::to_string(last);
        line += "期";
        report.push_back(std::move(line));
        line = std::to_string(n);
        line += "期以来平均出号次：";
        line += FormatReal(static_cast<double>(n) / static_cast<double>(hits));
        line += "次";
        report.push_back(std::move(line));
    }
    report.emplace_back();
    return report;
}

void CheckStoredOmissionReport(std::string_view file, const Lines& report, BallColour colour)
{
    std::size_t at = 0;
    for (int number = 1; number <= HighestNumber(colour); ++number) {
        const std::string head = TwoDigits(number) + "共出现：";
        while (at < report.size() && report[at].rfind(head, 0) != 0)
            ++at;
        if (at == report.size())
            throw StoredFileError(file, "缺少号码" + TwoDigits(number) + "的统计");
    }
    if (!report.back().empty())
        throw StoredFileError(file, "文件不完整，缺少结尾的空行");
}

void CheckStoredAppearanceReport(std::string_view file, const Lines& report, BallColour colour)
{
    const int highest = HighestNumber(colour);
    RequireStoredLineCount(file, report, static_cast<std::size_t>(highest) * kAppearanceBlockLines + 1);
    for (int number = 1; number <= highest; ++number) {
        const std::size_t title = static_cast<std::size_t>(number - 1) * kAppearanceBlockLines + 1;
        if (report[title] != "=======" + TwoDigits(number) + "=======")
            throw StoredFileError(file, "第" + std::to_string(title + 1) + "行不是号码" + TwoDigits(number) +
                                            "的标题");
    }
    if (!report.back().empty())
        throw StoredFileError(file, "文件不完整，缺少结尾的空行");
}

} // namespace qv
