#include "rockets/RocketQueries.h"

#include "db/RecordStore.h"
#include "db/SqlText.h"

bool isRocketFlagSet(const QString &text)
{
    return text != QLatin1String("0");
}

QString rocketQuery(const QString &rocketId)
{
    return QStringLiteral("Select * FROM Rockets WHERE ID=") + sqlQuote(rocketId);
}

bool openRocketRow(CRecordStore &store, const QString &rocketQuery)
{
    if (!store.RunSql(rocketQuery) || store.CountRecords() == 0)
        return false;
    store.MoveFirst();
    return true;
}

QString recMotorsQuery(const QString &rocketId)
{
    return QStringLiteral("SELECT * FROM RecMotors WHERE RocketID=") + sqlQuote(rocketId)
        + QStringLiteral(" ORDER BY Type");
}

QString recMotorGroupQuery(const QString &rocketId, const QString &group)
{
    return QStringLiteral("SELECT * FROM RecMotors WHERE RocketID=") + sqlQuote(rocketId)
        + QStringLiteral(" AND GroupID=") + sqlQuote(group) + QStringLiteral(" ORDER BY Type");
}

QString launchesQuery(const QString &rocketId)
{
    return QStringLiteral("Select * FROM Launches WHERE Model=") + sqlQuote(rocketId);
}
