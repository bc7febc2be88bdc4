#pragma once

#include "filters/FilterRule.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace qv {

// The basket file held once for a whole filter run: the file's text, and per line where
// it stands in the text and, for a RedCombo, its mask. Passes remove lines in place; the
// order never changes. Saving gives exactly the bytes that saving the same lines with
// SaveLines gives.
class CompactBasket
{
public:
    // Reads the file whole; throws "Cannot open file ..." when it cannot.
    void Load(const std::filesystem::path& path);
    // Takes the lines from text already in memory (UTF-8, any line ends).
    void Assign(std::string text);

    std::size_t Size() const { return m_lines.size(); }
    BasketLine Line(std::size_t index) const;

    // Drops every line whose flag in removed is set; removed has one flag per line.
    void Remove(const std::vector<std::uint8_t>& removed);

    // The file bytes: GBK, CR LF after every line.
    std::string Encode() const;
    void Save(const std::filesystem::path& path) const;

private:
    struct Entry
    {
        std::uint64_t Mask;   // 0 for a line that is not a RedCombo
        std::uint32_t Offset; // into m_text
        std::uint32_t Length;
    };

    std::string m_text;
    bool m_ascii = true;
    std::vector<Entry> m_lines;
};

} // namespace qv
