#include "ui/Unit1.h"

#include "core/Error.h"
#include "history/AppLocation.h"
#include "history/TextFile.h"
#include "session/Pipeline.h"
#include "ui/Addresses.h"
#include "ui/QtHost.h"
#include "ui/RelayHost.h"
#include "ui/SessionSettings.h"
#include "ui/analysis/TableModels.h"
#include "ui/analysis/TrendView.h"
#include "ui/selection/FilterView.h"
#include "ui/selection/SelectionArea.h"
#include "ui/web/WebArea.h"
#include "ui/widgets/QtText.h"
#include "ui/widgets/WindowEffects.h"
#include "ui/windows/about.h"
#include "ui/windows/adddata.h"
#include "ui/windows/starloading.h"

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QTextCursor>
#include <QThread>
#include <QTimer>

#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <unordered_set>

namespace qv::ui {

namespace {

constexpr int kRightColumnWidth = 296;
constexpr int kSponsorHeight = 55;
constexpr int kProgressHeight = 16;

QLabel* MakeHeader(const QString& text, QWidget* parent)
{
    auto* header = new QLabel(text, parent);
    header->setProperty("role", QStringLiteral("header"));
    header->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return header;
}

QWidget* MakePlaceholderPage(const QString& objectName, const QString& caption)
{
    auto* page = new QWidget;
    page->setObjectName(objectName);
    auto* layout = new QVBoxLayout(page);
    auto* label = new QLabel(caption, page);
    label->setAlignment(Qt::AlignCenter);
    label->setProperty("role", QStringLiteral("placeholder"));
    layout->addWidget(label);
    return page;
}

} // namespace

TForm1::TForm1(FormOptions options, QWidget* parent) : QMainWindow(parent), m_options(std::move(options))
{
    setObjectName(QStringLiteral("Form1"));
    m_host = std::make_unique<QtHost>(*this);
    BuildMenus();
    BuildTopToolBar();
    BuildBody();
    FormCreate();

    // Every run starts in the same places: the analysis area on the history statistics,
    // its red omission panel, and the selection area shown with the bet/combination view.
    ShowOmissionPanel(true);
    ShowView(QStringLiteral("历史统计"));
    ShowView(QStringLiteral("投注/组合"));
}

TForm1::~TForm1()
{
    if (m_asideThread) {
        m_asideThread->quit();
        m_asideThread->wait();
        delete m_asideWorker;
    }
    // The views and secondary windows read the state and report through the host, which
    // are members and die before the base class would delete its children: the children go
    // first.
    QList<QPointer<QWidget>> children;
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        children << child;
    for (const QPointer<QWidget>& child : children)
        delete child.data();
}

// The creation handler: the ready flag, AppDir, the help texts, the run-time flags, the
// title and the first line of the log.
void TForm1::FormCreate()
{
    const AppLocation location = LocateAppDir(AppPaths::ExecutableDir(), m_options.AppDir);
    m_state.Flag.SetFile(m_options.FlagFile.value_or(location.OptionIni));
    std::string flagError;
    try {
        m_state.Flag.Load();
    } catch (const Error& e) {
        flagError = e.what();
    }
    m_state.Paths.SetDir(location.AppDir);
    // Half-written temporary files of a run that was killed before its rename.
    RemoveStaleTempFiles(location.AppDir);
    LoadHelpTexts();
    m_state.Selection.BasketReadyFlag = false;
    setWindowTitle(Q(kProgramTitle));
    AppendLog(QStringLiteral("****") + Q(kProgramTitle) + QStringLiteral("****"));
    if (!flagError.empty()) {
        const QString text = Q(flagError);
        QTimer::singleShot(0, this, [this, text]() {
            m_host->Message(kProgramTitle, S(text), MessageIcon::Error, MessageButtons::Ok);
        });
    }
}

void TForm1::CreateSecondaryWindows()
{
    if (!m_loading)
        m_loading = new TNstarloading(LoadingContext{
            this,
            [this](const std::function<void()>& beforeReport) { return RunStartupRun(beforeReport); },
            [this]() { return Busy(); },
            m_state.File(files::kHistory),
            &m_state.HistoryLines,
        });
    if (!m_editor)
        m_editor = new TNadddata(*this, this);
    // The selection area's views, the about window, the pop-up and the 24-code selector.
    if (!m_selection.Bets) {
        m_selection = InstallSelectionViews(*this, m_selectionPages);
        // The player's work of the last run, over the defaults the views just showed.
        InstallSessionSettings(*this);
    }
}

ViewContext TForm1::Context()
{
    return ViewContext{
        m_state,
        *m_host,
        [this](const std::function<void()>& command) { return Run(command); },
        [this](const std::function<void(qv::Host&)>& command) { return RunAside(command); },
        [this](const std::string& component, std::function<void()> refresh) {
            RegisterView(component, std::move(refresh));
        },
        [this](const QString& caption) { ShowView(caption); },
        this,
    };
}

TNstarloading* TForm1::LoadingWindow() const
{
    return m_loading;
}

// ---------------------------------------------------------------------------------------
// Menus and tool bars

QAction* TForm1::AddCommand(QWidget* owner, const QString& caption, const QString& objectName,
                            const std::function<void()>& handler)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(objectName);
    if (owner)
        owner->addAction(action);
    // Menu shortcuts work wherever the focus is in the main window.
    if (qobject_cast<QMenu*>(owner))
        addAction(action);
    if (handler)
        connect(action, &QAction::triggered, this, [handler]() { handler(); });
    return action;
}

