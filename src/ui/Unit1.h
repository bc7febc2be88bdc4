#pragma once

#include "core/Host.h"
#include "session/AppState.h"
#include "ui/ViewContext.h"
#include "ui/selection/SelectionArea.h"
#include "ui/windows/adddata.h"
#include "ui/windows/starloading.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QActionGroup;
class QLabel;
class QPlainTextEdit;
class QThread;
class QProgressBar;
class QPushButton;
class QSplitter;
class QStackedWidget;
class QTabWidget;
class QTableView;
class QToolBar;

namespace qv::ui {

class QtHost;
class RowsModel;
class TrendView;

struct FormOptions
{
    // The app directory given on the command line; without it the program finds its own
    // (the executable's directory, or the per-user directory of an installed program).
    std::optional<std::filesystem::path> AppDir;
    // The ready flag; without it "option.ini" where the app directory's rules put it.
    std::optional<std::filesystem::path> FlagFile;
};

// The analysis area's tabbed views and the help panes the form fills at its creation.
struct AnalysisViews
{
    QTabWidget* HistoryStatistics = nullptr;  // PageControl1
    QTabWidget* AlgorithmReference = nullptr; // PageControl3
    TrendView* Trend = nullptr;
    QPlainTextEdit* RedHelp = nullptr;  // RedHelpMemo
    QPlainTextEdit* BlueHelp = nullptr; // BlueHelpMemo
};

// The main window. It owns the state of the run (every list and flag), the Host that the
// commands report through, every view and the secondary windows. Commands enter through
// Run(), the one place where a stopped command's error is shown.
class TForm1 : public QMainWindow, public RecordEditorOwner
{
    Q_OBJECT
public:
    enum class Area
    {
        Analysis,
        Selection,
        Web,
    };

