#include "cli/CliCommand.h"
#include "cli/CliContext.h"
#include "cli/TerminalProgress.h"
#include "motors/MotorImport.h"

int runImportMotors(const QStringList &arguments, FILE *out, FILE *err)
{
    if (arguments.isEmpty()) {
        printLine(err, QStringLiteral("usage: tarvel-cli import-motors FILE..."));
        return 2;
    }
    CCliContext context;
    const std::unique_ptr<CRecordStore> opened = context.openStore(err);
    if (!opened)
        return 1;
    CRecordStore &store = *opened;

    int status = 0;
    for (const QString &path : arguments) {
        CTerminalProgress progress(err);
        const CMotorImportResult result = importMotorFile(store, path, progress);
        progress.hideProgress();
        switch (result.outcome) {
        case CMotorImportResult::Outcome::Unreadable:
            printLine(err, QStringLiteral("tarvel-cli: cannot read %1: %2").arg(path, result.readError));
            status = 1;
            break;
        case CMotorImportResult::Outcome::Refused:
            printLine(err, QStringLiteral("tarvel-cli: ") + result.message());
            status = 1;
            break;
        case CMotorImportResult::Outcome::NothingLoaded:
            printLine(err, path + QStringLiteral(": ") + result.message());
            status = 1;
            break;
        case CMotorImportResult::Outcome::StoreFailed:
            // SQLite's own words too, where the flyer's differ, for a script's log.
            printLine(err,
                      QStringLiteral("tarvel-cli: ") + result.message()
                          + (result.storeDetail != result.storeError
                                 ? QStringLiteral(" (SQLite: %1)").arg(result.storeDetail)
                                 : QString()));
            status = 1;
            break;
        case CMotorImportResult::Outcome::Imported:
            printLine(out, path + QStringLiteral(": ") + result.message());
            break;
        }
    }
    return status;
}
