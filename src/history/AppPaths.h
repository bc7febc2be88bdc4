#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace qv {

// The files below the program's directory, by their canonical spelling. The program has
// always spelled some of them with other letter cases ("red/redana.txt", "Data/Data.txt");
// look-ups ignore case, and new files get these spellings.
namespace files {
inline constexpr std::string_view kHistory = "data/data.txt";
inline constexpr std::string_view kRedAna = "Red/RedAna.txt";
inline constexpr std::string_view kBlueAna = "Blue/BlueAna.txt";
inline constexpr std::string_view kRedZB = "Red/RedZB.txt";
inline constexpr std::string_view kBlueZB = "Blue/BlueZB.txt";
inline constexpr std::string_view kRedYL = "Red/RedYL.txt";
inline constexpr std::string_view kBlueYL = "Blue/BlueYL.txt";
inline constexpr std::string_view kBlueQK = "Blue/BlueQK.txt";
inline constexpr std::string_view kBlueLM = "Blue/BlueLM.txt";
inline constexpr std::string_view kRedQK = "Red/RedQK.txt";
inline constexpr std::string_view kRedNext = "Red/RedNext.txt";
inline constexpr std::string_view kBasket = "Data/temp.txt";
inline constexpr std::string_view kRedLM = "Red/Redlm.txt";
inline constexpr std::string_view kNotepad = "Data/text.txt";
inline constexpr std::string_view kRedHelp = "Red/Redhelp.txt";
inline constexpr std::string_view kBlueHelp = "Blue/Bluehelp.txt";
inline constexpr std::string_view kOptionIni = "option.ini";
} // namespace files

// AppDir: the program's directory. Resolve() maps a relative path as the program spells it
// to the file that exists under AppDir whatever its letter case; for a file that does not
// exist yet it gives the canonical spelling of the list above.
class AppPaths
{
public:
    AppPaths() = default;
    explicit AppPaths(std::filesystem::path appDir);

    const std::filesystem::path& Dir() const { return m_dir; }
    void SetDir(std::filesystem::path appDir);

    std::filesystem::path Resolve(std::string_view relative) const;

    // The directory of the running executable.
    static std::filesystem::path ExecutableDir();

private:
    std::filesystem::path m_dir;
};

// Resolves relative below base ignoring letter case, component by component. Components
// that do not exist keep the spelling given.
std::filesystem::path ResolveIgnoringCase(const std::filesystem::path& base, std::string_view relative);

} // namespace qv
