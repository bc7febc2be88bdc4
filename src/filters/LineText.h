#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// How the rules read a line that is not a RedCombo: fields cut at every blank, in the order
// in which they stand.

// The numbers at positions 1..6: fields 0..5, each read as an integer in this order. A
// missing field is "List index out of bounds (%d)", a field that is not a number the
// conversion error; fields after the sixth are never read.
std::array<int, 6> SixNumbers(std::string_view line);

// The fields at positions 1..6 as text, with the same report for a missing field.
std::array<std::string_view, 6> SixFields(std::string_view line);

// Drops the blanks and control characters around text.
std::string_view TrimBlanks(std::string_view text);

// The two-character text of the number n (1..33) as a RedCombo writes it.
std::string_view NumberText(int n);

// The number of set bits. Without the processor's own instruction the library's call is
// slow enough to matter on a full basket, so x86 builds without it count by halves.
inline int CountBits(std::uint64_t x)
{
#if (defined(__x86_64__) || defined(__i386__)) && !defined(__POPCNT__)
    x = x - ((x >> 1) & 0x5555555555555555ull);
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((x * 0x0101010101010101ull) >> 56);
#else
    return std::popcount(x);
#endif
}

// Bit n-1 for the number n: the mask of a set of numbers.
constexpr std::uint64_t NumberBit(int n)
{
    return std::uint64_t{1} << (n - 1);
}

// The numbers 1..33 whose two-character text occurs in text (the mask form of "the
// number's text is a substring of text").
std::uint64_t NumbersOccurringIn(std::string_view text);

} // namespace qv
