#include "history/DrawLine.h"

#include <algorithm>
#include <array>
#include <vector>

namespace qv {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

bool HasDigit(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), IsDigit);
}

bool HasAsciiLetter(std::string_view text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); });
}

bool StartsWith(std::string_view text, std::string_view start)
{
    return text.substr(0, start.size()) == start;
}

bool EndsWith(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// The separators and full-width forms a pasted line may hold, each with what it stands for:
// a blank, a digit or a dash.
struct Replacement
{
    std::string_view From;
    char To;
};
constexpr std::array<Replacement, 11> kReplacements{{
    {"\xE3\x80\x80", ' '}, // ideographic space
    {"\xC2\xA0", ' '},     // no-break space
    {"\xEF\xBB\xBF", ' '}, // byte order mark
    {"\xEF\xBC\x8C", ' '}, // ，
    {"\xE3\x80\x81", ' '}, // 、
    {"\xEF\xBD\x9C", ' '}, // ｜
    {"\xEF\xBC\x9B", ' '}, // ；
    {"\xEF\xBC\x8B", ' '}, // ＋
    {"\xEF\xBC\x8D", '-'}, // －
    {"\xEF\xBC\x8F", '/'}, // ／
    {"\xEF\xBC\x9A", ':'}, // ：
}};

// The line with every separator turned into one blank and full-width digits into ASCII.
std::string Prepare(std::string_view line)
{
    std::string out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size();) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == ',' || c == '|' || c == '+' || c == ';' || c == '\r' || c == '\n' ||
            c == '\v' || c == '\f') {
            out += ' ';
            ++i;
            continue;
        }
        const std::string_view rest = line.substr(i);
        // Full-width digits U+FF10..U+FF19: EF BC 90..99.
        if (rest.size() >= 3 && rest[0] == '\xEF' && rest[1] == '\xBC' && rest[2] >= '\x90' &&
            rest[2] <= '\x99') {
            out += static_cast<char>('0' + (static_cast<unsigned char>(rest[2]) - 0x90));
            i += 3;
            continue;
        }
        const auto found = std::find_if(kReplacements.begin(), kReplacements.end(),
                                        [&](const Replacement& r) { return StartsWith(rest, r.From); });
        if (found != kReplacements.end()) {
            out += found->To;
            i += found->From.size();
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

constexpr std::string_view kIssuePrefix = "\xE7\xAC\xAC"; // 第
constexpr std::string_view kIssueSuffix = "\xE6\x9C\x9F"; // 期
constexpr std::array<std::string_view, 7> kDateMarks{"-", "/", ".", ":", "年", "月", "日"};

enum class Kind
{
    Number,   // one or two digits
    Issue,    // an issue in one of its forms, normalised
    BadIssue, // written as an issue ("第…期") but not of 7 or 5 digits
    Digits,   // any other run of digits: a date, an amount
    Ignored,  // a word, a weekday, a date or a time
    Unknown,  // digits mixed with other characters
};

struct Token
{
    std::string_view Text;
    Kind What = Kind::Ignored;
    std::string Issue;
    int Value = 0;
};

// "2026097", "26097", "2026-097", "26-097", each optionally as "第…期": the 7-digit issue.
std::optional<std::string> NormaliseIssue(std::string_view core)
{
    if (AllDigits(core)) {
        if (core.size() == 7)
            return std::string(core);
        if (core.size() == 5)
            return "20" + std::string(core);
        return std::nullopt;
    }
    const std::size_t dash = core.find('-');
    if (dash == std::string_view::npos)
        return std::nullopt;
    const std::string_view year = core.substr(0, dash);
    const std::string_view draw = core.substr(dash + 1);
    if (!AllDigits(year) || !AllDigits(draw) || draw.size() != 3)
        return std::nullopt;
    if (year.size() == 4)
        return std::string(year) + std::string(draw);
    if (year.size() == 2)
        return "20" + std::string(year) + std::string(draw);
    return std::nullopt;
}

// "20261208": a date written without separators.
bool IsCompactDate(std::string_view digits)
{
    if (digits.size() != 8 || !(StartsWith(digits, "19") || StartsWith(digits, "20")))
        return false;
    const int month = StrToInt(digits.substr(4, 2));
    const int day = StrToInt(digits.substr(6, 2));
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

Token Classify(std::string_view text)
{
    Token token;
    token.Text = text;
    std::string_view core = text;
    const bool marked = StartsWith(core, kIssuePrefix) || EndsWith(core, kIssueSuffix);
    if (StartsWith(core, kIssuePrefix))
        core.remove_prefix(kIssuePrefix.size());
    if (EndsWith(core, kIssueSuffix))
        core.remove_suffix(kIssueSuffix.size());
    if (auto issue = NormaliseIssue(core)) {
        token.What = Kind::Issue;
        token.Issue = std::move(*issue);
        return token;
    }
    if (marked && AllDigits(core)) {
        token.What = Kind::BadIssue;
        return token;
    }
    if (AllDigits(text)) {
        if (text.size() <= 2) {
            token.What = Kind::Number;
            token.Value = StrToInt(text);
        } else if (!IsCompactDate(text)) {
            token.What = Kind::Digits;
        }
        return token;
    }
    if (!HasDigit(text))
        return token; // a word: a weekday, a caption
    if (!HasAsciiLetter(text) && std::any_of(kDateMarks.begin(), kDateMarks.end(),
                                             [&](std::string_view mark) { return Contains(text, mark); }))
        return token; // a date or a time
    token.What = Kind::Unknown;
    return token;
}

DrawLineRead Refuse(std::string reason)
{
    DrawLineRead read;
    read.Reason = std::move(reason);
    return read;
}

const char* const kIssueForm = "期号应为7位数字（如2026097，也可写作2026-097或26097）：";
const char* const kNumbersForm = "（应为6个红球和1个蓝球）";

} // namespace

DrawLineRead ReadDrawLine(std::string_view line)
{
    const std::string prepared = Prepare(line);
    std::vector<Token> tokens;
    for (const std::string_view field : SplitFieldViews(prepared))
        if (!field.empty())
            tokens.push_back(Classify(field));
    if (tokens.empty()) {
        DrawLineRead blank;
        blank.Blank = true;
        blank.Reason = "空行";
        return blank;
    }

    // The issue comes first: a number before it belongs to no column of a draw.
    const auto issue =
        std::find_if(tokens.begin(), tokens.end(), [](const Token& t) { return t.What == Kind::Issue; });
    for (auto token = tokens.begin(); token != issue; ++token) {
        if (token->What == Kind::BadIssue || (issue == tokens.end() && token->What == Kind::Digits))
            return Refuse(kIssueForm + std::string(token->Text));
        if (issue != tokens.end() && token->What == Kind::Number)
            return Refuse("期号之前不应有号码：" + std::string(token->Text));
    }
    if (issue == tokens.end())
        return Refuse("没有期号，不是开奖数据（如表头或说明文字）");
    const auto at = static_cast<std::size_t>(issue - tokens.begin());

    DrawRecord draw;
    draw.Issue = tokens[at].Issue;
    if (draw.Issue.substr(4) == "000")
        return Refuse("期号的期数应从001起：" + std::string(tokens[at].Text));
    std::vector<const Token*> numbers;
    for (std::size_t i = at + 1; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        const bool complete = numbers.size() == 7;
        switch (token.What) {
        case Kind::Number:
            if (complete)
                return Refuse(std::string("号码多于7个") + kNumbersForm + "：" + std::string(token.Text));
            numbers.push_back(&token);
            break;
        case Kind::Issue:
        case Kind::BadIssue:
        case Kind::Digits:
            if (!complete)
                return Refuse("号码应为一至两位数字：" + std::string(token.Text));
            break;
        case Kind::Unknown:
            if (!complete)
                return Refuse("无法识别：" + std::string(token.Text));
            break;
        case Kind::Ignored:
            break;
        }
    }
    if (numbers.size() < 7)
        return Refuse(std::string("号码不足7个") + kNumbersForm + "，只有" + std::to_string(numbers.size()) +
                      "个");

    for (std::size_t i = 0; i < 6; ++i) {
        const Token& red = *numbers[i];
        if (red.Value < 1 || red.Value > 33)
            return Refuse("红球应在1至33之间：" + std::string(red.Text));
        for (std::size_t j = 0; j < i; ++j)
            if (numbers[j]->Value == red.Value)
                return Refuse("红球重复：" + std::string(red.Text));
        draw.Reds[i] = red.Value;
    }
    std::sort(draw.Reds.begin(), draw.Reds.end());
    const Token& blue = *numbers[6];
    if (blue.Value < 1 || blue.Value > 16)
        return Refuse("蓝球应在1至16之间：" + std::string(blue.Text));
    draw.Blue = blue.Value;
    DrawLineRead read;
    read.Draw = std::move(draw);
    return read;
}

std::string_view IssueOf(std::string_view line)
{
    const std::string_view first = line.substr(0, line.find(' '));
    return first.size() == 7 && AllDigits(first) ? first : std::string_view();
}

std::optional<HistoryFault> FindHistoryFault(const Lines& history)
{
    for (std::size_t i = 0; i < history.size(); ++i) {
        std::string why;
        if (!ParseHistoryLine(history[i], &why))
            return HistoryFault{static_cast<int>(i) + 1, history[i], why};
        if (i == 0)
            continue;
        const std::string_view above = IssueOf(history[i - 1]);
        const std::string_view below = IssueOf(history[i]);
        if (above <= below) {
            std::string reason = "第" + std::to_string(i) + "行的期号" + std::string(above) + "应大于第" +
                                 std::to_string(i + 1) + "行的期号" + std::string(below) +
                                 "（历史记录从新到旧排列，每期只占一行）";
            return HistoryFault{static_cast<int>(i), history[i - 1], std::move(reason), true};
        }
    }
    return std::nullopt;
}

std::optional<std::string> PlacementFault(const Lines& history, std::size_t index)
{
    const std::string_view issue = IssueOf(history.at(index));
    if (issue.empty())
        return std::nullopt;
    for (std::size_t j = 0; j < history.size(); ++j)
        if (j != index && IssueOf(history[j]) == issue)
            return "期号" + std::string(issue) + "已经存在：" + history[j];
    if (index > 0) {
        const std::string_view above = IssueOf(history[index - 1]);
        if (!above.empty() && issue >= above)
            return "期号" + std::string(issue) + "应小于上一行的期号" + std::string(above) +
                   "（历史记录从新到旧排列）";
    }
    if (index + 1 < history.size()) {
        const std::string_view below = IssueOf(history[index + 1]);
        if (!below.empty() && issue <= below)
            return "期号" + std::string(issue) + "应大于下一行的期号" + std::string(below) +
                   "（新的开奖记录排在比它早的记录之上）";
    }
    return std::nullopt;
}

} // namespace qv
