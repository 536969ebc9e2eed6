#include "cli/CliCommand.h"
#include "cli/CliContext.h"
#include "db/Schema.h"

int runInfo(const QStringList &arguments, FILE *out, FILE *err)
{
    if (!arguments.isEmpty()) {
        printLine(err, QStringLiteral("usage: tarvel-cli info"));
        return 2;
    }
    CCliContext context;
    const std::unique_ptr<CRecordStore> opened = context.openStore(err);
    if (!opened)
        return 1;
    CRecordStore &store = *opened;

    printLine(out, QStringLiteral("storage: ") + context.storageDirectory());
    printLine(out, QStringLiteral("database: ") + store.path());
    int status = 0;
    for (const QString &table : logbookTableNames()) {
        if (store.RunSql(QStringLiteral("SELECT count(*) FROM ") + table)) {
            printLine(out, table + QStringLiteral(": ") + store.GetFieldText(0));
        } else {
            printLine(err, QStringLiteral("tarvel-cli: cannot count %1: %2").arg(table, store.lastError()));
            status = 1;
        }
    }
    return status;
}
