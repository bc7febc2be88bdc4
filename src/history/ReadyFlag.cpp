#include "history/ReadyFlag.h"

#include "history/TextFile.h"

#include <system_error>

namespace qv {

ReadyFlag::ReadyFlag(std::filesystem::path file) : m_file(std::move(file)), m_copy{kStale} {}

void ReadyFlag::Load()
{
    std::error_code ec;
    if (!std::filesystem::exists(m_file, ec)) {
        m_copy = {kStale};
        return;
    }
    m_copy = LoadLines(m_file);
}

std::string ReadyFlag::Value() const
{
    return m_copy.empty() ? std::string() : m_copy.front();
}

void ReadyFlag::Set(const std::string& value)
{
    SaveLines(m_file, {value}, Flush::Yes);
    m_copy = {value};
}

} // namespace qv
