#pragma once

class QCoreApplication;

namespace qv::ui {

// Loads Qt's own Chinese texts into the application, so that standard buttons (是/否,
// 确定, 取消), file dialogs and the other built-in dialogs speak the program's language, and
// makes Chinese the default locale. False when the translations are not installed (Debian:
// qt6-translations-l10n); the program then goes on with Qt's English texts.
bool InstallChineseTranslations(QCoreApplication& app);

} // namespace qv::ui
