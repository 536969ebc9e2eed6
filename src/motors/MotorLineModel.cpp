#include "motors/MotorLineModel.h"

#include <algorithm>

namespace {
constexpr int kColumns = 4;
constexpr int kFigureColumns = 3;
const char *const kHeadings[kColumns + kFigureColumns] = {"MFG",   "Type",          "Delay",  "Size",
                                                          "Class", "Impulse (N·s)", "Avg (N)"};

QString figureText(const CMotorFigures &figures, int figure)
{
    switch (figure) {
    case 0:
        return figures.impulseClass;
    case 1:
        return QString::number(figures.totalImpulse, 'f', 1);
    default:
        return QString::number(figures.averageThrust, 'f', 1);
    }
}
} // namespace

void CMotorLineModel::setLines(QStringList lines, std::vector<std::optional<CMotorFigures>> figures)
{
    figures.resize(size_t(lines.size()));
    // The widest figures: the longest class name and the largest numbers.
    CMotorFigures widest;
    for (const auto &motor : figures) {
        if (!motor)
            continue;
        if (motor->impulseClass.size() > widest.impulseClass.size())
            widest.impulseClass = motor->impulseClass;
        widest.totalImpulse = std::max(widest.totalImpulse, motor->totalImpulse);
        widest.averageThrust = std::max(widest.averageThrust, motor->averageThrust);
    }
    m_figures = std::move(figures);
    for (int figure = 0; figure < kFigureColumns; ++figure)
        m_longestFigure[size_t(figure)] = ::figureText(widest, figure);
    m_figureColumns = true;
    setLines(std::move(lines));
}

void CMotorLineModel::setLines(QStringList lines)
{
    beginResetModel();
    // Lines alone, after lines with figures, are shown without them.
    if (m_figures.size() != size_t(lines.size())) {
        m_figureColumns = false;
        m_figures.clear();
    }
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
    if (m_figureColumns && column >= kColumns && column < kColumns + kFigureColumns)
        return m_longestFigure[size_t(column - kColumns)];
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
    if (m_figureColumns)
        m_figures.erase(m_figures.begin() + row);
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
    return parent.isValid() ? 0 : kColumns + (m_figureColumns ? kFigureColumns : 0);
}

QVariant CMotorLineModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size())
        return {};
    const QString &line = m_lines.at(index.row());
    if (role == Qt::DisplayRole && index.column() >= kColumns)
        return figureText(index.row(), index.column());
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
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return {};
    return QString::fromUtf8(kHeadings[section]);
}

QString CMotorLineModel::figureText(int row, int column) const
{
    if (!m_figureColumns || size_t(row) >= m_figures.size() || !m_figures[size_t(row)])
        return {};
    return ::figureText(*m_figures[size_t(row)], column - kColumns);
}
