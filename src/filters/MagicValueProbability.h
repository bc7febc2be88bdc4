#pragma once

// Helpers shared by the 神奇公式, 取值估算/三区设置 and 概率估计 families, and the tables
// they build from the history (exposed for the tests).

#include "core/Error.h"
#include "filters/FilterRule.h"
#include "history/Text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// One parameter field of the filter view and the text it holds when the window opens.
struct EditField
{
    const char* Name;
    const char* Default;
};

// The text of a parameter field as typed; a field the view never filled reads as its
// default.
inline std::string EditText(const FilterContext& context, const EditField& field)
{
    const auto it = context.Settings.Edits.find(field.Name);
    return it == context.Settings.Edits.end() ? std::string(field.Default) : it->second;
}

// The integer in a parameter field; a text that is no integer is a FilterInputError.
inline int EditInt(const FilterContext& context, const EditField& field)
{
    return ParameterInt(field.Name, EditText(context, field));
}

// A basket line cut at blanks and read by position (1..6) the way the text rules read
// it: a missing position is "List index out of bounds", a field that is not a number the
// conversion error. Cuts like SplitFields, keeping only the first six fields.
class LineFields
{
public:
    explicit LineFields(std::string_view text)
    {
        if (text.empty())
            return;
        std::size_t start = 0;
        while (m_count < m_fields.size()) {
            const std::size_t blank = text.find(' ', start);
            if (blank == std::string_view::npos) {
                if (start < text.size())
                    m_fields[m_count++] = text.substr(start);
                break;
            }
            m_fields[m_count++] = text.substr(start, blank - start);
            start = blank + 1;
        }
    }

    std::string_view Field(std::size_t position) const
    {
        if (position < 1 || position > m_count)
            throw Error::ListIndexOutOfBounds(static_cast<long long>(position) - 1);
        return m_fields[position - 1];
    }
    int Number(std::size_t position) const { return StrToInt(Field(position)); }

private:
    std::array<std::string_view, 6> m_fields{};
    std::size_t m_count = 0;
};

// The mask of the two-digit numbers listed in text (bit n-1 for n); other items are
// ignored. Meant for the fixed tables, whose items are all two-digit numbers.
std::uint64_t MaskOfNumbers(std::string_view text);

// The numbers 1..33 whose two-digit text occurs in text. For a list of distinct items
// "01".."33", CountHits(list, text) is the number of its items among them.
std::uint64_t TwoDigitNumbersIn(std::string_view text);

// The 33 numbers ordered by how many of the newest 12 draws contain them, least frequent
// first, with the counts compared as decimal text ("10" sorts between "1" and "2") and
// equal counts in ascending number order.
std::vector<std::string> BuildGoldenOrder(const Lines& redHistory);

// The five windows of 黄金分割第2算法: five numbers around each of 06, 13, 16, 20 and 27,
// taken circularly, in the order in which those numbers stand in the ordering.
std::vector<std::string> GoldenWindows(const std::vector<std::string>& goldenOrder);

// The neighbour-pair table written to "Red/Redlm.txt": the two-blank entry, then
// "A B,c" for every pair of neighbours of the past draws, an entry moving to the end of
// the table whenever it is counted again.
Lines BuildNeighbourPairTable(const Lines& redHistory);

} // namespace qv
