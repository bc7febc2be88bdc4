#include "history/HistoryLoad.h"

#include "core/AppState.h"
#include "history/TextFile.h"

namespace qv {

Lines RedHistoryOf(const Lines& historyLines)
{
    Lines reds;
    reds.reserve(historyLines.size() + 1);
    for (const auto& line : historyLines) {
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
    return reds;
}

void LoadHistory(AppState& state)
{
    Lines lines = LoadLines(state.File(files::kHistory));
    Lines reds = RedHistoryOf(lines);
    state.HistoryLines = std::move(lines);
    state.RedHistory = std::move(reds);
}

} // namespace qv
