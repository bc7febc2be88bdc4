#include "ui/selection/BetView.h"

#include "selection/Basket.h"
#include "selection/BetList.h"
#include "session/SelectionCommands.h"
#include "ui/widgets/Buttons.h"
#include "ui/widgets/QtText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv::ui {

BetView::BetView(ViewContext context, std::function<void()> showSelector, QWidget* parent)
    : QWidget(parent), m_context(std::move(context)), m_showSelector(std::move(showSelector))
{
    setObjectName(QStringLiteral("BetView"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(8);

    auto* group = new QGroupBox(QStringLiteral("请选择红球"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    // The boxes look like the game's red balls: a ring, filled red when checked.
    group->setStyleSheet(QStringLiteral(
        "QCheckBox[role=\"red-ball\"] { font-weight: bold; color: #7a1414; spacing: 5px; }"
        "QCheckBox[role=\"red-ball\"]::indicator { width: 15px; height: 15px; border-radius: 8px; "
        "border: 2px solid #c8322f; background: #ffffff; }"
        "QCheckBox[role=\"red-ball\"]::indicator:checked { background: qradialgradient(cx:0.35, cy:0.35, "
        "radius:0.8, fx:0.35, fy:0.35, stop:0 #ff8a80, stop:1 #c62828); }"
        "QCheckBox[role=\"red-ball\"]::indicator:hover { border-color: #7a1414; }"));
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    constexpr int kColumns = 11;
    for (int k = 1; k <= kPickerNumbers; ++k) {
        auto* box = new QCheckBox(Q(TwoDigits(k)), group);
        box->setObjectName(QStringLiteral("hao") + QString::number(k));
        box->setProperty("role", QStringLiteral("red-ball"));
        grid->addWidget(box, (k - 1) / kColumns, (k - 1) % kColumns);
        m_picker[static_cast<std::size_t>(k - 1)] = box;
        connect(box, &QCheckBox::toggled, this, [this, k](bool checked) {
            if (!m_refreshing)
                m_context.State.Selection.Picker[static_cast<std::size_t>(k - 1)] = checked;
        });
    }
    auto* pickerButtons = new QHBoxLayout;
    QPushButton* all = MakeButton(QStringLiteral("全"), QStringLiteral("ToolButton8"), group);
    QPushButton* none = MakeButton(QStringLiteral("清"), QStringLiteral("TeButton9"), group);
    QPushButton* add = MakeButton(QStringLiteral("添加到下列投注列表"), QStringLiteral("TeButton7"), group);
    add->setProperty("role", QStringLiteral("primary"));
    pickerButtons->addWidget(all);
    pickerButtons->addWidget(none);
    pickerButtons->addStretch(1);
    pickerButtons->addWidget(add);
    grid->addLayout(pickerButtons, 3, 0, 1, kColumns);
    layout->addWidget(group);

    auto* note = new QLabel(QStringLiteral("  注：投注列表结合算法，所以这仅选红球，请勿导入蓝球数据"), this);
    note->setObjectName(QStringLiteral("BetListNote"));
    note->setProperty("role", QStringLiteral("note"));
    layout->addWidget(note);

    m_memo6 = new QPlainTextEdit(this);
    m_memo6->setObjectName(QStringLiteral("Memo6"));
    m_memo6->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo6->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(m_memo6, 1);
    connect(m_memo6, &QPlainTextEdit::textChanged, this, &BetView::BetListEdited);

    auto* commands = new QHBoxLayout;
    QPushButton* load = MakeButton(QStringLiteral("载入号码列表"), QStringLiteral("TeButton17"), this);
    QPushButton* clear = MakeButton(QStringLiteral("清除投注列表"), QStringLiteral("TeButton10"), this);
    QPushButton* selector = MakeButton(QStringLiteral("24式选号工具"), QStringLiteral("TeButton20"), this);
    QPushButton* expand = MakeButton(QStringLiteral("分解到号码篮"), QStringLiteral("Button8"), this);
    expand->setProperty("role", QStringLiteral("primary"));
    commands->addWidget(load);
    commands->addWidget(clear);
    commands->addWidget(selector);
    commands->addStretch(1);
    commands->addWidget(expand);
    layout->addLayout(commands);

    connect(all, &QPushButton::clicked, this, &BetView::ToolButton8Click);
    connect(none, &QPushButton::clicked, this, &BetView::TeButton9Click);
    connect(add, &QPushButton::clicked, this, &BetView::TeButton7Click);
    connect(load, &QPushButton::clicked, this, &BetView::TeButton17Click);
    connect(clear, &QPushButton::clicked, this, &BetView::TeButton10Click);
    connect(selector, &QPushButton::clicked, this, &BetView::TeButton20Click);
    connect(expand, &QPushButton::clicked, this, &BetView::Button8Click);

    for (int k = 1; k <= kPickerNumbers; ++k)
        m_context.Register("hao" + std::to_string(k), [this]() { RefreshPicker(); });
    m_context.Register(kBetListComponent, [this]() { RefreshBetList(); });
    RefreshPicker();
    RefreshBetList();
}

void BetView::RefreshPicker()
{
    m_refreshing = true;
    for (std::size_t k = 0; k < m_picker.size(); ++k)
        m_picker[k]->setChecked(m_context.State.Selection.Picker[k]);
    m_refreshing = false;
}

void BetView::RefreshBetList()
{
    const QString text = MemoText(m_context.State.Selection.BetList);
    if (m_memo6->toPlainText() == text)
        return;
    m_refreshing = true;
    m_memo6->setPlainText(text);
    m_memo6->moveCursor(QTextCursor::End);
    m_refreshing = false;
}

void BetView::BetListEdited()
{
    if (!m_refreshing)
        m_context.State.Selection.BetList = MemoLines(m_memo6->toPlainText());
}

void BetView::ToolButton8Click()
{
    m_context.Run([this]() { CheckAllPicker(m_context.State, m_context.CommandHost); });
}

void BetView::TeButton9Click()
{
    m_context.Run([this]() { ClearPicker(m_context.State, m_context.CommandHost); });
}

void BetView::TeButton7Click()
{
    m_context.Run([this]() { AddPickerToBetList(m_context.State, m_context.CommandHost); });
}

void BetView::TeButton17Click()
{
    m_context.Run([this]() { LoadBetList(m_context.State, m_context.CommandHost); });
}

void BetView::TeButton10Click()
{
    m_context.Run([this]() { ClearBetList(m_context.State, m_context.CommandHost); });
}

void BetView::TeButton20Click()
{
    if (m_showSelector)
        m_showSelector();
}

void BetView::Button8Click()
{
    m_context.RunAside([this](Host& host) { ExpandBetList(m_context.State, host); });
}

} // namespace qv::ui
