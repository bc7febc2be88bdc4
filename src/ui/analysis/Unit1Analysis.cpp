// The analysis area of the main window: history statistics, indicator reference, history
// omission and algorithm reference. The views only show what the steps left in the state;
// each step announces a changed view through Host::ViewChanged.

#include "ui/QtHost.h"
#include "ui/Unit1.h"
#include "ui/analysis/TableModels.h"
#include "ui/widgets/ClickableLabel.h"
#include "ui/widgets/QtText.h"

#include "core/Error.h"
#include "history/TextFile.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "analysis/NextIssueReference.h"
#include "analysis/OmissionStatistics.h"
#include "analysis/Prediction.h"
#include "killformulas/BlueKillFormulas.h"
#include "killformulas/RedKillFormulas.h"
#include "session/AnalysisCommands.h"
#include "session/IndicatorCommands.h"
#include "session/KillCommands.h"
#include "ui/widgets/Buttons.h"

namespace qv::ui {

namespace {

QStringList Headers(std::initializer_list<const char*> captions)
{
    QStringList headers;
    for (const char* caption : captions)
        headers << QString::fromUtf8(caption);
    return headers;
}

// A row of buttons at the right edge, below a view.
QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* button : buttons)
        row->addWidget(button);
    return row;
}

QString JoinLines(const Lines& lines)
{
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& line : lines)
        texts << Q(line);
    return texts.join(QLatin1Char('\n'));
}

QStringList Headers(const std::vector<std::string>& captions)
{
    QStringList headers;
    for (const auto& caption : captions)
        headers << Q(caption);
    return headers;
}

// Keeps a view on its bottom row after a refresh, also when the refresh came while the
// view was hidden (its height, and so its bottom, are only known once it is shown).
class FollowBottom : public QObject
{
public:
    explicit FollowBottom(QTableView* view) : QObject(view), m_view(view) { view->installEventFilter(this); }

    void Refreshed()
    {
        m_pending = true;
        if (m_view->isVisible())
            Scroll();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_view && m_pending &&
            (event->type() == QEvent::Show || event->type() == QEvent::Resize))
            Scroll();
        return false;
    }

private:
    void Scroll()
    {
        m_view->scrollToBottom();
        if (m_view->isVisible() && m_view->height() > 0)
            m_pending = false;
    }

    QTableView* m_view;
    bool m_pending = false;
};

} // namespace

QPushButton* TForm1::CommandButton(const QString& caption, const QString& objectName, QWidget* parent,
                                   CoreCommand command)
{
    auto* button = MakeButton(caption, objectName, parent);
    connect(button, &QPushButton::clicked, this,
            [this, command]() { Run([this, command]() { command(m_state, *m_host); }); });
    return button;
}

QTableView* TForm1::MakeTable(const QString& objectName, RowsModel* model)
{
    auto* view = new QTableView;
    view->setObjectName(objectName);
    view->setModel(model);
    model->setParent(view);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(22);
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->setResizeContentsPrecision(64);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    view->setWordWrap(false);
    view->setShowGrid(true);
    view->resizeColumnsToContents();
    return view;
}

QPlainTextEdit* TForm1::MakePane(const QString& objectName)
{
    auto* pane = new QPlainTextEdit;
    pane->setObjectName(objectName);
    pane->setReadOnly(true);
    pane->setUndoRedoEnabled(false);
    pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    return pane;
}

// ---------------------------------------------------------------------------------------
// History statistics: the two indicator tables and their help texts