QAction* TForm1::AddViewCommand(QMenu* menu, QToolBar* bar, const QString& caption,
                                const QString& toolCaption, Area area, int page, const QString& menuName,
                                const QString& toolName)
{
    const bool analysis = area == Area::Analysis;
    QAction* menuAction = AddCommand(menu, caption, menuName, [this, caption]() { ShowView(caption); });
    menuAction->setCheckable(true);
    (analysis ? m_analysisMenuGroup : m_selectionMenuGroup)->addAction(menuAction);
    QAction* toolAction = nullptr;
    if (bar) {
        toolAction = AddCommand(bar, toolCaption, toolName, [this, caption]() { ShowView(caption); });
        toolAction->setCheckable(true);
        (analysis ? m_analysisToolGroup : m_selectionToolGroup)->addAction(toolAction);
        if (QWidget* button = bar->widgetForAction(toolAction))
            button->setObjectName(toolName);
    }
    m_views[caption] = ViewEntry{area, page, menuAction, toolAction};
    return menuAction;
}

void TForm1::BuildMenus()
{
    m_analysisMenuGroup = new QActionGroup(this);
    m_selectionMenuGroup = new QActionGroup(this);
    m_analysisToolGroup = new QActionGroup(this);
    m_selectionToolGroup = new QActionGroup(this);

    // The two vertical tool bars exist before the view commands that fill them.
    m_analysisBar = new QToolBar(QStringLiteral("技术指标"));
    m_analysisBar->setObjectName(QStringLiteral("AnalysisToolBar"));
    m_selectionBar = new QToolBar(QStringLiteral("选号/过滤"));
    m_selectionBar->setObjectName(QStringLiteral("SelectionToolBar"));

    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* data = bar->addMenu(QStringLiteral("数据操作"));
    data->setObjectName(QStringLiteral("MenuData"));
    m_dataMenu = data;
    AddCommand(data, QStringLiteral("添加/修改/删除开奖记录"), QStringLiteral("MenuAddRecord"), [this]() {
        ToolButton22Click();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    data->addSeparator();
    AddCommand(data, QStringLiteral("重算数据"), QStringLiteral("MenuRefresh"), [this]() {
        TeSpeedButton11Click();
    })->setShortcut(QKeySequence(Qt::Key_F5));
    data->addSeparator();
    AddCommand(data, QStringLiteral("开始执行运算/过滤"), QStringLiteral("N4"), [this]() {
        Button9Click();
    })->setShortcut(QKeySequence(Qt::Key_F7));
    data->addSeparator();
    m_exitAction =
        AddCommand(data, QStringLiteral("退出"), QStringLiteral("MenuExit"), [this]() { close(); });
    m_exitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_X));

    QMenu* view = bar->addMenu(QStringLiteral("查看视窗"));
    view->setObjectName(QStringLiteral("MenuView"));
    AddViewCommand(view, m_analysisBar, QStringLiteral("历史统计"), QStringLiteral("历史统计"),
                   Area::Analysis, 0, QStringLiteral("MenuHistoryStatistics"),
                   QStringLiteral("ToolHistoryStatistics"));
    AddViewCommand(view, m_analysisBar, QStringLiteral("指标参考"), QStringLiteral("指标参考"),
                   Area::Analysis, 1, QStringLiteral("MenuIndicatorReference"),
                   QStringLiteral("ToolIndicatorReference"));
    AddViewCommand(view, m_analysisBar, QStringLiteral("历史遗漏"), QStringLiteral("历史遗漏"),
                   Area::Analysis, 2, QStringLiteral("MenuHistoryOmission"),
                   QStringLiteral("ToolHistoryOmission"));
    AddViewCommand(view, m_analysisBar, QStringLiteral("算法参考"), QStringLiteral("号码预测"),
                   Area::Analysis, 3, QStringLiteral("MenuAlgorithmReference"),
                   QStringLiteral("ToolPrediction"));
    AddViewCommand(view, m_analysisBar, QStringLiteral("走势图"), QStringLiteral("走势图"), Area::Analysis, 5,
                   QStringLiteral("MenuTrend"), QStringLiteral("ToolTrend"));
    AddCommand(view, QStringLiteral("相邻号码组合分析"), QStringLiteral("MenuNeighbourAnalysis"), {})
        ->setEnabled(false);
    // The spiral conjecture's view is never shown: its menu item and tool button are disabled.
    AddCommand(view, QStringLiteral("下期分析预测"), QStringLiteral("MenuSpiral"), {})->setEnabled(false);
    AddCommand(m_analysisBar, QStringLiteral("分析预测"), QStringLiteral("ToolSpiral"), {})
        ->setEnabled(false);
    view->addSeparator();
    AddViewCommand(view, m_selectionBar, QStringLiteral("记事工作区域"), QStringLiteral("记事本"),
                   Area::Selection, 0, QStringLiteral("MenuNotepad"), QStringLiteral("ToolNotepad"));
    AddViewCommand(view, m_selectionBar, QStringLiteral("投注/组合"), QStringLiteral("选号"), Area::Selection,
                   1, QStringLiteral("MenuBetCombination"), QStringLiteral("ToolBetCombination"));
    AddViewCommand(view, m_selectionBar, QStringLiteral("运算/过滤窗口"), QStringLiteral("缩水过滤"),
                   Area::Selection, 2, QStringLiteral("MenuFilters"), QStringLiteral("ToolFilters"));
    AddViewCommand(view, m_selectionBar, QStringLiteral("购买清单"), QStringLiteral("购买清单"),
                   Area::Selection, 3, QStringLiteral("MenuPurchaseList"), QStringLiteral("ToolPurchaseList"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C));
    AddViewCommand(view, m_selectionBar, QStringLiteral("中奖查询"), QStringLiteral("中奖查询"),
                   Area::Selection, 4, QStringLiteral("MenuPrizeCheck"), QStringLiteral("ToolPrizeCheck"));
    AddViewCommand(view, m_selectionBar, QStringLiteral("旋转矩阵"), QStringLiteral("旋转矩阵"),
                   Area::Selection, 5, QStringLiteral("MenuWheel"), QStringLiteral("ToolWheel"));

    // The analysis tool bar ends with the two data commands.
    m_analysisBar->addSeparator();
    AddCommand(m_analysisBar, QStringLiteral("更新期数"), QStringLiteral("ToolButton22"),
               [this]() { ToolButton22Click(); });
    AddCommand(m_analysisBar, QStringLiteral("重算数据"), QStringLiteral("ToolButton2"),
               [this]() { ToolButton2Click(); });
    for (QAction* action : m_analysisBar->actions())
        if (QWidget* button = m_analysisBar->widgetForAction(action); button && !action->isSeparator())
            button->setObjectName(action->objectName());

    QMenu* help = bar->addMenu(QStringLiteral("使用帮助"));
    help->setObjectName(QStringLiteral("MenuHelp"));
    AddCommand(help, QStringLiteral("使用指南"), QStringLiteral("MenuGuide"), [this]() { ShowGuide(); });
    help->addSeparator();
    AddCommand(help, QStringLiteral("关于我们"), QStringLiteral("MenuAbout"), [this]() {
        ShowAbout();
    })->setShortcut(QKeySequence(Qt::ALT | Qt::Key_A));
    help->addSeparator();
    AddCommand(help, QStringLiteral("进入Pellisor吧！"), QStringLiteral("MenuCommunity"),
               [this]() { OpenAddress(Q(addresses::kCommunityHome)); });
    help->addSeparator();
    AddCommand(help, QStringLiteral("进入Kevrin"), QStringLiteral("MenuProductHome"),
               [this]() { OpenAddress(Q(addresses::kProductHome)); });
    help->addSeparator();
    AddCommand(help, QStringLiteral("提交新算法"), QStringLiteral("MenuSubmitFormula"),
               [this]() { OpenAddress(Q(addresses::kForumPage)); });
}

