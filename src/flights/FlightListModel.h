#pragma once

#include "flightdata/AltitudeComparison.h"
#include "logbook/FlightEntry.h"
#include "logbook/FlightFilter.h"

#include <QAbstractTableModel>
#include <QHash>

#include <optional>
#include <vector>

// Every flight of the log, of which the filter lets some through, newest first
// or in the order of the column the flyer sorts by. The flights are held once;
// filtering and sorting only rebuild a list of positions, so the view stays
// quick with a hundred thousand flights.
class CFlightListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { When, Rocket, Motor, Site, Result, Notes, Apogee, ColumnCount };

    explicit CFlightListModel(QObject *parent = nullptr);

    enum class Order { Any, NewestFirst };
    // Takes the flights and sorts them newest first, unless they already are.
    void setFlights(std::vector<CFlightEntry> flights, Order order = Order::Any);
    void setFilter(const CFlightFilter &filter);
    // Drops one flight (deleted from the log) without reading the others
    // again; false when the model does not hold it.
    bool removeFlight(qint64 rowId);
    // Where the flights' recordings are and the unit their apogees are shown in.
    // A recording is read the first time its row is shown, and only then.
    void setRecordings(const QString &storageDirectory, EHeightUnit unit);
    const CFlightFilter &filter() const { return m_filter; }

    // Every flight, newest first, whether shown or not.
    const std::vector<CFlightEntry> &flights() const { return m_flights; }
    // The flight shown on a row; null outside the list.
    const CFlightEntry *flightAt(int row) const;
    // The row that shows a flight; -1 when it is filtered out or gone.
    int rowOf(qint64 rowId) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Date descending is newest first; equal values keep that order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    void refilter();
    void sortShown();
    std::optional<double> apogeeOf(const CFlightEntry &flight) const;

    std::vector<CFlightEntry> m_flights;
    std::vector<int> m_shown;
    CFlightFilter m_filter;
    int m_sortColumn = When;
    Qt::SortOrder m_sortOrder = Qt::DescendingOrder;
    QString m_storageDirectory;
    EHeightUnit m_unit = EHeightUnit::Feet;
    mutable QHash<qint64, std::optional<double>> m_apogees;
};
