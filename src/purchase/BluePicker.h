#pragma once

#include "purchase/PurchaseState.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The preset buttons: selecting one deselects the others and sets the sixteen boxes.
//   "全16码" checks all; "全奇" the odd, "全偶" the even numbers; "全大" 09–16; "全小" 01–08.
// Afterwards single boxes may still be changed; the draw uses the boxes as they stand.
void ApplyBluePreset(PurchaseState& purchase, BluePreset preset);

// The caption of a preset button and back ("全大" gives BluePreset::Big).
std::string_view BluePresetCaption(BluePreset preset);
std::optional<BluePreset> BluePresetFromCaption(std::string_view caption);

// Checks or unchecks the box of blue (1..16) by hand, as a click on lanN does; other
// values are ignored.
void SetBlueChecked(PurchaseState& purchase, int blue, bool checked);

// Checks exactly the given blues and unchecks the rest.
void CheckOnlyBlues(PurchaseState& purchase, const std::vector<int>& blues);

// The chosen-blue text: the captions of the checked boxes in ascending order, each
// followed by one blank ("01 05 09 ").
std::string ChosenBlueText(const PurchaseState& purchase);

} // namespace qv
