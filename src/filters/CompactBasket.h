#pragma once

#include "filters/FilterRule.h"
#include "selection/SelectionState.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace qv {

// The basket file held once for a whole filter run: the file's text, and per line where
// it stands in the text and, for a RedCombo, its mask. Passes remove lines in place; the
// order never changes. Encode() gives exactly the bytes that saving the same lines with
// SaveLines gives.
class CompactBasket
{
public:
    // Reads the file whole; throws "Cannot open file ..." when it cannot.
    void Load(const std::filesystem::path& path);
    // Takes the lines from text already in memory (UTF-8, any line ends).
    void Assign(std::string text);

    std::size_t Size() const { return m_size; }
    BasketLine Line(std::size_t index) const
    {
        const Entry& entry = m_lines[index];
        BasketLine line;
        line.Text = std::string_view(m_text.data() + entry.Offset, entry.Length);
        if (entry.Mask != 0) {
            line.IsCombo = true;
            line.Mask = entry.Mask;
            // The six reds are the mask's bits, lowest first.
            std::uint64_t bits = entry.Mask;
            for (auto& red : line.Reds) {
                red = static_cast<std::uint8_t>(std::countr_zero(bits) + 1);
                bits &= bits - 1;
            }
        }
        return line;
    }

    // Shows every line in order to removes and drops those it returns true for; calls
    // progress(lines examined) every step lines. Returns the number removed. When
    // removes throws, the basket stays as it was.
    template <typename Removes, typename Progress>
    std::size_t Walk(Removes&& removes, Progress&& progress, std::size_t step);

    // Shows every line in order to rejects and adds one to rejections[i] (resized to
    // Size(), staying at 255 once there) for each line i it returns true for, leaving the
    // basket as it is; calls progress like Walk. Returns the number rejected.
    template <typename Rejects, typename Progress>
    std::size_t Judge(Rejects&& rejects, Progress&& progress, std::size_t step,
                      std::vector<std::uint8_t>& rejections) const;

    // Drops every line whose flag in removed is set; removed has one flag per line.
    void Remove(const std::vector<std::uint8_t>& removed);

    // The lines as they stand, CR LF after every one (UTF-8).
    LineTable Table() const;
    // Whether every line is ASCII, so that the file bytes are Table()'s text itself.
    bool Ascii() const { return m_ascii; }
    // The file bytes: GBK, CR LF after every line.
    std::string Encode() const;

private:
    struct Entry
    {
        std::uint64_t Mask;   // 0 for a line that is not a RedCombo
        std::uint32_t Offset; // into m_text
        std::uint32_t Length; //
    };

    void Reserve(std::size_t lines);

    std::string m_text;
    bool m_ascii = true;
    std::unique_ptr<Entry[]> m_lines;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
    std::vector<std::uint8_t> m_removed; // the walk's verdicts, one per line
};

template <typename Removes, typename Progress>
std::size_t CompactBasket::Walk(Removes&& removes, Progress&& progress, std::size_t step)
{
    // Every line is judged before any is dropped, so a throw leaves the basket whole.
    m_removed.resize(m_size);
    std::uint8_t* removed = m_removed.data();
    for (std::size_t begin = 0; begin < m_size; begin += step) {
        const std::size_t end = std::min(m_size, begin + step);
        for (std::size_t i = begin; i < end; ++i)
            removed[i] = removes(Line(i)) ? 1 : 0;
        progress(end);
    }
    const std::size_t before = m_size;
    Remove(m_removed);
    return before - m_size;
}

template <typename Rejects, typename Progress>
std::size_t CompactBasket::Judge(Rejects&& rejects, Progress&& progress, std::size_t step,
                                 std::vector<std::uint8_t>& rejections) const
{
    rejections.resize(m_size, 0);
    std::uint8_t* counts = rejections.data();
    std::size_t rejected = 0;
    for (std::size_t begin = 0; begin < m_size; begin += step) {
        const std::size_t end = std::min(m_size, begin + step);
        for (std::size_t i = begin; i < end; ++i) {
            const unsigned out = rejects(Line(i)) ? 1 : 0;
            counts[i] = static_cast<std::uint8_t>(counts[i] + (out & (counts[i] != 255)));
            rejected += out;
        }
        progress(end);
    }
    return rejected;
}

} // namespace qv
