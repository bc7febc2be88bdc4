#include "indicators/Classification.h"

#include <array>
#include <charconv>

namespace qv {

namespace {

constexpr std::array<std::string_view, 5> kElements = {"土", "水", "火", "木", "金"};
constexpr std::array<std::string_view, 8> kTrigrams = {"乾", "兑", "离", "震", "巽", "坎", "艮", "坤"};

} // namespace

long long FloorMod(long long value, long long divisor)
{
    const long long r = value % divisor;
    return r < 0 ? r + divisor : r;
}

std::string_view ElementOf(long long n)
{
    return kElements[static_cast<std::size_t>(FloorMod(n, 5))];
}

std::string_view TrigramOf(long long n)
{
    // n - 1 cannot overflow: n comes from a 32-bit field or from a line count.
    return kTrigrams[static_cast<std::size_t>(FloorMod(n - 1, 8))];
}

char RemainderLetter(long long n)
{
    switch (FloorMod(n, 3)) {
    case 1:
        return 'A';
    case 2:
        return 'B';
    default:
        return 'C';
    }
}

void AppendInt(std::string& out, long long value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

} // namespace qv
