#include "ui/selection/FilterView.h"

#include "ui/selection/BacktestView.h"
#include "ui/widgets/QtText.h"
#include "ui/windows/helpsum.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <vector>

#if __has_include("filters/FilterRun.h")
#include "filters/FilterRun.h"
#include "session/FilterCommands.h"
#include "ui/widgets/Buttons.h"
#define QV_HAVE_FILTER_RUN 1
#endif

namespace qv::ui {

namespace {

// The rows of the filter pages. A row is its check box, then "|"-separated items: "@Name"
// is a one-line parameter field, "#Name" a multi-line rule box below the row, "/" starts a
// new line inside the row, anything else is a label.
const char* const kCombinationRows[] = {"CheckBox6",  "CheckBox9",  "CheckBox12",  "CheckBox13",
                                        "CheckBox14", "CheckBox19", "TeCheckBox6", "CheckBox26",
                                        "CheckBox30", "CheckBox31"};
const char* const kFormatRows[] = {"CheckBox11", "CheckBox17", "CheckBox20", "CheckBox21",
                                   "CheckBox23", "CheckBox28", "TeCheckBox5"};
const char* const kMagicRows[] = {"CheckBox15", "CheckBox22", "CheckBox24", "CheckBox25",
                                  "CheckBox32", "CheckBox33", "CheckBox34", "CheckBox43"};
const char* const kFormulaProbabilityRows[] = {"CheckBox18", "TeCheckBox14", "CheckBox42"};
const char* const kValueRows[] = {"CheckBox7|@Edit5",
                                  "CheckBox8|@edit6",
                                  "CheckBox27|@Edit8",
                                  "CheckBox29|@Edit9",
                                  "TeCheckBox7|@TeSEdit1|至|@TeSEdit2",
                                  "CheckBox10|@Edit20|至|@Edit21",
                                  "CheckBox37|@Edit13|至|@edit14",
                                  "CheckBox38|@edit15|至|@edit16",
                                  "CheckBox39|@edit17|至|@edit18"};
const char* const kZoneRows[] = {
    "TeCheckBox11|/|一区和值|@T1Qx|至|@T1Qy|/|二区和值|@T2Qx|至|@T2Qy|/|三区和值|@T3Qx|至|@T3Qy",
    "TeCheckBox13|/|一区个数|@TeSEdit10|至|@TeSEdit11|/|二区个数|@TeSEdit14|至|@TeSEdit15|/"
    "|三区个数|@TeSEdit16|至|@"
    "TeSEdit17"};
const char* const kConditionProbabilityRows[] = {"TeCheckBox2|@TeSEdit9|至|@TeSEdit6",
                                                 "TeCheckBox12|@TeSEdit12|至|@TeSEdit13",
                                                 "TeCheckBox9|@TeSEdit7|至|@TeSEdit8", "CheckBox45|@edit19"};
const char* const kNumberRows[] = {"CheckBox46|#Memo3", "TeCheckBox8|#TeMemo1", "TeCheckBox10|#TeMemo3",
                                   "CheckBox36|/|@Edit11|至少出现|@edit12|个"};

struct SlotText
{
    QString Caption;
    std::string Counter;
};

SlotText SlotOf(const std::string& checkBox)
{
#ifdef QV_HAVE_FILTER_RUN
    for (const auto& slot : FilterRunOrder())
        if (checkBox == slot.CheckBox)
            return {Q(slot.Caption), slot.Counter};
#endif
    return {Q(checkBox), {}};
}

QStringList Split(const char* row)
{
    return QString::fromUtf8(row).split(QLatin1Char('|'));
}

QWidget* Scrolled(QWidget* page)
{
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(page);
    return scroll;
}

} // namespace

FilterView::FilterView(ViewContext context, TNhelpsum* popup, QWidget* parent)
    : QWidget(parent), m_context(std::move(context)), m_popup(popup)
{
    setObjectName(QStringLiteral("FilterPanel"));
#ifdef QV_HAVE_FILTER_RUN
    // The window opens with its defaults: every start of the program begins from them.
    if (m_context.State.Filters.Switches.empty())
        ResetFilterState(m_context.State.Filters);
#endif

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(6);

    m_popupSwitch = new QCheckBox(QStringLiteral("打开算法公式悬浮说明"), this);
    m_popupSwitch->setObjectName(QStringLiteral("TeCheckBox1"));
    m_popupSwitch->setChecked(m_popup == nullptr || m_popup->SwitchOn());
    connect(m_popupSwitch, &QCheckBox::toggled, this, [this](bool on) {
        if (m_popup)
            m_popup->SetSwitch(on);
    });
    layout->addWidget(m_popupSwitch);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl2"));
    m_pageTitles = {QStringLiteral("公式"), QStringLiteral("条件"), QStringLiteral("号码设置")};
    m_buildingPage = 0;
    m_pages->addTab(Scrolled(BuildFormulaPage()), m_pageTitles[0]);
    m_buildingPage = 1;
    m_pages->addTab(Scrolled(BuildConditionPage()), m_pageTitles[1]);
    m_buildingPage = 2;
    m_pages->addTab(Scrolled(BuildNumberPage()), m_pageTitles[2]);
    for (int i = 0; i < m_pages->count(); ++i)
        m_pages->setTabToolTip(
            i, QStringLiteral("括号中为本页已勾选的过滤条件个数，运行时所有页的勾选条件一起生效"));
    m_backtest = new BacktestView(m_context, m_pages);
    m_pages->addTab(m_backtest, QStringLiteral("历史验证"));
    m_pages->setTabToolTip(m_pages->count() - 1,
                           QStringLiteral("用历史开奖检验当前勾选的过滤条件：它们排除真实开奖号码的频率"));
    layout->addWidget(m_pages, 1);

    auto* buttons = new QHBoxLayout;
    QPushButton* run = MakeButton(QStringLiteral("开始执行运算/过滤"), QStringLiteral("Button9"), this);
    run->setProperty("role", QStringLiteral("primary"));
    run->setToolTip(QStringLiteral("按固定顺序执行所有页中勾选的过滤条件，过滤号码篮（F7）"));
    QPushButton* all = MakeButton(QStringLiteral("全选/反选"), QStringLiteral("Button13"), this);
    QPushButton* recommend = MakeButton(QStringLiteral("选择推荐"), QStringLiteral("TeButton19"), this);
    buttons->addWidget(all);
    buttons->addWidget(recommend);
    buttons->addStretch(1);
#ifdef QV_HAVE_FILTER_RUN
    auto* toleranceCaption = new QLabel(QStringLiteral("容错"), this);
    m_tolerance = new QSpinBox(this);
    m_tolerance->setObjectName(QStringLiteral("ToleranceEdit"));
    m_tolerance->setRange(0, 46);
    m_tolerance->setToolTip(
        QStringLiteral("0：任一勾选条件排除即删除；K：被至少K+1项勾选条件排除的号码才删除，"
                       "每项条件都按运算开始时的号码篮判断"));
    toleranceCaption->setToolTip(m_tolerance->toolTip());
    connect(m_tolerance, &QSpinBox::valueChanged, this, [this](int value) {
        if (!m_refreshing)
            m_context.State.Filters.Tolerance = value;
    });
    m_toleranceCounter = new QLabel(this);
    m_toleranceCounter->setObjectName(Q(kToleranceCounter));
    m_toleranceCounter->setProperty("role", QStringLiteral("counter"));
    buttons->addWidget(toleranceCaption);
    buttons->addWidget(m_tolerance);
    buttons->addWidget(m_toleranceCounter);
#endif
    buttons->addWidget(run);
    layout->addLayout(buttons);

    connect(run, &QPushButton::clicked, this, &FilterView::Button9Click);
    connect(all, &QPushButton::clicked, this, &FilterView::Button13Click);
    connect(recommend, &QPushButton::clicked, this, &FilterView::TeButton19Click);

    m_context.Register("PageControl2", [this]() { Refresh(); });
    Refresh();
}

QWidget* FilterView::BuildFormulaPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetFormula"));
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setSpacing(8);
    auto* left = new QVBoxLayout;
    left->addWidget(
        BuildGroup(QStringLiteral("组合滤除"), kCombinationRows, std::size(kCombinationRows), page));
    left->addWidget(BuildGroup(QStringLiteral("概率估计"), kFormulaProbabilityRows,
                               std::size(kFormulaProbabilityRows), page));
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(BuildGroup(QStringLiteral("格式滤除"), kFormatRows, std::size(kFormatRows), page));
    right->addWidget(BuildGroup(QStringLiteral("神奇公式"), kMagicRows, std::size(kMagicRows), page));
    right->addStretch(1);
    grid->addLayout(left, 0, 0);
    grid->addLayout(right, 0, 1);
    return page;
}

