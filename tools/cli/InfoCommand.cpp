#include "cli/CliCommand.h"
#include "cli/CliRun.h"
#include "db/Schema.h"

namespace {

int runInfo(CCliRun &run)
{
    CRecordStore *store = run.openStore();
    if (!store)
        return kCliFailed;
    run.print(QStringLiteral("storage: ") + run.storageDirectory());
    run.print(QStringLiteral("database: ") + store->path());
    int status = kCliSucceeded;
    for (const QString &table : logbookTableNames()) {
        QString rows;
        // The names are the logbook's own, never a value typed by anyone.
        if (store->forEachRow(QStringLiteral("SELECT count(*) FROM ") + table,
                              [&rows](const CSqlStatement &row) { rows = row.columnText(0); })) {
            run.print(table + QStringLiteral(": ") + rows);
        } else {
            status = run.fail(QStringLiteral("cannot count %1: %2").arg(table, store->lastError()));
        }
    }
    return status;
}

} // namespace

const CCliCommand kInfoCommand = {
    "info",  "", "storage directory, logbook file and the rows of each table", 0, 0, [](QCommandLineParser &) {},
    runInfo,
};
