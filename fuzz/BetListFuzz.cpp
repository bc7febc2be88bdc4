// A bet list the user loads goes straight into the expansion.
#include "core/Error.h"
#include "history/Gbk.h"
#include "history/TextFile.h"
#include "selection/Basket.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const qv::Lines betList = qv::SplitLines(qv::GbkToUtf8(bytes));
    try {
        const qv::BasketEstimate estimate = qv::EstimateBasket(betList);
        // Keep each run short: large baskets are refused or take too long for a fuzzer.
        if (estimate.Lines > 5'000)
            return 0;
        const qv::LineTable basket = qv::ExpandLines(betList);
        if (basket.Size() > estimate.Lines)
            __builtin_trap();
    } catch (const qv::Error&) {
    }
    return 0;
}
