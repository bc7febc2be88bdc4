#pragma once

#include "analysis/NextIssueLists.h"
#include "history/AppPaths.h"

#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The explanation pop-up of every filter check box, without any widget.
enum class HelpKind
{
    Fixed,        // fixed lines, an empty line, "运算速度：" + speed
    Value,        // the first line is a label + a number list of the latest analysis
    File,         // the lines of a file below red/op; no speed line
    FileAndValue, // the region filter: its file, then the computed region-edge numbers
};

// What the pop-ups read: AppDir for the explanation files, and the number lists of the
// latest next-issue reference and prediction.
struct HelpInputs
{
    const AppPaths& Paths;
    const NextIssueReference& Reference;
    const NextIssuePrediction& Prediction;
};

inline constexpr int kHelpDefaultWidth = 342;
inline constexpr int kHelpDefaultHeight = 168;

struct HelpEntry
{
    std::vector<std::string> CheckBoxes; // the boxes that share this pop-up
    HelpKind Kind = HelpKind::Fixed;
    std::string File;              // "red/op/ZH.txt" for the file kinds
    int Width = kHelpDefaultWidth; // the pop-up's width while it shows this entry
    std::string ValueLabel;        // "两期来重号：" for the value kind
    std::string (*Value)(const HelpInputs& inputs) = nullptr;
    std::vector<std::string> Lines; // the lines after the value line (or all of them)
    std::string Speed;              // "特快", "快", "一般", "慢", "特慢"; empty for files
};

// Every entry; each of the 47 filter boxes lies in exactly one.
const std::vector<HelpEntry>& HelpCatalogue();

// The entry of a check box ("CheckBox30"), or null.
const HelpEntry* FindHelpEntry(std::string_view checkBox);

// The pop-up's lines for an entry as the inputs now stand. File kinds read their file
// below AppDir each time (a missing file throws the file error, and nothing is shown).
std::vector<std::string> HelpLines(const HelpEntry& entry, const HelpInputs& inputs);

} // namespace qv
