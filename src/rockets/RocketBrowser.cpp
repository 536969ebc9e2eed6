#include "rockets/RocketBrowser.h"

#include "db/RecordStore.h"
#include "rockets/RocketQueries.h"
#include "rockets/RocketSummary.h"

CRocketBrowser::CRocketBrowser(CRecordStore &store, Mode mode)
    : m_store(store)
    , m_mode(mode)
    , m_listQuery(QLatin1String(kAllRocketsQuery))
{ }

QStringList CRocketBrowser::fillFilterList()
{
    QStringList names;
    if (m_store.RunSql(QLatin1String(kRocketFiltersQuery))) {
        for (m_store.MoveFirst(); !m_store.IsEOF(); m_store.MoveNext())
            names.append(m_store.GetFieldText(1));
    }
    m_listQuery = QLatin1String(kAllRocketsQuery);
    return names;
}

QStringList CRocketBrowser::fillNameList()
{
    QStringList names;
    if (m_store.RunSql(m_listQuery)) {
        for (m_store.MoveFirst(); !m_store.IsEOF(); m_store.MoveNext())
            names.append(m_store.GetFieldText(kRocketName));
    }
    return names;
}

void CRocketBrowser::clearMotor()
{
    m_view.motorEntryIndex = -1;
    m_view.motorText.clear();
    m_view.motorMfg = QStringLiteral("Manufacturer");
    m_view.motorDelay.clear();
    m_view.motorAlt.clear();
    m_view.motorType.clear();
}

const CRocketView &CRocketBrowser::showCurrent()
{
    const int count = m_store.RunSql(m_listQuery) ? m_store.CountRecords() : 0;
    m_view = CRocketView();
    if (m_position < 0 || m_position >= count) {
        m_groups.clear();
        return m_view;
    }

    m_store.MoveTo(m_position);
    QStringList row;
    row.reserve(kRocketFieldCount);
    for (int field = 0; field < kRocketFieldCount; ++field)
        row.append(m_store.GetFieldText(field));
    m_view.empty = false;
    m_view.rocketId = row.at(kRocketId);
    m_view.name = row.at(kRocketName);
    m_view.checklist = row.at(kRocketChecklist);
    m_view.imageName = row.at(kRocketImage);
    const bool clustered = isRocketFlagSet(row.at(kRocketClustered));
    const bool staged = isRocketFlagSet(row.at(kRocketStages));

    const int launches = m_store.RunSql(launchesQuery(m_view.rocketId)) ? m_store.CountRecords() : 0;
    m_view.summary = rocketSummaryText(row, launches);

    const CRecMotorEntries entries = readRecMotorEntries(m_store, m_view.rocketId, staged, clustered);
    m_groups = entries.groups;
    if (m_mode == Mode::Launch)
        m_view.motorEntries.append(QString());
    m_view.motorEntries.append(entries.entries);

    if (m_motorSelection < 0 || m_motorSelection >= m_view.motorEntries.size()) {
        clearMotor();
        return m_view;
    }
    m_view.motorEntryIndex = m_mode == Mode::Launch ? m_motorSelection + 1 : m_motorSelection;
    if (m_view.motorEntryIndex >= m_view.motorEntries.size()) {
        clearMotor();
        return m_view;
    }
    m_view.motorText = m_view.motorEntries.at(m_view.motorEntryIndex);
    bool found = false;
    if (!staged && !clustered) {
        found = m_store.RunSql(recMotorsQuery(m_view.rocketId)) && m_store.MoveTo(m_motorSelection);
    } else if (m_motorSelection < m_groups.size()) {
        found = m_store.RunSql(recMotorGroupQuery(m_view.rocketId, m_groups.at(m_motorSelection))) && m_store.MoveTo(0);
    }
    if (found) {
        m_view.motorDelay = m_store.GetFieldText(kRecMotorDelay);
        m_view.motorMfg = m_store.GetFieldText(kRecMotorMfg);
        m_view.motorAlt = m_store.GetFieldText(kRecMotorAlt);
        if (!staged && !clustered)
            m_view.motorType = m_store.GetFieldText(kRecMotorType);
    }
    return m_view;
}

const CRocketView &CRocketBrowser::step(int delta, int nameCount)
{
    m_motorSelection = -1;
    m_position += delta;
    if (m_position < 0)
        m_position = nameCount - 1;
    else if (m_position >= nameCount)
        m_position = 0;
    return showCurrent();
}

void CRocketBrowser::chooseName(int index)
{
    m_motorSelection = -1;
    m_position = index < 0 ? -1 : index;
}

QStringList CRocketBrowser::chooseFilter(int index)
{
    if (index < 0)
        return {};
    if (m_store.RunSql(QLatin1String(kRocketFiltersQuery)) && m_store.MoveTo(index) && !m_store.IsEOF())
        m_listQuery = m_store.GetFieldText(2);
    const QString shown = m_view.empty ? QString() : m_view.rocketId;
    const QStringList names = fillNameList();
    // The position must keep naming the rocket on screen, or the commands
    // would act on whichever rocket now sits there.
    followRocket(shown);
    return names;
}

bool CRocketBrowser::followRocket(const QString &rocketId)
{
    m_position = rocketId.isEmpty() ? -1 : positionOf(rocketId);
    if (m_position < 0)
        m_motorSelection = -1;
    return m_position >= 0;
}

int CRocketBrowser::positionOf(const QString &rocketId)
{
    if (!m_store.RunSql(m_listQuery))
        return -1;
    int index = 0;
    for (m_store.MoveFirst(); !m_store.IsEOF(); m_store.MoveNext(), ++index) {
        if (m_store.GetFieldText(kRocketId) == rocketId)
            return index;
    }
    return -1;
}

void CRocketBrowser::chooseMotorEntry(int index)
{
    if (index < 0) {
        m_motorSelection = -1;
        return;
    }
    m_motorSelection = m_mode == Mode::Launch ? index - 1 : index;
}
