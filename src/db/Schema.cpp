#include "db/Schema.h"

#include "db/LogbookUpgrade.h"
#include "db/RecordStore.h"
#include "db/SqlText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString databasePath(const QString &storageDirectory)
{
    return storageDirectory + QLatin1String(kDatabaseFileName);
}

QStringList logbookTableNames()
{
    return {QStringLiteral("Rockets"), QStringLiteral("RecMotors"), QStringLiteral("Motors"),
            QStringLiteral("MFGs"),    QStringLiteral("Launches"),  QStringLiteral("Queries")};
}

QStringList createTableStatements()
{
    return {
        QStringLiteral("CREATE TABLE Rockets (ID integer, Name varchar(200), MFG varchar(200), Type varchar(200), "
                       "Image varchar(200), CheckList varchar(200), Recovery varchar(200), Launcher varchar(200), "
                       "Stages integer, Clustered integer, Status varchar(200), Notes varchar(2000), "
                       "Weight varchar(200), Length varchar(200), Diameter varchar(200), CP varchar(200), "
                       "MMT varchar(200))"),
        QStringLiteral("CREATE TABLE RecMotors (ID integer, RocketID integer, Type varchar(200), Delay integer, "
                       "MFG varchar(200), Alt integer, Stage integer, Qty integer, GroupID integer)"),
        QStringLiteral("CREATE TABLE Motors (ID integer, Type varchar(200), Delay integer, MFG varchar(200), "
                       "Size varchar(200))"),
        QStringLiteral("CREATE TABLE MFGs (MFG varchar(200))"),
        QStringLiteral("CREATE TABLE Launches (Model varchar(200), Recovery varchar(200), Motor varchar(200), "
                       "MotorMfg varchar(200), MotorDelay integer, Site varchar(200),WindSpeed integer, "
                       "WindDirection varchar(200), Temperature integer, Celcius boolean, Date datetime, "
                       "DrogueTime datetime, MainTime datetime,DoneTime datetime, Notes varchar(2000), "
                       "Success boolean, AltFileName varchar(200) )"),
        QStringLiteral("CREATE TABLE Queries (ID integer, Name varchar(200), Query varchar(%1))")
            .arg(kMaxQueryTextLength),
    };
}

QStringList createIndexStatements()
{
    // The rocket page reads a rocket's motors and flights, and the name-ordered
    // list, at every step; without these each step scans whole tables.
    return {
        QStringLiteral("CREATE INDEX IF NOT EXISTS RocketsByName ON Rockets (Name)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS RecMotorsByRocket ON RecMotors (RocketID, GroupID)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS LaunchesByModel ON Launches (Model)"),
    };
}

bool CreateDatabase(const QString &storageDirectory)
{
    const QString path = databasePath(storageDirectory);
    if (QFileInfo::exists(path))
        return true;
    if (!QDir().mkpath(storageDirectory.isEmpty() ? QStringLiteral(".") : storageDirectory))
        return false;

    const QString partial = path + QStringLiteral(".new");
    QFile::remove(partial); // left by a start that was killed while creating
    bool created = false;
    {
        CRecordStore store;
        store.Connect();
        if (store.RunSql(QStringLiteral("CREATE DATABASE ") + sqlQuote(partial)) && store.openFile(partial)) {
            created = true;
            for (const QString &statement : createTableStatements())
                created = store.RunSql(statement) && created;
            for (const QString &statement : createIndexStatements())
                created = store.RunSql(statement) && created;
            // What later versions add to older logbooks, a new one has from the start.
            CLogbookSchema schema;
            schema.hasMotorTable = true;
            schema.tables = logbookTableNames();
            for (const QString &statement : logbookUpgradeStatements(schema))
                created = store.RunSql(statement) && created;
        }
        store.Close();
    }
    if (!created || !QFile::rename(partial, path)) {
        QFile::remove(partial);
        return QFileInfo::exists(path);
    }
    return true;
}