void TForm1::BuildTopToolBar()
{
    QToolBar* top = addToolBar(QStringLiteral("工具栏"));
    top->setObjectName(QStringLiteral("ToolBar1"));
    top->setMovable(false);
    top->setFloatable(false);
    top->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto add = [&](const QString& caption, const QString& name, const std::function<void()>& handler) {
        QAction* action = AddCommand(top, caption, name, handler);
        if (QWidget* button = top->widgetForAction(action))
            button->setObjectName(name);
    };
    add(QStringLiteral("选号/过滤"), QStringLiteral("TopSelection"), [this]() { ShowArea(Area::Selection); });
    add(QStringLiteral("技术指标"), QStringLiteral("TopAnalysis"), [this]() { ShowArea(Area::Analysis); });
    add(QStringLiteral("在线讨论"), QStringLiteral("TopWeb"), [this]() { ShowArea(Area::Web); });
    add(QStringLiteral("使用指南"), QStringLiteral("TopGuide"), [this]() { ShowGuide(); });
    add(QStringLiteral("关于我们"), QStringLiteral("TopAbout"), [this]() { ShowAbout(); });
}

// ---------------------------------------------------------------------------------------
// Body: work areas, right column, sponsor strip, progress bar

void TForm1::BuildBody()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Panel1"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_splitter = new QSplitter(Qt::Horizontal, central);
    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    m_splitter->setChildrenCollapsible(false);
    m_areas = new QStackedWidget(m_splitter);
    m_areas->setObjectName(QStringLiteral("WorkArea"));
    m_areas->addWidget(BuildAnalysisArea());
    m_areas->addWidget(BuildSelectionArea());
    m_areas->addWidget(BuildWebArea());
    QWidget* right = BuildRightColumn();
    m_splitter->addWidget(m_areas);
    m_splitter->addWidget(right);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);
    m_splitter->setSizes({1000, kRightColumnWidth});
    layout->addWidget(m_splitter, 1);

    layout->addWidget(BuildSponsorStrip());

    m_progress = new QProgressBar(central);
    m_progress->setObjectName(QStringLiteral("suiProgressBar1"));
    m_progress->setFixedHeight(kProgressHeight);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    layout->addWidget(m_progress);

    setCentralWidget(central);
}

