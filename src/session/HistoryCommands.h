#pragma once

#include "history/Text.h"

namespace qv {

struct AppState;

// The history load (Button2Click): rebuilds HistoryLines and RedHistory from
// AppDir + "Data/data.txt". RedHistory gets fields 1 to 6 of every line joined by single
// blanks, then one empty line. A missing file is the "Cannot open file" report and leaves
// both lists as they were.
void LoadHistory(AppState& state);

// Writes merged as the new history the way the record editor's OK does (the flag stale
// first, then the whole file replaced). Refuses, writing nothing, a history that breaks its
// line form or order (FindHistoryFault). The caller recomputes afterwards.
void SaveImportedHistory(AppState& state, const Lines& merged);

} // namespace qv
