#pragma once

#include <QDate>
#include <QString>

// One row of the Launches table as the flight log shows it, addressed by its
// rowid. Texts are as stored; the date is also read as a real date, so that
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
    // "AeroTech K480W-14": maker, type and delay as far as they are known.
    QString motorText() const;
    // The rocket's name, or "Rocket <number>" for a number no rocket has.
    QString rocketLabel() const;
    QString notesFirstLine() const;
};

// Why the log would refuse to store the flight (an unreadable date or time, a
// wind speed or temperature that is no whole number); empty when it is sound.
QString flightEntryProblem(const CFlightEntry &flight);
// The date as the launch screen writes it: "MM/DD/YYYY".
QString flightDateText(const QDate &date);

// "MM/DD/YYYY" as the launch screen writes it (one-digit month and day and
// YYYY-MM-DD accepted too); an invalid date for anything else.
QDate parseFlightDate(const QString &text);
// Minutes after midnight of "H:MM" (or "H:MM:SS"); -1 when it is no time.
int parseFlightTime(const QString &text);
