#include "history/HistoryLoad.h"

#include "core/AppState.h"
#include "history/TextFile.h"

namespace qv {

void LoadHistory(AppState& state)
{
    Lines lines = LoadLines(state.File(files::kHistory));
    Lines reds;
    reds.reserve(lines.size() + 1);
    for (const auto& line : lines) {
        const auto fields = SplitFieldViews(line);
        std::string combo;
        for (std::size_t k = 1; k <= 6; ++k) {
            if (k > 1)
                combo += ' ';
            combo += FieldAt(fields, k);
        }
        reds.push_back(std::move(combo));
    }
    reds.emplace_back();
    state.HistoryLines = std::move(lines);
    state.RedHistory = std::move(reds);
}

} // namespace qv
