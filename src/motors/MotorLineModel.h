#pragma once

#include "motordata/ThrustCurve.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// Motor list lines (MFG, Type, Delay, Size joined by TABs) shown as four
// columns, and optionally three columns of curve figures. Row n is line n, so positions on screen stay record
// positions, and a view over it holds a hundred thousand motors without building a widget per line.
class CMotorLineModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setLines(QStringList lines);
    // Lines with three more columns, the class, total impulse and average
    // thrust of each line's curve; blank for a motor without one.
    void setLines(QStringList lines, std::vector<std::optional<CMotorFigures>> figures);
    void removeLine(int row);
    const QStringList &lines() const { return m_lines; }
    // The value with the most characters in a column, found as the lines are
    // set, so that a view can size the column without measuring every line.
    QString longestText(int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // The headings MFG, Type, Delay and Size, then the figures' headings.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString figureText(int row, int column) const;

    QStringList m_lines;
    std::vector<std::optional<CMotorFigures>> m_figures;
    bool m_figureColumns = false;
    std::array<QString, 3> m_longestFigure;
    // Per column: the line holding the longest value, and that value's length.
    std::array<qsizetype, 4> m_longestLine {};
    std::array<qsizetype, 4> m_longestLength {};
};
