#include "motors/MotorLineModel.h"

namespace {
constexpr int kColumns = 4;
}

void CMotorLineModel::setLines(QStringList lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}

void CMotorLineModel::removeLine(int row)
{
    if (row < 0 || row >= m_lines.size())
        return;
    beginRemoveRows({}, row, row);
    m_lines.removeAt(row);
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