    explicit TForm1(FormOptions options = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    AppState& State() override { return m_state; }
    QtHost& Host() override { return *m_host; }
    // What the views and windows working on the run's lists get from this window.
    ViewContext Context();

    // The secondary windows, created right after the main window in the program's order.
    // The record editor reads the history as it is created.
    void CreateSecondaryWindows();
    TNstarloading* LoadingWindow() const;
    TNadddata* RecordEditor() const { return m_editor; }
    // The selection area's views and the windows created with them (all null before
    // CreateSecondaryWindows).
    const SelectionWindows& Selection() const { return m_selection; }
    const AnalysisViews& Analysis() const { return m_analysis; }
    QMenu* DataMenu() const { return m_dataMenu; }       // 数据操作
    QAction* ExitAction() const { return m_exitAction; } // its last command, 退出

    // Runs one command. A command that stops with an error has its text shown in a message
    // box; false then, and also when another command is still running (a timer or a
    // repaint during a long command cannot start a second one).
    bool Run(const std::function<void()>& command) override;
    // Runs one command on a worker thread (ViewContext::RunAside); the same refusals and
    // the same report as Run, and the same result as running it here.
    bool RunAside(const std::function<void(qv::Host&)>& command);
    bool Busy() const { return m_busy > 0; }
    // The same without the report: the error's text, empty when the command finished.
    std::string Execute(const std::function<void()>& command) override;
    void ReportError(const std::string& text) override;

    // The shared displays.
    void AppendLog(const QString& text);
    QPlainTextEdit* InfoLog() const { return m_infoLog; }
    QProgressBar* ProgressBar() const { return m_progress; }

    // Any control of the main window or its secondary windows by component name.
    QWidget* Component(const QString& name) const;
    // Redraws the view behind a component from the state (Host::ViewChanged).
    void RefreshView(const std::string& component);
    void RefreshAllViews();
    // Tells the window how to redraw the view behind a component (views built outside
    // this class register theirs too).
    void RegisterView(const std::string& component, std::function<void()> refresh);

    // Views by their menu caption ("历史统计", "投注/组合", ...).
    void ShowView(const QString& caption);
    void ShowArea(Area area);
    Area CurrentArea() const;
    QString CurrentView(Area area) const;
    QAction* Action(const QString& objectName) const;

    // The start-up run behind the loading window. True when every step finished; when a
    // step failed, beforeReport runs before its error is shown.
    bool RunStartupRun(const std::function<void()>& beforeReport = {});
    bool StartupSucceeded() const { return m_startupSucceeded; }

    // The record editor's OK runs the full recompute inside its own command.
    void RecomputeAllSteps() override;

public slots:
    void ToolButton2Click();     // 重算数据 on the analysis tool bar: RecomputeAll
    void TeSpeedButton11Click(); // 数据操作 → 重算数据 (F5): refresh and reset
    void ToolButton22Click();    // 更新期数: shows the record editor
    void Button1Click();         // 下一期基础指标分析
    void Button5Click();         // 分析往期情况
    void Button6Click();         // 当前期分析
    void TeButton27Click();      // red kill formulas: 重算
    void TeButton29Click();      // blue kill formulas: 重算
    void Button9Click();         // 开始执行运算/过滤 (F7)
    void Label73Click();         // 红号分析
    void Label74Click();         // 蓝号分析

signals:
    void StartupFinished(bool succeeded);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct ViewEntry
    {
        Area ViewArea = Area::Analysis;
        int Page = 0;
        QAction* Menu = nullptr;
        QAction* Tool = nullptr;
    };

    void FormCreate();
    void BuildMenus();
    void BuildTopToolBar();
    void BuildBody();
    QWidget* BuildRightColumn();
    QWidget* BuildAnalysisArea();
    QWidget* BuildSelectionArea();
    QWidget* BuildWebArea();
    QWidget* BuildSponsorStrip();

    // The analysis views (Unit1Analysis.cpp).
    QWidget* BuildHistoryStatisticsView();
    QWidget* BuildIndicatorReferenceView();
    QWidget* BuildOmissionView();
    QWidget* BuildAlgorithmReferenceView();
    QWidget* BuildSpiralView();
    void LoadHelpTexts();

    QAction* AddViewCommand(QMenu* menu, QToolBar* bar, const QString& caption, const QString& toolCaption,
                            Area area, int page, const QString& menuName, const QString& toolName);
    QAction* AddCommand(QWidget* owner, const QString& caption, const QString& objectName,
                        const std::function<void()>& handler);
    using CoreCommand = void (*)(AppState&, qv::Host&);
    QPushButton* CommandButton(const QString& caption, const QString& objectName, QWidget* parent,
                               CoreCommand command);
    QTableView* MakeTable(const QString& objectName, RowsModel* model);
    QPlainTextEdit* MakePane(const QString& objectName);
    void ShowOmissionPanel(bool red);
    void OpenAddress(const QString& address);
    void ShowAbout();
    void ShowGuide();

    AppState m_state;
    std::unique_ptr<QtHost> m_host;
    FormOptions m_options;

    int m_busy = 0; // commands running (a command may run another inside it)
    // The one thread that commands run aside on, for the life of the window: one thread
    // keeps one memory arena, so a list freed by one command is room for the next.
    QThread* m_asideThread = nullptr;
    QObject* m_asideWorker = nullptr; // lives on m_asideThread
    bool m_shownOnce = false;
    bool m_startupSucceeded = false;

    QPlainTextEdit* m_infoLog = nullptr;
    QProgressBar* m_progress = nullptr;
    QSplitter* m_splitter = nullptr;
    QStackedWidget* m_areas = nullptr;
    QStackedWidget* m_analysisViews = nullptr;
    QStackedWidget* m_selectionViews = nullptr;
    QWidget* m_redOmissionPanel = nullptr;
    QWidget* m_blueOmissionPanel = nullptr;
    QLabel* m_redOmissionLabel = nullptr;
    QLabel* m_blueOmissionLabel = nullptr;
    QActionGroup* m_analysisMenuGroup = nullptr;
    QActionGroup* m_selectionMenuGroup = nullptr;
    QActionGroup* m_analysisToolGroup = nullptr;
    QActionGroup* m_selectionToolGroup = nullptr;
    QToolBar* m_analysisBar = nullptr;
    QToolBar* m_selectionBar = nullptr;
    QMenu* m_dataMenu = nullptr;
    QAction* m_exitAction = nullptr;

    // The pages the selection area's views fill, and what fills them.
    SelectionPages m_selectionPages;
    SelectionWindows m_selection;
    AnalysisViews m_analysis;

    std::map<QString, ViewEntry> m_views;
    std::map<Area, QString> m_currentView;
    std::map<std::string, std::function<void()>> m_refreshers;

    QPointer<TNstarloading> m_loading;
    QPointer<TNadddata> m_editor;
};

} // namespace qv::ui
