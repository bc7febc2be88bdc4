// The program as a user gets it: installed with cmake --install into a prefix, started from
// PREFIX/bin it works in the per-user data directory seeded from PREFIX/share/quorvane; a
// portable program directory keeps everything beside the program and "option.ini" in the
// working directory. The install manifest removes what was installed.

#include "faults/FileTree.h"
#include "faults/Spawn.h"
#include "history/AppPaths.h"
#include "history/TextFile.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <unistd.h>

namespace qv {
namespace {

std::vector<std::filesystem::path> RegularFiles(const std::filesystem::path& dir)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    return files;
}

class InstallTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_prefix = m_root / "prefix";
        test::SpawnRequest install;
        install.Program = QUORVANE_CMAKE_COMMAND;
        install.Args = {"--install", QUORVANE_BINARY_DIR, "--prefix", m_prefix.string()};
        // Installs write the build tree's manifest: one at a time, each reading its own.
        const auto lockFile = std::filesystem::path(QUORVANE_BINARY_DIR) / "install-test.lock";
        const int lock = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        ASSERT_GE(lock, 0);
        ::flock(lock, LOCK_EX);
        const auto run = test::RunChild(install);
        std::ifstream manifest(std::filesystem::path(QUORVANE_BINARY_DIR) / "install_manifest.txt");
        for (std::string line; std::getline(manifest, line);)
            m_manifest.push_back(line);
        ::close(lock);
        ASSERT_EQ(run.Exit.Code, 0) << run.Out << run.Err;
        std::filesystem::create_directories(m_root / "cwd");
        std::filesystem::create_directories(m_root / "home");
    }

    // The installed command-line program, started in a working directory of its own with
    // the user's environment given.
    test::ChildRun Installed(std::vector<std::string> args,
                             std::vector<std::pair<std::string, std::string>> env)
    {
        test::SpawnRequest request;
        request.Program = m_prefix / "bin" / "quorvane-cli";
        request.Args = std::move(args);
        request.WorkingDir = m_root / "cwd";
        request.Env = std::move(env);
        return test::RunChild(request);
    }

    test::TempAppDir m_root;
    std::filesystem::path m_prefix;
    std::vector<std::string> m_manifest;
};

TEST_F(InstallTest, InstalledLayout)
{
    const std::filesystem::path source = QUORVANE_SOURCE_DIR;
    const std::pair<const char*, std::filesystem::path> expected[] = {
        {"bin/quorvane-cli", ""},
        {"share/quorvane/data/data.txt", source / "appdata/data/data.txt"},
        {"share/quorvane/Red/Redhelp.txt", source / "appdata/Red/Redhelp.txt"},
        {"share/quorvane/Blue/Bluehelp.txt", source / "appdata/Blue/Bluehelp.txt"},
        {"share/applications/quorvane.desktop", source / "dist/quorvane.desktop"},
        {"share/icons/hicolor/scalable/apps/quorvane.svg", source / "dist/quorvane.svg"},
    };
    for (const auto& [installed, original] : expected) {
        SCOPED_TRACE(installed);
        ASSERT_TRUE(std::filesystem::is_regular_file(m_prefix / installed));
        if (!original.empty()) {
            EXPECT_EQ(ReadFileBytes(m_prefix / installed), ReadFileBytes(original));
        }
    }
    const auto perms = std::filesystem::status(m_prefix / "bin/quorvane-cli").permissions();
    EXPECT_NE(perms & std::filesystem::perms::others_exec, std::filesystem::perms::none);
    // The desktop program is installed whenever it was built.
    if (std::filesystem::exists(std::filesystem::path(QUORVANE_APP_DIR) / "quorvane")) {
        EXPECT_TRUE(std::filesystem::is_regular_file(m_prefix / "bin/quorvane"));
    }

    // Uninstalling: every file the manifest lists goes, and nothing else was installed.
    int removed = 0;
    for (const auto& line : m_manifest) {
        if (line.empty() || !line.starts_with(m_prefix.string()))
            continue;
        EXPECT_TRUE(std::filesystem::remove(line)) << line;
        ++removed;
    }
    EXPECT_GE(removed, static_cast<int>(std::size(expected)));
    const auto left = RegularFiles(m_prefix);
    EXPECT_TRUE(left.empty()) << left.front();
}

