#include "history/TextFile.h"
#include "core/Error.h"
#include "history/Gbk.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <iconv.h>
#include <unistd.h>

namespace qv {
namespace {

TEST(SplitLines, AcceptsEveryLineBreak)
{
    struct Case
    {
        std::string text;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\rb\nc\r\nd\r", {"a", "b", "c", "d"}},
        {"\r", {""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        EXPECT_EQ(SplitLines(c.text), c.lines);
    }
}

TEST(Gbk, RoundTripsChinese)
{
    const std::string utf8 = "红球数据 √× 坎震艮:离";
    const std::string gbk = Utf8ToGbk(utf8);
    EXPECT_NE(gbk, utf8);
    EXPECT_EQ(gbk.size(), 23u); // 10 double-byte characters, 2 blanks and a colon
    EXPECT_EQ(GbkToUtf8(gbk), utf8);
}

TEST(Gbk, NeverFailsOnBadBytes)
{
    // A lone lead byte, a byte GBK never uses, NUL bytes: all decode to something.
    const std::string bad("\x81\n\xFF\x00\x00"
                          "abc\xC0",
                          10);
    const std::string utf8 = GbkToUtf8(bad);
    EXPECT_NE(utf8.find("abc"), std::string::npos);
    EXPECT_NE(utf8.find("\xEF\xBF\xBD"), std::string::npos);
    // Characters GBK has no code for become "?".
    EXPECT_EQ(Utf8ToGbk("a\xF0\x9F\x98\x80z"), "a?z");
    // Broken UTF-8 does not abort the encoder either.
    EXPECT_EQ(Utf8ToGbk("a\xE7z").front(), 'a');
}

TEST(Gbk, IsAsciiFindsAHighByteAnywhere)
{
    const std::string plain(1000, 'a');
    EXPECT_TRUE(IsAscii(plain));
    for (const std::size_t at : {0, 7, 255, 256, 263, 511, 512, 767, 999}) {
        std::string text = plain;
        text[at] = '\x80';
        EXPECT_FALSE(IsAscii(text)) << at;
        EXPECT_TRUE(IsAscii(std::string_view(text).substr(0, at))) << at;
    }
}

// The converters remember characters they met; what they give must stay iconv's own for
// every GBK character and every code point of the BMP, met first or met again, alone or
// between plain text and characters that do not convert.
TEST(Gbk, AgreesWithIconvOnEveryCharacter)
{
    const auto iconvOf = [](const char* to, const char* from, const std::string& in) {
        iconv_t cd = iconv_open(to, from);
        std::string out(in.size() * 4 + 4, '\0');
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char* dst = out.data();
        std::size_t dstLeft = out.size();
        const std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        iconv_close(cd);
        if (r == static_cast<std::size_t>(-1) || srcLeft != 0)
            return std::string("\x01"); // not one whole character
        out.resize(out.size() - dstLeft);
        return out;
    };
    std::string gbkText;
    std::string utf8Text;
    for (int lead = 0x80; lead <= 0xFF; ++lead)
        for (int trail = 0x30; trail <= 0xFF; ++trail) {
            const std::string gbk{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string utf8 = iconvOf("UTF-8", "GBK", gbk);
            if (utf8 == "\x01")
                continue;
            ASSERT_EQ(GbkToUtf8(gbk), utf8) << lead << ' ' << trail;
            ASSERT_EQ(GbkToUtf8("a" + gbk + gbk + "b"), "a" + utf8 + utf8 + "b");
            gbkText += gbk + "-";
            utf8Text += utf8 + "-";
        }
    EXPECT_EQ(GbkToUtf8(gbkText), utf8Text);
    for (char32_t code = 0x80; code <= 0xFFFF; ++code) {
        std::string utf8;
        if (code < 0x800)
            utf8 = {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F))};
        else
            utf8 = {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
                    static_cast<char>(0x80 | (code & 0x3F))};
        const std::string gbk = iconvOf("GBK", "UTF-8", utf8);
        if (gbk == "\x01") {
            if (code < 0xD800 || code > 0xDFFF) {
                ASSERT_EQ(Utf8ToGbk("x" + utf8 + "y"), "x?y") << static_cast<unsigned>(code);
            }
            continue;
        }
        ASSERT_EQ(Utf8ToGbk(utf8 + utf8), gbk + gbk) << static_cast<unsigned>(code);
    }
    // A known character followed by one that does not convert: the whole text as iconv
    // with its replacement gives it.
    EXPECT_EQ(Utf8ToGbk("红\xF0\x9F\x98\x80球"), Utf8ToGbk("红") + "?" + Utf8ToGbk("球"));
    EXPECT_EQ(GbkToUtf8(Utf8ToGbk("红") + "\xFF"), "红\xEF\xBF\xBD");
}

TEST(TextFile, SavesGbkWithCrLfAfterEveryLine)
{
    test::TempAppDir dir;
    SaveLines(dir / "x.txt", {"期号", "", "07"});
    EXPECT_EQ(dir.ReadBytes("x.txt"), Utf8ToGbk("期号") + "\r\n\r\n07\r\n");
    EXPECT_EQ(LoadLines(dir / "x.txt"), (Lines{"期号", "", "07"}));
    SaveLines(dir / "empty.txt", {});
    EXPECT_EQ(dir.ReadBytes("empty.txt"), "");
}

TEST(TextFile, MissingFileIsTheOpenReport)
{
    test::TempAppDir dir;
    const auto path = dir / "nope.txt";
    try {
        LoadLines(path);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot open file \"" + path.string() + "\". No such file or directory.");
    }
}

TEST(TextFile, FailedReplacementKeepsTheOldFile)
{
    test::TempAppDir dir;
    SaveLines(dir / "keep.txt", {"old"});
    SetWriteFailureHook(
        [](const std::filesystem::path& p) { throw Error::CannotOpenFile(p.string(), "Disk full."); });
    EXPECT_THROW(SaveLines(dir / "keep.txt", {"new"}), Error);
    SetWriteFailureHook({});
    EXPECT_EQ(dir.Read("keep.txt"), Lines{"old"});

    // A folder standing where the file should be.
    std::filesystem::create_directories(dir / "Data" / "temp.txt");
    EXPECT_THROW(SaveLines(dir / "Data" / "temp.txt", {"x"}), Error);
    // Nothing is left behind beside the target.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir / "Data"))
        ++entries;
    EXPECT_EQ(entries, 1u);
}

TEST(TextFile, CreatesMissingFolders)
{
    test::TempAppDir dir;
    SaveLines(dir / "Red" / "RedAna.txt", {"a"});
    EXPECT_TRUE(dir.Exists("Red/RedAna.txt"));
}

} // namespace
} // namespace qv

