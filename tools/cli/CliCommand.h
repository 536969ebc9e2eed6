#pragma once

#include <QStringList>

#include <cstdio>

// One sub-command of tarvel-cli: its name, a line of usage, and what it does.
struct CCliCommand
{
    const char *name;
    const char *usage;
    int (*run)(const QStringList &arguments, FILE *out, FILE *err);
};

// Each command lives in a file of its own and is listed in main.cpp.
int runInfo(const QStringList &arguments, FILE *out, FILE *err);
int runQueries(const QStringList &arguments, FILE *out, FILE *err);
int runExport(const QStringList &arguments, FILE *out, FILE *err);
int runSites(const QStringList &arguments, FILE *out, FILE *err);
int runImportMotors(const QStringList &arguments, FILE *out, FILE *err);
int runFlightData(const QStringList &arguments, FILE *out, FILE *err);
int runFlights(const QStringList &arguments, FILE *out, FILE *err);
int runStats(const QStringList &arguments, FILE *out, FILE *err);
int runMotors(const QStringList &arguments, FILE *out, FILE *err);
int runMotorCurve(const QStringList &arguments, FILE *out, FILE *err);
