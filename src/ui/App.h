#pragma once

#include "ui/Unit1.h"

#include <QStringList>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class QApplication;

namespace qv::ui {

struct LaunchOptions
{
    FormOptions Form;
    std::optional<std::filesystem::path> ScreenshotDir;
    bool Help = false;
};

// quorvane [--app-dir DIR] [--screenshots DIR]. Nothing and the reason for a command line
// that does not fit.
std::optional<LaunchOptions> ParseArguments(const QStringList& arguments, std::string& error);
const char* Usage();

// The start-up sequence: the main window, then the secondary windows in their order.
std::unique_ptr<TForm1> CreateWindows(const FormOptions& options);

// Runs the program until its main window closes; the exit status.
int RunProgram(QApplication& app, const LaunchOptions& options);

// The screenshot tour: one PNG of the main window in every view and of every secondary
// window, into dir. The file names written, in order.
QStringList SaveScreenshots(TForm1& form, const std::filesystem::path& dir);

} // namespace qv::ui
