#include "purchase/BluePicker.h"

#include <array>

namespace qv {

namespace {

struct PresetInfo
{
    BluePreset Preset;
    std::string_view Caption;
};

constexpr std::array kPresets = {
    PresetInfo{BluePreset::All16, "全16码"}, PresetInfo{BluePreset::Odd, "全奇"},
    PresetInfo{BluePreset::Even, "全偶"},    PresetInfo{BluePreset::Big, "全大"},
    PresetInfo{BluePreset::Small, "全小"},
};

bool PresetChecks(BluePreset preset, int blue)
{
    switch (preset) {
    case BluePreset::All16:
        return true;
    case BluePreset::Odd:
        return blue % 2 == 1;
    case BluePreset::Even:
        return blue % 2 == 0;
    case BluePreset::Big:
        return blue >= 9;
    case BluePreset::Small:
        return blue <= 8;
    }
    return true;
}

} // namespace

void ApplyBluePreset(PurchaseState& purchase, BluePreset preset)
{
    purchase.SelectedPreset = preset;
    for (int blue = 1; blue <= kBlueCount; ++blue)
        purchase.BlueChecked[static_cast<std::size_t>(blue - 1)] = PresetChecks(preset, blue);
}

std::string_view BluePresetCaption(BluePreset preset)
{
    for (const auto& info : kPresets)
        if (info.Preset == preset)
            return info.Caption;
    return {};
}

std::optional<BluePreset> BluePresetFromCaption(std::string_view caption)
{
    for (const auto& info : kPresets)
        if (info.Caption == caption)
            return info.Preset;
    return std::nullopt;
}

void SetBlueChecked(PurchaseState& purchase, int blue, bool checked)
{
    if (blue >= 1 && blue <= kBlueCount)
        purchase.BlueChecked[static_cast<std::size_t>(blue - 1)] = checked;
}

void CheckOnlyBlues(PurchaseState& purchase, const std::vector<int>& blues)
{
    purchase.BlueChecked.fill(false);
    for (const int blue : blues)
        SetBlueChecked(purchase, blue, true);
}

std::string ChosenBlueText(const PurchaseState& purchase)
{
    std::string text;
    for (int blue = 1; blue <= kBlueCount; ++blue) {
        if (!purchase.BlueChecked[static_cast<std::size_t>(blue - 1)])
            continue;
        text += TwoDigits(blue);
        text += ' ';
    }
    return text;
}

} // namespace qv
