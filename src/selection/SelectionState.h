#pragma once

#include "history/FileStamp.h"
#include "history/Text.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The lines of one text held in a single buffer with their start offsets, so that a basket
// of a million lines costs no allocation per line. Lines end in CR LF, LF or CR; a final
// line break adds no empty line (the way every text file of the program is read).
class LineTable
{
public:
    LineTable() = default;
    explicit LineTable(std::string text);
    // Text whose line i begins at starts[i]; every line ends in a line break.
    LineTable(std::string text, std::vector<std::size_t> starts);

    std::size_t Size() const { return m_starts.size(); }
    bool Empty() const { return m_starts.empty(); }
    std::string_view operator[](std::size_t index) const;
    const std::string& Text() const { return m_text; }
    Lines ToLines() const;
    void Clear();
    // Hands the text over and leaves the table empty.
    std::string TakeText();

private:
    std::string m_text;
    std::vector<std::size_t> m_starts;
};

inline constexpr int kPickerNumbers = 33; // hao1 ... hao33
inline constexpr int kGroupCount24 = 29;  // the 24-code selector's groups

// The 24-code compound selector window (TNS24): its check boxes, which captions are shown
// in red, and the issue selector over the history lines.
struct Selector24State
{
    std::array<bool, kGroupCount24> Checked{}; // group k+1 checked
    std::array<bool, kGroupCount24> Red{};     // group k+1 shown in red by "查询"
    Lines Issues;                              // the history file's lines, newest first
    int SelectedIssue = -1;                    // index into Issues, -1 for none
};

struct SelectionState
{
    std::array<bool, kPickerNumbers> Picker{}; // hao1 ... hao33 (index K-1 for the number K)
    Lines BetList;                             // Memo6: the groups waiting to be expanded
    bool BasketReadyFlag = false;              // expanded in this run, or taken back at start
    LineTable BasketView;                      // "Data/temp.txt" as last loaded; empty at start
    // "Data/temp.txt" as last written or loaded. When BasketStampOfView is set the file
    // holds exactly the view's text (all ASCII) and the stamp is worked out only when asked
    // for (BasketFileStamp): hashing a full basket costs more than writing it.
    FileStamp BasketStamp;
    bool BasketStampOfView = false;
    // The basket file as this run last wrote or read it; while it stands so on disk the
    // view is its content and a filter run need not read it again.
    std::optional<FileIdentity> BasketFile;
    std::size_t BasketGroups = 0; // the bet-list lines of the last expansion
    Selector24State Selector;     // the 24-code selector window
};

inline FileStamp BasketFileStamp(const SelectionState& selection)
{
    return selection.BasketStampOfView ? StampOf(selection.BasketView.Text()) : selection.BasketStamp;
}

} // namespace qv
