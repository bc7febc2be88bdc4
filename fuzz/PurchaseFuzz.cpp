// A purchase list the user loads goes through "随机->" and the prize check. The first line
// of the input is the drawn numbers typed for the check, the first two bytes of the second
// line choose the checked blue boxes, the rest is the list.
#include "core/Error.h"
#include "core/RecordingHost.h"
#include "history/Gbk.h"
#include "history/TextFile.h"
#include "purchase/BluePicker.h"
#include "purchase/PrizeCheck.h"
#include "purchase/PurchaseList.h"
#include "session/AppState.h"
#include "session/PurchaseCommands.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 64 * 1024)
        return 0;
    qv::Lines lines =
        qv::SplitLines(qv::GbkToUtf8(std::string_view(reinterpret_cast<const char*>(data), size)));
    if (lines.size() < 2)
        return 0;
    const std::string draw = lines[0];
    unsigned mask = 0;
    for (std::size_t i = 0; i < 2 && i < lines[1].size(); ++i)
        mask = mask << 8 | static_cast<unsigned char>(lines[1][i]);
    lines.erase(lines.begin(), lines.begin() + 2);

    qv::AppState state;
    std::vector<int> blues;
    for (int b = 1; b <= qv::kBlueCount; ++b)
        if (mask & (1u << (b - 1)))
            blues.push_back(b);
    qv::CheckOnlyBlues(state.Purchase, blues);
    state.Purchase.PurchaseList = lines;
    qv::RecordingHost host;
    qv::BlueGenerator generator(7);
    try {
        qv::AssignRandomBlues(state, host, generator);
    } catch (const qv::Error&) {
        // A refused list stays as it was.
        if (state.Purchase.PurchaseList != lines)
            __builtin_trap();
    }
    for (const qv::Lines* bets : {&lines, &state.Purchase.PurchaseList}) {
        try {
            (void)qv::CheckPrizeLines(*bets, draw);
        } catch (const qv::Error&) {
        }
    }
    state.Purchase.QueryList = lines;
    state.Purchase.QueryDraw = draw;
    try {
        qv::CheckPrizes(state, host);
    } catch (const qv::Error&) {
    }
    return 0;
}
