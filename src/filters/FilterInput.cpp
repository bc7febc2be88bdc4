#include "filters/FilterRule.h"

#include "history/HistoryLoad.h"

#include <array>
#include <utility>

namespace qv {

namespace {

// The parameter fields whose row in the filter view carries a caption of their own.
constexpr std::array<std::pair<std::string_view, std::string_view>, 13> kFieldCaptions{{
    {"T1Qx", "“一区和值”的下限"},
    {"T1Qy", "“一区和值”的上限"},
    {"T2Qx", "“二区和值”的下限"},
    {"T2Qy", "“二区和值”的上限"},
    {"T3Qx", "“三区和值”的下限"},
    {"T3Qy", "“三区和值”的上限"},
    {"TeSEdit10", "“一区个数”的下限"},
    {"TeSEdit11", "“一区个数”的上限"},
    {"TeSEdit14", "“二区个数”的下限"},
    {"TeSEdit15", "“二区个数”的上限"},
    {"TeSEdit16", "“三区个数”的下限"},
    {"TeSEdit17", "“三区个数”的上限"},
    {"edit12", "“至少出现…个”"},
}};

} // namespace

std::string ParameterPlace(std::string_view field)
{
    for (const auto& [name, caption] : kFieldCaptions) {
        if (name != field)
            continue;
        std::string place = "参数框";
        place += caption;
        place += "（";
        place += field;
        place += "）";
        return place;
    }
    std::string place = "参数框 ";
    place += field;
    return place;
}

int ParameterInt(std::string_view field, const std::string& text)
{
    try {
        return StrToInt(text);
    } catch (const Error& e) {
        throw FilterInputError(ParameterPlace(field), text, "一个整数（如 2），不带空格", e);
    }
}

FilterInputError RuleLineError(std::string_view memo, std::size_t number, const std::string& line,
                               std::string expected, const Error& original)
{
    std::string place = "规则框 ";
    place += memo;
    place += " 第";
    place += std::to_string(number);
    place += "行";
    return FilterInputError(std::move(place), line, std::move(expected), original);
}

std::string FilterInputReport(std::string_view caption, const FilterInputError& error)
{
    std::string text = "过滤条件“";
    text += caption;
    text += "”：";
    text += error.Place();
    text += "的内容“";
    text += QuotedLine(error.Text());
    text += "”无法识别，应为";
    text += error.Expected();
    text += "。";
    return text;
}

} // namespace qv
