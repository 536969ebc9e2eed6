#include "cli/CliCommand.h"
#include "cli/CliContext.h"
#include "queries/QueryExport.h"
#include "queries/SavedQueries.h"

#include <QDir>

int runExport(const QStringList &arguments, FILE *out, FILE *err)
{
    Q_UNUSED(out);
    if (arguments.size() != 2) {
        printLine(err, QStringLiteral("usage: tarvel-cli export NAME FILE"));
        return 2;
    }
    const QString &name = arguments.at(0);
    const QString path = QDir::current().absoluteFilePath(arguments.at(1));
    if (exportFormatForPath(path) == ExportFormat::None) {
        printLine(err, QStringLiteral("tarvel-cli: %1 must end in .csv, .htm or .html").arg(arguments.at(1)));
        return 2;
    }
    CCliContext context;
    const std::unique_ptr<CRecordStore> opened = context.openStore(err);
    if (!opened)
        return 1;
    CRecordStore &store = *opened;
    const int index = savedQueryIndex(store, name);
    if (index < 0) {
        printLine(err, QStringLiteral("tarvel-cli: no saved query is named \"%1\"").arg(name));
        return 1;
    }
    QString message;
    switch (exportSavedQuery(store, index, path, &message)) {
    case ExportStatus::Written:
        return 0;
    case ExportStatus::NothingToWrite:
        printLine(err, QStringLiteral("tarvel-cli: the saved query \"%1\" has no SQL text; nothing written").arg(name));
        return 1;
    case ExportStatus::QueryWrites:
    case ExportStatus::QueryFailed:
    case ExportStatus::FileFailed:
        break;
    }
    printLine(err, QStringLiteral("tarvel-cli: ") + message);
    return 1;
}
