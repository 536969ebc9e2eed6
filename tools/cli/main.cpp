#include "cli/CliCommand.h"
#include "cli/CliRun.h"
#include "platform/Platform.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

const CCliCommand *const kCommands[] = {
    &kInfoCommand,    &kQueriesCommand,    &kExportCommand, &kSitesCommand,      &kImportMotorsCommand,
    &kFlightsCommand, &kStatsCommand,      &kMotorsCommand, &kMotorCurveCommand, &kFlightDataCommand,
    &kPredictCommand, &kMotorGuideCommand, &kFitCdCommand,
};

const CCliCommand *commandNamed(const QString &name)
{
    for (const CCliCommand *command : kCommands) {
        if (name == QLatin1String(command->name))
            return command;
    }
    return nullptr;
}

void listCommands(FILE *stream)
{
    printLine(stream,
              QStringLiteral("usage: tarvel-cli COMMAND [ARGUMENTS]\n"
                             "       tarvel-cli COMMAND --help   what the command takes and does\n"
                             "commands:"));
    for (const CCliCommand *command : kCommands) {
        const QString syntax = QLatin1String(command->syntax);
        printLine(stream,
                  QStringLiteral("  ") + QLatin1String(command->name)
                      + (syntax.isEmpty() ? QString() : QLatin1Char(' ') + syntax) + QStringLiteral("\n      ")
                      + QLatin1String(command->summary));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    setApplicationIdentity();
    // Every line goes out as it is written, into a file or a pipe too: a
    // command cut short leaves the record of what it did.
    std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);

    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty()) {
        listCommands(stderr);
        return kCliUsage;
    }
    QString name = arguments.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help")) {
        if (arguments.isEmpty()) {
            listCommands(stdout);
            return kCliSucceeded;
        }
        // "help NAME" is "NAME --help".
        name = arguments.takeFirst();
        arguments = QStringList {QStringLiteral("--help")};
    }
    const CCliCommand *command = commandNamed(name);
    if (!command) {
        printLine(stderr, QStringLiteral("tarvel-cli: unknown command \"%1\"").arg(name));
        listCommands(stderr);
        return kCliUsage;
    }
    CCliRun run(*command, stdout, stderr);
    if (const std::optional<int> status = run.parse(arguments))
        return *status;
    return command->run(run);
}
