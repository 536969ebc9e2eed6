#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Which columns of a recording's header line hold the time, the height, the
// device's own speed and the events it logged, and in what units. Names are
// matched loosely, as devices and spreadsheets write them: "Time", "time_s",
// "Time (ms)", "Flight_Time_(s)", "Altitude", "altitude_ft", "Height [m]",
// "Baro_Altitude_AGL_(feet)", "Altitude (Ft-AGL)", "state_name", "Velocity_Up".
struct CFlightColumns
{
    int time = -1;
    int height = -1;
    // AltOS: the flight phase by name ("boost", "drogue", "main", "landed").
    int state = -1;
    // RRC3: an event word ("Drogue", "Main") or "-".
    int events = -1;
    // The device's own vertical speed.
    int speed = -1;
    // Columns that are zero until the device logs their event on one row.
    int launchFlag = -1;
    int drogueFlag = -1;
    int mainFlag = -1;
    int landingFlag = -1;
    // Eggtimer: the apogee the device measured, written on its row.
    int apogeeFlag = -1;
    // The air pressure, read only where it must tell the height's unit.
    int pressure = -1;

    double secondsPerUnit = 1.0;
    double metresPerUnit = 0.3048; // feet unless the header says otherwise
    double speedMetresPerUnit = 0.3048; // per second
    // The speed's unit is the height's per second, the header naming none for it.
    bool speedInHeightUnit = true;
    // The heights are above the pad as the device recorded them; otherwise they
    // may be above sea level, and the ground is found from the pre-launch samples.
    bool heightAboveLaunch = false;
    bool hasDeviceColumns = false; // temperature or voltage beside the altitude
    // The device family the header shows, empty for a plain table.
    QString format;
    // The height column's unit when it is none the reader knows.
    QByteArray unknownUnit;
    // The header names no unit for the heights: an RRC3 writes feet or metres as
    // it is set, and only its pressure tells which.
    bool unitFromPressure = false;

    bool isValid() const { return time >= 0 && height >= 0; }
    // The last column a sample needs.
    int lastColumn() const;
};

// The header's fields, already split.
CFlightColumns findFlightColumns(const QList<QByteArray> &names);

// The event an AltOS state or an RRC3 event word names.
enum class EDeviceEvent { None, Launch, Drogue, Main, Landing };
EDeviceEvent deviceEventOf(const QByteArray &word);
