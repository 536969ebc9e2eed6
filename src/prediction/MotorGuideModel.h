#pragma once

#include "flightdata/AltitudeComparison.h"
#include "prediction/MotorGuide.h"

#include <QAbstractTableModel>
#include <QTimer>

// The motor guide as a table for a view: it fills a slice at a time from the
// event loop (each slice a few milliseconds), so that the first rows show at
// once and the window never blocks, and shows the rows its filter accepts.
// Apogees are in the flyer's height unit, speeds in m/s. For sorting, each
// cell gives its number (or text) under SortRole: a QSortFilterProxyModel
// with that sort role sorts apogees as numbers, not as text.
class CMotorGuideModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum EColumn {
        Motor,
        Maker,
        Class,
        ThrustToWeight,
        GuideSpeed,
        MaxSpeed,
        Apogee,
        OptimalDelay,
        NearestDelay,
        Result,
        ColumnCount
    };
    static constexpr int SortRole = Qt::UserRole;
    static constexpr int kSliceMilliseconds = 8;

    CMotorGuideModel(CMotorGuide guide, EHeightUnit unit, QObject *parent = nullptr);

    // Starts filling from the event loop; rows arrive until finished().
    void start();
    bool isFinished() const { return m_guide.finished(); }
    // Motors predicted so far and in all.
    int predicted() const { return int(m_guide.rows().size()); }
    int total() const { return int(m_guide.total()); }

    void setFilter(const CMotorGuideFilter &filter);
    const CMotorGuideFilter &filter() const { return m_filter; }
    // The motor of a shown row, for adding it to the rocket's recommended motors.
    const CMotorGuideRow &rowAt(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void progressed(int predicted, int total);
    void finished();

private:
    void predictSlice();
    QVariant display(const CMotorGuideRow &row, int column) const;
    QVariant sortValue(const CMotorGuideRow &row, int column) const;

    CMotorGuide m_guide;
    EHeightUnit m_unit;
    CMotorGuideFilter m_filter;
    std::vector<int> m_shown; // indexes into the guide's rows
    QTimer m_slices;
};

// A result column's words: the error, or the warnings, or "OK".
QString guideResultText(const CFlightPrediction &prediction);
