#pragma once

#include <QAbstractTableModel>
#include <QStringList>

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

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QStringList m_lines;
};
