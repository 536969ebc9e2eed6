#include "flights/FlightListModel.h"

#include "flights/FlightApogee.h"

CFlightListModel::CFlightListModel(QObject *parent)
    : QAbstractTableModel(parent)
{ }

void CFlightListModel::setFlights(std::vector<CFlightEntry> flights)
{
    sortNewestFirst(flights);
    beginResetModel();
    m_flights = std::move(flights);
    refilter();
    endResetModel();
}

void CFlightListModel::setRecordings(const QString &storageDirectory, EHeightUnit unit)
{
    beginResetModel();
    m_storageDirectory = storageDirectory;
    m_unit = unit;
    m_apogees.clear();
    endResetModel();
}

void CFlightListModel::setFilter(const CFlightFilter &filter)
{
    // Typing on in the search field only narrows the list: look at what is shown.
    CFlightFilter widened = filter;
    widened.search = m_filter.search;
    const bool narrows = widened == m_filter && filter.search.contains(m_filter.search, Qt::CaseInsensitive);
    beginResetModel();
    m_filter = filter;
    if (narrows)
        std::erase_if(m_shown, [this](int i) { return !m_filter.matches(m_flights[std::size_t(i)]); });
    else
        refilter();
    endResetModel();
}

void CFlightListModel::refilter()
{
    m_shown.clear();
    m_shown.reserve(m_flights.size());
    for (std::size_t i = 0; i < m_flights.size(); ++i) {
        if (m_filter.matches(m_flights[i]))
            m_shown.push_back(int(i));
    }
}

const CFlightEntry *CFlightListModel::flightAt(int row) const
{
    return row >= 0 && std::size_t(row) < m_shown.size() ? &m_flights[std::size_t(m_shown[std::size_t(row)])] : nullptr;
}

int CFlightListModel::rowOf(qint64 rowId) const
{
    for (std::size_t row = 0; row < m_shown.size(); ++row) {
        if (m_flights[std::size_t(m_shown[row])].rowId == rowId)
            return int(row);
    }
    return -1;
}

int CFlightListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

int CFlightListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CFlightListModel::data(const QModelIndex &index, int role) const
{
    const CFlightEntry *flight = flightAt(index.row());
    if (!flight || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    switch (index.column()) {
    case When: {
        // The date as stored when it cannot be read, so nothing is hidden.
        const QString date = flight->date.isValid() ? flight->date.toString(Qt::ISODate) : flight->dateText;
        const QString time = flight->timeText();
        return time.isEmpty() ? date : date + QLatin1Char(' ') + time;
    }
    case Rocket:
        return flight->rocketLabel();
    case Motor:
        return flight->motorText();
    case Site:
        return flight->site;
    case Result:
        return flight->success ? QStringLiteral("Success") : QStringLiteral("Failure");
    case Notes:
        return role == Qt::ToolTipRole ? flight->notes : flight->notesFirstLine();
    case Apogee: {
        if (flight->altFileName.isEmpty())
            return {};
        auto cached = m_apogees.find(flight->rowId);
        if (cached == m_apogees.end())
            cached = m_apogees.insert(flight->rowId, flightApogee(flight->altFileName, m_storageDirectory));
        return cached.value() ? QVariant(formatHeight(*cached.value(), m_unit)) : QVariant();
    }
    default:
        return {};
    }
}

QVariant CFlightListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case When:
        return QStringLiteral("Date");
    case Rocket:
        return QStringLiteral("Rocket");
    case Motor:
        return QStringLiteral("Motor");
    case Site:
        return QStringLiteral("Site");
    case Result:
        return QStringLiteral("Result");
    case Notes:
        return QStringLiteral("Notes");
    case Apogee:
        return QStringLiteral("Apogee");
    default:
        return {};
    }
}
