#include "filters/FilterRule.h"

#include <gtest/gtest.h>

#include <random>

namespace qv {
namespace {

TEST(CountHits, CountsItemsNotOccurrences)
{
    struct Case
    {
        std::string items;
        std::string line;
        int hits;
    };
    const Case cases[] = {
        {"01 05", "01 02 03 04 05 06", 2},
        {"7", "07 17 20 21 22 23", 1},   // one item, however often it occurs
        {"7 7", "07 17 20 21 22 23", 2}, // an item listed twice counts twice
        {"", "01 02 03 04 05 06", 0},
        {"   ", "01 02 03 04 05 06", 0},
        {"01  05 ", "01 02 03 04 05 06", 2},
        {" 06", "01 02 03 04 05 06", 1},
        {"0", "01 12 23 31 32 33", 1},
        {"0", "11 12 23 31 32 33", 0},
        {"3 33 333", "01 02 03 04 05 33", 2},
        {"1 2", "21", 2},
        {"02 03", "02 03", 2},
        {"2 03", "x", 0},
        {"4 5", "", 0},
        {"07 07 07", "01 07 08 09 10 11", 3},
        {"7 03", "07 03 01 02 04 05", 2}, // typed lines are searched as text
        {"1 0", "01 02 03 04 05 06", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("items '" + c.items + "' line '" + c.line + "'");
        EXPECT_EQ(CountHits(c.items, c.line), c.hits);
        const HitList list(c.items);
        EXPECT_EQ(list.Count(MakeBasketLine(c.line)), c.hits);
        EXPECT_EQ(list.Count(c.line), c.hits);
    }
}

TEST(MakeBasketLine, RecognisesOnlyRedCombos)
{
    struct Case
    {
        std::string text;
        bool combo;
    };
    const Case cases[] = {
        {"01 02 03 04 05 06", true},  {"28 29 30 31 32 33", true},     {"01 02 03 04 05 34", false},
        {"00 02 03 04 05 06", false}, {"02 01 03 04 05 06", false},    {"01 01 03 04 05 06", false},
        {"07 03 01 02 04 05", false}, {"01 02 03 04 05 06 ", false},   {" 01 02 03 04 05 0", false},
        {"01 02 03 04 05", false},    {"01 02 03 04 05 06 07", false}, {"01,02 03 04 05 06", false},
        {"0a 02 03 04 05 06", false}, {"+1 02 03 04 05 06", false},    {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("'" + c.text + "'");
        const BasketLine line = MakeBasketLine(c.text);
        EXPECT_EQ(line.IsCombo, c.combo);
        EXPECT_EQ(line.Text, c.text);
    }
    const BasketLine line = MakeBasketLine("03 09 14 22 27 31");
    EXPECT_EQ(line.Mask,
              (1ull << 2) | (1ull << 8) | (1ull << 13) | (1ull << 21) | (1ull << 26) | (1ull << 30));
    EXPECT_EQ(line.Reds, (std::array<std::uint8_t, 6>{3, 9, 14, 22, 27, 31}));
}

std::string RandomCombo(std::mt19937& random)
{
    std::vector<int> numbers(33);
    for (int i = 0; i < 33; ++i)
        numbers[static_cast<std::size_t>(i)] = i + 1;
    std::shuffle(numbers.begin(), numbers.end(), random);
    numbers.resize(6);
    std::sort(numbers.begin(), numbers.end());
    return JoinTwoDigits(numbers);
}

// Every item of up to two characters over digits, a letter and a sign, against every
// number: the mask form must give exactly what the text search gives.
TEST(HitList, MaskFormEqualsTextSearchForEveryShortItem)
{
    const std::string alphabet = "0123456789x+";
    std::vector<std::string> items;
    for (const char a : alphabet) {
        items.emplace_back(1, a);
        for (const char b : alphabet)
            items.push_back(std::string{a, b});
    }
    items.push_back("123");
    items.push_back("01 ");
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        const std::string combo = RandomCombo(random);
        const BasketLine line = MakeBasketLine(combo);
        ASSERT_TRUE(line.IsCombo);
        for (const auto& item : items) {
            const HitList list(item);
            ASSERT_EQ(list.Count(line), CountHits(item, combo)) << "item '" << item << "' line " << combo;
        }
    }
}

TEST(HitList, MaskFormEqualsTextSearchForRandomLists)
{
    const std::string alphabet = "0123456789 3 1 x";
    std::mt19937 random(11);
    std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 40);
    for (int round = 0; round < 20000; ++round) {
        std::string items;
        for (int i = length(random); i > 0; --i)
            items += alphabet[letter(random)];
        const HitList list(items);
        for (int k = 0; k < 5; ++k) {
            const std::string combo = RandomCombo(random);
            ASSERT_EQ(list.Count(MakeBasketLine(combo)), CountHits(items, combo))
                << "items '" << items << "' line " << combo;
        }
    }
}

} // namespace
} // namespace qv
