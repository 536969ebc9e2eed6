#include "flights/FlightListModel.h"

#include "flights/FlightApogee.h"

#include <algorithm>

CFlightListModel::CFlightListModel(QObject *parent)
    : QAbstractTableModel(parent)
{ }

void CFlightListModel::setFlights(std::vector<CFlightEntry> flights, Order order)
{
    if (order == Order::Any)
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

bool CFlightListModel::removeFlight(qint64 rowId)
{
    const auto found = std::find_if(m_flights.begin(), m_flights.end(),
                                    [rowId](const CFlightEntry &flight) { return flight.rowId == rowId; });
    if (found == m_flights.end())
        return false;
    const int index = int(found - m_flights.begin());
    const auto shown = std::find(m_shown.begin(), m_shown.end(), index);
    const int row = shown == m_shown.end() ? -1 : int(shown - m_shown.begin());
    if (row >= 0)
        beginRemoveRows({}, row, row);
    m_flights.erase(found);
    if (row >= 0)
        m_shown.erase(shown);
    // The positions after it move up by one.
    for (int &position : m_shown)
        position -= position > index ? 1 : 0;
    if (row >= 0)
        endRemoveRows();
    return true;
}

void CFlightListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The chosen flight stays chosen where the sort puts it.
    const QModelIndexList before = persistentIndexList();
    std::vector<qint64> rowIds;
    rowIds.reserve(std::size_t(before.size()));
    for (const QModelIndex &index : before) {
        const CFlightEntry *flight = flightAt(index.row());
        rowIds.push_back(flight ? flight->rowId : 0);
    }
    m_sortColumn = column;
    m_sortOrder = order;
    sortShown();
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        const int row = rowOf(rowIds[std::size_t(i)]);
        after.append(row >= 0 ? index(row, before.at(i).column()) : QModelIndex());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void CFlightListModel::sortShown()
{
    // The flights are held newest first, so the date's order is their position.
    if (m_sortColumn == When) {
        // Filtering keeps that order; only a list already turned round is sorted again.
        if (!std::is_sorted(m_shown.begin(), m_shown.end()))
            std::sort(m_shown.begin(), m_shown.end());
        if (m_sortOrder == Qt::AscendingOrder)
            std::reverse(m_shown.begin(), m_shown.end());
        return;
    }
    // Each key is made once, not at every comparison.
    std::vector<std::pair<QVariant, int>> keys;
    keys.reserve(m_shown.size());
    for (const int i : m_shown) {
        const CFlightEntry &flight = m_flights[std::size_t(i)];
        QVariant key;
        switch (m_sortColumn) {
        case Rocket:
            key = flight.rocketLabel();
            break;
        case Motor:
            key = flight.motorText();
            break;
        case Site:
            key = flight.site.trimmed();
            break;
        case Result:
            key = flight.success;
            break;
        case Notes:
            key = flight.notesFirstLine();
            break;
        case Apogee:
            if (const std::optional<double> apogee = apogeeOf(flight))
                key = *apogee;
            break;
        default:
            break;
        }
        keys.emplace_back(key, i);
    }
    // Flights without a value (no recording) stay last either way.
    const bool ascending = m_sortOrder == Qt::AscendingOrder;
    std::stable_sort(keys.begin(), keys.end(), [ascending](const auto &a, const auto &b) {
        if (a.first.isValid() != b.first.isValid())
            return a.first.isValid();
        if (!a.first.isValid())
            return a.second < b.second;
        int order = 0;
        if (a.first.typeId() == QMetaType::QString)
            order = a.first.toString().compare(b.first.toString(), Qt::CaseInsensitive);
        else if (a.first.typeId() == QMetaType::Bool)
            order = int(a.first.toBool()) - int(b.first.toBool());
        else
            order = a.first.toDouble() < b.first.toDouble() ? -1 : (a.first.toDouble() > b.first.toDouble() ? 1 : 0);
        if (order == 0)
            return a.second < b.second;
        return ascending ? order < 0 : order > 0;
    });
    for (std::size_t k = 0; k < keys.size(); ++k)
        m_shown[k] = keys[k].second;
}

std::optional<double> CFlightListModel::apogeeOf(const CFlightEntry &flight) const
{
    if (flight.altFileName.isEmpty())
        return std::nullopt;
    auto cached = m_apogees.find(flight.rowId);
    if (cached == m_apogees.end())
        cached = m_apogees.insert(flight.rowId, flightApogee(flight.altFileName, m_storageDirectory));
    return cached.value();
}

void CFlightListModel::refilter()
{
    m_shown.clear();
    m_shown.reserve(m_flights.size());
    for (std::size_t i = 0; i < m_flights.size(); ++i) {
        if (m_filter.matches(m_flights[i]))
            m_shown.push_back(int(i));
    }
    sortShown();
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
        const std::optional<double> apogee = apogeeOf(*flight);
        return apogee ? QVariant(formatHeight(*apogee, m_unit)) : QVariant();
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
