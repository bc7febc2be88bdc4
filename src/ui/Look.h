#pragma once

class QApplication;

namespace qv::ui {

// The program's font (a CJK face, so Chinese renders everywhere) and its style sheet.
void ApplyLook(QApplication& app);

} // namespace qv::ui