QWidget* TForm1::BuildRightColumn()
{
    auto* column = new QWidget;
    column->setObjectName(QStringLiteral("RightColumn"));
    column->setMinimumWidth(160);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    layout->addWidget(MakeHeader(QStringLiteral("号码篮"), column));
    auto* basket = new QTableView(column);
    basket->setObjectName(QStringLiteral("BasketGrid"));
    basket->horizontalHeader()->hide();
    basket->verticalHeader()->hide();
    basket->horizontalHeader()->setStretchLastSection(true);
    basket->setSelectionBehavior(QAbstractItemView::SelectRows);
    basket->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(basket, 3);
    m_selectionPages.BasketGrid = basket;

    auto* label4 = new QLabel(QStringLiteral("合计共：0注/0元"), column);
    label4->setObjectName(QStringLiteral("Label4"));
    label4->setProperty("role", QStringLiteral("counter"));
    layout->addWidget(label4);
    auto* label29 = new QLabel(QStringLiteral("组数：0组"), column);
    label29->setObjectName(QStringLiteral("Label29"));
    label29->setProperty("role", QStringLiteral("counter"));
    layout->addWidget(label29);

    auto* purchase = new QPushButton(QStringLiteral("加入购买清单"), column);
    purchase->setObjectName(QStringLiteral("Button15"));
    m_selectionPages.AddToPurchase = purchase;
    layout->addWidget(purchase);
    // 缩水覆盖, filled by the selection area.
    auto* cover = new QWidget(column);
    cover->setObjectName(QStringLiteral("CoverSlot"));
    m_selectionPages.CoverSlot = cover;
    layout->addWidget(cover);

    layout->addWidget(MakeHeader(QStringLiteral("信息提示"), column));
    m_infoLog = new QPlainTextEdit(column);
    m_infoLog->setObjectName(QStringLiteral("InfoLog"));
    m_infoLog->setReadOnly(true);
    m_infoLog->setUndoRedoEnabled(false);
    m_infoLog->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_infoLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // An empty document is one empty line: the log starts with it, and lines go below.
    layout->addWidget(m_infoLog, 4);
    return column;
}

