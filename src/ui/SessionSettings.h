#pragma once

namespace qv::ui {

class TForm1;

// The player's work across restarts (the filter view, the picked reds and the bet list,
// the blues, the last purchase-list file and a basket whose file is still the one
// written): taken back as the windows are created, with one line in InfoLog, and saved
// whenever the main window closes. Adds 数据操作 → 恢复默认设置. Call once, after the
// selection views are installed.
void InstallSessionSettings(TForm1& form);

// Writes the settings file; a failure goes to InfoLog (closing never fails on it).
void SaveSessionSettings(TForm1& form);

// 恢复默认设置: asks, then puts every window back to its defaults (the basket stays) and
// saves. False when the user said no.
bool RestoreDefaultSettings(TForm1& form);

} // namespace qv::ui
