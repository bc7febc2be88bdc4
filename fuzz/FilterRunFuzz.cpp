// Basket lines through every one of the 47 filters with arbitrary parameter texts and rule
// boxes. The input is a parameter part and a basket part, split at the first NUL byte (no
// NUL: all basket). Each line of the parameter part sets one field: its first byte picks
// the one-line parameter or rule box (in the order of their names), the rest is the text
// (a rule box gets one line more per such line).
#include "FuzzAppDir.h"

#include "core/Error.h"
#include "core/RecordingHost.h"
#include "filters/FilterRun.h"
#include "history/Gbk.h"
#include "history/TextFile.h"
#include "session/AppState.h"
#include "session/FilterCommands.h"
#include "session/Pipeline.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The analysis lists of a short real history, computed once: the filters read them.
const qv::AppState& Prepared()
{
    static const qv::AppState state = [] {
        const auto& dir = qv::fuzz::FuzzAppDir("filters");
        // The newest 300 draws of the bundled history: enough for every analysis.
        qv::Lines history =
            qv::LoadLines(std::filesystem::path(QUORVANE_SOURCE_DIR) / "appdata/data/data.txt");
        history.resize(std::min<std::size_t>(history.size(), 300));
        qv::SaveLines(dir / "data" / "data.txt", history);
        qv::AppState prepared;
        prepared.Paths.SetDir(dir);
        prepared.Flag.SetFile(dir / "option.ini");
        qv::RecordingHost host;
        qv::RunStartup(prepared, host);
        return prepared;
    }();
    return state;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 32 * 1024)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = input.find('\0');
    const std::string_view parameters =
        cut == std::string_view::npos ? std::string_view() : input.substr(0, cut);
    const std::string_view basket = cut == std::string_view::npos ? input : input.substr(cut + 1);

    qv::AppState state = Prepared();
    qv::ResetFilterState(state.Filters);
    for (auto& [name, on] : state.Filters.Switches)
        on = true;
    std::vector<std::string> edits;
    for (const auto& [name, text] : state.Filters.Edits)
        edits.push_back(name);
    std::vector<std::string> memos;
    for (const auto& [name, lines] : state.Filters.Memos)
        memos.push_back(name);
    std::vector<bool> cleared(memos.size(), false);
    for (const auto& line : qv::SplitLines(qv::GbkToUtf8(parameters))) {
        if (line.empty() || edits.size() + memos.size() == 0)
            continue;
        const std::size_t pick = static_cast<unsigned char>(line[0]) % (edits.size() + memos.size());
        const std::string text = line.substr(1);
        if (pick < edits.size()) {
            state.Filters.Edits[edits[pick]] = text;
        } else {
            const std::size_t m = pick - edits.size();
            if (!cleared[m])
                state.Filters.Memos[memos[m]].clear();
            cleared[m] = true;
            state.Filters.Memos[memos[m]].push_back(text);
        }
    }

    qv::ReplaceFile(state.File("Data/temp.txt"), basket);
    state.Selection.BasketReadyFlag = true;
    qv::RecordingHost host;
    try {
        qv::RunFilters(state, host);
    } catch (const qv::Error&) {
    }
    // The run only ever removes lines.
    const auto before = qv::SplitLines(qv::GbkToUtf8(basket)).size();
    const auto after = qv::LoadLines(state.File("Data/temp.txt")).size();
    if (after > before)
        __builtin_trap();
    return 0;
}
