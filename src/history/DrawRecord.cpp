#include "history/DrawRecord.h"

#include "history/Text.h"

namespace qv {

namespace {

bool AllDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (const char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

std::optional<DrawRecord> Fail(std::string* why, std::string reason)
{
    if (why)
        *why = std::move(reason);
    return std::nullopt;
}

} // namespace

std::string DrawRecord::ToLine() const
{
    std::string line = Issue;
    for (const int red : Reds) {
        line += ' ';
        line += TwoDigits(red);
    }
    line += ' ';
    line += TwoDigits(Blue);
    return line;
}

std::optional<DrawRecord> ParseHistoryLine(std::string_view line, std::string* why)
{
    if (line.size() != 28)
        return Fail(why, "长度应为28个字符，实际为" + std::to_string(line.size()) + "个");
    const auto fields = SplitFieldViews(line);
    if (fields.size() != 8)
        return Fail(why, "应为8项（期号、6个红球、1个蓝球），以一个空格分隔");
    DrawRecord record;
    if (fields[0].size() != 7 || !AllDigits(fields[0]))
        return Fail(why, "期号应为7位数字");
    record.Issue = std::string(fields[0]);
    for (int i = 0; i < 6; ++i) {
        const auto field = fields[static_cast<std::size_t>(i) + 1];
        if (field.size() != 2 || !AllDigits(field))
            return Fail(why, "红球应为两位数字：" + std::string(field));
        const int red = StrToInt(field);
        if (red < 1 || red > 33)
            return Fail(why, "红球应在01至33之间：" + std::string(field));
        if (i > 0 && red <= record.Reds[static_cast<std::size_t>(i) - 1])
            return Fail(why, "红球应从小到大排列且不重复");
        record.Reds[static_cast<std::size_t>(i)] = red;
    }
    const auto blue = fields[7];
    if (blue.size() != 2 || !AllDigits(blue))
        return Fail(why, "蓝球应为两位数字：" + std::string(blue));
    record.Blue = StrToInt(blue);
    if (record.Blue < 1 || record.Blue > 16)
        return Fail(why, "蓝球应在01至16之间：" + std::string(blue));
    return record;
}

} // namespace qv