QWidget* TForm1::BuildHistoryStatisticsView()
{
    auto* tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("PageControl1"));
    m_analysis.HistoryStatistics = tabs;

    auto* redModel = RowsModel::OverRows(
        Headers({"期号", "号码", "AC值", "个十", "大小", "奇偶", "除3", "奇数和", "总和", "连号", "连号数",
                 "重号", "重号数", "三区比", "三区和值", "极距", "五行", "螺旋体范围", "先天八卦"}),
        &m_state.Indicators.RedRows);
    auto* redPage = new QWidget;
    auto* redLayout = new QVBoxLayout(redPage);
    QTableView* listView3 = MakeTable(QStringLiteral("ListView3"), redModel);
    redLayout->addWidget(listView3, 1);
    redLayout->addLayout(ButtonRow({CommandButton(QStringLiteral("保存红球数据"),
                                                  QStringLiteral("TeButton22"), redPage, &ExportRedTable)}));
    tabs->addTab(redPage, QStringLiteral("红球数据"));
    RegisterView(kRedIndicatorView, [redModel, listView3]() {
        redModel->Reload();
        listView3->resizeColumnsToContents();
    });

    auto* blueModel =
        RowsModel::OverRows(Headers({"期号", "蓝球号码", "奇偶", "质合", "大小", "五行属性", "先天八卦"}),
                            &m_state.Indicators.BlueRows);
    auto* bluePage = new QWidget;
    auto* blueLayout = new QVBoxLayout(bluePage);
    QTableView* teListView1 = MakeTable(QStringLiteral("TeListView1"), blueModel);
    blueLayout->addWidget(teListView1, 1);
    blueLayout->addLayout(ButtonRow({CommandButton(
        QStringLiteral("保存蓝球数据"), QStringLiteral("TeButton25"), bluePage, &ExportBlueTable)}));
    tabs->addTab(bluePage, QStringLiteral("蓝球数据"));
    RegisterView(kBlueIndicatorView, [blueModel, teListView1]() {
        blueModel->Reload();
        teListView1->resizeColumnsToContents();
    });

    QPlainTextEdit* redHelp = MakePane(QStringLiteral("RedHelpMemo"));
    redHelp->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    tabs->addTab(redHelp, QStringLiteral("红球数据指标说明"));
    QPlainTextEdit* blueHelp = MakePane(QStringLiteral("BlueHelpMemo"));
    blueHelp->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    tabs->addTab(blueHelp, QStringLiteral("蓝球数据指标说明"));
    m_analysis.RedHelp = redHelp;
    m_analysis.BlueHelp = blueHelp;
    return tabs;
}

// The two help tabs show the installed explanation texts as they stand. A text that cannot
// be read shows the reason in its tab instead: the window still opens.
void TForm1::LoadHelpTexts()
{
    const auto load = [this](QPlainTextEdit* memo, std::string_view file) {
        try {
            memo->setPlainText(JoinLines(LoadLines(m_state.File(file))));
        } catch (const Error& e) {
            memo->setPlainText(Q(e.what()));
        }
    };
    load(m_analysis.RedHelp, files::kRedHelp);
    load(m_analysis.BlueHelp, files::kBlueHelp);
}

// ---------------------------------------------------------------------------------------
// Indicator reference

QWidget* TForm1::BuildIndicatorReferenceView()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("IndicatorReferenceView"));
    auto* layout = new QVBoxLayout(page);

    auto* top = new QHBoxLayout;
    auto* title = new QLabel(QStringLiteral("下一期基础指标参考"), page);
    title->setProperty("role", QStringLiteral("title"));
    top->addWidget(title);
    top->addStretch(1);
    QPushButton* button1 = MakeButton(QStringLiteral("下一期基础指标分析"), QStringLiteral("Button1"), page);
    connect(button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    top->addWidget(button1);
    layout->addLayout(top);

    auto* panels = new QSplitter(Qt::Horizontal, page);
    const auto panel = [&](const QString& caption, const QString& viewName, const ViewRows* rows,
                           const QString& saveName, CoreCommand save) {
        auto* box = new QGroupBox(caption, panels);
        auto* boxLayout = new QVBoxLayout(box);
        auto* model = RowsModel::OverRows(
            Headers({ReferenceViews::kCaptionColumn, ReferenceViews::kResultColumn}), rows);
        QTableView* view = MakeTable(viewName, model);
        boxLayout->addWidget(view, 1);
        boxLayout->addLayout(ButtonRow({CommandButton(QStringLiteral("保存"), saveName, box, save)}));
        RegisterView(S(viewName), [model, view]() {
            model->Reload();
            view->resizeColumnsToContents();
        });
        panels->addWidget(box);
    };
    panel(QStringLiteral("  红球下期指标参考"), Q(ReferenceViews::kRedComponent),
          &m_state.Analysis.ReferenceView.RedRows, QStringLiteral("TeButton23"), &SaveRedReference);
    panel(QStringLiteral("  蓝球下期指标参考"), Q(ReferenceViews::kBlueComponent),
          &m_state.Analysis.ReferenceView.BlueRows, QStringLiteral("TeButton24"), &SaveBlueReference);
    layout->addWidget(panels, 1);
    return page;
}

// ---------------------------------------------------------------------------------------
// History omission: the red and the blue panel, switched by their labels

