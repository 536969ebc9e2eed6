#include "cli/CliCommand.h"
#include "cli/CliContext.h"
#include "platform/Platform.h"

#include <QCoreApplication>

#include <cstdlib>

namespace {
const CCliCommand kCommands[] = {
    {"info", "info                 storage directory, logbook file and the rows of each table", runInfo},
    {"queries", "queries              the saved queries in name order: name, TAB, SQL text", runQueries},
    {"export", "export NAME FILE     writes the saved query NAME to FILE (.csv, .htm or .html)", runExport},
    {"sites", "sites [--date YYYY-MM-DD]  launch sites of the sites category, then the day's launch site", runSites},
    {"import-motors", "import-motors FILE... add the motors of .eng and .csv files", runImportMotors},
    {"flights",
     "flights [--rocket NAME] [--site NAME] [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--format text|csv|json]  the "
     "flights, newest first",
     runFlights},
    {"stats", "stats [--format text|json]  flights per rocket, motor, site and year", runStats},
    {"motors", "motors [--class K] [--format text|csv|json]  the motor catalogue with each curve's figures", runMotors},
    {"motor-curve", "motor-curve TYPE [--mfg MFG]  the thrust curve of a motor: time and thrust a line", runMotorCurve},
    {"flight-data", "flight-data FILE [--format text|json|csv]  an altimeter recording's format and measures",
     runFlightData},
};

int usage(FILE *stream)
{
    printLine(stream, QStringLiteral("usage: tarvel-cli COMMAND [ARGUMENTS]\ncommands:"));
    for (const CCliCommand &command : kCommands)
        printLine(stream, QStringLiteral("  ") + QLatin1String(command.usage));
    return 2;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    setApplicationIdentity();

    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty())
        return usage(stderr);
    const QString name = arguments.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help")) {
        usage(stdout);
        return EXIT_SUCCESS;
    }
    for (const CCliCommand &command : kCommands) {
        if (name == QLatin1String(command.name))
            return command.run(arguments, stdout, stderr);
    }
    printLine(stderr, QStringLiteral("tarvel-cli: unknown command \"%1\"").arg(name));
    return usage(stderr);
}
