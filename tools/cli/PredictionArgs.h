#pragma once

#include "flightmodel/FlightInputs.h"
#include "prediction/CurveMotors.h"
#include "prediction/RocketFlightInputs.h"

#include <QJsonObject>
#include <QString>

#include <optional>

class CCliRun;
struct CFlightPrediction;
class QCommandLineParser;

// The options the prediction commands share, and what they come to.

// --rocket NAME, or --mass KG and --diameter M.
void declareRocketOptions(QCommandLineParser &parser);
// --cd X and --guide M, which replace the rocket's own.
void declareDragOptions(QCommandLineParser &parser, bool withGuide);
// --motor TYPE, --mfg MFG and --count N.
void declareMotorOptions(QCommandLineParser &parser);
// --temperature C and --elevation M.
void declareSiteOptions(QCommandLineParser &parser);

// An option's number; empty when it is not given, and false after a usage
// error when it is given and is no number.
[[nodiscard]] bool optionNumber(CCliRun &run, const char *option, std::optional<double> &value);

// Whether the command line names a rocket either way; a usage error (and
// false) when it names it both ways or only half of the second.
[[nodiscard]] bool rocketNamed(CCliRun &run, bool &named);

// The rocket the command line names, in the units of the settings. False,
// after saying why (the status to end with in status), for an unknown rocket,
// a weight or diameter that cannot be read, or a number that is none.
[[nodiscard]] bool resolveRocket(CCliRun &run, CRecordStore &store, CRocketFlightInputs &rocket, int &status);
// Applies --cd (where the command takes it) and --guide to a rocket found otherwise.
[[nodiscard]] bool applyDragOptions(CCliRun &run, bool withCd, bool withGuide, CRocketFlightInputs &rocket,
                                    int &status);

// --temperature and --elevation over the given site.
[[nodiscard]] bool resolveSite(CCliRun &run, CLaunchSite &site, int &status);
// --count, 1 when not given.
[[nodiscard]] bool resolveCount(CCliRun &run, int &count, int &status);

// A prediction's figures under the JSON keys every prediction command writes.
QJsonObject predictionJson(const CRocketBody &rocket, const CFlightPrediction &prediction);
// The same keys, in the same order, for a CSV header and its rows.
QStringList predictionKeys();
