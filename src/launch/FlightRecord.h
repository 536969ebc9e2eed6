#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

class CRecordStore;

// The values of one logged flight, as the launch wizard fills them in and as
// they go into one Launches row.
struct CFlightRecord
{
    QString model; // the rocket's ID, as text
    QString recovery;
    QString motor;
    QString motorMfg;
    QString motorDelay;
    QString site;
    int windSpeed = 0;
    QString windDirection;
    int temperature = 0;
    bool celsius = false;
    // Moments stamped by the wizard's buttons; unset until a button sets them.
    std::optional<QDateTime> launchTime;
    std::optional<QDateTime> drogueTime;
    std::optional<QDateTime> mainTime;
    std::optional<QDateTime> doneTime;
    QString notes;
    std::optional<bool> success;
    QString altFileName;
};

enum class LaunchTimeFormat { Date, Time };

// "03/13/2001" as a date (month, day, four-digit year), "9:05" as a time (hour
// not padded, minutes padded, no seconds), in local time.
QString FormatLaunchTime(const QDateTime &moment, LaunchTimeFormat format);

// The one INSERT statement that stores a flight. Every text goes in through the
// quoting helper, so notes such as "Fin's epoxy failed" are stored exactly; a
// moment or outcome no button has set is written as empty text and 0.
QString buildLaunchInsert(const CFlightRecord &flight);

// How many flights the logbook holds; -1 when it cannot be read.
int storedFlightCount(CRecordStore &store);
