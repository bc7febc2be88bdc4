// The analysis area of the main window: history statistics, indicator reference, history
// omission and algorithm reference. The views only show what the steps left in the state;
// each step announces a changed view through Host::ViewChanged.

#include "ui/ClickableLabel.h"
#include "ui/QtHost.h"
#include "ui/QtText.h"
#include "ui/TableModels.h"
#include "ui/Unit1.h"

#include "core/Error.h"
#include "history/TextFile.h"

#include <QCheckBox>
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

#if __has_include("analysis/NextIssueReference.h")
#include "analysis/NextIssueReference.h"
#define QV_HAVE_REFERENCE 1
#endif
#if __has_include("analysis/OmissionStatistics.h")
#include "analysis/OmissionStatistics.h"
#define QV_HAVE_OMISSION 1
#endif
#if __has_include("analysis/Prediction.h")
#include "analysis/Prediction.h"
#define QV_HAVE_PREDICTION 1
#endif
#if __has_include("killformulas/RedKillFormulas.h")
#include "killformulas/RedKillFormulas.h"
#define QV_HAVE_RED_KILL 1
#endif
#if __has_include("killformulas/BlueKillFormulas.h")
#include "killformulas/BlueKillFormulas.h"
#define QV_HAVE_BLUE_KILL 1
#endif

namespace qv::ui {

namespace {

QStringList Headers(std::initializer_list<const char*> captions)
{
    QStringList headers;
    for (const char* caption : captions)
        headers << QString::fromUtf8(caption);
    return headers;
}

QPushButton* MakeButton(const QString& caption, const QString& objectName, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    return button;
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

const Lines kNoLines;
const ViewRows kNoRows;

} // namespace

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

    const Lines* red = &m_state.Indicators.RedIndicatorTable;
    auto* redModel = new RowsModel(
        Headers({"期号", "号码", "AC值", "个十", "大小", "奇偶", "除3", "奇数和", "总和", "连号", "连号数", "重号",
                 "重号数", "三区比", "三区和值", "极距", "五行", "螺旋体范围", "先天八卦"}),
        [red]() { return static_cast<int>(red->size()); },
        [red](int row, int column) {
            const auto fields = SplitFields((*red)[static_cast<std::size_t>(row)]);
            const auto field = [&](std::size_t i) { return i < fields.size() ? Q(fields[i]) : QString(); };
            if (column == 0)
                return field(0);
            if (column == 1)
                return QStringList{field(1), field(2), field(3), field(4), field(5), field(6)}.join(QLatin1Char(' ')) +
                       QStringLiteral(" +") + field(7);
            return field(static_cast<std::size_t>(column) + 6);
        });
    auto* redPage = new QWidget;
    auto* redLayout = new QVBoxLayout(redPage);
    QTableView* listView3 = MakeTable(QStringLiteral("ListView3"), redModel);
    redLayout->addWidget(listView3, 1);
    redLayout->addLayout(ButtonRow({MakeButton(QStringLiteral("保存红球数据"), QStringLiteral("TeButton22"), redPage)}));
    tabs->addTab(redPage, QStringLiteral("红球数据"));
    RegisterView("ListView3", [redModel, listView3]() {
        redModel->Reload();
        listView3->resizeColumnsToContents();
    });

    const Lines* blue = &m_state.Indicators.BlueIndicatorTable;
    auto* blueModel = new RowsModel(
        Headers({"期号", "蓝球号码", "奇偶", "质合", "大小", "五行属性", "先天八卦"}),
        [blue]() { return static_cast<int>(blue->size()); },
        [blue](int row, int column) {
            const auto fields = SplitFields((*blue)[static_cast<std::size_t>(row)]);
            const auto index = static_cast<std::size_t>(column);
            return index < fields.size() ? Q(fields[index]) : QString();
        });
    auto* bluePage = new QWidget;
    auto* blueLayout = new QVBoxLayout(bluePage);
    QTableView* teListView1 = MakeTable(QStringLiteral("TeListView1"), blueModel);
    blueLayout->addWidget(teListView1, 1);
    blueLayout->addLayout(ButtonRow({MakeButton(QStringLiteral("保存蓝球数据"), QStringLiteral("TeButton25"), bluePage)}));
    tabs->addTab(bluePage, QStringLiteral("蓝球数据"));
    RegisterView("TeListView1", [blueModel, teListView1]() {
        blueModel->Reload();
        teListView1->resizeColumnsToContents();
    });