TEST_F(InstallTest, InstalledProgramWorksInThePerUserDirectory)
{
    struct Case
    {
        const char* Name;
        std::vector<std::pair<std::string, std::string>> Env;
        std::filesystem::path UserDir;
    };
    const Case cases[] = {
        {"XDG_DATA_HOME set",
         {{"HOME", (m_root / "home").string()}, {"XDG_DATA_HOME", (m_root / "xdg").string()}},
         m_root / "xdg" / "quorvane"},
        {"only HOME",
         {{"HOME", (m_root / "home").string()}, {"XDG_DATA_HOME", ""}},
         m_root / "home" / ".local" / "share" / "quorvane"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto run = Installed({"startup"}, c.Env);
        ASSERT_EQ(run.Exit.Code, 0) << run.Err;
        EXPECT_NE(run.Out.find("螺旋体猜想运算成功.....OK"), std::string::npos);
        // Seeded from the installed data, computed there, the flag kept there too.
        EXPECT_EQ(ReadFileBytes(c.UserDir / "data" / "data.txt"),
                  ReadFileBytes(m_prefix / "share/quorvane/data/data.txt"));
        EXPECT_EQ(ReadFileBytes(c.UserDir / "option.ini"), test::kReadyBytes);
        for (const char* name : test::kAnalysisFiles)
            EXPECT_TRUE(std::filesystem::exists(ResolveIgnoringCase(c.UserDir, name))) << name;
        EXPECT_FALSE(std::filesystem::exists(m_root / "cwd" / "option.ini"));
        EXPECT_FALSE(std::filesystem::exists(m_prefix / "bin" / "option.ini"));
        EXPECT_FALSE(std::filesystem::exists(m_prefix / "share/quorvane/Red/RedAna.txt"));

        // The user's own history is theirs: a later start neither reseeds nor resets it.
        Lines history = LoadLines(c.UserDir / "data" / "data.txt");
        history.erase(history.begin());
        SaveLines(c.UserDir / "data" / "data.txt", history);
        run = Installed({"recompute"}, c.Env);
        ASSERT_EQ(run.Exit.Code, 0) << run.Err;
        EXPECT_EQ(LoadLines(c.UserDir / "data" / "data.txt"), history);
        EXPECT_EQ(SplitLines(ReadFileBytes(ResolveIgnoringCase(c.UserDir, "Red/RedAna.txt"))).size(),
                  history.size());
    }
}

TEST_F(InstallTest, PortableDirectoryKeepsTheFlagInTheWorkingDirectory)
{
    const auto portable = m_root / "portable";
    std::filesystem::create_directories(portable);
    std::filesystem::copy_file(m_prefix / "bin" / "quorvane-cli", portable / "quorvane-cli");
    std::filesystem::copy(m_prefix / "share" / "quorvane", portable,
                          std::filesystem::copy_options::recursive);

    test::SpawnRequest request;
    request.Program = portable / "quorvane-cli";
    request.Args = {"startup"};
    request.WorkingDir = m_root / "cwd";
    request.Env = {{"HOME", (m_root / "home").string()}, {"XDG_DATA_HOME", (m_root / "xdg").string()}};
    const auto run = test::RunChild(request);
    ASSERT_EQ(run.Exit.Code, 0) << run.Err;
    EXPECT_EQ(ReadFileBytes(m_root / "cwd" / "option.ini"), test::kReadyBytes);
    EXPECT_FALSE(std::filesystem::exists(portable / "option.ini"));
    for (const char* name : test::kAnalysisFiles)
        EXPECT_TRUE(std::filesystem::exists(ResolveIgnoringCase(portable, name))) << name;
    EXPECT_FALSE(std::filesystem::exists(m_root / "xdg"));
    EXPECT_FALSE(std::filesystem::exists(m_root / "home" / ".local"));
}

} // namespace
} // namespace qv
