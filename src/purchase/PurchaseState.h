#pragma once

#include "history/Text.h"
#include "purchase/PrizeTypes.h"

#include <array>
#include <filesystem>
#include <string>

namespace qv {

// The five preset buttons of the group "蓝码选择"; exactly one is selected at a time.
enum class BluePreset
{
    All16, // "全16码" (RadioButton3)
    Odd,   // "全奇" (RadioButton1)
    Even,  // "全偶" (RadioButton2)
    Big,   // "全大" (TeRadioButton1)
    Small, // "全小" (TeRadioButton2)
};

inline constexpr int kBlueCount = 16;

// The purchase-list view and the prize-check view without widgets.
struct PurchaseState
{
    // Memo8: one bet per line, "01 02 03 04 05 06 +07"; lines just taken from the basket
    // have only their six reds. Starts empty in every run.
    Lines PurchaseList;
    // The file the list was last saved to or loaded from; the dialogs start there.
    std::filesystem::path ListPath;

    // lan1 … lan16: BlueChecked[k - 1] is the box of blue k. All checked at start.
    std::array<bool, kBlueCount> BlueChecked{true, true, true, true, true, true, true, true,
                                             true, true, true, true, true, true, true, true};
    BluePreset SelectedPreset = BluePreset::All16;

    // The chosen blues of the last "随机->": each checked caption followed by one blank.
    std::string ChosenBlueText;

    // Edit7: the draw to check against.
    std::string QueryDraw = "01 02 03 04 05 06 +07";
    // Memo9: the bets to check; the check never changes it.
    Lines QueryList;
    // Memo7: the result of the last check (tier headings, winning bets, empty lines).
    Lines PrizeResult;
    // The per-bet amounts typed for the floating tiers, and the tiers of the last check.
    FloatingAmounts FloatingPrizes;
    TierCounts PrizeCounts{};
    std::uint64_t PrizeBets = 0;

    // 历史回放: the query list bought in each of the newest draws, as last replayed.
    int ReplayDrawCount = 100;
    ReplayResult Replay;
};

} // namespace qv
