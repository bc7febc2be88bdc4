#include "ui/analysis/TableModels.h"

#include "ui/widgets/QtText.h"

namespace qv::ui {

RowsModel::RowsModel(QStringList headers, RowCountFn rowCount, CellFn cell, QObject* parent)
    : QAbstractTableModel(parent), m_headers(std::move(headers)), m_rowCount(std::move(rowCount)),
      m_cell(std::move(cell))
{
    m_rows = m_rowCount ? m_rowCount() : 0;
}

RowsModel* RowsModel::OverRows(QStringList headers, const std::vector<std::vector<std::string>>* rows,
                               QObject* parent)
{
    return new RowsModel(
        std::move(headers), [rows]() { return static_cast<int>(rows->size()); },
        [rows](int row, int column) {
            const auto& cells = (*rows)[static_cast<std::size_t>(row)];
            if (column < 0 || static_cast<std::size_t>(column) >= cells.size())
                return QString();
            return Q(cells[static_cast<std::size_t>(column)]);
        },
        parent);
}

int RowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int RowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant RowsModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rows)
        return {};
    // The row count is taken at Reload(); the data may have shrunk since without a reload
    // (a command that stopped half way), so ask again before reading.
    if (index.row() >= (m_rowCount ? m_rowCount() : 0))
        return {};
    return m_cell(index.row(), index.column());
}

QVariant RowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= m_headers.size())
        return {};
    return m_headers[section];
}

void RowsModel::Reload()
{
    beginResetModel();
    m_rows = m_rowCount ? m_rowCount() : 0;
    endResetModel();
}

} // namespace qv::ui
