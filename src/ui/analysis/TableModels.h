#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

namespace qv::ui {

// A read-only table over data the core keeps: the model only asks for the number of rows
// and for the text of a cell when a view paints it, so a view over thousands of rows
// costs nothing until it is scrolled. Reload() after the core replaced the data.
class RowsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using RowCountFn = std::function<int()>;
    using CellFn = std::function<QString(int row, int column)>;

    RowsModel(QStringList headers, RowCountFn rowCount, CellFn cell, QObject* parent = nullptr);

    // Rows as the core keeps them: one text per column. Missing cells show empty.
    static RowsModel* OverRows(QStringList headers, const std::vector<std::vector<std::string>>* rows,
                               QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void Reload();

private:
    QStringList m_headers;
    RowCountFn m_rowCount;
    CellFn m_cell;
    int m_rows = 0;
};

} // namespace qv::ui
