#include "db/Schema.h"

#include "db/LogbookUpgrade.h"
#include "db/RecordStore.h"
#include "db/SqlText.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

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

namespace {

// Builds the logbook's tables in the file at partial, which must not exist yet.
bool buildLogbook(const QString &partial)
{
    CRecordStore store;
    if (!store.RunSql(QStringLiteral("CREATE DATABASE ") + sqlQuote(partial)) || !store.openFile(partial)) {
        qWarning().noquote() << "The logbook" << partial << "cannot be made:" << store.lastError();
        return false;
    }
    QStringList statements = createTableStatements() + createIndexStatements();
    // What later versions add to older logbooks, a new one has from the start.
    CLogbookSchema schema;
    schema.hasMotorTable = true;
    schema.tables = logbookTableNames();
    statements += logbookUpgradeStatements(schema);
    for (const QString &statement : std::as_const(statements)) {
        if (!store.RunSql(statement)) {
            qWarning().noquote() << "The logbook" << partial << "cannot be made:" << store.lastError();
            return false;
        }
    }
    return true;
}

// A partial logbook a start that was killed while making it left behind; a
// start making one now is done with it long before it is this old.
void removeAbandonedPartials(const QString &storageDirectory)
{
    QDir folder(storageDirectory.isEmpty() ? QStringLiteral(".") : storageDirectory);
    const QDateTime stale = QDateTime::currentDateTimeUtc().addSecs(-60);
    const QStringList partials =
        folder.entryList({QLatin1String(kDatabaseFileName) + QStringLiteral("*.new")}, QDir::Files | QDir::Hidden);
    for (const QString &name : partials) {
        if (QFileInfo(folder.filePath(name)).lastModified().toUTC() < stale && !folder.remove(name))
            qWarning().noquote() << "A partial logbook cannot be removed:" << folder.filePath(name);
    }
}

// Puts the made logbook at `to` unless a file is there already, in one step:
// QFile::rename is no use here, as when the name is taken at the last moment
// it falls back to copying over it, truncating another program's logbook
// while that program reads it.
bool placeWithoutReplacing(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false; // EEXIST: another program's logbook is in place
    // A file system without that rename refuses a taken name for a link just as surely.
    if (::link(source.constData(), target.constData()) == 0) {
        // The logbook is in place; a partial name left behind goes with the abandoned ones.
        if (::unlink(source.constData()) != 0)
            qWarning().noquote() << "A partial logbook cannot be removed:" << from;
        return true;
    }
    if (errno == EEXIST)
        return false;
    // Without links either, the name is looked at just before.
    return !QFileInfo::exists(to) && std::rename(source.constData(), target.constData()) == 0;
}

} // namespace

bool CreateDatabase(const QString &storageDirectory)
{
    const QString path = databasePath(storageDirectory);
    if (QFileInfo::exists(path))
        return true;
    if (!QDir().mkpath(storageDirectory.isEmpty() ? QStringLiteral(".") : storageDirectory))
        return false;
    removeAbandonedPartials(storageDirectory);

    // A name of its own, so that two programs starting at once each build a
    // whole logbook; the first renamed into place is the logbook, and the
    // other, which never replaces a file, opens that one.
    const QString partial = path
        + QStringLiteral(".%1-%2.new")
              .arg(QCoreApplication::applicationPid())
              .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    const bool built = buildLogbook(partial);
    const bool placed = built && placeWithoutReplacing(partial, path);
    if (!placed && QFileInfo::exists(partial) && !QFile::remove(partial))
        qWarning().noquote() << "A partial logbook cannot be removed:" << partial;
    return placed || QFileInfo::exists(path);
}
