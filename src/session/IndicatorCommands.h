#pragma once

namespace qv {

struct AppState;
class Host;

// The indicator refresh (Button3Click, "刷新往期所有数据"): reloads the history, then with
// "Data=0" computes both indicator tables, with "Data=1" loads them from "Red/RedAna.txt" and
// "Blue/BlueAna.txt"; shows them in ListView3 and TeListView1 and writes both files (with
// "Data=1" they are written back as loaded). Any other flag value shows nothing and leaves
// the stored files alone. Stops with the qv::Error of the step that failed; what was shown
// or written before stays.
void RefreshIndicators(AppState& state, Host& host);

// The same on the history the state holds, without reloading it.
void RefreshIndicatorsOnLoadedHistory(AppState& state, Host& host);

// The start-up's check of reloaded tables against the history: one line per draw, each
// opening with that draw's issue, ordinal, reds and blue as the computation writes them.
// A table that belongs to another history (edited or replaced since) is a StoredFileError.
void RequireTablesMatchHistory(const AppState& state);

// 保存红球数据 (TeButton22Click) and 保存蓝球数据 (TeButton25Click): copy the stored table file
// to a file the user picks ("红球数据.txt" / "蓝球数据.txt" proposed, starting in AppDir).
// A missing stored file is reported before the dialog opens; cancelling writes nothing.
void ExportRedTable(AppState& state, Host& host);
void ExportBlueTable(AppState& state, Host& host);

} // namespace qv
