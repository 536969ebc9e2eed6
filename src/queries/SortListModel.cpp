#include "queries/SortListModel.h"

#include "queries/SortOrder.h"

#include <algorithm>

CSortListModel::CSortListModel(QObject *parent)
    : QAbstractTableModel(parent)
{ }

int CSortListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CSortListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_headings.size());
}

QVariant CSortListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= m_headings.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return m_rows.at(index.row()).value(index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_alignments.at(index.column()) | Qt::AlignVCenter);
    return {};
}

QVariant CSortListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_headings.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_headings.at(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_alignments.at(section) | Qt::AlignVCenter);
    return {};
}

int CSortListModel::insertListColumn(int position, const QString &heading, Qt::Alignment alignment)
{
    if (position < 0 || position > m_headings.size())
        position = int(m_headings.size());
    if (!m_bulk)
        beginInsertColumns(QModelIndex(), position, position);
    m_headings.insert(position, heading);
    m_alignments.insert(position, alignment);
    for (QStringList &row : m_rows) {
        if (position <= row.size())
            row.insert(position, QString());
    }
    if (!m_bulk)
        endInsertColumns();
    return position;
}

bool CSortListModel::removeListColumn(int position)
{
    if (position < 0 || position >= m_headings.size())
        return false;
    if (!m_bulk)
        beginRemoveColumns(QModelIndex(), position, position);
    m_headings.removeAt(position);
    m_alignments.removeAt(position);
    for (QStringList &row : m_rows) {
        if (position < row.size())
            row.removeAt(position);
    }
    if (!m_bulk)
        endRemoveColumns();
    return true;
}

int CSortListModel::insertListRow(int position, const QString &text)
{
    if (position < 0 || position > m_rows.size())
        position = int(m_rows.size());
    QStringList row;
    row.reserve(std::max<qsizetype>(1, m_headings.size()));
    row.append(text);
    for (qsizetype c = 1; c < m_headings.size(); ++c)
        row.append(QString());
    if (!m_bulk)
        beginInsertRows(QModelIndex(), position, position);
    m_rows.insert(position, std::move(row));
    if (!m_bulk)
        endInsertRows();
    return position;
}

bool CSortListModel::setText(int row, int column, const QString &text)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_headings.size())
        return false;
    QStringList &cells = m_rows[row];
    while (cells.size() <= column)
        cells.append(QString());
    cells[column] = text;
    if (!m_bulk)
        emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole});
    return true;
}

QString CSortListModel::text(int row, int column) const
{
    if (row < 0 || row >= m_rows.size())
        return {};
    return m_rows.at(row).value(column);
}

void CSortListModel::removeAllRows()
{
    if (m_rows.isEmpty())
        return;
    if (!m_bulk)
        beginResetModel();
    m_rows.clear();
    if (!m_bulk)
        endResetModel();
}

int CSortListModel::sortedPosition(const QString &text, int column, bool ascending) const
{
    const QStringList probe(text);
    const auto found =
        std::upper_bound(m_rows.cbegin(), m_rows.cend(), probe, [&](const QStringList &value, const QStringList &row) {
            return compareSortRows(value, row, column, ascending) < 0;
        });
    return int(found - m_rows.cbegin());
}

void CSortListModel::sortRows(int column, bool ascending)
{
    if (!m_bulk)
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);

    // Sort compact keys rather than rows, so the comparisons stay in cache and
    // persistent indexes can be moved after.
    struct Key
    {
        QStringView text;
        QStringView first;
        int row;
    };
    std::vector<Key> keys;
    keys.reserve(size_t(m_rows.size()));
    for (int row = 0; row < m_rows.size(); ++row) {
        const QStringList &cells = m_rows.at(row);
        keys.push_back({column < cells.size() ? QStringView(cells.at(column)) : QStringView(),
                        cells.isEmpty() ? QStringView() : QStringView(cells.at(0)), row});
    }
    // The rule of compareSortRows, on the keys.
    std::stable_sort(keys.begin(), keys.end(), [&](const Key &a, const Key &b) {
        int result = compareSortTexts(a.text, b.text);
        if (result == 0 && column != 0)
            result = compareSortTexts(a.first, b.first);
        return ascending ? result < 0 : result > 0;
    });
    std::vector<int> order(keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
        order[i] = keys[i].row;
    QList<QStringList> sorted;
    sorted.reserve(m_rows.size());
    std::vector<int> newPosition(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        sorted.append(std::move(m_rows[order[i]]));
        newPosition[size_t(order[i])] = int(i);
    }
    m_rows = std::move(sorted);

    if (m_bulk)
        return;
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before)
        after.append(this->index(newPosition[size_t(index.row())], index.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void CSortListModel::beginBulkChange()
{
    if (m_bulk)
        return;
    beginResetModel();
    m_bulk = true;
}

void CSortListModel::endBulkChange()
{
    if (!m_bulk)
        return;
    m_bulk = false;
    endResetModel();
}