QWidget* TForm1::BuildSponsorStrip()
{
    auto* strip = new QFrame;
    strip->setObjectName(QStringLiteral("SponsorStrip"));
    strip->setFixedHeight(kSponsorHeight);
    strip->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(8, 2, 8, 2);
    auto* label = new QLabel(QStringLiteral("赞助商"), strip);
    label->setObjectName(QStringLiteral("SponsorLabel"));
    layout->addWidget(label);
    auto* banner = new QWidget(strip);
    banner->setObjectName(QStringLiteral("SponsorBanner"));
    layout->addWidget(banner, 1);
    m_selectionPages.SponsorStrip = strip;
    m_selectionPages.SponsorBanner = banner;
    return strip;
}

QWidget* TForm1::BuildAnalysisArea()
{
    auto* area = new QWidget;
    area->setObjectName(QStringLiteral("AnalysisArea"));
    auto* layout = new QHBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_analysisBar->setOrientation(Qt::Vertical);
    m_analysisBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout->addWidget(m_analysisBar);

    m_analysisViews = new QStackedWidget(area);
    m_analysisViews->setObjectName(QStringLiteral("AnalysisViews"));
    m_analysisViews->addWidget(BuildHistoryStatisticsView());
    m_analysisViews->addWidget(BuildIndicatorReferenceView());
    m_analysisViews->addWidget(BuildOmissionView());
    m_analysisViews->addWidget(BuildAlgorithmReferenceView());
    m_analysisViews->addWidget(BuildSpiralView());
    m_analysis.Trend = new TrendView(Context());
    // A trend view in front redraws once the start-up run has read the history.
    TrendView* trend = m_analysis.Trend;
    connect(this, &TForm1::StartupFinished, trend, [trend]() {
        if (trend->isVisible())
            trend->Refresh();
    });
    m_analysisViews->addWidget(m_analysis.Trend);
    layout->addWidget(m_analysisViews, 1);
    return area;
}

QWidget* TForm1::BuildSelectionArea()
{
    auto* area = new QWidget;
    area->setObjectName(QStringLiteral("SelectionArea"));
    auto* layout = new QHBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_selectionBar->setOrientation(Qt::Vertical);
    m_selectionBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout->addWidget(m_selectionBar);

    // The six selection views; their controls (RichEdit1, hao1 … hao33, Memo6, the filter
    // pages, Memo8 and lan1 … lan16, Edit7/Memo9/Memo7) live on these pages.
    m_selectionViews = new QStackedWidget(area);
    m_selectionViews->setObjectName(QStringLiteral("SelectionViews"));
    SelectionPages& pages = m_selectionPages;
    pages.Notepad = MakePlaceholderPage(QStringLiteral("NotepadView"), QStringLiteral("记事工作区域"));
    pages.Bets = MakePlaceholderPage(QStringLiteral("BetCombinationView"), QStringLiteral("投注/组合"));
    pages.Filters = MakePlaceholderPage(QStringLiteral("FilterView"), QStringLiteral("运算/过滤窗口"));
    pages.Purchase = MakePlaceholderPage(QStringLiteral("PurchaseListView"), QStringLiteral("购买清单"));
    pages.Prizes = MakePlaceholderPage(QStringLiteral("PrizeCheckView"), QStringLiteral("中奖查询"));
    pages.Wheel = MakePlaceholderPage(QStringLiteral("WheelView"), QStringLiteral("旋转矩阵"));
    for (QWidget* page :
         {pages.Notepad, pages.Bets, pages.Filters, pages.Purchase, pages.Prizes, pages.Wheel})
        m_selectionViews->addWidget(page);
    layout->addWidget(m_selectionViews, 1);
    return area;
}

