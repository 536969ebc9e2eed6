#pragma once

#include <QByteArray>
#include <QList>

// Which columns of a recording's header line hold the time, the height and (for
// devices that log their flight phase) the state, and in what units. Names are
// matched loosely, as devices and spreadsheets write them: "Time", "time_s",
// "Time (ms)", "Altitude", "altitude_ft", "Height [m]", "state_name".
struct CFlightColumns
{
    int time = -1;
    int height = -1;
    int state = -1;
    double secondsPerUnit = 1.0;
    double metresPerUnit = 0.3048; // feet unless the header says metres
    bool heightAboveLaunch = false; // a "height" column is already relative to the pad
    bool hasDeviceColumns = false; // temperature or voltage beside the altitude

    bool isValid() const { return time >= 0 && height >= 0; }
};

// The header's fields, already split and trimmed.
CFlightColumns findFlightColumns(const QList<QByteArray> &names);
