#include "history/RichText.h"
#include "history/Gbk.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(RichText, RoundTripsText)
{
    const std::string texts[] = {
        "",
        "abc",
        "第一行\n第二行\n\n最后 {括号} 与 \\反斜杠",
        "01 02 03 04 05 06 +07\t红球",
        "结尾换行\n",
        "表情 \xF0\x9F\x98\x80 之外",
    };
    for (const auto& text : texts) {
        SCOPED_TRACE(text);
        const std::string document = WriteRichText(text);
        EXPECT_TRUE(LooksLikeRichText(document));
        for (const unsigned char c : document)
            EXPECT_LT(c, 0x80u);
        EXPECT_EQ(ReadRichText(document), text);
    }
}

TEST(RichText, ReadsOtherWritersDocuments)
{
    struct Case
    {
        std::string document;
        std::string text;
    };
    const Case cases[] = {
        // Code page bytes, as older writers store Chinese text.
        {"{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0 x;}}\\f0 " + std::string("\\'ba\\'ec\\'c7\\'f2") +
             "\\par\n}",
         "红球\n"},
        // Unicode escapes with two fallback bytes each.
        {"{\\rtf1\\uc2 \\u32418\\'ba\\'ec\\u29699\\'c7\\'f2}", "红球"},
        // Ignorable destinations and colour tables vanish.
        {"{\\rtf1{\\*\\generator X;}{\\colortbl;\\red255;}Hello\\line World\\tab!}", "Hello\nWorld\t!"},
        // Escaped braces and backslashes.
        {"{\\rtf1 a\\{b\\}c\\\\d}", "a{b}c\\d"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.document);
        EXPECT_EQ(ReadRichText(c.document), c.text);
    }
}

TEST(RichText, PlainFilesAreReadAsGbk)
{
    EXPECT_EQ(ReadRichText(Utf8ToGbk("记事\r\n第二行\r\n")), "记事\n第二行\n");
    EXPECT_EQ(ReadRichText("no rtf here"), "no rtf here");
}

TEST(RichText, SurvivesBrokenDocuments)
{
    const std::string broken[] = {
        "{\\rtf1",
        "{\\rtf1 }}}}}}",
        "{\\rtf1 \\'",
        "{\\rtf1 \\u",
        "{\\rtf1 \\u-99999999999999999999 x}",
        "{\\rtf1 \\bin999999999",
        std::string("{\\rtf1 \0\0\0", 9),
        "{\\rtf1 " + std::string(100000, '{'),
        "{\\rtf1 \\ud800 x}",
    };
    for (const auto& document : broken) {
        SCOPED_TRACE(document.substr(0, 40));
        EXPECT_NO_THROW(ReadRichText(document));
    }
}

} // namespace
} // namespace qv