QWidget* TForm1::BuildWebArea()
{
    m_selectionPages.Web = MakePlaceholderPage(QStringLiteral("WebArea"), QStringLiteral("在线讨论"));
    return m_selectionPages.Web;
}

// ---------------------------------------------------------------------------------------
// Views and areas

void TForm1::ShowArea(Area area)
{
    m_areas->setCurrentIndex(static_cast<int>(area));
}

TForm1::Area TForm1::CurrentArea() const
{
    return static_cast<Area>(m_areas->currentIndex());
}

QString TForm1::CurrentView(Area area) const
{
    const auto found = m_currentView.find(area);
    return found == m_currentView.end() ? QString() : found->second;
}

void TForm1::ShowView(const QString& caption)
{
    const auto found = m_views.find(caption);
    if (found == m_views.end())
        return;
    const ViewEntry& entry = found->second;
    if (!entry.Menu->isEnabled())
        return;
    QStackedWidget* stack = entry.ViewArea == Area::Analysis ? m_analysisViews : m_selectionViews;
    stack->setCurrentIndex(entry.Page);
    entry.Menu->setChecked(true);
    if (entry.Tool)
        entry.Tool->setChecked(true);
    m_currentView[entry.ViewArea] = caption;
    ShowArea(entry.ViewArea);
}

QAction* TForm1::Action(const QString& objectName) const
{
    return findChild<QAction*>(objectName);
}

namespace {

// Names are unique within a window, not across windows (the record editor has its own
// Label5): search one window without descending into the windows it owns.
QWidget* FindInWindow(const QObject* parent, const QString& name)
{
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow())
            continue;
        if (widget->objectName() == name)
            return widget;
        if (QWidget* found = FindInWindow(widget, name))
            return found;
    }
    return nullptr;
}

} // namespace

QWidget* TForm1::Component(const QString& name) const
{
    if (QWidget* own = FindInWindow(this, name))
        return own;
    for (QObject* child : children())
        if (auto* window = qobject_cast<QWidget*>(child); window && window->isWindow()) {
            if (window->objectName() == name)
                return window;
            if (QWidget* found = FindInWindow(window, name))
                return found;
        }
    return nullptr;
}

void TForm1::RegisterView(const std::string& component, std::function<void()> refresh)
{
    m_refreshers[component] = std::move(refresh);
}

void TForm1::RefreshView(const std::string& component)
{
    const auto found = m_refreshers.find(component);
    if (found != m_refreshers.end())
        found->second();
}

void TForm1::RefreshAllViews()
{
    for (const auto& [name, refresh] : m_refreshers)
        refresh();
}

// ---------------------------------------------------------------------------------------
// The shared displays

