#include "flightmodel/CdFit.h"

#include "flightmodel/FlightPredictor.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr double kLargestCd = 10000;
constexpr int kHalvings = 60;

CCdFit refusal(const QString &error)
{
    CCdFit fit;
    fit.error = error;
    return fit;
}

// The apogee with that Cd, or a refusal when the flight cannot be predicted.
struct CApogee
{
    double metres = 0;
    QString error;
};

CApogee apogeeWith(const CFlightPredictor &predictor, std::span<const CMotorLoad> stages, double cd)
{
    const CFlightPrediction prediction = predictor.withCd(cd).predict(stages);
    if (!prediction.ok())
        return {0, prediction.error};
    if (!prediction.flown)
        return {0, prediction.texts().value(0)};
    return {prediction.apogeeM, QString()};
}
} // namespace

CCdFit fitCd(const CFlightPredictor &predictor, std::span<const CMotorLoad> stages, double recordedApogeeM)
{
    if (!std::isfinite(recordedApogeeM) || recordedApogeeM <= 0)
        return refusal(QStringLiteral("The recorded apogee must be more than 0 m"));
    const CApogee withoutDrag = apogeeWith(predictor, stages, 0);
    if (!withoutDrag.error.isEmpty())
        return refusal(withoutDrag.error);
    if (recordedApogeeM >= withoutDrag.metres) {
        return refusal(QStringLiteral("The recorded apogee of %1 m is above the %2 m the rocket reaches without "
                                      "drag: check its weight and the motor")
                           .arg(recordedApogeeM, 0, 'f', 1)
                           .arg(withoutDrag.metres, 0, 'f', 1));
    }
    // Bracket the Cd between one too small (its apogee too high) and one large enough.
    double low = 0;
    double high = 1;
    for (;;) {
        const CApogee apogee = apogeeWith(predictor, stages, high);
        if (!apogee.error.isEmpty())
            return refusal(apogee.error);
        if (apogee.metres <= recordedApogeeM)
            break;
        if (high >= kLargestCd) {
            return refusal(QStringLiteral("No drag brings the predicted apogee down to %1 m: check the rocket's "
                                          "weight and the motor")
                               .arg(recordedApogeeM, 0, 'f', 1));
        }
        low = high;
        high *= 2;
    }
    for (int i = 0; i < kHalvings && high - low > 1e-9 * high; ++i) {
        const double middle = (low + high) / 2;
        const CApogee apogee = apogeeWith(predictor, stages, middle);
        if (!apogee.error.isEmpty())
            return refusal(apogee.error);
        (apogee.metres > recordedApogeeM ? low : high) = middle;
    }
    CCdFit fit;
    fit.cd = (low + high) / 2;
    return fit;
}

CCdFit fitCd(const CFlightInput &input, double recordedApogeeM)
{
    return fitCd(CFlightPredictor(input.rocket, input.site), input.stages, recordedApogeeM);
}

CCdMedian medianCd(std::span<const double> fitted)
{
    std::vector<double> values;
    std::copy_if(fitted.begin(), fitted.end(), std::back_inserter(values),
                 [](double cd) { return std::isfinite(cd) && cd >= 0; });
    CCdMedian median;
    median.flights = int(values.size());
    if (values.empty())
        return median;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    median.cd = values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    return median;
}