namespace qv {
namespace {

TEST(TextFile, StaleTempFilesOfDeadWritersAreRemoved)
{
    test::TempAppDir dir;
    SaveLines(dir / "Red" / "RedAna.txt", {"a"});
    // pid 999999999 runs nowhere; our own pid is alive.
    dir.WriteBytes("Red/RedAna.txt.999999999.0123456789abcdef.tmp", "half");
    const std::string mine = "Red/RedAna.txt." + std::to_string(getpid()) + ".0123456789abcdef.tmp";
    dir.WriteBytes(mine, "busy");
    dir.WriteBytes("Red/notes.tmp", "user file");
    EXPECT_EQ(RemoveStaleTempFiles(dir.Path()), 1);
    EXPECT_TRUE(dir.Exists(mine));
    EXPECT_TRUE(dir.Exists("Red/notes.tmp"));
    EXPECT_EQ(dir.Read("Red/RedAna.txt"), Lines{"a"});
}

TEST(TextFile, OnlyTheWritersOwnTempNamesCountAsStale)
{
    struct Case
    {
        const char* name;
        bool removed;
    };
    const Case cases[] = {
        {"data.txt.999999999.00000000deadbeef.tmp", true},
        {".999999999.0123456789abcdef.tmp", true},
        {"a.b.c.999999998.fedcba9876543210.tmp", true},
        {"data.txt.999999999.0123456789ABCDEF.tmp", false}, // upper-case hex is not ours
        {"data.txt.999999999.0123456789abcde.tmp", false},  // 15 digits
        {"data.txt.999999999.0123456789abcdef0.tmp", false},
        {"data.txt.99x.0123456789abcdef.tmp", false},
        {"data.txt..0123456789abcdef.tmp", false},
        {"0123456789abcdef.tmp", false},
        {"data.txt.999999999.0123456789abcdef.TMP", false},
        {"data.txt.999999999.0123456789abcdef.tmp.bak", false},
    };
    for (const Case& c : cases) {
        test::TempAppDir dir;
        dir.WriteBytes(c.name, "x");
        EXPECT_EQ(RemoveStaleTempFiles(dir.Path()), c.removed ? 1 : 0) << c.name;
        EXPECT_EQ(dir.Exists(c.name), !c.removed) << c.name;
    }
}

TEST(TextFile, CountsReadsAndReplacementsPerPathWhileCounting)
{
    test::TempAppDir dir;
    const auto a = dir / "a.txt";
    const auto b = dir / "b.txt";
    SaveLines(a, {"x"}); // before counting: not counted
    StartCountingFileAccess();
    (void)LoadLines(a);
    (void)LoadLines(a);
    SaveLines(b, {"y"});
    SaveLines(b, {"z"});
    RequireReadableFile(b); // opens without reading
    EXPECT_THROW(RequireReadableFile(dir / "missing.txt"), Error);
    const FileAccessCounts counts = StopCountingFileAccess();
    ASSERT_EQ(counts.size(), 2u);
    EXPECT_EQ(counts.at(a).Reads, 2);
    EXPECT_EQ(counts.at(a).Replacements, 0);
    EXPECT_EQ(counts.at(b).Reads, 0);
    EXPECT_EQ(counts.at(b).Replacements, 2);
    (void)LoadLines(a);
    StartCountingFileAccess();
    EXPECT_TRUE(StopCountingFileAccess().empty());
}

} // namespace
} // namespace qv
