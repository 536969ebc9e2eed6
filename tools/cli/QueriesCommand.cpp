#include "cli/CliCommand.h"
#include "cli/CliRun.h"
#include "queries/QueryText.h"

namespace {

int runQueries(CCliRun &run)
{
    CRecordStore *store = run.openStore();
    if (!store)
        return kCliFailed;
    // In the order and the columns the screens list them (Name and Query).
    QStringList lines;
    if (!store->forEachRow(QLatin1String(kQueriesByName), [&lines](const CSqlStatement &row) {
            lines.append(queryListLine({row.columnText(1), row.columnText(2)}));
        }))
        return run.fail(QStringLiteral("cannot read the saved queries: ") + store->lastError());
    for (const QString &line : std::as_const(lines))
        run.print(line);
    return kCliSucceeded;
}

} // namespace

const CCliCommand kQueriesCommand = {
    "queries",  "", "the saved queries in name order: name, TAB, SQL text", 0, 0, [](QCommandLineParser &) {},
    runQueries,
};
