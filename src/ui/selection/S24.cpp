#include "ui/selection/S24.h"

#include "selection/Selector24.h"
#include "session/SelectionCommands.h"
#include "ui/widgets/Buttons.h"
#include "ui/widgets/QtText.h"
#include "ui/widgets/WindowEffects.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace qv::ui {

namespace {

const char* const kNote[] = {
    " 以下29组复式每组24个号码，每期至少一组,最多十二组命中当期6红!",
    " 使用方法：",
    " 1、每期只选1-2组,自设条件进行过滤.",
    " 2、如果守住一期来购买，理论上每8期即命中6红。",
    " 3、可以从下列期数选项中查看每期命中情况，红色为命中的复式。",
};

} // namespace

TNS24::TNS24(ViewContext context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_context(std::move(context))
{
    setObjectName(QStringLiteral("NS24"));
    setWindowTitle(QStringLiteral("24码复式选号器"));
    resize(620, 560);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(8);

    auto* header = new QLabel(QStringLiteral("24码复式选号工具"), this);
    header->setObjectName(QStringLiteral("S24Header"));
    header->setProperty("role", QStringLiteral("header"));
    layout->addWidget(header);

    auto* note = new QPlainTextEdit(this);
    note->setObjectName(QStringLiteral("S24Note"));
    note->setReadOnly(true);
    QStringList noteLines;
    for (const char* line : kNote)
        noteLines << QString::fromUtf8(line);
    note->setPlainText(noteLines.join(QLatin1Char('\n')));
    note->setFixedHeight(note->fontMetrics().lineSpacing() * 5 + 16);
    note->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(note);

    auto* query = new QHBoxLayout;
    auto* issueLabel = new QLabel(QStringLiteral(" 查询期号："), this);
    issueLabel->setObjectName(QStringLiteral("S24IssueLabel"));
    m_issues = new QComboBox(this);
    m_issues->setObjectName(QStringLiteral("ComboBox1"));
    m_issues->setMinimumContentsLength(30);
    m_issues->setMaxVisibleItems(20);
    QPushButton* queryButton = MakeButton(QStringLiteral("查询"), QStringLiteral("TeButton3"), this);
    query->addWidget(issueLabel);
    query->addWidget(m_issues, 1);
    query->addWidget(queryButton);
    layout->addLayout(query);
    m_hitCount = new QLabel(this);
    m_hitCount->setObjectName(QStringLiteral("S24HitCount"));
    m_hitCount->setProperty("role", QStringLiteral("counter"));
    layout->addWidget(m_hitCount);

    auto* scroll = new QScrollArea(this);
    m_scroll = scroll;
    scroll->setObjectName(QStringLiteral("ScrollBox1"));
    scroll->setWidgetResizable(true);
    auto* list = new QWidget(scroll);
    list->setObjectName(QStringLiteral("GroupList"));
    auto* listLayout = new QVBoxLayout(list);
    listLayout->setSpacing(3);
    for (int g = 0; g < kGroupCount24; ++g) {
        auto* box = new QCheckBox(Q(Groups24()[static_cast<std::size_t>(g)]), list);
        box->setObjectName(QStringLiteral("S24Group") + QString::number(g + 1));
        box->setProperty("hit", false);
        listLayout->addWidget(box);
        m_groups[static_cast<std::size_t>(g)] = box;
        connect(box, &QCheckBox::toggled, this, [this, g](bool checked) {
            if (!m_refreshing)
                m_context.State.Selection.Selector.Checked[static_cast<std::size_t>(g)] = checked;
        });
    }
    listLayout->addStretch(1);
    scroll->setWidget(list);
    layout->addWidget(scroll, 1);

    auto* buttons = new QHBoxLayout;
    QPushButton* add = MakeButton(QStringLiteral("添加"), QStringLiteral("TeButton1"), this);
    add->setProperty("role", QStringLiteral("primary"));
    QPushButton* clear = MakeButton(QStringLiteral("清除"), QStringLiteral("TeButton4"), this);
    QPushButton* cancel = MakeButton(QStringLiteral("取消"), QStringLiteral("TeButton2"), this);
    buttons->addStretch(1);
    buttons->addWidget(add);
    buttons->addWidget(clear);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(m_issues, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_refreshing)
            m_context.State.Selection.Selector.SelectedIssue = index;
    });
    connect(queryButton, &QPushButton::clicked, this, &TNS24::TeButton3Click);
    connect(add, &QPushButton::clicked, this, &TNS24::TeButton1Click);
    connect(clear, &QPushButton::clicked, this, &TNS24::TeButton4Click);
    connect(cancel, &QPushButton::clicked, this, &TNS24::TeButton2Click);

    m_context.Register(kSelector24Component, [this]() { Refresh(); });
    // The recompute's reload of the issue list: the same lines, nothing selected. The
    // recompute asks for it while the ready flag reads "Data=0"; the redraws of every view
    // after the start-up run and the refresh find "Data=1" and keep the list and its
    // selection. A redraw never throws: a history that cannot be read leaves the list
    // empty (the step that read it first has reported it).
    m_context.Register("S24IssueList", [this]() {
        if (!m_context.State.Flag.IsStale())
            return;
        try {
            ReloadIssueSelector(m_context.State, m_context.CommandHost);
        } catch (const std::exception&) {
            m_context.State.Selection.Selector.Issues.clear();
            m_context.State.Selection.Selector.SelectedIssue = -1;
            Refresh();
        }
    });
    OnEscape(this, [this]() { TeButton2Click(); });
    FormCreate();
}

