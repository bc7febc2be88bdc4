#include "ui/selection/PurchaseViews.h"

#include "ui/widgets/QtText.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableView>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#ifdef QUORVANE_HAVE_CHARTS
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>
#endif

#include <algorithm>
#include <climits>
#include <exception>
#include <memory>
#include <optional>
#include <vector>

#if __has_include("purchase/PurchaseList.h") && __has_include("purchase/PrizeCheck.h") &&                    \
                                                              __has_include("purchase/BluePicker.h")
#include "purchase/BluePicker.h"
#include "purchase/PrizeCheck.h"
#include "purchase/PurchaseList.h"
#include "purchase/Replay.h"
#include "session/PurchaseCommands.h"
#include "ui/widgets/Buttons.h"
#define QV_HAVE_PURCHASE 1
#endif

namespace qv::ui {

namespace {

QPlainTextEdit* MakeMemo(const QString& objectName, QWidget* parent)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(objectName);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setUndoRedoEnabled(false);
    return memo;
}

// FNV-1a over the lines and their ends: cheap next to redrawing a text box.
std::uint64_t Fingerprint(const Lines& lines)
{
    std::uint64_t hash = 1469598103934665603ull;
    const auto mix = [&hash](unsigned char byte) {
        hash ^= byte;
        hash *= 1099511628211ull;
    };
    for (const auto& line : lines) {
        for (const char ch : line)
            mix(static_cast<unsigned char>(ch));
        mix('\n');
    }
    return hash ^ lines.size();
}

#ifdef QV_HAVE_PURCHASE
Lines& QueryListOf(AppState& state)
{
    return state.Purchase.QueryList;
}
std::string& QueryDrawOf(AppState& state)
{
    return state.Purchase.QueryDraw;
}
const Lines& PrizeResultOf(const AppState& state)
{
    return state.Purchase.PrizeResult;
}
#else
// Without the prize check the view edits lists of its own.
Lines& QueryListOf(AppState&)
{
    static Lines queries;
    return queries;
}
std::string& QueryDrawOf(AppState&)
{
    static std::string draw = "01 02 03 04 05 06 +07";
    return draw;
}
const Lines& PrizeResultOf(const AppState&)
{
    static const Lines result;
    return result;
}
#endif

QTableWidget* MakeTable(const QString& objectName, const QStringList& headers, QWidget* parent)
{
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    table->setObjectName(objectName);
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

// Numbers stand right-aligned, texts left-aligned.
void SetCell(QTableWidget* table, int row, int column, const QString& text, bool number = true)
{
    auto* item = new QTableWidgetItem(text);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table->setItem(row, column, item);
}

// An amount box: whole yuan, empty for "浮动".
QLineEdit* MakeAmountBox(const QString& objectName, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(objectName);
    box->setPlaceholderText(QStringLiteral("浮动"));
    box->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), box));
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 20);
    return box;
}

std::optional<std::uint64_t> AmountOf(const QLineEdit* box)
{
    const QString text = box->text().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    return text.toULongLong();
}

struct PresetButton
{
    const char* Caption;
    const char* Name;
};

// In the order of BluePreset: 全16码, 全奇, 全偶, 全大, 全小.
constexpr PresetButton kPresets[] = {{"全16码", "RadioButton3"},
                                     {"全奇", "RadioButton1"},
                                     {"全偶", "RadioButton2"},
                                     {"全大", "TeRadioButton1"},
                                     {"全小", "TeRadioButton2"}};

} // namespace

// ---------------------------------------------------------------------------------------

// The lines of a long list as rows, read where they are.
class LinesModel : public QAbstractListModel
{
public:
    LinesModel(const Lines& lines, QObject* parent) : QAbstractListModel(parent), m_lines(lines) {}

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(std::min<std::size_t>(m_rows, INT_MAX));
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto row = static_cast<std::size_t>(index.row());
        if (!index.isValid() || role != Qt::DisplayRole || StateLent() || row >= m_lines.size())
            return {};
        return Q(m_lines[row]);
    }
    void Reload()
    {
        beginResetModel();
        m_rows = m_lines.size();
        endResetModel();
    }