void TForm1::AppendLog(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // Every entry goes below the last line; the document starts as the one empty line.
    QTextCursor cursor(m_infoLog->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertBlock();
    cursor.insertText(lines);
    // The log follows its newest line, wherever the user had scrolled.
    QScrollBar* bar = m_infoLog->verticalScrollBar();
    bar->setValue(bar->maximum());
}

// ---------------------------------------------------------------------------------------
// Commands

namespace {

// The text of the error a command stopped with; empty when it finished.
std::string ErrorOf(const std::function<void()>& command)
{
    try {
        command();
    } catch (const Error& e) {
        return e.what();
    } catch (const std::bad_alloc&) {
        return "Out of memory";
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

} // namespace

std::string TForm1::Execute(const std::function<void()>& command)
{
    ++m_busy;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::string error = ErrorOf(command);
    QApplication::restoreOverrideCursor();
    --m_busy;
    return error;
}

bool TForm1::RunAside(const std::function<void(qv::Host&)>& command)
{
    if (m_busy)
        return false;
    ++m_busy;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::unordered_set<std::string> plainLabels;
    for (const QLabel* label : findChildren<QLabel*>())
        if (!label->objectName().isEmpty() && Component(label->objectName()) == label)
            plainLabels.insert(S(label->objectName()));
    RelayHost relay(*m_host, this, std::move(plainLabels));
    if (!m_asideThread) {
        m_asideThread = new QThread(this);
        m_asideThread->setObjectName(QStringLiteral("CommandAside"));
        m_asideWorker = new QObject;
        m_asideWorker->moveToThread(m_asideThread);
        m_asideThread->start();
    }
    std::string error;
    QEventLoop loop;
    RelayHost::LendState(true);
    QMetaObject::invokeMethod(
        m_asideWorker,
        [&] {
            error = ErrorOf([&] { command(relay); });
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    // Paints, timers and the worker's calls go on; clicks and keys wait.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    // Whatever the worker posted is carried out while its Host still exists.
    QCoreApplication::sendPostedEvents(this);
    RelayHost::LendState(false);
    // What the views left blank meanwhile.
    for (QAbstractItemView* view : findChildren<QAbstractItemView*>())
        view->viewport()->update();
    QApplication::restoreOverrideCursor();
    --m_busy;
    if (error.empty())
        return true;
    ReportError(error);
    return false;
}

void TForm1::ReportError(const std::string& text)
{
    m_host->Message(kProgramTitle, text, MessageIcon::Error, MessageButtons::Ok);
}

bool TForm1::Run(const std::function<void()>& command)
{
    if (m_busy)
        return false;
    const std::string error = Execute(command);
    if (error.empty())
        return true;
    ReportError(error);
    return false;
}

bool TForm1::RunStartupRun(const std::function<void()>& beforeReport)
{
    const std::string error = Execute([this]() { RunStartup(m_state, *m_host); });
    m_startupSucceeded = error.empty();
    if (!error.empty()) {
        // The window stays with the report in the log too, so that the user can mend the
        // history in the record editor and recompute.
        LogStep(*m_host, error);
        if (beforeReport)
            beforeReport();
        ReportError(error);
    }
    emit StartupFinished(m_startupSucceeded);
    return m_startupSucceeded;
}

void TForm1::RecomputeAllSteps()
{
    RecomputeAll(m_state, *m_host, [this]() { RefreshView("S24IssueList"); });
}

void TForm1::ToolButton2Click()
{
    Run([this]() { RecomputeAllSteps(); });
}

void TForm1::TeSpeedButton11Click()
{
    Run([this]() { RefreshAndReset(m_state, *m_host); });
}

void TForm1::ToolButton22Click()
{
    if (!m_editor)
        return;
    const bool opening = !m_editor->isVisible();
    m_editor->show();
    if (opening)
        PlaceNearPointer(m_editor);
    m_editor->raise();
    m_editor->activateWindow();
}

// F7 without a filter view does nothing; the filter view takes the command over when it is
// installed.
void TForm1::Button9Click()
{
    if (FilterView* filters = m_selection.Filters)
        filters->Button9Click();
}

void TForm1::OpenAddress(const QString& address)
{
    if (!address.isEmpty())
        QDesktopServices::openUrl(QUrl(address));
}

void TForm1::ShowAbout()
{
    if (TNabout* about = m_selection.About)
        about->ShowNearPointer();
}

// 使用指南: the help page in the web area.
void TForm1::ShowGuide()
{
    OpenAddress(QString());
    ShowArea(Area::Web);
    if (WebArea* web = m_selection.Web)
        web->LoadPage(WebArea::Page::OnlineHelp);
}

// ---------------------------------------------------------------------------------------
// Window events

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    UnfoldFromCentre(this, 200);
    // Showing the main window shows the loading window, whose showing runs the start-up.
    if (m_loading)
        QTimer::singleShot(0, this, [this]() {
            if (m_loading)
                m_loading->show();
        });
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // A command running aside still holds the run's lists.
    if (StateLent()) {
        event->ignore();
        return;
    }
    if (!FadeOutBeforeClose(this, event, 1000))
        return;
    SaveSessionSettings(*this);
    if (m_editor)
        m_editor->hide();
    if (m_loading)
        m_loading->close();
    QMainWindow::closeEvent(event);
}

} // namespace qv::ui
