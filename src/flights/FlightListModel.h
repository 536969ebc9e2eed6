#pragma once

#include "flights/FlightEntry.h"
#include "flights/FlightFilter.h"

#include <QAbstractTableModel>

#include <vector>

// Every flight of the log, newest first, of which the filter lets some through.
// The flights are held once; filtering only rebuilds a list of positions, so
// the view stays quick with a hundred thousand flights.
class CFlightListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The flight-data column (apogee) goes between Notes and ColumnCount.
    enum Column { When, Rocket, Motor, Site, Result, Notes, ColumnCount };

    explicit CFlightListModel(QObject *parent = nullptr);

    // Takes the flights in any order and sorts them newest first.
    void setFlights(std::vector<CFlightEntry> flights);
    void setFilter(const CFlightFilter &filter);
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

private:
    void refilter();

    std::vector<CFlightEntry> m_flights;
    std::vector<int> m_shown;
    CFlightFilter m_filter;
};
