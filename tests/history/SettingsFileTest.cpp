#include "history/SettingsFile.h"
#include "history/FileStamp.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(SettingsFile, ValuesAndLinesComeBackAsWritten)
{
    const SettingValues values = {{"plain", "12"},
                                  {"empty", ""},
                                  {"breaks", "a\nb\r\n\\n not a break\\"},
                                  {"equals", "x=y=z"},
                                  {"chinese", "排除区域分析号码 ＋全角"},
                                  {"filter.memo.Memo3", "01 05,1\n"}};
    std::string problem;
    const auto read = ReadSettings(WriteSettings(values, "设置"), problem);
    ASSERT_TRUE(read) << problem;
    EXPECT_EQ(*read, values);

    for (const Lines& lines : {Lines{}, Lines{""}, Lines{"a", "b"}, Lines{"a", ""}, Lines{"", "", "c"}}) {
        SCOPED_TRACE(LinesValue(lines));
        EXPECT_EQ(ValueLines(LinesValue(lines)), lines);
    }
}

TEST(SettingsFile, DamagedFilesAreRefusedWithTheirReason)
{
    struct Case
    {
        std::string bytes;
        std::string problem; // empty: accepted
    };
    const Case cases[] = {
        {"# c\r\nversion=1\r\n\r\na=1\r\nend=1\r\n", ""},
        {"\xEF\xBB\xBFversion=1\nend=1", ""},
        {"version=1\nlater.key=kept\nend=1\n# trailing comment\n", ""},
        {"", "是空文件"},
        {"# only a comment\n", "是空文件"},
        {"version=2\nend=1\n", "第1行应为“version=1”"},
        {"a=1\nversion=1\nend=1\n", "第1行应为“version=1”"},
        {"version=1\na=1\n", "不完整"},
        {"version=1\na=1\nend=0\n", "第3行应为“end=1”"},
        {"version=1\nend=1\na=1\n", "第3行在结尾行"},
        {"version=1\nno equals sign\nend=1\n", "第2行没有“=”"},
        {"version=1\n=1\nend=1\n", "第2行的名称“”无效"},
        {"version=1\na b=1\nend=1\n", "第2行的名称“a b”无效"},
        {"version=1\na=\\q\nend=1\n", "第2行含有无法识别"},
        {"version=1\na=trailing\\\nend=1\n", "第2行含有无法识别"},
        {"version=1\na=1\na=2\nend=1\n", "第3行的名称“a”重复"},
        {"version=1\na=\xB9\xFD\nend=1\n", "不是UTF-8文本"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        std::string problem;
        const auto read = ReadSettings(c.bytes, problem);
        EXPECT_EQ(read.has_value(), c.problem.empty());
        EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
    }
}

TEST(FileStamp, TellsEveryChangeAndReadsItsOwnText)
{
    const std::string basket = "01 02 03 04 05 06\r\n01 02 03 04 05 07\r\n";
    const FileStamp stamp = StampOf(basket);
    EXPECT_EQ(stamp.Size, basket.size());
    for (const std::string& other : {basket.substr(0, basket.size() - 2), basket + "\r\n",
                                     std::string("01 02 03 04 05 06\r\n01 02 03 04 05 08\r\n")})
        EXPECT_NE(StampOf(other), stamp) << other;

    for (const FileStamp& s : {stamp, StampOf(""), FileStamp{123, 0xF}})
        EXPECT_EQ(ParseStamp(StampText(s)), s) << StampText(s);
    EXPECT_EQ(StampText({5, 0xAB}), "5:00000000000000ab");
    for (const char* bad : {"", ":0000000000000000", "5:", "5:00000000000000AB", "5:000000000000000g",
                            "-5:0000000000000000", "5:00000000000000000", "5 :0000000000000000"})
        EXPECT_FALSE(ParseStamp(bad)) << bad;
}

} // namespace
} // namespace qv