QWidget* FilterView::BuildConditionPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetCondition"));
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setSpacing(8);
    auto* left = new QVBoxLayout;
    left->addWidget(BuildGroup(QStringLiteral("取值估算"), kValueRows, std::size(kValueRows), page));
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(BuildGroup(QStringLiteral("三区设置"), kZoneRows, std::size(kZoneRows), page));
    right->addWidget(BuildGroup(QStringLiteral("概率估计"), kConditionProbabilityRows,
                                std::size(kConditionProbabilityRows), page));
    right->addStretch(1);
    grid->addLayout(left, 0, 0);
    grid->addLayout(right, 0, 1);
    return page;
}

QWidget* FilterView::BuildNumberPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetNumbers"));
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setSpacing(8);
    // How each rule box is written, under its row.
    const char* const hints[] = {"每行：号码,最多出现个数（如 01 05,1）", "第1至6行：第1至6位允许的号码",
                                 "每行：号码,最少个数,最多个数（如 01 02 03,1,2）", "胆码之间用空格隔开"};
    for (std::size_t i = 0; i < std::size(kNumberRows); ++i) {
        auto* frame = new QGroupBox(page);
        auto* frameLayout = new QVBoxLayout(frame);
        frameLayout->addWidget(BuildRow(kNumberRows[i], frame), 1);
        auto* hint = new QLabel(QString::fromUtf8(hints[i]), frame);
        hint->setProperty("role", QStringLiteral("note"));
        frameLayout->addWidget(hint);
        if (QString::fromUtf8(kNumberRows[i]).contains(QLatin1Char('@')))
            frameLayout->addStretch(1);
        grid->addWidget(frame, static_cast<int>(i / 2), static_cast<int>(i % 2));
    }
    grid->setRowStretch(2, 1);
    return page;
}

