#pragma once

#include "history/DrawImport.h"

#include <QDialog>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace qv::ui {

// What an import of draws would change, shown before anything is written: the added
// draws, the conflicts with both versions and the choice to replace them, the rejected
// lines with their reasons and the gaps. 应用 accepts the dialog; 取消 rejects it.
class ImportPreview : public QDialog
{
    Q_OBJECT
public:
    // history is the list the plan was made against; source names where the lines came
    // from; unsavedEdits tells the user that the editor's own edits are saved with it.
    ImportPreview(Lines history, ImportPlan plan, const QString& source, bool unsavedEdits, QWidget* parent);

    const Lines& History() const { return m_history; }
    const ImportPlan& Plan() const { return m_plan; }
    bool ReplaceConflicts() const;
    // The history as it would be written with the current choice.
    Lines Merged() const { return MergeImport(m_history, m_plan, ReplaceConflicts()); }

private:
    void UpdateApply();

    Lines m_history;
    ImportPlan m_plan;
    QCheckBox* m_replace = nullptr;
    QPushButton* m_apply = nullptr;
};

// The preview's text: one section for each kind of change.
QString ImportDetails(const ImportPlan& plan);

} // namespace qv::ui
