// quorvane: the desktop program.

#include "ui/App.h"
#include "ui/Translations.h"
#include "ui/widgets/Look.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    qv::ui::ApplyLook(app);
    if (!qv::ui::InstallChineseTranslations(app))
        std::fputs("quorvane: Qt's Chinese translations (qt6-translations-l10n) are not installed; "
                   "standard dialogs stay in English\n",
                   stderr);

    std::string error;
    const auto options = qv::ui::ParseArguments(QApplication::arguments(), error);
    if (!options) {
        std::fprintf(stderr, "quorvane: %s\n%s", error.c_str(), qv::ui::Usage());
        return 2;
    }
    if (options->Help) {
        std::fputs(qv::ui::Usage(), stdout);
        return 0;
    }
    return qv::ui::RunProgram(app, *options);
}