private:
    const Lines& m_lines;
    std::size_t m_rows = 0;
};

namespace {

// Delete (or Backspace) on the list view deletes its selected lines.
class DeleteKeyFilter : public QObject
{
public:
    DeleteKeyFilter(std::function<void()> remove, QObject* parent)
        : QObject(parent), m_remove(std::move(remove))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Delete) || key->key() == Qt::Key_Backspace) {
                m_remove();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_remove;
};

} // namespace

ListBox::ListBox(QPlainTextEdit* box, Lines& lines, std::function<void()> changed)
    : m_box(box), m_lines(lines), m_changed(std::move(changed)), m_shown(Fingerprint(Lines{}))
{
    QWidget* parent = box->parentWidget();
    m_stack = new QStackedWidget(parent);
    m_stack->setObjectName(box->objectName() + QStringLiteral("Stack"));
    m_stack->addWidget(box);

    auto* page = new QWidget(m_stack);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    m_note = new QLabel(page);
    m_note->setObjectName(box->objectName() + QStringLiteral("Note"));
    m_note->setProperty("role", QStringLiteral("note"));
    m_note->setWordWrap(true);
    layout->addWidget(m_note);
    // A table of one column: its rows cost nothing to lay out, however many there are.
    m_view = new QTableView(page);
    m_view->setObjectName(box->objectName() + QStringLiteral("List"));
    m_view->horizontalHeader()->hide();
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 4);
    m_view->setShowGrid(false);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setFont(box->font());
    m_model = new LinesModel(m_lines, m_view);
    m_view->setModel(m_model);
    layout->addWidget(m_view, 1);
    m_stack->addWidget(page);
    m_view->installEventFilter(new DeleteKeyFilter([this]() { DeleteSelected(); }, m_view));

    m_connection = QObject::connect(m_box, &QPlainTextEdit::textChanged, m_box, [this]() {
        if (!m_refreshing)
            m_edited = true;
    });
    Show();
}

QWidget* ListBox::Widget() const
{
    return m_stack;
}

bool ListBox::Long() const
{
    return m_stack->currentIndex() == 1;
}

Lines ListBox::Shown() const
{
    return Long() ? m_lines : MemoLines(m_box->toPlainText());
}

void ListBox::DeleteSelected()
{
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    std::vector<std::uint8_t> gone(m_lines.size(), 0);
    for (const QModelIndex& index : rows)
        if (static_cast<std::size_t>(index.row()) < gone.size())
            gone[static_cast<std::size_t>(index.row())] = 1;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (gone[i])
            continue;
        if (kept != i) // a string moved onto itself is left empty
            m_lines[kept] = std::move(m_lines[i]);
        ++kept;
    }
    m_lines.resize(kept);
    const int first = rows.front().row();
    Show();
    if (Long() && m_model->rowCount({}) > 0)
        m_view->setCurrentIndex(m_model->index(std::min(first, m_model->rowCount({}) - 1), 0));
    if (m_changed)
        m_changed();
}

ListBox::~ListBox()
{
    QObject::disconnect(m_connection);
}

void ListBox::Pull()
{
    if (!m_edited || Long())
        return;
    m_lines = MemoLines(m_box->toPlainText());
    m_shown = Fingerprint(m_lines);
    m_edited = false;
}

void ListBox::Show()
{
    const std::uint64_t now = Fingerprint(m_lines);
    if (now == m_shown)
        return;
    m_refreshing = true;
    if (m_lines.size() > kEditableLines) {
        m_box->clear();
        m_model->Reload();
        m_note->setText(QStringLiteral("共%1行。超过%2行的清单以列表显示：选中行后按Delete键删除；"
                                       "不超过%2行时可直接编辑。")
                            .arg(m_lines.size())
                            .arg(kEditableLines));
        m_stack->setCurrentIndex(1);
    } else {
        m_model->Reload();
        m_box->setPlainText(MemoText(m_lines));
        m_stack->setCurrentIndex(0);
    }
    m_refreshing = false;
    m_shown = now;
    m_edited = false;
}

// ---------------------------------------------------------------------------------------

