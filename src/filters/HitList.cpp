#include "filters/FilterRule.h"
#include "filters/LineText.h"

#include <bit>

namespace qv {

namespace {

// The two-character text of every number 1..33, as it stands in a RedCombo.
constexpr char kNumberText[34][2] = {
    {'0', '0'}, {'0', '1'}, {'0', '2'}, {'0', '3'}, {'0', '4'}, {'0', '5'}, {'0', '6'},
    {'0', '7'}, {'0', '8'}, {'0', '9'}, {'1', '0'}, {'1', '1'}, {'1', '2'}, {'1', '3'},
    {'1', '4'}, {'1', '5'}, {'1', '6'}, {'1', '7'}, {'1', '8'}, {'1', '9'}, {'2', '0'},
    {'2', '1'}, {'2', '2'}, {'2', '3'}, {'2', '4'}, {'2', '5'}, {'2', '6'}, {'2', '7'},
    {'2', '8'}, {'2', '9'}, {'3', '0'}, {'3', '1'}, {'3', '2'}, {'3', '3'},
};

// The numbers of a RedCombo whose text holds item. Items never hold a blank, so an item
// that occurs in a RedCombo lies inside one number's two characters; longer items and
// items of other characters hit nothing.
std::uint64_t ItemMask(std::string_view item)
{
    std::uint64_t mask = 0;
    for (int n = 1; n <= 33; ++n) {
        const std::string_view text(kNumberText[n], 2);
        if (text.find(item) != std::string_view::npos)
            mask |= std::uint64_t{1} << (n - 1);
    }
    return mask;
}

inline bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

BasketLine MakeBasketLine(std::string_view text)
{
    BasketLine line;
    line.Text = text;
    if (text.size() != 17)
        return line;
    std::uint64_t mask = 0;
    int previous = 0;
    for (int k = 0; k < 6; ++k) {
        const std::size_t at = static_cast<std::size_t>(k) * 3;
        if (k > 0 && text[at - 1] != ' ')
            return line;
        const char tens = text[at];
        const char ones = text[at + 1];
        if (!IsDigit(tens) || !IsDigit(ones))
            return line;
        const int value = (tens - '0') * 10 + (ones - '0');
        if (value < 1 || value > 33 || value <= previous)
            return line;
        previous = value;
        mask |= std::uint64_t{1} << (value - 1);
        line.Reds[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(value);
    }
    line.IsCombo = true;
    line.Mask = mask;
    return line;
}

namespace {

// Calls f with every non-empty blank-separated item of items, repeats included.
template <typename F> void ForEachItem(std::string_view items, F&& f)
{
    std::size_t start = 0;
    while (start <= items.size()) {
        std::size_t end = items.find(' ', start);
        if (end == std::string_view::npos)
            end = items.size();
        if (end > start)
            f(items.substr(start, end - start));
        start = end + 1;
    }
}

} // namespace

int CountHits(std::string_view items, std::string_view line)
{
    int count = 0;
    ForEachItem(items, [&](std::string_view item) { count += line.find(item) != std::string_view::npos; });
    return count;
}

HitList::HitList(std::string_view items) : m_items(items)
{
    ForEachItem(items, [&](std::string_view item) { m_masks.push_back(ItemMask(item)); });
    // Items that hit exactly one number and stand once in the list count by one
    // population count; the rest are counted one by one.
    std::uint64_t seen = 0;
    for (const std::uint64_t mask : m_masks) {
        if (mask == 0)
            continue;
        if (std::has_single_bit(mask) && (seen & mask) == 0) {
            seen |= mask;
            continue;
        }
        m_others.push_back(mask);
    }
    // A single-bit item met again after its first time goes to the others (it counts
    // twice); its first time stays in the single-bit set.
    m_singles = seen;
}

int HitList::CountSlow(const BasketLine& line) const
{
    if (!line.IsCombo)
        return CountHits(m_items, line.Text);
    int count = CountBits(m_singles & line.Mask);
    for (const std::uint64_t mask : m_others)
        count += (mask & line.Mask) != 0 ? 1 : 0;
    return count;
}

} // namespace qv
