#include "history/AppPaths.h"

#include "history/Text.h"

#include <array>
#include <system_error>
#include <unistd.h>

namespace qv {

namespace {

constexpr std::array kCanonical = {
    files::kHistory, files::kRedAna,  files::kBlueAna, files::kRedZB,    files::kBlueZB,    files::kRedYL,
    files::kBlueYL,  files::kBlueQK,  files::kBlueLM,  files::kRedQK,    files::kRedNext,   files::kBasket,
    files::kRedLM,   files::kNotepad, files::kRedHelp, files::kBlueHelp, files::kOptionIni,
};

std::string Normalised(std::string_view relative)
{
    std::string text(relative);
    for (char& c : text)
        if (c == '\\')
            c = '/';
    while (!text.empty() && text.front() == '/')
        text.erase(text.begin());
    return text;
}

std::string_view CanonicalSpelling(std::string_view relative)
{
    for (const auto canonical : kCanonical)
        if (canonical.size() == relative.size() && CompareTextIgnoreCase(canonical, relative) == 0)
            return canonical;
    return relative;
}

} // namespace

AppPaths::AppPaths(std::filesystem::path appDir) : m_dir(std::move(appDir)) {}

void AppPaths::SetDir(std::filesystem::path appDir)
{
    m_dir = std::move(appDir);
}

std::filesystem::path AppPaths::Resolve(std::string_view relative) const
{
    const std::string normalised = Normalised(relative);
    return ResolveIgnoringCase(m_dir, CanonicalSpelling(normalised));
}

std::filesystem::path AppPaths::ExecutableDir()
{
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return std::filesystem::current_path();
    return self.parent_path();
}

std::filesystem::path ResolveIgnoringCase(const std::filesystem::path& base, std::string_view relative)
{
    std::filesystem::path current = base;
    bool exists = true;
    const std::string normalised = Normalised(relative);
    for (const auto& component : SplitFieldViews(normalised, '/')) {
        if (component.empty())
            continue;
        if (exists) {
            std::error_code ec;
            const auto exact = current / std::string(component);
            if (std::filesystem::exists(exact, ec)) {
                current = exact;
                continue;
            }
            bool found = false;
            for (std::filesystem::directory_iterator it(current, ec), end; !ec && it != end;
                 it.increment(ec)) {
                const std::string name = it->path().filename().string();
                if (CompareTextIgnoreCase(name, component) == 0) {
                    current = it->path();
                    found = true;
                    break;
                }
            }
            if (found)
                continue;
            exists = false;
        }
        current /= std::string(component);
    }
    return current;
}

} // namespace qv
