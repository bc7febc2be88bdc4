#include "ui/selection/BasketModel.h"

#include "ui/ViewContext.h"

#include <algorithm>
#include <climits>

namespace qv::ui {

BasketModel::BasketModel(const LineTable& lines, QObject* parent) : QAbstractListModel(parent), m_lines(lines)
{
    m_rows = static_cast<int>(std::min<std::size_t>(m_lines.Size(), INT_MAX));
}

int BasketModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant BasketModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() != 0)
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    // The table may have been replaced since the last Reload(); rows past its end are blank,
    // and so is every row while a command running aside may be changing it.
    if (StateLent() || row >= m_lines.Size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
        const std::string_view line = m_lines[row];
        return QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant BasketModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section == 0 ? QVariant(QStringLiteral("号码")) : QVariant();
    return section + 1;
}

void BasketModel::Reload()
{
    beginResetModel();
    m_rows = static_cast<int>(std::min<std::size_t>(m_lines.Size(), INT_MAX));
    endResetModel();
}

} // namespace qv::ui