    QPlainTextEdit* redHelp = MakePane(QStringLiteral("RedHelpMemo"));
    redHelp->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    tabs->addTab(redHelp, QStringLiteral("红球数据指标说明"));
    QPlainTextEdit* blueHelp = MakePane(QStringLiteral("BlueHelpMemo"));
    blueHelp->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    tabs->addTab(blueHelp, QStringLiteral("蓝球数据指标说明"));
    return tabs;
}

// The two help tabs show the installed explanation texts as they stand. A text that cannot
// be read shows the reason in its tab instead: the window still opens.
void TForm1::LoadHelpTexts()
{
    const auto load = [this](const QString& pane, std::string_view file) {
        auto* memo = findChild<QPlainTextEdit*>(pane);
        if (!memo)
            return;
        try {
            memo->setPlainText(JoinLines(LoadLines(m_state.File(file))));
        } catch (const Error& e) {
            memo->setPlainText(Q(e.what()));
        }
    };
    load(QStringLiteral("RedHelpMemo"), files::kRedHelp);
    load(QStringLiteral("BlueHelpMemo"), files::kBlueHelp);
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
    const auto panel = [&](const QString& caption, const QString& viewName, const QString& saveName) {
        auto* box = new QGroupBox(caption, panels);
        auto* boxLayout = new QVBoxLayout(box);
        auto* model = RowsModel::OverRows(Headers({"指标内容", "结果"}), &kNoRows);
        QTableView* view = MakeTable(viewName, model);
        boxLayout->addWidget(view, 1);
        boxLayout->addLayout(ButtonRow({MakeButton(QStringLiteral("保存"), saveName, box)}));
        RegisterView(S(viewName), [model, view]() {
            model->Reload();
            view->resizeColumnsToContents();
        });
        panels->addWidget(box);
    };
    panel(QStringLiteral("  红球下期指标参考"), QStringLiteral("ListView1"), QStringLiteral("TeButton23"));
    panel(QStringLiteral("  蓝球下期指标参考"), QStringLiteral("TeListView2"), QStringLiteral("TeButton24"));
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

    const auto panel = [&](const QString& objectName, const QString& omissionPane, const QString& omissionSave,
                           const QString& appearancePane, const QString& appearanceSave) {
        auto* splitter = new QSplitter(Qt::Horizontal, page);
        splitter->setObjectName(objectName);
        const auto box = [&](const QString& caption, const QString& paneName, const QString& saveName) {
            auto* group = new QGroupBox(caption, splitter);
            auto* groupLayout = new QVBoxLayout(group);
            QPlainTextEdit* pane = MakePane(paneName);
            groupLayout->addWidget(pane, 1);
            groupLayout->addLayout(ButtonRow({MakeButton(QStringLiteral("保存"), saveName, group)}));
            RegisterView(S(paneName), [pane]() { pane->setPlainText(JoinLines(kNoLines)); });
            splitter->addWidget(group);
        };
        box(QStringLiteral("遗漏数据分析"), omissionPane, omissionSave);
        box(QStringLiteral("所有号码出号情况分析"), appearancePane, appearanceSave);
        layout->addWidget(splitter, 1);
        return splitter;
    };
    m_redOmissionPanel = panel(QStringLiteral("RedOmissionPanel"), QStringLiteral("Memo4"), QStringLiteral("TeButton11"),
                               QStringLiteral("Memo10"), QStringLiteral("TeButton12"));
    m_blueOmissionPanel = panel(QStringLiteral("BlueOmissionPanel"), QStringLiteral("Memo11"),
                                QStringLiteral("TeButton13"), QStringLiteral("Memo12"), QStringLiteral("TeButton14"));
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

    // 围红公式: the prediction and its switches.
    auto* prediction = new QWidget;
    auto* predictionLayout = new QVBoxLayout(prediction);
    auto* switches = new QGroupBox(QStringLiteral("算法开关"), prediction);
    auto* switchLayout = new QHBoxLayout(switches);
    for (const auto& [name, caption] : {std::pair{"CheckBox1", "时向序列分析"}, std::pair{"CheckBox2", "五期平均值算法"},
                                        std::pair{"CheckBox5", "第五期重码"}, std::pair{"CheckBox4", "区域边缘算法"},
                                        std::pair{"CheckBoxsh", "自动杀号器"}}) {
        auto* box = new QCheckBox(QString::fromUtf8(caption), switches);
        box->setObjectName(QString::fromUtf8(name));
        box->setChecked(true);
        switchLayout->addWidget(box);
    }
    switchLayout->addStretch(1);
    QPushButton* button6 = MakeButton(QStringLiteral("当前期分析"), QStringLiteral("Button6"), switches);
    connect(button6, &QPushButton::clicked, this, &TForm1::Button6Click);
    switchLayout->addWidget(button6);
    predictionLayout->addWidget(switches);
    auto* predictionModel = RowsModel::OverRows(Headers({"算法", "号码"}), &kNoRows);
    QTableView* listView2 = MakeTable(QStringLiteral("ListView2"), predictionModel);
    predictionLayout->addWidget(listView2, 1);
    RegisterView("ListView2", [predictionModel, listView2]() {
        predictionModel->Reload();
        listView2->resizeColumnsToContents();
    });
    tabs->addTab(prediction, QStringLiteral("围红公式"));

    // 杀号公式 and 杀蓝公式: the verification table, its rate lines and two commands.
    const auto killPage = [&](const QString& caption, const QString& viewName, QStringList headers,
                              const QString& memoName, const QString& runName, const QString& saveName,
                              void (TForm1::*run)()) {
        auto* page = new QWidget;
        auto* pageLayout = new QVBoxLayout(page);
        auto* model = RowsModel::OverRows(std::move(headers), &kNoRows);
        QTableView* view = MakeTable(viewName, model);
        pageLayout->addWidget(view, 3);
        QPlainTextEdit* memo = MakePane(memoName);
        memo->setMaximumHeight(150);
        pageLayout->addWidget(memo, 1);
        QPushButton* runButton = MakeButton(QStringLiteral("重算"), runName, page);
        connect(runButton, &QPushButton::clicked, this, run);
        pageLayout->addLayout(ButtonRow({runButton, MakeButton(QStringLiteral("保存记录"), saveName, page)}));
        RegisterView(S(viewName), [model, view]() {
            model->Reload();
            view->resizeColumnsToContents();
            view->scrollToBottom();
        });
        RegisterView(S(memoName), [memo]() { memo->setPlainText(JoinLines(kNoLines)); });
        tabs->addTab(page, caption);
    };
    killPage(QStringLiteral("杀号公式"), QStringLiteral("TeListView5"),
             Headers({"期号", "当期开奖号码", "杀红公式1", "杀红公式2", "杀红公式3", "杀红公式4", "杀红公式5", "杀红公式6",
                      "杀红公式7"}),
             QStringLiteral("Memo19"), QStringLiteral("TeButton27"), QStringLiteral("TeButton26"),
             &TForm1::TeButton27Click);
    killPage(QStringLiteral("杀蓝公式"), QStringLiteral("TeListView6"),
             Headers({"期号", "当期开奖号码", "杀蓝公式1", "杀蓝公式2", "杀蓝公式3", "杀蓝公式4", "杀蓝公式5"}),
             QStringLiteral("Memo20"), QStringLiteral("TeButton29"), QStringLiteral("TeButton28"),
             &TForm1::TeButton29Click);
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
    Run([this]() {
#ifdef QV_HAVE_REFERENCE
        RunNextIssueReference(m_state, *m_host);
#endif
    });
}

void TForm1::Button5Click()
{
    Run([this]() {
#ifdef QV_HAVE_OMISSION
        RunOmissionStatistics(m_state, *m_host);
#endif
    });
}

void TForm1::Button6Click()
{
    Run([this]() {
#ifdef QV_HAVE_PREDICTION
        RunPrediction(m_state, *m_host);
#endif
    });
}

void TForm1::TeButton27Click()
{
    Run([this]() {
#ifdef QV_HAVE_RED_KILL
        VerifyRedKillFormulas(m_state, *m_host);
#endif
    });
}

void TForm1::TeButton29Click()
{
    Run([this]() {
#ifdef QV_HAVE_BLUE_KILL
        VerifyBlueKillFormulas(m_state, *m_host);
#endif
    });
}

void TForm1::Button9Click()
{
}

} // namespace qv::ui
