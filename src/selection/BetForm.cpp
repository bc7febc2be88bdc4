#include "selection/BetForm.h"

#include "history/Text.h"

#include <array>
#include <bit>

namespace qv {

namespace {

struct BinomialTable
{
    std::uint64_t Value[kRedNumbers + 1][kRedNumbers + 1] = {};
    constexpr BinomialTable()
    {
        for (int n = 0; n <= kRedNumbers; ++n) {
            Value[n][0] = 1;
            for (int k = 1; k <= n; ++k)
                Value[n][k] = Value[n - 1][k - 1] + (k < n ? Value[n - 1][k] : 0);
        }
    }
};
constexpr BinomialTable kBinomial;
static_assert(kBinomial.Value[33][6] == 1'107'568);

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The value of one or two digits; anything longer is out of every range.
int NumberValue(std::string_view digits)
{
    if (digits.size() > 2)
        return 100;
    int value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

std::optional<BetForm> Fail(std::string* why, std::string text)
{
    if (why)
        *why = std::move(text);
    return std::nullopt;
}

} // namespace

int BetForm::BankerCount() const
{
    return std::popcount(Bankers);
}

int BetForm::RedCount() const
{
    return std::popcount(Reds);
}

int BetForm::BlueCount() const
{
    return std::popcount(Blues);
}

std::uint64_t Binomial(int n, int k)
{
    if (n < 0 || n > kRedNumbers || k < 0 || k > n)
        return 0;
    return kBinomial.Value[n][k];
}

namespace {

// The two digits at p as a number, or -1.
int TwoDigitValue(const char* p)
{
    const unsigned tens = static_cast<unsigned char>(p[0]) - '0';
    const unsigned ones = static_cast<unsigned char>(p[1]) - '0';
    return tens <= 9 && ones <= 9 ? static_cast<int>(tens * 10 + ones) : -1;
}

// The line as the basket and the purchase list write nearly every line: six distinct
// two-digit reds and at most one two-digit blue, single blanks between. Whatever else the
// line is (any other spacing, digits or form, or a number out of range) goes the long way,
// which then gives the reason too.
std::optional<BetForm> PlainSingle(std::string_view line, bool blueRequired)
{
    if (line.size() != 17 && !(line.size() == 21 && line[17] == ' ' && line[18] == '+'))
        return std::nullopt;
    BetForm form;
    for (int k = 0; k < 6; ++k) {
        if (k > 0 && line[static_cast<std::size_t>(3 * k - 1)] != ' ')
            return std::nullopt;
        const int value = TwoDigitValue(line.data() + 3 * k);
        if (value < 1 || value > kRedNumbers)
            return std::nullopt;
        const std::uint64_t bit = std::uint64_t{1} << (value - 1);
        if (form.Reds & bit)
            return std::nullopt;
        form.Reds |= bit;
    }
    if (line.size() == 21) {
        const int blue = TwoDigitValue(line.data() + 19);
        if (blue < 1 || blue > kBlueNumbers)
            return std::nullopt;
        form.Blues = std::uint32_t{1} << (blue - 1);
    } else if (blueRequired) {
        return std::nullopt;
    }
    form.Kind = BetKind::Single;
    return form;
}

} // namespace

std::optional<BetForm> ParseBetForm(std::string_view line, bool blueRequired, std::string* why)
{
    if (auto plain = PlainSingle(line, blueRequired))
        return plain;
    BetForm form;
    bool sawParenthesis = false;
    bool inParenthesis = false;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (IsBlank(c)) {
            ++i;
            continue;
        }
        if (c == '(') {
            if (sawParenthesis)
                return Fail(why, "胆码只能有一对括号");
            if (form.Reds != 0 || form.Blues != 0)
                return Fail(why, "胆码的括号应写在行首，如“(01 02) 03 04 05 06 07 08 +03”");
            sawParenthesis = inParenthesis = true;
            ++i;
            continue;
        }
        if (c == ')') {
            if (!inParenthesis)
                return Fail(why, "括号不成对");
            inParenthesis = false;
            ++i;
            continue;
        }
        const bool blue = c == '+';
        if (blue) {
            if (inParenthesis)
                return Fail(why, "括号内只能写胆码（红球）");
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() && IsDigit(line[i]))
            ++i;
        if (i == start || (i < line.size() && !IsBlank(line[i]) && line[i] != ')')) {
            if (blue && i == start)
                return Fail(why, "“+”后应紧跟蓝球号码，如“+07”");
            std::size_t end = i;
            while (end < line.size() && !IsBlank(line[end]))
                ++end;
            const std::size_t from = blue ? start - 1 : start;
            std::string text = "“";
            text.append(line.substr(from, end - from));
            text += "”不是号码（号码为一到两位数字，以空格分隔）";
            return Fail(why, text);
        }
        const std::string_view digits = line.substr(start, i - start);
        const int value = NumberValue(digits);
        if (blue) {
            if (value < 1 || value > kBlueNumbers)
                return Fail(why, "蓝球“+" + std::string(digits) + "”不在01至16之间");
            const std::uint32_t bit = std::uint32_t{1} << (value - 1);
            if (form.Blues & bit)
                return Fail(why, "蓝球" + TwoDigits(value) + "重复");
            form.Blues |= bit;
            continue;
        }
        if (form.Blues != 0)
            return Fail(why, "红球应写在蓝球之前");
        if (value < 1 || value > kRedNumbers)
            return Fail(why, "红球“" + std::string(digits) + "”不在01至33之间");
        const std::uint64_t bit = std::uint64_t{1} << (value - 1);
        if (!inParenthesis && (form.Bankers & bit))
            return Fail(why, "胆码" + TwoDigits(value) + "也在拖码中");
        if ((form.Bankers | form.Reds) & bit)
            return Fail(why, "红球" + TwoDigits(value) + "重复");
        (inParenthesis ? form.Bankers : form.Reds) |= bit;
    }
    if (inParenthesis)
        return Fail(why, "括号不成对");
    if (blueRequired && form.Blues == 0)
        return Fail(why, "没有蓝球（蓝球写在红球之后，如“+07”）");

