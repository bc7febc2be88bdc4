#include "ui/TrendImage.h"

#include "ui/TrendPainter.h"

#include "core/Error.h"
#include "history/TextFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

namespace qv::ui {

void SaveTrendPng(const TrendGrid& grid, bool showOmissions, const std::filesystem::path& path)
{
    // Fonts need a running application; without one an offscreen one runs for this call.
    std::unique_ptr<QGuiApplication> application;
    static int argc = 3;
    static char name[] = "quorvane";
    static char platform[] = "-platform";
    static char offscreen[] = "offscreen";
    static char* argv[] = {name, platform, offscreen, nullptr};
    if (!QGuiApplication::instance()) {
        // Its start-up notes (a missing runtime folder and the like) are no concern of a
        // command-line run.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        });
        application = std::make_unique<QGuiApplication>(argc, argv);
    }

    const QImage image = RenderTrendImage(grid, TrendPaintOptions{showOmissions});
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG"))
        throw Error("无法生成走势图图片：" + path.string());
    ReplaceFile(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace qv::ui
