#include "prediction/FlightFit.h"

#include "db/RecordStore.h"
#include "db/RocketDragStore.h"
#include "flightdata/AltimeterFileStore.h"
#include "flightdata/AltimeterReader.h"
#include "flightdata/FlightMeasures.h"
#include "flightmodel/FlightPredictor.h"
#include "logbook/FlightLog.h"

#include <cmath>

namespace {
std::optional<double> loggedTemperatureC(const CFlightEntry &entry)
{
    bool number = false;
    const double value = entry.temperature.trimmed().toDouble(&number);
    if (!number || !std::isfinite(value))
        return std::nullopt;
    return entry.celsius ? value : (value - 32) * 5 / 9;
}
} // namespace

bool loadRecordedFlight(CRecordStore &store, qint64 flightId, CRecordedFlight &flight, QString &error)
{
    flight = CRecordedFlight();
    CFlightLog log(store);
    const CFlightEntry entry = log.find(flightId);
    if (entry.rowId == 0) {
        error =
            log.lastError().isEmpty() ? QStringLiteral("No flight %1 is in the log").arg(flightId) : log.lastError();
        return false;
    }
    flight.flightId = entry.rowId;
    flight.rocketId = entry.rocketKey();
    flight.motor = entry.motorParts();
    flight.temperatureC = loggedTemperatureC(entry);
    if (flight.rocketId.isEmpty()) {
        error = QStringLiteral("Flight %1 names no rocket").arg(flightId);
        return false;
    }
    if (flight.motor.type.isEmpty()) {
        error = QStringLiteral("Flight %1 names no motor").arg(flightId);
        return false;
    }
    if (flight.motor.namesItsDelays) {
        error = QStringLiteral("Flight %1 flew a staged or clustered set of motors (%2): only a single motor's "
                               "flight can be fitted")
                    .arg(flightId)
                    .arg(flight.motor.type);
        return false;
    }
    if (entry.altFileName.trimmed().isEmpty()) {
        error = QStringLiteral("Flight %1 has no altimeter recording").arg(flightId);
        return false;
    }
    const QString path = findAltimeterFile(entry.altFileName, log.storageDirectory());
    if (path.isEmpty()) {
        error = QStringLiteral("The recording %1 of flight %2 is not there").arg(entry.altFileName).arg(flightId);
        return false;
    }
    const CAltimeterRecording recording = readAltimeterFile(path);
    if (!recording.isValid()) {
        error = recording.error;
        return false;
    }
    const CFlightMeasures measures = measureFlight(recording);
    if (!measures.apogee || !(*measures.apogee > 0)) {
        error = QStringLiteral("The recording %1 shows no climb").arg(entry.altFileName);
        return false;
    }
    if (measures.end == EFlightEnd::Climbing) {
        error = QStringLiteral("The recording %1 ends still climbing: its apogee is not known").arg(entry.altFileName);
        return false;
    }
    flight.apogeeM = *measures.apogee;
    return true;
}

CFlightCdFit fitCdToFlight(CRecordStore &store, qint64 flightId, EUnitSystem units, double elevationM)
{
    CFlightCdFit result;
    if (!loadRecordedFlight(store, flightId, result.flight, result.error))
        return result;
    const CFlightMotor &motor = result.flight.motor;
    if (!loadRocketFlightInputs(store, result.flight.rocketId, units, result.rocket, result.error))
        return result;
    if (!result.rocket.ok()) {
        result.error = result.rocket.problemText();
        return result;
    }
    std::optional<CCurveMotor> found = findCurveMotor(store, motor.type, motor.maker, result.error);
    if (!found)
        return result;
    result.motor = std::move(*found);
    result.site.elevationM = elevationM;
    if (result.flight.temperatureC)
        result.site.temperatureC = *result.flight.temperatureC;

    const CFlightPredictor predictor(result.rocket.body, result.site);
    const CMotorLoad load = result.motor.load();
    result.prediction = predictor.predict(load);
    if (!result.prediction.ok()) {
        result.error = result.prediction.error;
        return result;
    }
    result.fit = fitCd(predictor, std::span<const CMotorLoad>(&load, 1), result.flight.apogeeM);
    return result;
}

bool keepFittedCd(CRecordStore &store, const CFlightCdFit &fit, QString &error)
{
    if (!fit.ok() || !fit.fit.ok()) {
        error = fit.ok() ? fit.fit.error : fit.error;
        return false;
    }
    CRocketDragStore drag(store);
    if (!drag.storeFittedCd(fit.rocket.rocketNumber, fit.flight.flightId, fit.fit.cd)) {
        error = drag.lastError();
        return false;
    }
    return true;
}
