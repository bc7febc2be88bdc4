#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qv {

using Lines = std::vector<std::string>;

// Cuts text at every delimiter: "a b" gives a and b, "a  b" gives a, an empty field and b,
// " a" gives an empty field and a, "a " gives the single field a; the empty text gives no
// field at all.
std::vector<std::string> SplitFields(std::string_view text, char delimiter = ' ');

// Same cut without copying; the views point into text.
std::vector<std::string_view> SplitFieldViews(std::string_view text, char delimiter = ' ');

// Field index of fields, or the "List index out of bounds (%d)" report.
const std::string& FieldAt(const std::vector<std::string>& fields, std::size_t index);
std::string_view FieldAt(const std::vector<std::string_view>& fields, std::size_t index);

// Strict integer conversion: an optional sign and one or more ASCII digits within the
// 32-bit range; anything else is "'%s' is not a valid integer value".
int StrToInt(std::string_view text);
// The same test without the report: false when text is not such an integer.
bool TryStrToInt(std::string_view text, int& value);

// Value used by the integer sort: the text read as an integer, 0 when it is not one.
int IntValueOrZero(std::string_view text);
// The sort comparison: value of a minus value of b.
int CompareAsInt(std::string_view a, std::string_view b);
// Sorts items by ascending integer value (items that are not integers count as 0).
void SortAsInt(std::vector<std::string>& items);

// Two-digit number text: 7 gives "07", 12 gives "12"; values of 100 and more keep all
// their digits, negative values keep their sign ("-5").
std::string TwoDigits(int value);

// A real in general format: at most 15 significant digits, no trailing zeros, "." as the
// decimal point (60/7 gives "8.57142857142857", 4.7 gives "4.7", 15.0 gives "15").
std::string FormatReal(double value);
// Reads a real written by FormatReal (or any plain decimal); throws the conversion error.
double StrToReal(std::string_view text);

// Whole percent, truncated: int(count / total * 100) in doubles. A total of 0 gives 0.
int WholePercent(long long count, long long total);

// Numbers in their two-digit text joined by single blanks ("01 07 33").
std::string JoinTwoDigits(const std::vector<int>& numbers);

std::string Join(const std::vector<std::string>& items, std::string_view separator);
std::string Join(const std::vector<std::string_view>& items, std::string_view separator);

// Case-insensitive comparison of ASCII letters (the way the program sorts the basket).
// from skips a start the caller knows both texts share, letters folded; the basket sort
// calls it for every comparison, so it stays inline.
inline int CompareTextIgnoreCase(std::string_view a, std::string_view b, std::size_t from = 0)
{
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = from; i < n; ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca == cb)
            continue;
        if (ca >= 'a' && ca <= 'z')
            ca = static_cast<unsigned char>(ca - 'a' + 'A');
        if (cb >= 'a' && cb <= 'z')
            cb = static_cast<unsigned char>(cb - 'a' + 'A');
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool Contains(std::string_view text, std::string_view part);

} // namespace qv
