#include "history/AppLocation.h"
#include "support/TempAppDir.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace qv {
namespace {

class AppLocationTest : public testing::Test
{
protected:
    void SetUp() override
    {
        const char* old = std::getenv("XDG_DATA_HOME");
        m_oldXdg = old ? std::optional<std::string>(old) : std::nullopt;
        setenv("XDG_DATA_HOME", (m_root / "xdg").c_str(), 1);
    }
    void TearDown() override
    {
        if (m_oldXdg)
            setenv("XDG_DATA_HOME", m_oldXdg->c_str(), 1);
        else
            unsetenv("XDG_DATA_HOME");
    }

    test::TempAppDir m_root;
    std::optional<std::string> m_oldXdg;
};

TEST_F(AppLocationTest, PortableDirectoryIsItsOwnAppDir)
{
    m_root.Write("app/data/data.txt", {"2009149 06 12 15 22 29 32 07"});
    const auto location = LocateAppDir(m_root / "app");
    EXPECT_EQ(location.AppDir, m_root / "app");
    EXPECT_EQ(location.OptionIni, "option.ini");
}

TEST_F(AppLocationTest, InstalledProgramWorksInTheUserDirectory)
{
    m_root.Write("prefix/share/quorvane/data/data.txt", {"2009149 06 12 15 22 29 32 07"});
    m_root.Write("prefix/share/quorvane/Red/Redhelp.txt", {"说明"});
    std::filesystem::create_directories(m_root / "prefix" / "bin");
    const auto location = LocateAppDir(m_root / "prefix" / "bin");
    EXPECT_EQ(location.AppDir, m_root / "xdg" / "quorvane");
    EXPECT_EQ(location.OptionIni, m_root / "xdg" / "quorvane" / "option.ini");
    EXPECT_EQ(m_root.Read("xdg/quorvane/Red/Redhelp.txt"), Lines{"说明"});

    // A history the user already changed is never overwritten by the installed one.
    m_root.Write("xdg/quorvane/data/data.txt",
                 {"2009150 01 02 03 04 05 06 07", "2009149 06 12 15 22 29 32 07"});
    LocateAppDir(m_root / "prefix" / "bin");
    EXPECT_EQ(m_root.Read("xdg/quorvane/data/data.txt").size(), 2u);
}

TEST_F(AppLocationTest, ExplicitDirectoryWins)
{
    const auto location = LocateAppDir(m_root / "anything", m_root / "chosen");
    EXPECT_EQ(location.AppDir, m_root / "chosen");
    EXPECT_EQ(location.OptionIni, "option.ini");
}

} // namespace
} // namespace qv
