#include "ui/windows/ImportPreview.h"

#include "ui/widgets/Buttons.h"
#include "ui/widgets/QtText.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv::ui {

namespace {

QString Count(std::size_t n)
{
    return QString::number(static_cast<qulonglong>(n));
}

} // namespace

QString ImportDetails(const ImportPlan& plan)
{
    QStringList text;
    if (!plan.Added.empty()) {
        text << QStringLiteral("【新增】%1期").arg(Count(plan.Added.size()));
        for (const auto& draw : plan.Added)
            text << Q(draw.Line);
        text << QString();
    }
    if (!plan.Conflicts.empty()) {
        text << QStringLiteral("【冲突】%1期：同一期号的号码与原记录不同").arg(Count(plan.Conflicts.size()));
        for (const auto& conflict : plan.Conflicts) {
            text << QStringLiteral("期号") + Q(conflict.Issue);
            text << QStringLiteral("    原记录：") + Q(conflict.Old);
            text << QStringLiteral("    导入：　") + Q(conflict.New);
        }
        text << QString();
    }
    if (!plan.Rejected.empty()) {
        text << QStringLiteral("【拒绝】%1行：不会导入").arg(Count(plan.Rejected.size()));
        for (const auto& rejection : plan.Rejected) {
            text << QStringLiteral("第%1行：").arg(rejection.LineNumber) + Q(rejection.Text);
            text << QStringLiteral("    原因：") + Q(rejection.Reason);
        }
        text << QString();
    }
    if (!plan.Gaps.empty()) {
        QStringList issues;
        for (const auto& issue : plan.Gaps)
            issues << Q(issue);
        text << QStringLiteral("【缺期】%1期：导入后这些期号仍没有开奖记录（仅提示）")
                    .arg(Count(plan.Gaps.size()));
        text << issues.join(QStringLiteral("、"));
        text << QString();
    }
    if (plan.Unchanged > 0)
        text << QStringLiteral("【未变】%1期与原记录相同").arg(plan.Unchanged);
    return text.join(QLatin1Char('\n')).trimmed();
}

ImportPreview::ImportPreview(Lines history, ImportPlan plan, const QString& source, bool unsavedEdits,
                             QWidget* parent)
    : QDialog(parent), m_history(std::move(history)), m_plan(std::move(plan))
{
    setObjectName(QStringLiteral("ImportPreview"));
    setWindowTitle(QStringLiteral("导入开奖数据"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(6);

    auto* summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("Label1"));
    summary->setWordWrap(true);
    summary->setText(QStringLiteral("来源：%1\n新增 %2 期，未变 %3 期，冲突 %4 期，拒绝 %5 行，缺期 %6 期")
                         .arg(source, Count(m_plan.Added.size()), QString::number(m_plan.Unchanged),
                              Count(m_plan.Conflicts.size()), Count(m_plan.Rejected.size()),
                              Count(m_plan.Gaps.size())));
    layout->addWidget(summary);

    auto* details = new QPlainTextEdit(this);
    details->setObjectName(QStringLiteral("Memo1"));
    details->setReadOnly(true);
    details->setLineWrapMode(QPlainTextEdit::NoWrap);
    details->setPlainText(ImportDetails(m_plan));
    layout->addWidget(details, 1);

    m_replace = new QCheckBox(
        QStringLiteral("以导入的号码替换冲突的%1期原记录").arg(Count(m_plan.Conflicts.size())), this);
    m_replace->setObjectName(QStringLiteral("CheckBox1"));
    m_replace->setVisible(!m_plan.Conflicts.empty());
    connect(m_replace, &QCheckBox::toggled, this, &ImportPreview::UpdateApply);
    layout->addWidget(m_replace);

    QString note;
    if (m_plan.ValidLines == 0)
        note = QStringLiteral("没有找到有效的开奖数据：每行应为一期，期号在前，然后是6个红球和1个蓝球。");
    else if (!m_plan.Changes(true))
        note = QStringLiteral("开奖记录里已经有这些开奖数据，没有需要写入的内容。");
    else if (unsavedEdits)
        note = QStringLiteral("记录编辑器中尚未保存的修改将一并写入。");
    if (!note.isEmpty()) {
        auto* label = new QLabel(note, this);
        label->setObjectName(QStringLiteral("Label2"));
        label->setWordWrap(true);
        label->setProperty("role", QStringLiteral("note"));
        layout->addWidget(label);
    }
    auto* hint = new QLabel(QStringLiteral("应用后写入历史开奖记录，并重新运算全部数据。"), this);
    hint->setProperty("role", QStringLiteral("note"));
    layout->addWidget(hint);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_apply = MakeButton(QStringLiteral("应用"), QStringLiteral("Button1"), this);
    m_apply->setProperty("role", QStringLiteral("primary"));
    auto* cancel = MakeButton(QStringLiteral("取消"), QStringLiteral("Button2"), this);
    connect(m_apply, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(m_apply);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    resize(560, 520);
    UpdateApply();
}

bool ImportPreview::ReplaceConflicts() const
{
    return m_replace->isChecked();
}

void ImportPreview::UpdateApply()
{
    m_apply->setEnabled(m_plan.Changes(ReplaceConflicts()));
}

} // namespace qv::ui
