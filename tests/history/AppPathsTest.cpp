#include "history/AppPaths.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(AppPaths, FindsFilesWhateverTheirCase)
{
    test::TempAppDir dir;
    dir.Write("Data/Data.txt", {"x"});
    const AppPaths paths(dir.Path());
    for (const char* spelling : {"data/data.txt", "Data/data.txt", "Data/Data.txt", "DATA/DATA.TXT"}) {
        SCOPED_TRACE(spelling);
        EXPECT_EQ(paths.Resolve(spelling), dir.Path() / "Data" / "Data.txt");
    }
}

TEST(AppPaths, NewFilesGetTheCanonicalSpelling)
{
    test::TempAppDir dir;
    const AppPaths paths(dir.Path());
    EXPECT_EQ(paths.Resolve("red/redana.txt"), dir.Path() / "Red" / "RedAna.txt");
    EXPECT_EQ(paths.Resolve("Red/Redana.txt"), dir.Path() / "Red" / "RedAna.txt");
    EXPECT_EQ(paths.Resolve("data/temp.txt"), dir.Path() / "Data" / "temp.txt");
    EXPECT_EQ(paths.Resolve("Some/Other.txt"), dir.Path() / "Some" / "Other.txt");
    // An existing folder in another case is reused for a new file.
    std::filesystem::create_directories(dir / "red");
    EXPECT_EQ(paths.Resolve("Red/RedZB.txt"), dir.Path() / "red" / "RedZB.txt");
}

} // namespace
} // namespace qv
