#include "motors/MotorLineModel.h"

namespace {
constexpr int kColumns = 4;
const char *const kHeadings[kColumns] = {"MFG", "Type", "Delay", "Size"};
} // namespace

void CMotorLineModel::setLines(QStringList lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    m_longestLine.fill(0);
    m_longestLength.fill(0);
    // One pass over the characters: each value's length is the distance between TABs.
    for (qsizetype row = 0; row < m_lines.size(); ++row) {
        const QString &line = m_lines.at(row);
        qsizetype start = 0;
        for (int column = 0; column < kColumns && start <= line.size(); ++column) {
            qsizetype end = line.indexOf(QLatin1Char('\t'), start);
            if (end < 0)
                end = line.size();
            if (end - start > m_longestLength[size_t(column)]) {
                m_longestLength[size_t(column)] = end - start;
                m_longestLine[size_t(column)] = row;
            }
            start = end + 1;
        }
    }
    endResetModel();
}

QString CMotorLineModel::longestText(int column) const
{
    if (column < 0 || column >= kColumns || m_longestLine[size_t(column)] >= m_lines.size())
        return {};
    return m_lines.at(m_longestLine[size_t(column)]).section(QLatin1Char('\t'), column, column);
}

void CMotorLineModel::removeLine(int row)
{
    if (row < 0 || row >= m_lines.size())
        return;
    beginRemoveRows({}, row, row);
    m_lines.removeAt(row);
    for (qsizetype &longest : m_longestLine) {
        if (longest > row)
            --longest;
    }
    endRemoveRows();
}

int CMotorLineModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

int CMotorLineModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant CMotorLineModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size())
        return {};
    const QString &line = m_lines.at(index.row());
    if (role == Qt::DisplayRole)
        return line.section(QLatin1Char('\t'), index.column(), index.column());
    if (role == Qt::AccessibleTextRole || role == Qt::ToolTipRole) {
        QString readable = line;
        return readable.replace(QLatin1Char('\t'), QLatin1Char(' '));
    }
    return {};
}

QVariant CMotorLineModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumns)
        return {};
    return QLatin1String(kHeadings[section]);
}