void TNS24::FormCreate()
{
    // A history that cannot be read leaves the list empty; the start-up run reports it.
    try {
        FillIssueSelector(m_context.State, m_context.CommandHost);
    } catch (const std::exception&) {
        m_context.State.Selection.Selector.Issues.clear();
        m_context.State.Selection.Selector.SelectedIssue = -1;
    }
    Refresh();
}

void TNS24::Refresh()
{
    const Selector24State& selector = m_context.State.Selection.Selector;
    m_refreshing = true;
    if (selector.Issues != m_shownIssues) {
        m_shownIssues = selector.Issues;
        QStringList items;
        items.reserve(static_cast<qsizetype>(m_shownIssues.size()));
        for (const auto& line : m_shownIssues)
            items << Q(line);
        m_issues->clear();
        m_issues->addItems(items);
    }
    m_issues->setCurrentIndex(selector.SelectedIssue < m_issues->count() ? selector.SelectedIssue : -1);
    for (std::size_t g = 0; g < m_groups.size(); ++g) {
        QCheckBox* box = m_groups[g];
        box->setChecked(selector.Checked[g]);
        const bool hit = selector.Red[g];
        if (box->property("hit").toBool() != hit) {
            box->setProperty("hit", hit);
            box->setStyleSheet(hit ? QStringLiteral("QCheckBox { color: #d40000; font-weight: bold; }")
                                   : QString());
        }
    }
    if (m_queriedIssue.isEmpty()) {
        m_hitCount->clear();
    } else {
        const auto hits = std::count(selector.Red.begin(), selector.Red.end(), true);
        m_hitCount->setText(
            QStringLiteral(" 第%1期：%2组命中当期6红（红色显示）").arg(m_queriedIssue).arg(hits));
    }
    m_refreshing = false;
}

void TNS24::TeButton3Click()
{
    const QString issue = m_issues->currentText().section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    if (m_context.Run([this]() { QueryGroups(m_context.State, m_context.CommandHost); }) &&
        !issue.isEmpty()) {
        m_queriedIssue = issue;
        Refresh();
    }
}

void TNS24::TeButton1Click()
{
    bool added = false;
    m_context.Run([this, &added]() { added = AddCheckedGroups(m_context.State, m_context.CommandHost); });
    if (added)
        hide();
}

void TNS24::TeButton4Click()
{
    m_context.Run([this]() { ClearGroupChecks(m_context.State, m_context.CommandHost); });
}

void TNS24::TeButton2Click()
{
    hide();
}

} // namespace qv::ui
