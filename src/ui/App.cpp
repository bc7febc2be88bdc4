#include "ui/App.h"

#include "ui/QtHost.h"
#include "ui/analysis/TrendView.h"
#include "ui/selection/SelectionArea.h"
#include "ui/widgets/QtText.h"
#include "ui/widgets/WindowEffects.h"
#include "ui/windows/adddata.h"
#include "ui/windows/starloading.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>

namespace qv::ui {

const char* Usage()
{
    return "usage: quorvane [--app-dir DIR] [--screenshots DIR]\n"
           "  --app-dir DIR      the program's data directory (default: the executable's directory)\n"
           "  --screenshots DIR  start, run the start-up, save a PNG of every view and window, quit\n";
}

std::optional<LaunchOptions> ParseArguments(const QStringList& arguments, std::string& error)
{
    LaunchOptions options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const auto value = [&](const QString& name) -> std::optional<QString> {
            if (argument == name) {
                if (i + 1 >= arguments.size()) {
                    error = S(name) + " needs a value";
                    return std::nullopt;
                }
                return arguments[++i];
            }
            return argument.mid(name.size() + 1);
        };
        if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h")) {
            options.Help = true;
        } else if (argument == QStringLiteral("--app-dir") ||
                   argument.startsWith(QStringLiteral("--app-dir="))) {
            const auto dir = value(QStringLiteral("--app-dir"));
            if (!dir || dir->isEmpty()) {
                if (error.empty())
                    error = "--app-dir needs a value";
                return std::nullopt;
            }
            options.Form.AppDir = std::filesystem::absolute(PathOf(*dir));
        } else if (argument == QStringLiteral("--screenshots") ||
                   argument.startsWith(QStringLiteral("--screenshots="))) {
            const auto dir = value(QStringLiteral("--screenshots"));
            if (!dir || dir->isEmpty()) {
                if (error.empty())
                    error = "--screenshots needs a value";
                return std::nullopt;
            }
            options.ScreenshotDir = std::filesystem::absolute(PathOf(*dir));
        } else {
            error = "unknown argument " + S(argument);
            return std::nullopt;
        }
    }
    return options;
}

std::unique_ptr<TForm1> CreateWindows(const FormOptions& options)
{
    auto form = std::make_unique<TForm1>(options);
    form->CreateSecondaryWindows();
    return form;
}

QStringList SaveScreenshots(TForm1& form, const std::filesystem::path& dir)
{
    QStringList saved;
    const QString folder = QPath(dir);
    QDir().mkpath(folder);
    const auto save = [&](QWidget* window, const QString& name) {
        if (!window)
            return;
        QApplication::processEvents();
        if (window->grab().save(folder + QLatin1Char('/') + name))
            saved << name;
    };
    const AnalysisViews& analysis = form.Analysis();
    const auto tab = [&](QTabWidget* tabs, int index) { tabs->setCurrentIndex(index); };

    if (TNstarloading* loading = form.LoadingWindow())
        save(loading, QStringLiteral("loading-window.png"));

    form.ShowView(QStringLiteral("历史统计"));
    const char* statistics[] = {"red", "blue", "red-help", "blue-help"};
    for (int i = 0; i < 4; ++i) {
        tab(analysis.HistoryStatistics, i);
        save(&form, QStringLiteral("main-history-statistics-") + QString::fromUtf8(statistics[i]) +
                        QStringLiteral(".png"));
    }
    tab(analysis.HistoryStatistics, 0);

    form.ShowView(QStringLiteral("指标参考"));
    save(&form, QStringLiteral("main-indicator-reference.png"));

    form.ShowView(QStringLiteral("历史遗漏"));
    form.Label73Click();
    save(&form, QStringLiteral("main-history-omission-red.png"));
    form.Label74Click();
    save(&form, QStringLiteral("main-history-omission-blue.png"));
    form.Label73Click();

    form.ShowView(QStringLiteral("算法参考"));
    const char* algorithms[] = {"prediction", "red-kill", "blue-kill"};
    for (int i = 0; i < 3; ++i) {
        tab(analysis.AlgorithmReference, i);
        save(&form,
             QStringLiteral("main-algorithm-") + QString::fromUtf8(algorithms[i]) + QStringLiteral(".png"));
    }
    tab(analysis.AlgorithmReference, 0);

    form.ShowView(QStringLiteral("走势图"));
    const char* trends[] = {"red", "blue", "chart"};
    for (int i = 0; i < 3; ++i) {
        tab(analysis.Trend->Pages(), i);
        save(&form, QStringLiteral("main-trend-") + QString::fromUtf8(trends[i]) + QStringLiteral(".png"));
    }
    tab(analysis.Trend->Pages(), 0);
    form.ShowView(QStringLiteral("历史统计"));

    const std::pair<const char*, const char*> selection[] = {
        {"记事工作区域", "notepad"},   {"投注/组合", "bet-combination"}, {"运算/过滤窗口", "filters"},
        {"购买清单", "purchase-list"}, {"中奖查询", "prize-check"},      {"旋转矩阵", "wheel"}};
    for (const auto& [caption, name] : selection) {
        form.ShowView(QString::fromUtf8(caption));
        save(&form, QStringLiteral("main-") + QString::fromUtf8(name) + QStringLiteral(".png"));
    }
    form.ShowArea(TForm1::Area::Web);
    save(&form, QStringLiteral("main-web.png"));
    form.ShowView(QStringLiteral("投注/组合"));

    if (TNadddata* editor = form.RecordEditor()) {
        editor->show();
        save(editor, QStringLiteral("record-editor.png"));
        editor->hide();
    }
    saved << SaveSelectionScreenshots(form, folder);
    return saved;
}

int RunProgram(QApplication& app, const LaunchOptions& options)
{
    QElapsedTimer launch;
    launch.start();
    if (options.ScreenshotDir)
        SetWindowEffectsEnabled(false);
    std::unique_ptr<TForm1> form = CreateWindows(options.Form);
    if (!options.ScreenshotDir) {
        form->showMaximized();
        return app.exec();
    }

    // The tour never waits for a person: messages go to stderr, questions take their
    // default answer, file dialogs are cancelled.
    QtHost& host = form->Host();
    host.SetScripted(true);
    host.Script().OnMessage = [](const RecordingHost::MessageRecord& message) {
        std::fprintf(stderr, "[%s] %s\n", message.Caption.c_str(), message.Text.c_str());
    };
    int status = 0;
    const std::string startFlag = form->State().Flag.Value();
    QObject::connect(form.get(), &TForm1::StartupFinished, &app, [&](bool succeeded) {
        std::fprintf(stderr, "start-up run %s %lld ms after launch (started with %s)\n",
                     succeeded ? "finished" : "stopped", static_cast<long long>(launch.elapsed()),
                     startFlag.c_str());
        QTimer::singleShot(0, &app, [&, succeeded]() {
            const QStringList saved = SaveScreenshots(*form, *options.ScreenshotDir);
            for (const QString& name : saved)
                std::printf("%s/%s\n", options.ScreenshotDir->string().c_str(), name.toUtf8().constData());
            status = succeeded && !saved.isEmpty() ? 0 : 1;
            std::fflush(stdout);
            // exit(), not quit(): quit() first asks every window to close, and windows that
            // fade out refuse the first request.
            app.exit(status);
        });
    });
    form->resize(1366, 800);
    form->show();
    app.exec();
    return status;
}

} // namespace qv::ui
