#pragma once

#include "logbook/FlightMotor.h"

#include <QDate>
#include <QDateTime>
#include <QString>

// One row of the Launches table, addressed by its rowid, with its rocket's
// name. Texts are as stored; the date is also read as a real date, so that
// flights sort and filter by day rather than by text.
struct CFlightEntry
{
    qint64 rowId = 0;
    QString rocketId; // Launches.Model
    QString rocketName; // empty when no rocket has that number
    QString recovery;
    QString motor;
    QString motorMfg;
    QString motorDelay;
    QString site;
    QString windSpeed;
    QString windDirection;
    QString temperature;
    bool celsius = false;
    QString dateText;
    QDate date;
    QString drogueTime;
    QString mainTime;
    QString doneTime;
    QString notes;
    bool success = false;
    QString altFileName;

    // The first moment the flight stamped (drogue, main or done), as stored:
    // the log keeps no launch time of its own.
    QString timeText() const;
    // Maker, type and delay, whichever form the row holds them in.
    CFlightMotor motorParts() const { return flightMotor(motor, motorMfg, motorDelay); }
    // "Estes C6-5", the motor as every screen names it.
    QString motorText() const { return motorParts().text(); }
    // The rocket the flight is counted and chosen by: its number, with "0"
    // and blanks all meaning the flight was stored without a rocket.
    QString rocketKey() const;
    // The rocket's name; "Rocket 6" for a number no rocket of the catalogue
    // has (it was deleted or never there); "No rocket" for none.
    QString rocketLabel() const;
    QString notesFirstLine() const;
};

// Why the log would refuse to store the flight (a date or time that is none,
// a wind speed or temperature that is no whole number), in the flyer's words;
// empty when it is sound. A flight stored without a date may keep none.
QString flightEntryProblem(const CFlightEntry &flight);
enum class LaunchTimeFormat { Date, Time };

// A moment of a flight as the log stores it, in local time: "03/13/2001" as a
// date (month, day, four-digit year), "9:05" as a time (hour not padded,
// minutes padded, no seconds).
QString FormatLaunchTime(const QDateTime &moment, LaunchTimeFormat format);
// The date as the launch screen writes it: "MM/DD/YYYY".
QString flightDateText(const QDate &date);

// "MM/DD/YYYY" as the launch screen writes it (one-digit month and day and
// YYYY-MM-DD accepted too); an invalid date for anything else.
QDate parseFlightDate(const QString &text);
// Why text is no date parseFlightDate reads, naming what is wrong with it
// ("February 2024 has 29 days") or the form asked for; empty when it is one.
QString flightDateProblem(const QString &text, const QString &form = QStringLiteral("MM/DD/YYYY"));
// Minutes after midnight of "H:MM" (or "H:MM:SS"); -1 when it is no time.
int parseFlightTime(const QString &text);