    const int reds = form.RedCount();
    if (sawParenthesis) {
        const int bankers = form.BankerCount();
        if (bankers < 1 || bankers > kMaxBankers)
            return Fail(why, "胆拖的胆码应为1至5个，现有" + std::to_string(bankers) + "个");
        if (bankers + reds < 7)
            return Fail(why, "胆拖的胆码与拖码合计应至少7个，现有" + std::to_string(bankers + reds) + "个");
        form.Kind = BetKind::Banker;
        return form;
    }
    if (reds < 6)
        return Fail(why, "红球不足6个，现有" + std::to_string(reds) + "个");
    if (form.Blues != 0 && reds > kMaxCompoundReds)
        return Fail(why, "复式红球最多20个，现有" + std::to_string(reds) + "个");
    form.Kind = reds == 6 && form.BlueCount() <= 1 ? BetKind::Single : BetKind::Compound;
    return form;
}

bool LooksLikeMultiBetForm(std::string_view line)
{
    int blues = 0;
    int redsBeforeBlue = 0;
    bool inNumber = false;
    for (const char c : line) {
        if (c == '(' || c == ')')
            return true;
        if (c == '+') {
            ++blues;
            inNumber = true;
            continue;
        }
        if (IsBlank(c)) {
            inNumber = false;
            continue;
        }
        if (!inNumber && blues == 0)
            ++redsBeforeBlue;
        inNumber = true;
    }
    return blues >= 2 || (blues >= 1 && redsBeforeBlue >= 7);
}

std::uint64_t RedComboCount(const BetForm& form)
{
    return Binomial(form.RedCount(), 6 - form.BankerCount());
}

std::uint64_t BetCount(const BetForm& form)
{
    const int blues = form.BlueCount();
    return RedComboCount(form) * static_cast<std::uint64_t>(blues == 0 ? 1 : blues);
}

std::string RedComboText(std::uint64_t mask)
{
    std::string text;
    text.reserve(17);
    for (int n = 1; n <= kRedNumbers; ++n) {
        if (!(mask >> (n - 1) & 1))
            continue;
        if (!text.empty())
            text += ' ';
        text += TwoDigits(n);
    }
    return text;
}

} // namespace qv
