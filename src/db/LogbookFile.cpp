#include "db/LogbookFile.h"

#include "db/SqlDatabase.h"

#include <QDebug>
#include <QFileInfo>

namespace {

// "wal", "delete", ...; empty when it cannot be read.
QString journalMode(CSqlDatabase &db)
{
    CSqlStatement mode = db.prepare(QStringLiteral("PRAGMA journal_mode"));
    return mode.isValid() && mode.step() == CSqlStatement::Step::Row ? mode.columnText(0).toLower() : QString();
}

// The journal mode the logbook has after asking for `mode`, without waiting
// for another connection's lock; empty, with the reason in error, when
// refused. SQLite answers with the mode it kept where the file layer cannot
// give the one asked for.
QString switchJournal(CSqlDatabase &db, const char *mode, CSqlError &error)
{
    const int wait = db.busyTimeout();
    db.setBusyTimeout(0);
    QString now;
    {
        CSqlStatement pragma = db.prepare(QStringLiteral("PRAGMA journal_mode = ") + QLatin1String(mode));
        if (!pragma.isValid())
            error = db.error();
        else if (pragma.step() == CSqlStatement::Step::Row)
            now = pragma.columnText(0).toLower();
        else
            error = pragma.error();
    }
    db.setBusyTimeout(wait);
    return now;
}

// Leaving the log takes the file's exclusive lock, which every other open
// connection keeps from it: it is refused at once then, and that connection
// leaves it when it closes.
bool leaveWriteAheadLog(CSqlDatabase &db, CSqlError &error)
{
    return !switchJournal(db, "DELETE", error).isEmpty();
}

} // namespace

bool shareLogbook(CSqlDatabase &db, const QString &path)
{
    if (db.isReadOnly() || !QFileInfo(QFileInfo(path).absolutePath()).isWritable())
        return false;
    // Without waiting: while another program holds the lock it either turns
    // the log on itself, which this connection then follows, or writes with
    // the rollback journal, which then serves this one too.
    CSqlError refusal;
    return switchJournal(db, "WAL", refusal) == QLatin1String("wal");
}

void closeLogbook(CSqlDatabase &db)
{
    CSqlError error;
    if (db.isOpen() && !db.isReadOnly() && journalMode(db) == QLatin1String("wal") && !leaveWriteAheadLog(db, error)
        && !error.isBusy())
        qWarning().noquote() << "The logbook keeps its write-ahead log until it is next closed:" << error.message;
    db.close();
}

bool settleLogbook(const QString &path, CSqlError &error)
{
    if (!QFileInfo(path).isFile())
        return true;
    CSqlDatabase db;
    // Long enough for another program to finish a statement, never so long
    // that the flyer waits for one that keeps the logbook open.
    db.setBusyTimeout(1000);
    if (!db.open(path, CSqlDatabase::Mode::OpenExisting)) {
        error = db.error();
        return false;
    }
    // The first read rolls back what a killed writer left half done, and
    // finds the log of one that was killed after committing.
    {
        CSqlStatement read = db.prepare(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        if (!read.isValid()) {
            error = db.error();
            return false;
        }
        if (read.step() != CSqlStatement::Step::Row) {
            error = read.error();
            return false;
        }
    }
    if (journalMode(db) == QLatin1String("wal") && !leaveWriteAheadLog(db, error))
        return false;
    db.close();
    return true;
}
