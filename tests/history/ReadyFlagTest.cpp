#include "history/ReadyFlag.h"
#include "core/Error.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(ReadyFlag, MissingFileBehavesAsStaleAndIsCreatedOnSet)
{
    test::TempAppDir dir;
    ReadyFlag flag(dir / "option.ini");
    flag.Load();
    EXPECT_TRUE(flag.IsStale());
    EXPECT_FALSE(dir.Exists("option.ini"));
    flag.Set(ReadyFlag::kReady);
    flag.Set(ReadyFlag::kReady);
    EXPECT_EQ(dir.ReadBytes("option.ini"), "Data=1\r\n");
    EXPECT_TRUE(flag.IsReady());
}

TEST(ReadyFlag, ComparesTheWholeFirstLineExactly)
{
    struct Case
    {
        std::string content;
        bool ready;
        bool stale;
    };
    const Case cases[] = {
        {"Data=1\r\n", true, false},  {"Data=0\r\n", false, true},           {"Data=1", true, false},
        {"data=1\r\n", false, false}, {"Data=1 \r\n", false, false},         {"\r\nData=1\r\n", false, false},
        {"", false, false},           {"Data=0\r\nData=1\r\n", false, true},
    };
    test::TempAppDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.content));
        dir.WriteBytes("option.ini", c.content);
        ReadyFlag flag(dir / "option.ini");
        flag.Load();
        EXPECT_EQ(flag.IsReady(), c.ready);
        EXPECT_EQ(flag.IsStale(), c.stale);
    }
}

TEST(ReadyFlag, FailedWriteKeepsTheCopy)
{
    test::TempAppDir dir;
    std::filesystem::create_directories(dir / "option.ini"); // a folder where the file belongs
    ReadyFlag flag(dir / "option.ini");
    EXPECT_THROW(flag.Load(), Error);
    flag.SetCopy({ReadyFlag::kStale});
    EXPECT_THROW(flag.Set(ReadyFlag::kReady), Error);
    EXPECT_TRUE(flag.IsStale());
}

} // namespace
} // namespace qv
