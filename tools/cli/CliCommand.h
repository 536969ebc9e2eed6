#pragma once

#include <QStringList>

class CCliRun;
class QCommandLineParser;

// One sub-command of tarvel-cli. Every command is parsed, opens the logbook
// and reports errors the same way, through CCliRun; it says only what it
// takes and what it does.
struct CCliCommand
{
    const char *name;
    // What follows "tarvel-cli NAME" in its usage line.
    const char *syntax;
    // What it does, in a line, for the list of commands and its help.
    const char *summary;
    // The positional arguments it takes: at least, and at most (-1: any number).
    int minArguments;
    int maxArguments;
    // Its options and arguments, for the parser and the help.
    void (*declare)(QCommandLineParser &parser);
    // Runs it on the parsed command line; the exit status.
    int (*run)(CCliRun &run);
};

// Each command lives in a file of its own; main.cpp lists them.
extern const CCliCommand kInfoCommand;
extern const CCliCommand kQueriesCommand;
extern const CCliCommand kExportCommand;
extern const CCliCommand kSitesCommand;
extern const CCliCommand kImportMotorsCommand;
extern const CCliCommand kFlightsCommand;
extern const CCliCommand kStatsCommand;
extern const CCliCommand kMotorsCommand;
extern const CCliCommand kMotorCurveCommand;
extern const CCliCommand kFlightDataCommand;
extern const CCliCommand kPredictCommand;
extern const CCliCommand kMotorGuideCommand;
extern const CCliCommand kFitCdCommand;
