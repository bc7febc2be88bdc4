#include "filters/LineText.h"

#include "core/Error.h"
#include "history/Text.h"

namespace qv {

std::array<std::string_view, 6> SixFields(std::string_view line)
{
    // Fields 0..5 without building the whole field list.
    std::array<std::string_view, 6> fields{};
    std::size_t start = 0;
    for (std::size_t k = 0; k < 6; ++k) {
        // SplitFields gives no field for an empty rest: a trailing blank ends the fields.
        if (start >= line.size())
            throw Error::ListIndexOutOfBounds(static_cast<long long>(k));
        std::size_t end = line.find(' ', start);
        if (end == std::string_view::npos)
            end = line.size();
        fields[k] = line.substr(start, end - start);
        start = end + 1;
    }
    return fields;
}

std::array<int, 6> SixNumbers(std::string_view line)
{
    // Each field is read as it is reached: a line "a" gives the conversion error, a line
    // "01 02" the index error.
    std::array<int, 6> numbers{};
    std::size_t start = 0;
    for (std::size_t k = 0; k < 6; ++k) {
        if (start >= line.size())
            throw Error::ListIndexOutOfBounds(static_cast<long long>(k));
        std::size_t end = line.find(' ', start);
        if (end == std::string_view::npos)
            end = line.size();
        numbers[k] = StrToInt(line.substr(start, end - start));
        start = end + 1;
    }
    return numbers;
}

std::string_view TrimBlanks(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return text.substr(begin, end - begin);
}

std::string_view NumberText(int n)
{
    static constexpr char kText[] = "000102030405060708091011121314151617181920212223242526272829303132"
                                    "33";
    return std::string_view(kText + 2 * n, 2);
}

std::uint64_t NumbersOccurringIn(std::string_view text)
{
    std::uint64_t mask = 0;
    for (int n = 1; n <= 33; ++n)
        if (text.find(NumberText(n)) != std::string_view::npos)
            mask |= NumberBit(n);
    return mask;
}

} // namespace qv
