#include "faults/FileTree.h"

#include "history/TextFile.h"

#include <algorithm>
#include <cctype>
#include <regex>

namespace qv::test {

std::string LowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool IsAnalysisFile(const std::string& name)
{
    return std::find(std::begin(kAnalysisFiles), std::end(kAnalysisFiles), name) != std::end(kAnalysisFiles);
}

bool IsTempFile(const std::string& name)
{
    static const std::regex pattern(R"(.*\.[0-9]+\.[0-9a-f]{16}\.tmp)");
    return std::regex_match(name, pattern);
}

Tree ReadTree(const std::filesystem::path& dir, std::vector<std::string>* temps)
{
    Tree tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        if (!entry.is_regular_file())
            continue;
        const auto name = LowerCase(std::filesystem::relative(entry.path(), dir).generic_string());
        if (IsTempFile(name)) {
            if (temps)
                temps->push_back(name);
            continue;
        }
        tree[name] = ReadFileBytes(entry.path());
    }
    return tree;
}

void WriteTree(const std::filesystem::path& dir, const Tree& tree)
{
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    for (const auto& [name, bytes] : tree)
        ReplaceFile(dir / name, bytes);
}

Tree HelpFiles()
{
    const auto source = std::filesystem::path(QUORVANE_SOURCE_DIR) / "appdata";
    return {{"red/redhelp.txt", ReadFileBytes(source / "Red" / "Redhelp.txt")},
            {"blue/bluehelp.txt", ReadFileBytes(source / "Blue" / "Bluehelp.txt")}};
}

} // namespace qv::test