QWidget* FilterView::BuildGroup(const QString& title, const char* const* rows, int count, QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(group);
    layout->setSpacing(2);
    std::vector<QCheckBox*> boxes;
    for (int i = 0; i < count; ++i) {
        layout->addWidget(BuildRow(rows[i], group));
        boxes.push_back(m_switches.at(S(Split(rows[i]).front())));
    }
    // The parameter fields of a group stand in one column.
    int widest = 0;
    for (QCheckBox* box : boxes)
        widest = std::max(widest, box->sizeHint().width());
    for (QCheckBox* box : boxes)
        box->setMinimumWidth(widest);
    return group;
}

QWidget* FilterView::BuildRow(const char* row, QWidget* parent)
{
    const QStringList items = Split(row);
    const std::string name = S(items.front());
    const SlotText slot = SlotOf(name);

    auto* widget = new QWidget(parent);
    auto* rows = new QVBoxLayout(widget);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(3);
    auto* line = new QHBoxLayout;
    line->setSpacing(4);
    rows->addLayout(line);

    auto* box = new QCheckBox(slot.Caption, widget);
    box->setObjectName(items.front());
    box->setMouseTracking(true);
    box->installEventFilter(this);
    m_switches[name] = box;
    m_boxNames[box] = name;
    m_pageOf[name] = m_buildingPage;
    connect(box, &QCheckBox::toggled, this, [this, name](bool checked) {
        if (!m_refreshing) {
            m_context.State.Filters.Switches[name] = checked;
            UpdatePageTitles();
        }
    });
    line->addWidget(box);

    auto* counter = new QLabel(QStringLiteral("已排除0注"), widget);
    counter->setObjectName(Q(slot.Counter));
    counter->setProperty("role", QStringLiteral("counter"));
    counter->setMinimumWidth(counter->fontMetrics().horizontalAdvance(QStringLiteral("已排除1107568注")));
    counter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (!slot.Counter.empty())
        m_counters[slot.Counter] = counter;

    bool firstLine = true;
    QHBoxLayout* current = line;
    const auto endLine = [&]() {
        current->addStretch(1);
        if (firstLine) {
            current->addWidget(counter);
            firstLine = false;
        }
    };
    for (qsizetype i = 1; i < items.size(); ++i) {
        const QString& item = items[i];
        if (item == QStringLiteral("/")) {
            endLine();
            current = new QHBoxLayout;
            current->setSpacing(4);
            current->addSpacing(24);
            rows->addLayout(current);
        } else if (item.startsWith(QLatin1Char('@'))) {
            current->addWidget(MakeEdit(S(item.mid(1)), widget));
        } else if (item.startsWith(QLatin1Char('#'))) {
            endLine();
            QPlainTextEdit* memo = MakeMemo(S(item.mid(1)), widget);
            m_ruleBoxes[name] = memo;
            rows->addWidget(memo, 1);
        } else {
            current->addWidget(new QLabel(item, widget));
        }
    }
    if (firstLine || current != line)
        endLine();
    return widget;
}

QLineEdit* FilterView::MakeEdit(const std::string& name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(Q(name));
    // The banker numbers take a list; every other field one integer.
    edit->setFixedWidth(name == "Edit11" ? 150 : 46);
    edit->setAlignment(name == "Edit11" ? Qt::AlignLeft : Qt::AlignCenter);
    m_edits[name] = edit;
    connect(edit, &QLineEdit::textChanged, this, [this, name](const QString& text) {
        if (!m_refreshing)
            m_context.State.Filters.Edits[name] = S(text);
    });
    return edit;
}

