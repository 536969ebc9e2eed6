#include "flightdata/RecordingCleanup.h"

#include "flightdata/FlightSeries.h"

#include <cmath>

namespace {

constexpr double kMetresPerFoot = 0.3048;

template<typename T> void keepWhere(std::vector<T> &values, const std::vector<bool> &drop)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i >= drop.size() || !drop[i])
            values[kept++] = values[i];
    }
    values.resize(kept);
}

} // namespace

std::optional<double> heightUnitFromPressure(const std::vector<double> &height, const std::vector<double> &pressure)
{
    const std::size_t n = std::min(height.size(), pressure.size());
    std::vector<double> padPressure;
    std::vector<double> padHeight;
    for (std::size_t i = 0; i < n && padPressure.size() < 20; ++i) {
        if (std::isfinite(pressure[i]) && pressure[i] > 0) {
            padPressure.push_back(pressure[i]);
            padHeight.push_back(height[i]);
        }
    }
    const double ground = medianOf(std::move(padPressure));
    const double groundHeight = medianOf(std::move(padHeight));
    if (!(ground > 0))
        return std::nullopt;
    // The standard atmosphere's pressure altitude, in feet above the pad; the
    // pad's own altitude changes it by a few percent, feet and metres by 3.3 times.
    std::vector<double> ratios;
    for (std::size_t i = 0; i < n; ++i) {
        if (!(pressure[i] > 0))
            continue;
        const double feet = 145366.45 * (1 - std::pow(pressure[i] / ground, 0.190284));
        if (feet > 100)
            ratios.push_back((height[i] - groundHeight) / feet);
    }
    if (ratios.size() < 5)
        return std::nullopt;
    const double ratio = medianOf(std::move(ratios));
    if (ratio > 0.2 && ratio < 0.55)
        return 1.0;
    if (ratio >= 0.55 && ratio < 1.6)
        return kMetresPerFoot;
    return std::nullopt;
}

void settleRecording(CAltimeterRecording &recording, const CFlightColumns &columns, const std::vector<double> &pressure)
{
    double metres = columns.metresPerUnit;
    if (columns.unitFromPressure)
        metres = heightUnitFromPressure(recording.height, pressure).value_or(metres);
    const double speedMetres = columns.speedInHeightUnit ? metres : columns.speedMetresPerUnit;
    for (double &height : recording.height)
        height *= metres;
    bool anySpeed = false;
    for (double &speed : recording.speed) {
        speed *= speedMetres;
        anySpeed = anySpeed || !std::isnan(speed);
    }
    if (!anySpeed)
        recording.speed.clear();
    if (columns.apogeeFlag >= 0 && recording.deviceApogee)
        *recording.deviceApogee *= metres;

    const std::vector<bool> impossible = findImpossibleSamples(recording.time, recording.height);
    for (const bool drop : impossible)
        recording.impossibleSamples += drop ? 1 : 0;
    if (recording.impossibleSamples > 0) {
        keepWhere(recording.time, impossible);
        keepWhere(recording.height, impossible);
        keepWhere(recording.speed, impossible);
    }

    if (!columns.heightAboveLaunch && !recording.time.empty()) {
        std::optional<std::size_t> launch = findLaunchIndex(recording.time, recording.height);
        if (recording.launchTime)
            launch = indexAtTime(recording.time, *recording.launchTime);
        if (launch) {
            const auto end = recording.height.begin() + std::ptrdiff_t(std::min(*launch + 1, recording.height.size()));
            const double ground = medianOf(std::vector<double>(recording.height.begin(), end));
            for (double &height : recording.height)
                height -= ground;
        }
    }
}
