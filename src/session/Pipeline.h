#pragma once

#include "history/Text.h"

#include <functional>

namespace qv {

struct AppState;
class Host;

// The start-up run shown behind the loading window: history load, indicator refresh,
// next-issue reference, omission statistics, prediction, spiral step, then flag :=
// "Data=1". With "Data=1" on disk the steps reload their stored files; a stored file that
// cannot be used as it stands (missing, not GBK, short, cut, malformed, or a table whose
// line count is not the history's) is logged in one line and the whole chain is computed
// anew from the history as with "Data=0". A step that fails otherwise stops the chain
// there (its error propagates) and the flag is not set. A computing run with a prediction
// switch off leaves "Data=0" (see RecomputeAll). Either way the history file is read once;
// a computing run keeps every result in memory (ComputeAnalysis) and writes each analysis
// file once, a reload reads each stored file once.
void RunStartup(AppState& state, Host& host);

// 重算数据 on the analysis tool bar and the record editor's OK: flag := "Data=0", every
// step computes and stores anew with the progress bar at 25, 45, 60, 80 and 100 of 100,
// the 24-code selector's issue list is reloaded (reloadSelector, when given), and only
// then flag := "Data=1". A run that stops leaves "Data=0", so the next start computes.
// So does a run with a prediction switch off: its "Red/RedNext.txt" lacks that list (and
// "Red/RedQK.txt" is not rewritten without 时向序列分析), so the stored set is incomplete
// and the next start computes it whole.
void RecomputeAll(AppState& state, Host& host, const std::function<void()>& reloadSelector = {});

// The record editor's OK with Yes, before its RecomputeAll: flag := "Data=0", then the
// history file is replaced whole with lines (flushed to the disk before the rename). The
// flag goes first so that a program killed between the two writes, or a recompute that
// never starts, leaves the next start computing from the new history rather than
// reloading files that belong to the old one. A failure leaves the old history complete.
void SaveHistoryForRecompute(AppState& state, const Lines& lines);

// 刷新重置 (menu 重算数据, F5): indicator refresh, omission statistics, prediction and
// next-issue reference with the current flag, +25 each; the flag is not touched.
void RefreshAndReset(AppState& state, Host& host);

// The closing step of both pipelines: logs and checks that "red/redana.txt" can be opened.
void RunSpiralStep(AppState& state, Host& host);

} // namespace qv