QPlainTextEdit* FilterView::MakeMemo(const std::string& name, QWidget* parent)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(Q(name));
    memo->setMinimumHeight(120);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memos[name] = memo;
    connect(memo, &QPlainTextEdit::textChanged, this, [this, name, memo]() {
        if (!m_refreshing)
            m_context.State.Filters.Memos[name] = MemoLines(memo->toPlainText());
    });
    return memo;
}

void FilterView::Refresh()
{
    const FilterState& settings = m_context.State.Filters;
    m_refreshing = true;
    for (const auto& [name, box] : m_switches) {
        const auto found = settings.Switches.find(name);
        box->setChecked(found != settings.Switches.end() && found->second);
    }
    for (const auto& [name, edit] : m_edits) {
        const auto found = settings.Edits.find(name);
        const QString text = found == settings.Edits.end() ? QString() : Q(found->second);
        if (edit->text() != text)
            edit->setText(text);
    }
    for (const auto& [name, memo] : m_memos) {
        const auto found = settings.Memos.find(name);
        const QString text = found == settings.Memos.end() ? QString() : MemoText(found->second);
        if (memo->toPlainText() != text)
            memo->setPlainText(text);
    }
    for (const auto& [name, label] : m_counters) {
        const auto found = settings.Counters.find(name);
        label->setText(found == settings.Counters.end() ? QStringLiteral("已排除0注") : Q(found->second));
    }
#ifdef QV_HAVE_FILTER_RUN
    m_tolerance->setValue(settings.Tolerance);
    const auto tolerant = settings.Counters.find(kToleranceCounter);
    m_toleranceCounter->setText(tolerant == settings.Counters.end() ? QString() : Q(tolerant->second));
#endif
    m_refreshing = false;
    UpdatePageTitles();
}

void FilterView::UpdatePageTitles()
{
    std::vector<int> checked(static_cast<std::size_t>(m_pages->count()), 0);
    for (const auto& [name, box] : m_switches)
        if (box->isChecked())
            ++checked.at(static_cast<std::size_t>(m_pageOf.at(name)));
    for (int i = 0; i < static_cast<int>(m_pageTitles.size()); ++i)
        m_pages->setTabText(
            i,
            QStringLiteral("%1（已选%2项）").arg(m_pageTitles[i]).arg(checked[static_cast<std::size_t>(i)]));
}

QRect FilterView::KeepClear(const std::string& checkBox) const
{
    const QCheckBox* box = Switch(checkBox);
    if (box == nullptr)
        return {};
    QRect clear(box->mapToGlobal(QPoint(0, 0)), box->size());
    const auto rule = m_ruleBoxes.find(checkBox);
    if (rule != m_ruleBoxes.end())
        clear |= QRect(rule->second->mapToGlobal(QPoint(0, 0)), rule->second->size());
    return clear;
}

QCheckBox* FilterView::Switch(const std::string& checkBox) const
{
    const auto found = m_switches.find(checkBox);
    return found == m_switches.end() ? nullptr : found->second;
}

void FilterView::Button9Click()
{
    m_context.RunAside([this](Host& host) {
#ifdef QV_HAVE_FILTER_RUN
        RunFilters(m_context.State, host);
#else
        (void)host;
#endif
    });
    Refresh();
}

void FilterView::Button13Click()
{
#ifdef QV_HAVE_FILTER_RUN
    qv::ToggleSelectAll(m_context.State.Filters);
#endif
    Refresh();
}

void FilterView::TeButton19Click()
{
#ifdef QV_HAVE_FILTER_RUN
    qv::SelectRecommended(m_context.State.Filters);
#endif
    Refresh();
}

bool FilterView::eventFilter(QObject* watched, QEvent* event)
{
    if (m_popup != nullptr) {
        const auto found = m_boxNames.find(watched);
        if (found != m_boxNames.end()) {
            if (event->type() == QEvent::MouseMove) {
                const auto* move = static_cast<QMouseEvent*>(event);
                m_popup->PointerMoved(found->second, move->globalPosition().toPoint(),
                                      KeepClear(found->second));
            } else if (event->type() == QEvent::Leave) {
                m_popup->PointerLeft();
            } else if (event->type() == QEvent::Wheel && m_popup->isVisible()) {
                // The wheel over the box scrolls its explanation, not the page.
                m_popup->Scroll(*static_cast<QWheelEvent*>(event));
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace qv::ui
