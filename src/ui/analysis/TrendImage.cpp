#include "ui/analysis/TrendImage.h"

#include "ui/analysis/TrendPainter.h"

#include <QGuiApplication>

#include <cstdio>
#include <memory>

namespace qv::ui {

void SaveTrendPng(const TrendGrid& grid, bool showOmissions, const std::filesystem::path& path)
{
    // Fonts need a running application; without one an offscreen one runs for this call.
    // Its start-up notes (a missing runtime folder and the like) are no concern of a
    // command-line run: only its errors reach stderr while it runs.
    struct QuietApplication
    {
        QtMessageHandler Previous = nullptr;
        std::unique_ptr<QGuiApplication> Application;
        ~QuietApplication()
        {
            if (!Application)
                return;
            Application.reset();
            qInstallMessageHandler(Previous);
        }
    } quiet;
    static int argc = 3;
    static char name[] = "quorvane";
    static char platform[] = "-platform";
    static char offscreen[] = "offscreen";
    static char* argv[] = {name, platform, offscreen, nullptr};
    if (!QGuiApplication::instance()) {
        quiet.Previous =
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
                if (type == QtCriticalMsg || type == QtFatalMsg)
                    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
            });
        quiet.Application = std::make_unique<QGuiApplication>(argc, argv);
    }

    SavePngFile(RenderTrendImage(grid, TrendPaintOptions{showOmissions}), path);
}

} // namespace qv::ui
