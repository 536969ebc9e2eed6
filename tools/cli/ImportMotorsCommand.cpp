#include "cli/CliCommand.h"
#include "cli/CliRun.h"
#include "cli/TerminalProgress.h"
#include "motors/MotorImport.h"

namespace {

void declareImport(QCommandLineParser &parser)
{
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A .eng or .csv motor file."),
                                 QStringLiteral("FILE..."));
}

// Each file is its own transaction, so that other programs get in between
// files, and its line is written as soon as it is stored: an import cut short
// leaves a record of the files that went in.
int runImportMotors(CCliRun &run)
{
    CRecordStore *store = run.openStore();
    if (!store)
        return kCliFailed;
    int status = kCliSucceeded;
    for (const QString &path : run.arguments()) {
        CTerminalProgress progress(run.err());
        const CMotorImportResult result = importMotorFile(*store, path, progress);
        progress.hideProgress();
        switch (result.outcome) {
        case CMotorImportResult::Outcome::Unreadable:
            status = run.fail(QStringLiteral("cannot read %1: %2").arg(path, result.readError));
            break;
        case CMotorImportResult::Outcome::Refused:
            status = run.fail(result.message());
            break;
        case CMotorImportResult::Outcome::NothingLoaded:
            printLine(run.err(), path + QStringLiteral(": ") + result.message());
            status = kCliFailed;
            break;
        case CMotorImportResult::Outcome::StoreFailed:
            // SQLite's own words too, where the flyer's differ, for a script's log.
            status = run.fail(result.message()
                              + (result.storeDetail != result.storeError
                                     ? QStringLiteral(" (SQLite: %1)").arg(result.storeDetail)
                                     : QString()));
            break;
        case CMotorImportResult::Outcome::Imported:
            run.print(path + QStringLiteral(": ") + result.message());
            break;
        }
    }
    return status;
}

} // namespace

const CCliCommand kImportMotorsCommand = {
    "import-motors",
    "FILE...",
    "adds the motors of .eng and .csv files, each file in a transaction of its own",
    1,
    -1,
    declareImport,
    runImportMotors,
};
