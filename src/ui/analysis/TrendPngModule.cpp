// The trend picture as a module of its own, loaded by the command line only when a
// picture is asked for: every other command starts without the toolkit's libraries.

#include "ui/analysis/TrendImage.h"

#include <exception>
#include <string>

// Draws the grid into the PNG at path. Returns nullptr when the picture was written, or
// the reason (UTF-8) it was not; the text lives until the next call on this thread.
extern "C" __attribute__((visibility("default"))) const char*
QuorvaneSaveTrendPng(const qv::TrendGrid* grid, bool showOmissions, const char* path)
{
    thread_local std::string error;
    try {
        qv::ui::SaveTrendPng(*grid, showOmissions, std::filesystem::path(path));
        return nullptr;
    } catch (const std::exception& e) {
        error = e.what();
    } catch (...) {
        error = "生成 PNG 图片时发生未知错误";
    }
    return error.c_str();
}
