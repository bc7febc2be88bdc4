#include "session/HistoryCommands.h"

#include "core/Error.h"
#include "history/DrawImport.h"
#include "history/HistoryLoad.h"
#include "history/TextFile.h"
#include "session/AppState.h"
#include "session/Pipeline.h"

namespace qv {

void LoadHistory(AppState& state)
{
    Lines lines = LoadLines(state.File(files::kHistory));
    Lines reds = RedHistoryOf(lines);
    state.HistoryLines = std::move(lines);
    state.RedHistory = std::move(reds);
}

void SaveImportedHistory(AppState& state, const Lines& merged)
{
    if (const std::string fault = ImportedHistoryFault(merged); !fault.empty())
        throw Error(fault);
    SaveHistoryForRecompute(state, merged);
}

} // namespace qv
