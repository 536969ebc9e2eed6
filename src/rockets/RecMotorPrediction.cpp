#include "rockets/RecMotorPrediction.h"

#include "platform/SettingsStore.h"
#include "prediction/CurveMotors.h"
#include "prediction/MeasureUnits.h"
#include "prediction/MotorPrediction.h"

#include <cmath>

namespace {
constexpr double kMetresPerFoot = 0.3048;
} // namespace

QString CRecMotorPrediction::text(EHeightUnit unit) const
{
    if (!error.isEmpty())
        return error;
    return predictionSummary(prediction, cd, unit);
}

CRecMotorPrediction predictRecMotor(CRecordStore &store, const CSettingsStore &settings, const QString &rocketId,
                                    const QString &type, const QString &mfg, int count, const CLaunchSite &site)
{
    CRecMotorPrediction result;
    if (type.trimmed().isEmpty()) {
        result.error = QStringLiteral("No motor chosen");
        return result;
    }
    CRocketFlightInputs rocket;
    if (!loadRocketFlightInputs(store, rocketId, readUnitSystem(settings), rocket, result.error))
        return result;
    const std::optional<CCurveMotor> motor = findCurveMotor(store, type, mfg, result.error);
    if (!motor)
        return result;
    result.cd = rocket.cd;
    result.prediction = predictMotor(rocket, *motor, std::max(count, 1), site);
    return result;
}

EHeightUnit settingsHeightUnit(const CSettingsStore &settings)
{
    return heightUnitFromSetting(settings.ReadSetting(QLatin1String(kSettingAltitudeUnit)));
}

QString expectedAltitudeText(double apogeeM, EHeightUnit unit)
{
    const double height = unit == EHeightUnit::Feet ? apogeeM / kMetresPerFoot : apogeeM;
    return QString::number(std::llround(height));
}
