#pragma once

#include "history/Text.h"

namespace qv {

struct AppState;
class Host;
struct PredictionLists;

// The next-issue reference (Button1Click). With "Data=0" it computes the red and blue
// sheets from RedHistory and the two indicator tables on disk ("Red/RedAna.txt",
// "Blue/BlueAna.txt"), writes "Red/RedZB.txt" and "Blue/BlueZB.txt", and fills
// state.Analysis.Reference and both list views. With "Data=1" it reads the two sheets back
// and shows them. Any other flag only logs the closing line. History or tables shorter
// than ten draws stop it before anything is written.
void RunNextIssueReference(AppState& state, Host& host);

// TeButton23Click: saves "Red/RedZB.txt" as it stands on disk to a file the user chooses
// (proposed name "红球遗下期指标参考.txt"). A missing sheet is reported before the dialog.
void SaveRedReference(AppState& state, Host& host);

// TeButton24Click: saves "Blue/BlueZB.txt" as it stands on disk to a file the user chooses
// (proposed name "蓝球下期指标参考.txt"). A missing sheet is reported before the dialog.
void SaveBlueReference(AppState& state, Host& host);

// The omission and appearance statistics (Button5Click). With "Data=0" it writes the red
// and blue omission reports ("Red/RedYL.txt", "Blue/BlueYL.txt"), the blue run histogram
// ("Blue/BlueLM.txt") and the blue appearance report ("Blue/BlueQK.txt"), shows them in
// their panes and then runs the next-issue prediction. With "Data=1" it loads the four
// panes from the stored reports. Any other flag only clears the panes.
void RunOmissionStatistics(AppState& state, Host& host);

// The four "保存" buttons: each writes its pane as shown to a file the user chooses.
void SaveRedOmissionReport(AppState& state, Host& host); // TeButton11Click, "红球遗漏数据分析报告.txt"
void SaveRedAppearanceReport(AppState& state, Host& host); // TeButton12Click, "红球出号统计报告.txt"
void SaveBlueOmissionReport(AppState& state, Host& host); // TeButton13Click, "蓝球遗漏数据分析报告.txt"
void SaveBlueAppearanceReport(AppState& state, Host& host); // TeButton14Click, "蓝球出号统计报告.txt"

// Label73Click / Label74Click: show the red or the blue pair of panes.
void ShowRedOmissionPanel(AppState& state, Host& host);
void ShowBlueOmissionPanel(AppState& state, Host& host);

// Button6Click: loads the history, runs both kill-formula verifications, then the five
// prediction algorithms whose switches are on, and fills ListView2.
void RunPrediction(AppState& state, Host& host);

// The same on the history the state holds: the kill formulas verified on it, nothing read
// again.
void RunPredictionOnLoadedHistory(AppState& state, Host& host);

// The pieces the commands above and the start-up chain share: both reference views filled
// from the sheets; the four omission panes emptied; the computed prediction lists taken
// (those whose switch is on, the ten-draw omission always) and the prediction view filled.
void ShowReferenceSheets(AppState& state, Host& host, const Lines& red, const Lines& blue);
void ClearOmissionPanes(AppState& state, Host& host);
void ShowComputedPrediction(AppState& state, Host& host, const PredictionLists& lists);

} // namespace qv
