#include "cli/CliCommand.h"
#include "cli/CliRun.h"
#include "queries/QueryExport.h"
#include "queries/SavedQueries.h"

#include <QDir>

namespace {

void declareExport(QCommandLineParser &parser)
{
    parser.addPositionalArgument(QStringLiteral("NAME"), QStringLiteral("The saved query's name."));
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("The file to write: .csv, .htm or .html, never over a folder."));
}

// Exactly as the viewer's EXPORT writes it.
int runExport(CCliRun &run)
{
    const QString name = run.arguments().at(0);
    const QString path = QDir::current().absoluteFilePath(run.arguments().at(1));
    if (exportFormatForPath(path) == ExportFormat::None)
        return run.usageError(QStringLiteral("%1 must end in .csv, .htm or .html").arg(run.arguments().at(1)));
    CRecordStore *store = run.openStore();
    if (!store)
        return kCliFailed;
    const int index = savedQueryIndex(*store, name);
    if (index < 0)
        return run.fail(QStringLiteral("no saved query is named \"%1\"").arg(name));
    QString message;
    switch (exportSavedQuery(*store, index, path, &message)) {
    case ExportStatus::Written:
        return kCliSucceeded;
    case ExportStatus::NothingToWrite:
        return run.fail(QStringLiteral("the saved query \"%1\" has no SQL text; nothing written").arg(name));
    case ExportStatus::QueryWrites:
    case ExportStatus::QueryFailed:
    case ExportStatus::FileFailed:
        break;
    }
    return run.fail(message);
}

} // namespace

const CCliCommand kExportCommand = {
    "export",  "NAME FILE", "writes the saved query NAME to FILE (.csv, .htm or .html), byte for byte as EXPORT does",
    2,         2,           declareExport,
    runExport,
};
