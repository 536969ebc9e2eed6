#include "cli/CliCommand.h"
#include "cli/CliContext.h"
#include "queries/QueryText.h"
#include "queries/SavedQueries.h"

int runQueries(const QStringList &arguments, FILE *out, FILE *err)
{
    if (!arguments.isEmpty()) {
        printLine(err, QStringLiteral("usage: tarvel-cli queries"));
        return 2;
    }
    CCliContext context;
    const std::unique_ptr<CRecordStore> opened = context.openStore(err);
    if (!opened)
        return 1;
    CRecordStore &store = *opened;
    if (!store.RunSql(QLatin1String(kQueriesByName))) {
        printLine(err, QStringLiteral("tarvel-cli: cannot read the saved queries: ") + store.lastError());
        return 1;
    }
    for (const CSavedQuery &query : loadSavedQueries(store))
        printLine(out, queryListLine(query));
    return 0;
}
