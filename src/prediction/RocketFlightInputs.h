#pragma once

#include "flightmodel/FlightInputs.h"
#include "flightmodel/RocketMeasures.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <span>

class CRecordStore;

inline constexpr double kDefaultCd = 0.6;
inline constexpr double kDefaultGuideM = 1.0;

// Where the Cd of a prediction comes from.
enum class ECdSource {
    Set, // the flyer set the rocket's own
    Fitted, // the median of the Cds fitted to the rocket's recorded flights
    Default, // neither: 0.6
    Given, // for this prediction only (a what-if, the command line's --cd)
};

struct CCdChoice
{
    double cd = kDefaultCd;
    ECdSource source = ECdSource::Default;
    int fittedFlights = 0; // how many fitted values the median rests on

    // "Cd 0.6 (default)", "Cd 0.45 (set for the rocket)", "Cd 0.52 (median
    // of 3 fitted flights)", "Cd 0.5 (given)": what every prediction says it used.
    QString text() const;
};

// The rocket's own Cd where the flyer set one, else the median of its fitted
// flights where it has any, else 0.6.
CCdChoice chooseCd(std::optional<double> own, std::span<const double> fitted);

// A rocket of the catalogue as the flight model takes it.
struct CRocketFlightInputs
{
    QString rocketId; // Rockets.ID as stored
    qint64 rocketNumber = 0; // its number, which the drag tables go by
    QString name;
    // Mass without motor and diameter read from Weight and Diameter; Cd as
    // chosen; the guide the flyer set, else 1 m.
    CRocketBody body;
    CCdChoice cd;
    bool guideSet = false;
    // The motor mount's diameter (MMT), empty when it is blank or unreadable.
    std::optional<double> mountM;
    QString mountProblem; // why a written MMT could not be read
    // Why Weight or Diameter cannot be read, each naming the text; the rocket
    // cannot be flown while there is one, and nothing is guessed.
    QStringList problems;

    [[nodiscard]] bool ok() const { return problems.isEmpty(); }
    // The problems as one sentence.
    QString problemText() const { return problems.join(QStringLiteral("; ")); }
};

// The rocket numbered rocketId, with its drag. False, with error saying why,
// when no rocket has that number or the logbook cannot be read; a rocket whose
// weight or diameter cannot be read is found, with its problems.
[[nodiscard]] bool loadRocketFlightInputs(CRecordStore &store, const QString &rocketId, EUnitSystem units,
                                          CRocketFlightInputs &inputs, QString &error);

// The number of the rocket of that name: the one written exactly so, else the
// only one of that name in any case. False, with error, for no rocket or several.
[[nodiscard]] bool findRocketByName(CRecordStore &store, const QString &name, QString &rocketId, QString &error);
