#include "flights/FlightApogee.h"

#include "flightdata/AltimeterFileStore.h"
#include "flightdata/AltimeterReader.h"
#include "flightdata/FlightMeasures.h"

std::optional<double> flightApogee(const QString &altFileName, const QString &storageDirectory)
{
    const QString path = findAltimeterFile(altFileName, storageDirectory);
    if (path.isEmpty())
        return std::nullopt;
    const CAltimeterRecording recording = readAltimeterFile(path);
    if (!recording.isValid())
        return std::nullopt;
    return measureFlight(recording).apogee;
}