QWidget* TForm1::BuildOmissionView()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("OmissionView"));
    auto* layout = new QVBoxLayout(page);

    auto* top = new QHBoxLayout;
    auto* label73 = new ClickableLabel(QStringLiteral("红号分析"), page);
    label73->setObjectName(QStringLiteral("Label73"));
    label73->setProperty("role", QStringLiteral("switch"));
    auto* label74 = new ClickableLabel(QStringLiteral("蓝号分析"), page);
    label74->setObjectName(QStringLiteral("Label74"));
    label74->setProperty("role", QStringLiteral("switch"));
    connect(label73, &ClickableLabel::clicked, this, &TForm1::Label73Click);
    connect(label74, &ClickableLabel::clicked, this, &TForm1::Label74Click);
    m_redOmissionLabel = label73;
    m_blueOmissionLabel = label74;
    top->addWidget(label73);
    top->addWidget(label74);
    top->addStretch(1);
    QPushButton* button5 = MakeButton(QStringLiteral("分析往期情况"), QStringLiteral("Button5"), page);
    connect(button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    top->addWidget(button5);
    layout->addLayout(top);

    OmissionViews& panes = m_state.Analysis.OmissionView;
    struct Pane
    {
        const char* Component;
        const Lines* Text;
        const char* Save;
        CoreCommand SaveCommand;
    };
    const auto panel = [&](const QString& objectName, const Pane& omission, const Pane& appearance) {
        auto* splitter = new QSplitter(Qt::Horizontal, page);
        splitter->setObjectName(objectName);
        const auto box = [&](const QString& caption, const Pane& pane) {
            auto* group = new QGroupBox(caption, splitter);
            auto* groupLayout = new QVBoxLayout(group);
            QPlainTextEdit* memo = MakePane(Q(pane.Component));
            groupLayout->addWidget(memo, 1);
            groupLayout->addLayout(
                ButtonRow({CommandButton(QStringLiteral("保存"), Q(pane.Save), group, pane.SaveCommand)}));
            const Lines* text = pane.Text;
            RegisterView(pane.Component, [memo, text]() { memo->setPlainText(JoinLines(*text)); });
            splitter->addWidget(group);
        };
        box(QStringLiteral("遗漏数据分析"), omission);
        box(QStringLiteral("所有号码出号情况分析"), appearance);
        layout->addWidget(splitter, 1);
        return splitter;
    };
    m_redOmissionPanel = panel(
        QStringLiteral("RedOmissionPanel"),
        {OmissionViews::kRedOmissionComponent, &panes.RedOmission, "TeButton11", &SaveRedOmissionReport},
        {OmissionViews::kRedAppearanceComponent, &panes.RedAppearance, "TeButton12",
         &SaveRedAppearanceReport});
    m_blueOmissionPanel = panel(
        QStringLiteral("BlueOmissionPanel"),
        {OmissionViews::kBlueOmissionComponent, &panes.BlueOmission, "TeButton13", &SaveBlueOmissionReport},
        {OmissionViews::kBlueAppearanceComponent, &panes.BlueAppearance, "TeButton14",
         &SaveBlueAppearanceReport});
    RegisterView(OmissionViews::kRedPanelLabel,
                 [this]() { ShowOmissionPanel(m_state.Analysis.OmissionView.RedPanelShown); });
    RegisterView(OmissionViews::kBluePanelLabel,
                 [this]() { ShowOmissionPanel(m_state.Analysis.OmissionView.RedPanelShown); });
    return page;
}

void TForm1::ShowOmissionPanel(bool red)
{
    m_redOmissionPanel->setVisible(red);
    m_blueOmissionPanel->setVisible(!red);
    m_redOmissionLabel->setProperty("current", red);
    m_blueOmissionLabel->setProperty("current", !red);
    for (QLabel* label : {m_redOmissionLabel, m_blueOmissionLabel}) {
        label->style()->unpolish(label);
        label->style()->polish(label);
    }
}

// ---------------------------------------------------------------------------------------
// Algorithm reference: prediction, red and blue kill formulas

