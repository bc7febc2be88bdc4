#include "purchase/Replay.h"

#include "core/Error.h"

#include <cstdio>
#include <utility>

namespace qv {

std::vector<IssuedDraw> ReplayDraws(const Lines& history, int count)
{
    if (count < 1)
        throw Error("回放期数应至少为1期");
    std::vector<IssuedDraw> draws = NewestDraws(history, static_cast<std::size_t>(count));
    if (draws.empty())
        throw Error("没有历史数据，无法回放。请先载入或添加开奖记录。");
    return draws;
}

ReplayOutcome ReplayList(const Lines& queryList, const std::vector<IssuedDraw>& draws)
{
    const TicketList list = ReadTicketList(queryList, "查询清单");
    if (list.Bets.Bets == 0) {
        std::string text = "查询清单中没有可回放的号码";
        if (list.SkippedCount > 0 && list.SkippedWithoutBlue == list.SkippedCount)
            text += "：清单中的号码都没有蓝球，请先在“购买清单”中点“随机->”配上蓝码";
        text += "（每行一注，如“01 02 03 04 05 06 +07”，或复式、胆拖的写法）";
        throw Error(text);
    }
    ReplayOutcome outcome;
    outcome.Replay = ReplayBets(list.Bets, draws);
    if (list.SkippedCount > 0) {
        std::string& line = outcome.SkippedNote;
        line = "另有" + std::to_string(list.SkippedCount) +
               "行未回放（不是一注、复式或胆拖的写法，或没有蓝球），第一行为第";
        line += std::to_string(list.Skipped.front().Index + 1);
        line += "行“";
        line += list.Skipped.front().Text;
        line += "”";
    }
    return outcome;
}

std::string PercentText(double rate)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f%%", rate * 100.0);
    return buffer;
}

Lines ReplayTableLines(const ReplayResult& replay)
{
    Lines lines;
    std::string header = "期号";
    for (const auto& rule : kPrizeTiers) {
        header += ' ';
        header += rule.Name;
    }
    header += " 固定奖金";
    lines.push_back(std::move(header));
    for (const auto& draw : replay.Draws) {
        std::string row = draw.Issue;
        for (const std::uint64_t count : draw.Tiers) {
            row += ' ';
            row += std::to_string(count);
        }
        row += ' ';
        row += std::to_string(draw.Fixed);
        lines.push_back(std::move(row));
    }
    const std::size_t n = replay.Draws.size();
    lines.push_back("共回放" + std::to_string(n) + "期，每期" + std::to_string(replay.Bets) + "注，花费" +
                    std::to_string(replay.Cost) + "元");
    lines.push_back(
        "固定奖金合计：" + std::to_string(replay.Fixed) + "元，盈亏：" +
        std::to_string(static_cast<long long>(replay.Fixed) - static_cast<long long>(replay.Cost)) +
        "元，返奖率：" + PercentText(replay.ReturnRate));
    lines.push_back("一等奖、二等奖共" + std::to_string(replay.FloatingHits) + "注（浮动奖金未计入）");
    return lines;
}

} // namespace qv
