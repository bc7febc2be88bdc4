#include "ui/PurchaseViews.h"

#include "ui/QtText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <memory>

#if __has_include("purchase/PurchaseList.h") && __has_include("purchase/PrizeCheck.h") &&                    \
                                                              __has_include("purchase/BluePicker.h")
#include "purchase/BluePicker.h"
#include "purchase/PrizeCheck.h"
#include "purchase/PurchaseList.h"
#include "ui/Buttons.h"
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

ListBox::ListBox(QPlainTextEdit* box, Lines& lines)
    : m_box(box), m_lines(lines), m_shown(Fingerprint(Lines{}))
{
    m_connection = QObject::connect(m_box, &QPlainTextEdit::textChanged, m_box, [this]() {
        if (!m_refreshing)
            m_edited = true;
    });
    Show();
}

ListBox::~ListBox()
{
    QObject::disconnect(m_connection);
}

void ListBox::Pull()
{
    if (!m_edited)
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
    m_box->setPlainText(MemoText(m_lines));
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
    listColumn->addWidget(memo8, 1);
    auto* fileButtons = new QHBoxLayout;
    QPushButton* save = MakeButton(QStringLiteral("保存清单"), QStringLiteral("Button16"), this);
    QPushButton* load = MakeButton(QStringLiteral("载入清单"), QStringLiteral("Button18"), this);
    fileButtons->addWidget(save);
    fileButtons->addWidget(load);
    fileButtons->addStretch(1);
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

    m_list = std::make_unique<ListBox>(memo8, m_context.State.Purchase.PurchaseList);

    connect(random, &QPushButton::clicked, this, &PurchaseListView::Button17Click);
    connect(save, &QPushButton::clicked, this, &PurchaseListView::Button16Click);
    connect(load, &QPushButton::clicked, this, &PurchaseListView::Button18Click);

    m_context.Register("Memo8", [this]() { Refresh(); });
    RefreshBlues();
}

void PurchaseListView::Refresh()
{
    if (m_list)
        m_list->Show();
    RefreshBlues();
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
    m_context.Run([this]() {
#ifdef QV_HAVE_PURCHASE
        TakeBasketIntoPurchaseList(m_context.State, m_context.CommandHost);
#endif
    });
}

void PurchaseListView::Button17Click()
{
    PullList();
    m_context.Run([this]() {
#ifdef QV_HAVE_PURCHASE
        AssignRandomBlues(m_context.State, m_context.CommandHost);
#endif
    });
}

void PurchaseListView::Button16Click()
{
    PullList();
    m_context.Run([this]() {
#ifdef QV_HAVE_PURCHASE
        SavePurchaseList(m_context.State, m_context.CommandHost);
#endif
    });
}

void PurchaseListView::Button18Click()
{
    PullList();
    m_context.Run([this]() {
#ifdef QV_HAVE_PURCHASE
        LoadPurchaseList(m_context.State, m_context.CommandHost);
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
    queryRow->addStretch(1);
    layout->addLayout(queryRow);

    auto* columns = new QHBoxLayout;
    auto* group = new QGroupBox(QStringLiteral("查询清单"), this);
    group->setObjectName(QStringLiteral("GroupBox7"));
    auto* groupLayout = new QVBoxLayout(group);
    QPlainTextEdit* memo9 = MakeMemo(QStringLiteral("Memo9"), group);
    groupLayout->addWidget(memo9, 1);
    QPushButton* load = MakeButton(QStringLiteral("载入查询清单"), QStringLiteral("TeButton1"), group);
    auto* loadRow = new QHBoxLayout;
    loadRow->addWidget(load);
    loadRow->addStretch(1);
    groupLayout->addLayout(loadRow);
    columns->addWidget(group, 1);

    auto* resultColumn = new QVBoxLayout;
    auto* resultTitle = new QLabel(QStringLiteral("中奖结果"), this);
    resultTitle->setProperty("role", QStringLiteral("header"));
    resultColumn->addWidget(resultTitle);
    m_memo7 = MakeMemo(QStringLiteral("Memo7"), this);
    m_memo7->setReadOnly(true);
    resultColumn->addWidget(m_memo7, 1);
    columns->addLayout(resultColumn, 1);
    layout->addLayout(columns, 1);

    m_queries = std::make_unique<ListBox>(memo9, QueryListOf(m_context.State));
    m_edit7->setText(Q(QueryDrawOf(m_context.State)));
    connect(m_edit7, &QLineEdit::textChanged, this,
            [this](const QString& text) { QueryDrawOf(m_context.State) = S(text); });
    connect(load, &QPushButton::clicked, this, &PrizeCheckView::TeButton1Click);
    connect(check, &QPushButton::clicked, this, &PrizeCheckView::Button12Click);
    connect(m_edit7, &QLineEdit::returnPressed, this, &PrizeCheckView::Button12Click);

    m_context.Register("Memo9", [this]() { Refresh(); });
    m_context.Register("Memo7",
                       [this]() { m_memo7->setPlainText(MemoText(PrizeResultOf(m_context.State))); });
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
    if (m_queries)
        m_queries->Pull();
    m_context.Run([this]() {
#ifdef QV_HAVE_PURCHASE
        LoadQueryList(m_context.State, m_context.CommandHost);
#endif
    });
}

void PrizeCheckView::Button12Click()
{
    if (m_queries)
        m_queries->Pull();
    m_context.Run([this]() {
#ifdef QV_HAVE_PURCHASE
        CheckPrizes(m_context.State, m_context.CommandHost);
#endif
    });
}

} // namespace qv::ui
