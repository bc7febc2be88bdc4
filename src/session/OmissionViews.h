#pragma once

#include "history/Text.h"

namespace qv {

// The four read-only report panes of the omission statistics. The red pair (Memo4,
// Memo10) and the blue pair (Memo11, Memo12) sit in two panels, of which the labels
// "红号分析" (Label73) and "蓝号分析" (Label74) show one at a time.
struct OmissionViews
{
    static constexpr const char* kRedOmissionComponent = "Memo4";
    static constexpr const char* kRedAppearanceComponent = "Memo10";
    static constexpr const char* kBlueOmissionComponent = "Memo11";
    static constexpr const char* kBlueAppearanceComponent = "Memo12";
    static constexpr const char* kRedPanelLabel = "Label73";
    static constexpr const char* kBluePanelLabel = "Label74";

    Lines RedOmission;    // Memo4: red omission report ("Red/RedYL.txt")
    Lines RedAppearance;  // Memo10: red appearance report ("Red/RedQK.txt", written by the prediction)
    Lines BlueOmission;   // Memo11: blue omission report ("Blue/BlueYL.txt")
    Lines BlueAppearance; // Memo12: blue appearance report ("Blue/BlueQK.txt")

    bool RedPanelShown = true; // false: the blue panel is the one shown
};

} // namespace qv
