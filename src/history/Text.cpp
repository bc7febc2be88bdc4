#include "history/Text.h"

#include "core/Error.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace qv {

namespace {

template <typename Out> void SplitInto(std::string_view text, char delimiter, std::vector<Out>& fields)
{
    fields.clear();
    if (text.empty())
        return;
    std::size_t start = 0;
    for (;;) {
        const std::size_t p = text.find(delimiter, start);
        if (p == std::string_view::npos)
            break;
        fields.emplace_back(text.substr(start, p - start));
        start = p + 1;
    }
    if (start < text.size())
        fields.emplace_back(text.substr(start));
}

} // namespace

std::vector<std::string> SplitFields(std::string_view text, char delimiter)
{
    std::vector<std::string> fields;
    SplitInto(text, delimiter, fields);
    return fields;
}

std::vector<std::string_view> SplitFieldViews(std::string_view text, char delimiter)
{
    std::vector<std::string_view> fields;
    SplitInto(text, delimiter, fields);
    return fields;
}

const std::string& FieldAt(const std::vector<std::string>& fields, std::size_t index)
{
    if (index >= fields.size())
        throw Error::ListIndexOutOfBounds(static_cast<long long>(index));
    return fields[index];
}

std::string_view FieldAt(const std::vector<std::string_view>& fields, std::size_t index)
{
    if (index >= fields.size())
        throw Error::ListIndexOutOfBounds(static_cast<long long>(index));
    return fields[index];
}

bool TryStrToInt(std::string_view text, int& value)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return false;
    long long v = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
        if (v > 2147483648LL)
            return false;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        return false;
    value = static_cast<int>(v);
    return true;
}

int StrToInt(std::string_view text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        throw Error::NotAnInteger(text);
    return value;
}

int IntValueOrZero(std::string_view text)
{
    int value = 0;
    return TryStrToInt(text, value) ? value : 0;
}

int CompareAsInt(std::string_view a, std::string_view b)
{
    const long long d = static_cast<long long>(IntValueOrZero(a)) - IntValueOrZero(b);
    return d < 0 ? -1 : (d > 0 ? 1 : 0);
}

void SortAsInt(std::vector<std::string>& items)
{
    std::stable_sort(items.begin(), items.end(), [](const std::string& a, const std::string& b) {
        return IntValueOrZero(a) < IntValueOrZero(b);
    });
}

std::string TwoDigits(int value)
{
    if (value >= 0 && value < 10)
        return std::string(1, '0') + static_cast<char>('0' + value);
    return std::to_string(value);
}

std::string FormatReal(double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    if (text == "-0")
        text = "0";
    return text;
}

double StrToReal(std::string_view text)
{
    std::string copy(text);
    const char* begin = copy.c_str();
    if (copy.empty() || copy.find_first_not_of("+-0123456789.eE") != std::string::npos)
        throw Error("'" + copy + "' is not a valid floating point value");
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(begin, &end);
    if (end != begin + copy.size() || errno == ERANGE)
        throw Error("'" + copy + "' is not a valid floating point value");
    return value;
}

int WholePercent(long long count, long long total)
{
    if (total == 0)
        return 0;
    const double share = static_cast<double>(count) / static_cast<double>(total) * 100.0;
    return static_cast<int>(std::trunc(share));
}

std::string JoinTwoDigits(const std::vector<int>& numbers)
{
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i)
            text += ' ';
        text += TwoDigits(numbers[i]);
    }
    return text;
}

std::string Join(const std::vector<std::string>& items, std::string_view separator)
{
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i)
            text += separator;
        text += items[i];
    }
    return text;
}

std::string Join(const std::vector<std::string_view>& items, std::string_view separator)
{
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i)
            text += separator;
        text += items[i];
    }
    return text;
}

bool Contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

} // namespace qv
