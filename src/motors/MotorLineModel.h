#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <array>

// Motor list lines (MFG, Type, Delay, Size joined by TABs) shown as four
// columns. Row n is line n, so positions on screen stay record positions,
// and a view over it holds a hundred thousand motors without building a
// widget per line.
class CMotorLineModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setLines(QStringList lines);
    void removeLine(int row);
    const QStringList &lines() const { return m_lines; }
    // The value with the most characters in a column, found as the lines are
    // set, so that a view can size the column without measuring every line.
    QString longestText(int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // The headings MFG, Type, Delay and Size.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList m_lines;
    // Per column: the line holding the longest value, and that value's length.
    std::array<qsizetype, 4> m_longestLine {};
    std::array<qsizetype, 4> m_longestLength {};
};