QWidget* TForm1::BuildAlgorithmReferenceView()
{
    auto* tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("PageControl3"));
    m_analysis.AlgorithmReference = tabs;

    // 围红公式: the prediction and its switches.
    auto* prediction = new QWidget;
    auto* predictionLayout = new QVBoxLayout(prediction);
    auto* switches = new QGroupBox(QStringLiteral("算法开关"), prediction);
    auto* switchLayout = new QHBoxLayout(switches);
    PredictionSwitches& predictionSwitches = m_state.Analysis.PredictionView.Switches;
    for (const auto& info : kPredictionSwitches) {
        auto* box = new QCheckBox(Q(info.Caption), switches);
        box->setObjectName(Q(info.Component));
        bool* value = &(predictionSwitches.*info.Member);
        box->setChecked(*value);
        connect(box, &QCheckBox::toggled, this, [value](bool checked) { *value = checked; });
        switchLayout->addWidget(box);
    }
    switchLayout->addStretch(1);
    QPushButton* button6 = MakeButton(QStringLiteral("当前期分析"), QStringLiteral("Button6"), switches);
    connect(button6, &QPushButton::clicked, this, &TForm1::Button6Click);
    switchLayout->addWidget(button6);
    predictionLayout->addWidget(switches);
    auto* predictionModel = RowsModel::OverRows(
        Headers({std::string(PredictionViews::kColumns[0]), std::string(PredictionViews::kColumns[1])}),
        &m_state.Analysis.PredictionView.Rows);
    QTableView* listView2 = MakeTable(QStringLiteral("ListView2"), predictionModel);
    predictionLayout->addWidget(listView2, 1);
    RegisterView(PredictionViews::kComponent, [predictionModel, listView2]() {
        predictionModel->Reload();
        listView2->resizeColumnsToContents();
    });
    tabs->addTab(prediction, QStringLiteral("围红公式"));

    // 杀号公式 and 杀蓝公式: the verification table, its rate lines and two commands.
    const auto killPage = [&](const QString& caption, const QString& viewName,
                              const KillVerification* verification, QStringList headers,
                              const QString& memoName, const QString& runName, const QString& saveName,
                              void (TForm1::*run)(), CoreCommand save) {
        auto* page = new QWidget;
        auto* pageLayout = new QVBoxLayout(page);
        auto* model = RowsModel::OverRows(std::move(headers), &verification->Rows);
        QTableView* view = MakeTable(viewName, model);
        pageLayout->addWidget(view, 3);
        QPlainTextEdit* memo = MakePane(memoName);
        memo->setMaximumHeight(150);
        pageLayout->addWidget(memo, 1);
        QPushButton* runButton = MakeButton(QStringLiteral("重算"), runName, page);
        connect(runButton, &QPushButton::clicked, this, run);
        pageLayout->addLayout(
            ButtonRow({runButton, CommandButton(QStringLiteral("保存记录"), saveName, page, save)}));
        auto* follow = new FollowBottom(view);
        RegisterView(S(viewName), [model, view, follow]() {
            model->Reload();
            view->resizeColumnsToContents();
            follow->Refreshed();
        });
        RegisterView(S(memoName),
                     [memo, verification]() { memo->setPlainText(JoinLines(verification->RateLines)); });
        tabs->addTab(page, caption);
    };
    killPage(QStringLiteral("杀号公式"), QStringLiteral("TeListView5"), &m_state.Kill.Red,
             Headers(RedKillColumns()), QStringLiteral("Memo19"), QStringLiteral("TeButton27"),
             QStringLiteral("TeButton26"), &TForm1::TeButton27Click, &SaveRedKillTable);
    killPage(QStringLiteral("杀蓝公式"), QStringLiteral("TeListView6"), &m_state.Kill.Blue,
             Headers(BlueKillColumns()), QStringLiteral("Memo20"), QStringLiteral("TeButton29"),
             QStringLiteral("TeButton28"), &TForm1::TeButton29Click, &SaveBlueKillTable);
    return tabs;
}

QWidget* TForm1::BuildSpiralView()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("SpiralView"));
    return page;
}

// ---------------------------------------------------------------------------------------
// The analysis commands

void TForm1::Button1Click()
{
    Run([this]() { RunNextIssueReference(m_state, *m_host); });
}

void TForm1::Button5Click()
{
    Run([this]() { RunOmissionStatistics(m_state, *m_host); });
}

void TForm1::Button6Click()
{
    Run([this]() { RunPrediction(m_state, *m_host); });
}

void TForm1::TeButton27Click()
{
    Run([this]() { VerifyRedKillFormulas(m_state, *m_host); });
}

void TForm1::TeButton29Click()
{
    Run([this]() { VerifyBlueKillFormulas(m_state, *m_host); });
}

void TForm1::Label73Click()
{
    Run([this]() { ShowRedOmissionPanel(m_state, *m_host); });
}

void TForm1::Label74Click()
{
    Run([this]() { ShowBlueOmissionPanel(m_state, *m_host); });
}

} // namespace qv::ui
