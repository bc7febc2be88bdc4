#pragma once

#include "selection/SelectionState.h"

#include <QAbstractListModel>

namespace qv::ui {

// The basket view's rows: the lines of "Data/temp.txt" as last loaded, read straight from
// the LineTable the core keeps. Nothing is copied per line, so a full basket of 1,107,568
// lines costs the view only the rows it paints. Reload() after the core replaced the table.
class BasketModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit BasketModel(const LineTable& lines, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void Reload();

private:
    const LineTable& m_lines;
    int m_rows = 0;
};

} // namespace qv::ui