PurchaseListView::PurchaseListView(ViewContext context, QWidget* parent)
    : QWidget(parent), m_context(std::move(context))
{
    setObjectName(QStringLiteral("PurchasePanel"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(10);

    auto* listColumn = new QVBoxLayout;
    auto* title = new QLabel(QStringLiteral("购买清单"), this);
    title->setProperty("role", QStringLiteral("header"));
    listColumn->addWidget(title);
    QPlainTextEdit* memo8 = MakeMemo(QStringLiteral("Memo8"), this);
    m_list =
        std::make_unique<ListBox>(memo8, m_context.State.Purchase.PurchaseList, [this]() { RefreshTotal(); });
    listColumn->addWidget(m_list->Widget(), 1);
    auto* fileButtons = new QHBoxLayout;
    QPushButton* save = MakeButton(QStringLiteral("保存清单"), QStringLiteral("Button16"), this);
    QPushButton* load = MakeButton(QStringLiteral("载入清单"), QStringLiteral("Button18"), this);
    fileButtons->addWidget(save);
    fileButtons->addWidget(load);
    fileButtons->addStretch(1);
    m_total = new QLabel(this);
    m_total->setObjectName(QStringLiteral("PurchaseTotal"));
    fileButtons->addWidget(m_total);
    listColumn->addLayout(fileButtons);
    layout->addLayout(listColumn, 1);

    auto* side = new QVBoxLayout;
    auto* group = new QGroupBox(QStringLiteral("蓝码选择"), this);
    group->setObjectName(QStringLiteral("GroupBox5"));
    group->setStyleSheet(QStringLiteral(
        "QCheckBox[role=\"blue-ball\"] { font-weight: bold; color: #123c8a; spacing: 5px; }"
        "QCheckBox[role=\"blue-ball\"]::indicator { width: 15px; height: 15px; border-radius: 8px; "
        "border: 2px solid #1e5ac8; background: #ffffff; }"
        "QCheckBox[role=\"blue-ball\"]::indicator:checked { background: qradialgradient(cx:0.35, cy:0.35, "
        "radius:0.8, fx:0.35, fy:0.35, stop:0 #82b1ff, stop:1 #1e4fb0); }"));
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(10);
    for (int k = 1; k <= 16; ++k) {
        auto* box = new QCheckBox(Q(TwoDigits(k)), group);
        box->setObjectName(QStringLiteral("lan") + QString::number(k));
        box->setProperty("role", QStringLiteral("blue-ball"));
        grid->addWidget(box, (k - 1) / 4, (k - 1) % 4);
        m_blues[static_cast<std::size_t>(k - 1)] = box;
        connect(box, &QCheckBox::toggled, this, [this, k](bool checked) {
            if (m_refreshing)
                return;
#ifdef QV_HAVE_PURCHASE
            SetBlueChecked(m_context.State.Purchase, k, checked);
#else
            (void)k;
            (void)checked;
#endif
        });
    }
    auto* presets = new QButtonGroup(this);
    presets->setExclusive(true);
    for (int p = 0; p < 5; ++p) {
        auto* radio = new QRadioButton(QString::fromUtf8(kPresets[p].Caption), group);
        radio->setObjectName(QString::fromUtf8(kPresets[p].Name));
        presets->addButton(radio, p);
        grid->addWidget(radio, 4 + p / 3, p % 3);
        m_presets[static_cast<std::size_t>(p)] = radio;
        connect(radio, &QRadioButton::clicked, this, [this, p]() { PresetClicked(p); });
    }
    side->addWidget(group);
    QPushButton* random = MakeButton(QStringLiteral("随机->"), QStringLiteral("Button17"), this);
    random->setProperty("role", QStringLiteral("primary"));
    side->addWidget(random);
    auto* hint = new QLabel(QStringLiteral("从勾选的蓝码中为每注随机配一个蓝码"), this);
    hint->setProperty("role", QStringLiteral("note"));
    hint->setWordWrap(true);
    side->addWidget(hint);
    side->addStretch(1);
    layout->addLayout(side);

    connect(random, &QPushButton::clicked, this, &PurchaseListView::Button17Click);
    connect(save, &QPushButton::clicked, this, &PurchaseListView::Button16Click);
    connect(load, &QPushButton::clicked, this, &PurchaseListView::Button18Click);

    m_context.Register("Memo8", [this]() { Refresh(); });
    RefreshBlues();

    // Typing recounts a moment after the last key, so a long list is not recounted per key.
    m_totalTimer = new QTimer(this);
    m_totalTimer->setSingleShot(true);
    m_totalTimer->setInterval(300);
    connect(m_totalTimer, &QTimer::timeout, this, &PurchaseListView::RefreshTotal);
    connect(memo8, &QPlainTextEdit::textChanged, m_totalTimer, qOverload<>(&QTimer::start));
    RefreshTotal();
}

void PurchaseListView::Refresh()
{
    if (m_list)
        m_list->Show();
    RefreshBlues();
    RefreshTotal();
}

void PurchaseListView::RefreshTotal()
{
#ifdef QV_HAVE_PURCHASE
    if (!m_list)
        return;
    if (StateLent()) {
        // The list is a command's now; count it once the command is back.
        m_totalTimer->start();
        return;
    }
    // A long list is counted where it is; a copy of a million lines costs more than the count.
    const BetTally tally = m_list->Long() ? TallyBets(m_context.State.Purchase.PurchaseList, "购买清单")
                                          : TallyBets(MemoLines(m_list->Box()->toPlainText()), "购买清单");
    QString text = Q(BetTotalText(tally.Bets));
    if (tally.Unreadable > 0) {
        text += QStringLiteral("（另有%1行无法识别）").arg(tally.Unreadable);
        m_total->setToolTip(Q(tally.FirstProblem));
    } else {
        m_total->setToolTip(QStringLiteral("清单中单式、复式、胆拖各行的注数与金额合计（每注2元）"));
    }
    m_total->setText(text);
#endif
}

void PurchaseListView::PullList()
{
    if (m_list)
        m_list->Pull();
}

void PurchaseListView::RefreshBlues()
{
#ifdef QV_HAVE_PURCHASE
    const PurchaseState& purchase = m_context.State.Purchase;
    m_refreshing = true;
    for (std::size_t k = 0; k < m_blues.size(); ++k)
        m_blues[k]->setChecked(purchase.BlueChecked[k]);
    m_presets[static_cast<std::size_t>(purchase.SelectedPreset)]->setChecked(true);
    m_refreshing = false;
#endif
}

void PurchaseListView::PresetClicked(int preset)
{
#ifdef QV_HAVE_PURCHASE
    ApplyBluePreset(m_context.State.Purchase, static_cast<BluePreset>(preset));
#else
    (void)preset;
#endif
    RefreshBlues();
}

void PurchaseListView::Button15Click()
{
    PullList();
    m_context.RunAside([this](Host& host) {
#ifdef QV_HAVE_PURCHASE
        TakeBasketIntoPurchaseList(m_context.State, host);
#else
        (void)host;
#endif
    });
}

void PurchaseListView::Button17Click()
{
    PullList();
    m_context.RunAside([this](Host& host) {
#ifdef QV_HAVE_PURCHASE
        AssignRandomBlues(m_context.State, host);
#else
        (void)host;
#endif
    });
}

void PurchaseListView::Button16Click()
{
    PullList();
    m_context.RunAside([this](Host& host) {
#ifdef QV_HAVE_PURCHASE
        SavePurchaseList(m_context.State, host);
#else
        (void)host;
#endif
    });
}

void PurchaseListView::Button18Click()
{
    PullList();
    m_context.RunAside([this](Host& host) {
#ifdef QV_HAVE_PURCHASE
        LoadPurchaseList(m_context.State, host);
#else
        (void)host;
#endif
    });
}

// ---------------------------------------------------------------------------------------

PrizeCheckView::PrizeCheckView(ViewContext context, QWidget* parent)
    : QWidget(parent), m_context(std::move(context))
{
    setObjectName(QStringLiteral("PrizePanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(8);

    auto* queryRow = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("请输入查询号码"), this);
    label->setObjectName(QStringLiteral("PrizeDrawLabel"));
    m_edit7 = new QLineEdit(this);
    m_edit7->setObjectName(QStringLiteral("Edit7"));
    m_edit7->setMinimumWidth(
        m_edit7->fontMetrics().horizontalAdvance(QStringLiteral("01 02 03 04 05 06 +07")) + 40);
    QPushButton* check = MakeButton(QStringLiteral("查询中奖"), QStringLiteral("Button12"), this);
    check->setProperty("role", QStringLiteral("primary"));
    queryRow->addWidget(label);
    queryRow->addWidget(m_edit7);
    queryRow->addWidget(check);
    queryRow->addSpacing(20);
    m_firstAmount = MakeAmountBox(QStringLiteral("FirstPrizeAmount"), this);
    m_secondAmount = MakeAmountBox(QStringLiteral("SecondPrizeAmount"), this);
    m_firstAmount->setToolTip(QStringLiteral("本期公布的一等奖单注奖金（元）；不填则按“浮动”只计注数"));
    m_secondAmount->setToolTip(QStringLiteral("本期公布的二等奖单注奖金（元）；不填则按“浮动”只计注数"));
    queryRow->addWidget(new QLabel(QStringLiteral("一等奖单注奖金"), this));
    queryRow->addWidget(m_firstAmount);
    queryRow->addWidget(new QLabel(QStringLiteral("元  二等奖单注奖金"), this));
    queryRow->addWidget(m_secondAmount);
    queryRow->addWidget(new QLabel(QStringLiteral("元"), this));
    queryRow->addStretch(1);
    layout->addLayout(queryRow);

    auto* columns = new QHBoxLayout;
    auto* group = new QGroupBox(QStringLiteral("查询清单"), this);
    group->setObjectName(QStringLiteral("GroupBox7"));
    auto* groupLayout = new QVBoxLayout(group);
    QPlainTextEdit* memo9 = MakeMemo(QStringLiteral("Memo9"), group);
    m_queries = std::make_unique<ListBox>(memo9, QueryListOf(m_context.State));
    groupLayout->addWidget(m_queries->Widget(), 1);
    QPushButton* load = MakeButton(QStringLiteral("载入查询清单"), QStringLiteral("TeButton1"), group);
    auto* loadRow = new QHBoxLayout;
    loadRow->addWidget(load);
    loadRow->addStretch(1);
    groupLayout->addLayout(loadRow);
    columns->addWidget(group, 4);

    auto* resultColumn = new QVBoxLayout;
    auto* resultTitle = new QLabel(QStringLiteral("中奖结果"), this);
    resultTitle->setProperty("role", QStringLiteral("header"));
    resultColumn->addWidget(resultTitle);
    m_memo7 = MakeMemo(QStringLiteral("Memo7"), this);
    m_memo7->setReadOnly(true);
    resultColumn->addWidget(m_memo7, 1);
    columns->addLayout(resultColumn, 5);

    auto* amountColumn = new QVBoxLayout;
    auto* amountTitle = new QLabel(QStringLiteral("奖金"), this);
    amountTitle->setProperty("role", QStringLiteral("header"));
    amountColumn->addWidget(amountTitle);
    m_prizeTable = MakeTable(QStringLiteral("PrizeTable"),
                             {QStringLiteral("奖级"), QStringLiteral("中奖条件"), QStringLiteral("注数"),
                              QStringLiteral("单注奖金"), QStringLiteral("奖金（元）")},
                             this);
    amountColumn->addWidget(m_prizeTable, 1);
    m_prizeTotals = new QLabel(this);
    m_prizeTotals->setObjectName(QStringLiteral("PrizeTotals"));
    m_prizeTotals->setWordWrap(true);
    amountColumn->addWidget(m_prizeTotals);
    columns->addLayout(amountColumn, 6);
    layout->addLayout(columns, 3);

    auto* replay = new QGroupBox(QStringLiteral("历史回放"), this);
    replay->setObjectName(QStringLiteral("ReplayGroup"));
    auto* replayLayout = new QVBoxLayout(replay);
    auto* replayRow = new QHBoxLayout;
    replayRow->addWidget(new QLabel(QStringLiteral("查询清单按每期都购买，回放最近"), replay));
    m_replayDraws = new QSpinBox(replay);
    m_replayDraws->setObjectName(QStringLiteral("ReplayDraws"));
    m_replayDraws->setRange(1, 100000);
    replayRow->addWidget(m_replayDraws);
    replayRow->addWidget(new QLabel(QStringLiteral("期"), replay));
    QPushButton* replayButton =
        MakeButton(QStringLiteral("历史回放"), QStringLiteral("ReplayButton"), replay);
    replayButton->setToolTip(
        QStringLiteral("把查询清单与最近若干期开奖号码逐期核对，列出每期中奖与累计盈亏"));
    replayRow->addWidget(replayButton);
    m_replayTotals = new QLabel(replay);
    m_replayTotals->setObjectName(QStringLiteral("ReplayTotals"));
    m_replayTotals->setWordWrap(true);
    replayRow->addWidget(m_replayTotals, 1);
    replayLayout->addLayout(replayRow);
    auto* replayColumns = new QHBoxLayout;
    m_replayTable = MakeTable(QStringLiteral("ReplayTable"),
                              {QStringLiteral("期号"), QStringLiteral("一等奖"), QStringLiteral("二等奖"),
                               QStringLiteral("三等奖"), QStringLiteral("四等奖"), QStringLiteral("五等奖"),
                               QStringLiteral("六等奖"), QStringLiteral("固定奖金（元）"),
                               QStringLiteral("累计盈亏（元）")},
                              replay);
    replayColumns->addWidget(m_replayTable, 3);
#ifdef QUORVANE_HAVE_CHARTS
    auto* chartView = new QChartView(replay);
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->setMinimumWidth(360);
    m_replayChart = chartView;
#else
    m_replayChart = new QLabel(QStringLiteral("（此版本不含图表）"), replay);
#endif
    m_replayChart->setObjectName(QStringLiteral("ReplayChart"));
    replayColumns->addWidget(m_replayChart, 2);
    replayLayout->addLayout(replayColumns, 1);
    layout->addWidget(replay, 2);

    m_edit7->setText(Q(QueryDrawOf(m_context.State)));
    connect(m_edit7, &QLineEdit::textChanged, this,
            [this](const QString& text) { QueryDrawOf(m_context.State) = S(text); });
    connect(load, &QPushButton::clicked, this, &PrizeCheckView::TeButton1Click);
    connect(check, &QPushButton::clicked, this, &PrizeCheckView::Button12Click);
    connect(m_edit7, &QLineEdit::returnPressed, this, &PrizeCheckView::Button12Click);

    connect(m_firstAmount, &QLineEdit::textChanged, this, &PrizeCheckView::FloatingAmountChanged);
    connect(m_secondAmount, &QLineEdit::textChanged, this, &PrizeCheckView::FloatingAmountChanged);
    connect(replayButton, &QPushButton::clicked, this, &PrizeCheckView::ReplayClick);
    // Deleting lines of a long query list changes the list the replay reads.
    m_replayLocks = {replayButton, load, check, m_replayDraws, m_queries->ListView()};

    m_context.Register("Memo9", [this]() { Refresh(); });
    m_context.Register("Edit7", [this]() { Refresh(); });
    m_context.Register("Memo7",
                       [this]() { m_memo7->setPlainText(MemoText(PrizeResultOf(m_context.State))); });
#ifdef QV_HAVE_PURCHASE
    m_replayDraws->setValue(m_context.State.Purchase.ReplayDrawCount);
    m_context.Register("PrizeTotals", [this]() { RefreshTotals(); });
    m_context.Register("ReplayTable", [this]() { RefreshReplay(); });
#else
    m_replayDraws->setValue(100);
#endif
    RefreshTotals();
}

void PrizeCheckView::FloatingAmountChanged()
{
#ifdef QV_HAVE_PURCHASE
    m_context.State.Purchase.FloatingPrizes = {AmountOf(m_firstAmount), AmountOf(m_secondAmount)};
#endif
    RefreshTotals();
}

void PrizeCheckView::RefreshTotals()
{
#ifdef QV_HAVE_PURCHASE
    const PurchaseState& purchase = m_context.State.Purchase;
    m_prizeTable->setRowCount(static_cast<int>(kPrizeTiers.size()));
    for (const auto& rule : kPrizeTiers) {
        const int row = rule.Tier - 1;
        const std::uint64_t count = purchase.PrizeCounts[static_cast<std::size_t>(row)];
        const auto amount = TierAmount(rule.Tier, purchase.FloatingPrizes);
        SetCell(m_prizeTable, row, 0, Q(rule.Name), false);
        SetCell(m_prizeTable, row, 1, Q(rule.Condition), false);
        SetCell(m_prizeTable, row, 2, QString::number(count));
        SetCell(m_prizeTable, row, 3, amount ? QString::number(*amount) : QStringLiteral("浮动"));
        SetCell(m_prizeTable, row, 4, amount ? QString::number(count * *amount) : QStringLiteral("浮动"));
    }
    const PrizeTotals totals = TotalPrizes(purchase.PrizeCounts, purchase.PrizeBets, purchase.FloatingPrizes);
    m_prizeTotals->setText(QStringLiteral("共查询%1注，花费%2元；固定奖金%3元；奖金合计%4")
                               .arg(totals.Bets)
                               .arg(totals.Cost)
                               .arg(totals.Fixed)
                               .arg(totals.Total ? QString::number(*totals.Total) + QStringLiteral("元")
                                                 : QStringLiteral("浮动（请填写一、二等奖单注奖金）")));
#endif
}

void PrizeCheckView::RefreshReplay()
{
#ifdef QV_HAVE_PURCHASE
    const ReplayResult& replay = m_context.State.Purchase.Replay;
    const int rows = static_cast<int>(replay.Draws.size());
    m_replayTable->setRowCount(rows);
    // The balance runs from the oldest draw to the newest; the table lists the newest first.
    std::vector<long long> balance(replay.Draws.size());
    long long running = 0;
    const long long costPerDraw = static_cast<long long>(replay.Bets * kBetPrice);
    for (int i = rows - 1; i >= 0; --i) {
        running += static_cast<long long>(replay.Draws[static_cast<std::size_t>(i)].Fixed) - costPerDraw;
        balance[static_cast<std::size_t>(i)] = running;
    }
    for (int row = 0; row < rows; ++row) {
        const ReplayDraw& draw = replay.Draws[static_cast<std::size_t>(row)];
        SetCell(m_replayTable, row, 0, Q(draw.Issue), false);
        for (int t = 0; t < 6; ++t)
            SetCell(m_replayTable, row, t + 1, QString::number(draw.Tiers[static_cast<std::size_t>(t)]));
        SetCell(m_replayTable, row, 7, QString::number(draw.Fixed));
        SetCell(m_replayTable, row, 8, QString::number(balance[static_cast<std::size_t>(row)]));
    }
    m_replayTotals->setText(
        QStringLiteral(
            "共%1期，每期%2注；花费%3元，固定奖金%4元，盈亏%5元，返奖率%6；一、二等奖%7注（浮动奖金未计入）")
            .arg(rows)
            .arg(replay.Bets)
            .arg(replay.Cost)
            .arg(replay.Fixed)
            .arg(static_cast<long long>(replay.Fixed) - static_cast<long long>(replay.Cost))
            .arg(Q(PercentText(replay.ReturnRate)))
            .arg(replay.FloatingHits));
#ifdef QUORVANE_HAVE_CHARTS
    auto* series = new QLineSeries;
    series->setName(QStringLiteral("累计盈亏（元）"));
    long long low = 0;
    long long high = 0;
    for (int i = rows - 1, x = 1; i >= 0; --i, ++x) {
        const long long value = balance[static_cast<std::size_t>(i)];
        series->append(x, static_cast<qreal>(value));
        low = std::min(low, value);
        high = std::max(high, value);
    }
    auto* chart = new QChart;
    chart->addSeries(series);
    chart->setTitle(QStringLiteral("累计盈亏（元，不含浮动奖）"));
    chart->legend()->hide();
    auto* axisX = new QValueAxis;
    axisX->setTitleText(rows > 0 ? QStringLiteral("期（%1 至 %2）")
                                       .arg(Q(replay.Draws.back().Issue), Q(replay.Draws.front().Issue))
                                 : QStringLiteral("期"));
    axisX->setLabelFormat(QStringLiteral("%d"));
    axisX->setRange(1, std::max(rows, 2));
    auto* axisY = new QValueAxis;
    axisY->setLabelFormat(QStringLiteral("%.0f"));
    axisY->setRange(static_cast<qreal>(low), static_cast<qreal>(high == low ? low + 1 : high));
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisX);
    series->attachAxis(axisY);
    auto* view = static_cast<QChartView*>(m_replayChart);
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
#endif
#endif
}

void PrizeCheckView::Refresh()
{
    if (m_queries)
        m_queries->Show();
    if (m_edit7->text() != Q(QueryDrawOf(m_context.State)))
        m_edit7->setText(Q(QueryDrawOf(m_context.State)));
}

void PrizeCheckView::TeButton1Click()
{
    if (Replaying())
        return;
    if (m_queries)
        m_queries->Pull();
    m_context.RunAside([this](Host& host) {
#ifdef QV_HAVE_PURCHASE
        LoadQueryList(m_context.State, host);
#else
        (void)host;
#endif
    });
}

void PrizeCheckView::Button12Click()
{
    if (Replaying())
        return;
    if (m_queries)
        m_queries->Pull();
    m_context.RunAside([this](Host& host) {
#ifdef QV_HAVE_PURCHASE
        CheckPrizes(m_context.State, host);
#else
        (void)host;
#endif
    });
}

PrizeCheckView::~PrizeCheckView()
{
    if (m_replayThread) {
        // The outcome goes nowhere: its slot belongs to this view.
        m_replayThread->wait();
        QApplication::restoreOverrideCursor();
    }
}

void PrizeCheckView::SetReplayRunning(bool running)
{
    for (QWidget* widget : m_replayLocks)
        widget->setEnabled(!running);
    if (running) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_context.CommandHost.SetProgressMaximum(0); // a bar that runs without a position
    } else {
        QApplication::restoreOverrideCursor();
        m_context.CommandHost.SetProgressMaximum(1);
        m_context.CommandHost.SetProgressPosition(1);
    }
}

void PrizeCheckView::ReplayClick()
{
#ifdef QV_HAVE_PURCHASE
    if (Replaying())
        return;
    if (m_queries)
        m_queries->Pull();
    // The draws are read here, so that a bad history stops the command as it always did.
    // The worker reads the query list where it is: while it runs, the commands that replace
    // the list (载入查询清单, and every Pull of the box) are refused, and the main window
    // deletes its views, whose destructor waits for the worker, before the state goes.
    auto draws = std::make_shared<std::vector<IssuedDraw>>();
    if (!m_context.Run([&]() {
            m_context.State.Purchase.ReplayDrawCount = m_replayDraws->value();
            *draws = ReplayDrawsOf(m_context.State);
        }))
        return;
    const Lines* list = &m_context.State.Purchase.QueryList;
    auto outcome = std::make_shared<ReplayOutcome>();
    auto failure = std::make_shared<std::exception_ptr>();
    m_replayThread = QThread::create([draws, list, outcome, failure]() {
        try {
            *outcome = ReplayList(*list, *draws);
        } catch (...) {
            *failure = std::current_exception();
        }
    });
    m_replayThread->setParent(this);
    connect(m_replayThread, &QThread::finished, this, [this, outcome, failure]() {
        FinishReplay([this, outcome, failure]() {
            if (*failure)
                std::rethrow_exception(*failure);
            StoreReplay(m_context.State, m_context.CommandHost, std::move(*outcome));
        });
    });
    SetReplayRunning(true);
    m_replayThread->start();
#endif
}

void PrizeCheckView::FinishReplay(const std::function<void()>& store)
{
    bool ran = false;
    m_context.Run([&]() {
        ran = true;
        m_replayThread->deleteLater();
        m_replayThread = nullptr;
        SetReplayRunning(false);
        store();
    });
    // Another command was running (a message box of it open): store once it is over.
    if (!ran)
        QTimer::singleShot(50, this, [this, store]() { FinishReplay(store); });
}

} // namespace qv::ui
