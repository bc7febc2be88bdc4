// The import takes whatever text a user pastes or opens.
#include "history/DrawImport.h"
#include "history/DrawLine.h"
#include "history/Gbk.h"
#include "history/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const qv::Lines input =
        qv::SplitLines(qv::IsValidUtf8(bytes) ? std::string(bytes) : qv::GbkToUtf8(bytes));
    static const qv::Lines history = {"2026096 01 04 16 22 26 31 04", "2026095 04 06 14 21 22 33 16",
                                      "2026001 04 06 14 21 22 33 16", "2025151 06 13 15 17 24 25 01"};
    const qv::ImportPlan plan = qv::PlanImport(history, input);
    // Whatever the input, the merged history is one a start can read, newest first, and
    // every draw read is read again the same in its history form.
    for (const bool replace : {false, true})
        if (qv::FindHistoryFault(qv::MergeImport(history, plan, replace)))
            __builtin_trap();
    for (const auto& draw : plan.Added) {
        const qv::DrawLineRead again = qv::ReadDrawLine(draw.Line);
        if (!again.Draw || again.Draw->ToLine() != draw.Line)
            __builtin_trap();
    }
    if (plan.Added.size() + plan.Conflicts.size() + static_cast<std::size_t>(plan.Unchanged) >
        static_cast<std::size_t>(plan.ValidLines))
        __builtin_trap();
    return 0;
}
