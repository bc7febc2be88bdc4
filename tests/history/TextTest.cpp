#include "history/Text.h"
#include "core/Error.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(SplitFields, CutsAtEveryDelimiter)
{
    struct Case
    {
        std::string text;
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        {"", {}},
        {"x", {"x"}},
        {"a b", {"a", "b"}},
        {"a  b", {"a", "", "b"}},
        {" a", {"", "a"}},
        {"a ", {"a"}},
        {"x y ", {"x", "y"}},
        {"2009148 06 12 15 22 29 32 07 ", {"2009148", "06", "12", "15", "22", "29", "32", "07"}},
        {"  ", {"", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("text: '" + c.text + "'");
        EXPECT_EQ(SplitFields(c.text), c.fields);
    }
}

TEST(StrToInt, AcceptsOnlySignAndDigits)
{
    EXPECT_EQ(StrToInt("07"), 7);
    EXPECT_EQ(StrToInt("+12"), 12);
    EXPECT_EQ(StrToInt("-3"), -3);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", " 1", "1 ", "+", "-", "1a", "0x10", "2147483648", "１"}) {
        SCOPED_TRACE(bad);
        try {
            StrToInt(bad);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), std::string("'") + bad + "' is not a valid integer value");
        }
    }
}

TEST(CompareAsInt, SortsNonNumbersAsZero)
{
    std::vector<std::string> items{"10", "9", "x", "2"};
    SortAsInt(items);
    EXPECT_EQ(items, (std::vector<std::string>{"x", "2", "9", "10"}));
    EXPECT_LT(CompareAsInt("09", "10"), 0);
    EXPECT_EQ(CompareAsInt("7", "07"), 0);
}

TEST(FormatReal, GeneralFormat)
{
    EXPECT_EQ(FormatReal(60.0 / 7.0), "8.57142857142857");
    EXPECT_EQ(FormatReal(4.7), "4.7");
    EXPECT_EQ(FormatReal(15.0), "15");
    EXPECT_EQ(FormatReal(0.5), "0.5");
    EXPECT_DOUBLE_EQ(StrToReal("8.57142857142857"), 8.57142857142857);
    EXPECT_THROW(StrToReal("abc"), Error);
}

TEST(WholePercent, TruncatesAfterDividing)
{
    EXPECT_EQ(WholePercent(7, 30), 23);
    EXPECT_EQ(WholePercent(2, 3), 66);
    EXPECT_EQ(WholePercent(57, 100), 56);
    EXPECT_EQ(WholePercent(10, 10), 100);
    EXPECT_EQ(WholePercent(1, 0), 0);
}

TEST(TwoDigits, PadsBelowTen)
{
    EXPECT_EQ(TwoDigits(0), "00");
    EXPECT_EQ(TwoDigits(7), "07");
    EXPECT_EQ(TwoDigits(33), "33");
    EXPECT_EQ(TwoDigits(102), "102");
    EXPECT_EQ(TwoDigits(-4), "-4");
}

TEST(Errors, CarryTheReportTexts)
{
    EXPECT_STREQ(Error::ListIndexOutOfBounds(7).what(), "List index out of bounds (7)");
    EXPECT_STREQ(Error::CannotOpenFile("/a/b.txt", "No such file or directory.").what(),
                 "Cannot open file \"/a/b.txt\". No such file or directory.");
}

} // namespace
} // namespace qv
