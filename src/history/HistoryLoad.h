#pragma once

#include "history/Text.h"

namespace qv {

struct AppState;

// The history load (Button2Click): rebuilds HistoryLines and RedHistory from
// AppDir + "Data/data.txt". RedHistory gets fields 1 to 6 of every line joined by single
// blanks, then one empty line. A missing file is the "Cannot open file" report and leaves
// both lists as they were.
void LoadHistory(AppState& state);

// RedHistory for these history lines: fields 1 to 6 of each joined by single blanks (a
// short line gives empty fields), then one empty line.
Lines RedHistoryOf(const Lines& historyLines);

} // namespace qv
