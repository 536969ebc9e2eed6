#include "cli/CliCommand.h"
#include "cli/CliContext.h"
#include "cli/CliReporter.h"
#include "db/RecordStore.h"
#include "queries/QueryText.h"
#include "queries/SavedQueries.h"

int runQueries(const QStringList &arguments, FILE *out, FILE *err)
{
    if (!arguments.isEmpty()) {
        printLine(err, QStringLiteral("usage: tarvel-cli queries"));
        return 2;
    }
    CCliContext context;
    if (!context.prepare(err))
        return 1;
    CCliReporter reporter(err);
    CRecordStore store(&reporter);
    if (!store.Open(context.storageDirectory()))
        return 1;
    if (!store.RunSql(QLatin1String(kQueriesByName))) {
        printLine(err, QStringLiteral("tarvel-cli: cannot read the saved queries: ") + store.lastError());
        return 1;
    }
    for (const CSavedQuery &query : loadSavedQueries(store))
        printLine(out, queryListLine(query));
    return 0;
}
