#include "filters/CompactBasket.h"
#include "history/TextFile.h"

#include <gtest/gtest.h>

#include <random>

namespace qv {
namespace {

// The basket held compactly must read and write exactly like the lines LoadLines gives.
void ExpectSameAsLines(const std::string& text)
{
    CompactBasket basket;
    basket.Assign(text);
    const Lines lines = SplitLines(text);
    ASSERT_EQ(basket.Size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const BasketLine expected = MakeBasketLine(lines[i]);
        const BasketLine line = basket.Line(i);
        ASSERT_EQ(line.Text, lines[i]) << i;
        ASSERT_EQ(line.IsCombo, expected.IsCombo) << lines[i];
        if (expected.IsCombo) {
            ASSERT_EQ(line.Mask, expected.Mask) << lines[i];
            ASSERT_EQ(line.Reds, expected.Reds) << lines[i];
        }
    }
    EXPECT_EQ(basket.Encode(), EncodeLines(lines));
}

TEST(CompactBasket, ReadsLikeTheTextLayer)
{
    const char* const texts[] = {
        "",
        "\n",
        "01 02 03 04 05 06",
        "01 02 03 04 05 06\r\n",
        "01 02 03 04 05 06\r\n01 02 03 04 05 07\n\n28 29 30 31 32 33\r",
        "01 02 03 04 05 060\r\n01 02 03 04 05 06 \r\n 01 02 03 04 05 06\n",
        "01 02 03 04 05\r\n01 02 03 04 05 0\n1 02 03 04 05 06",
        "07 03 01 02 04 05\r\n00 01 02 03 04 05\r\n28 29 30 31 32 34\n",
        "01 02 03 04 05 06\r\r\n\r\n",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        ExpectSameAsLines(text);
    }
}

TEST(CompactBasket, RandomTexts)
{
    const std::string pieces[] = {
        "01 02 03 04 05 06", "12 17 22 27 32 33", "\r\n", "\n", "\r", " ", "0", "3", "x"};
    std::mt19937 random(3);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int k = static_cast<int>(random() % 12); k > 0; --k)
            text += pieces[piece(random)];
        ExpectSameAsLines(text);
    }
}

TEST(CompactBasket, RemovesKeepingOrder)
{
    CompactBasket basket;
    basket.Assign("01 02 03 04 05 06\r\nx\r\n01 02 03 04 05 07\r\n\r\n01 02 03 04 05 08\r\n");
    basket.Remove({1, 0, 0, 1, 0});
    EXPECT_EQ(basket.Encode(), "x\r\n01 02 03 04 05 07\r\n01 02 03 04 05 08\r\n");
    basket.Remove({1, 1, 1});
    EXPECT_EQ(basket.Size(), 0u);
    EXPECT_EQ(basket.Encode(), "");
}

} // namespace
} // namespace qv
