#include "flightdata/FlightMeasures.h"

#include "flightdata/FlightSeries.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

namespace {

using Series = std::vector<double>;

// Glitches shorter than half this are passed over, in heights and speeds alike.
constexpr double kFilterSeconds = 0.5;
// A speed is the median, over kFilterSeconds, of the climbs or falls across
// this stretch of time: a glitch steps up and down as often, and the median
// passes over both.
constexpr double kSlopeSeconds = 0.1;
// A recording denser than this is measured on the medians of its stretches.
constexpr double kMeasureStep = 0.01;
// Within this of the ground is on the ground; a glitch smaller than this stays.
constexpr double kGroundBand = 3.0;
constexpr double kMinOutlier = 2.0;
// The rocket has landed once it stays on the ground this long.
constexpr double kOnGroundSeconds = 1.0;
// A recording whose last stretch this long lies still ends where it lies.
constexpr double kStillSeconds = 2.0;
// Falling no faster than this, the rocket lies still.
constexpr double kStillSpeed = 1.5;

// The samples measures are taken on: the recording's own, or where it is
// denser than kMeasureStep, the median of each such stretch.
struct CWorkingSeries
{
    Series time;
    Series height;
    Series speed; // the device's; empty without
};

double typicalStep(const Series &time)
{
    // Some four thousand steps spread over the recording tell its rate.
    const std::size_t n = time.size();
    const std::size_t stride = std::max<std::size_t>(1, n / 4096);
    Series steps;
    for (std::size_t i = stride; i < n; i += stride)
        steps.push_back(time[i] - time[i - 1]);
    return medianOf(std::move(steps));
}

double medianOfFinite(const Series &values, std::size_t from, std::size_t to, Series &scratch)
{
    scratch.clear();
    for (std::size_t i = from; i < to; ++i) {
        if (!std::isnan(values[i]))
            scratch.push_back(values[i]);
    }
    return scratch.empty() ? std::numeric_limits<double>::quiet_NaN() : medianOf(scratch);
}

CWorkingSeries workingSeries(const CAltimeterRecording &recording)
{
    const Series &time = recording.time;
    const bool speeds = recording.speed.size() == time.size();
    if (time.size() < 3 || typicalStep(time) >= kMeasureStep)
        return {time, recording.height, speeds ? recording.speed : Series()};
    CWorkingSeries series;
    Series scratch;
    const double start = time.front();
    for (std::size_t first = 0; first < time.size();) {
        const double binEnd = start + (std::floor((time[first] - start) / kMeasureStep) + 1) * kMeasureStep;
        std::size_t last = first + 1;
        while (last < time.size() && time[last] < binEnd)
            ++last;
        series.time.push_back(time[(first + last - 1) / 2]);
        series.height.push_back(medianOfFinite(recording.height, first, last, scratch));
        if (speeds)
            series.speed.push_back(medianOfFinite(recording.speed, first, last, scratch));
        first = last;
    }
    return series;
}

// Sums over a prefix of the descent, so that any split's two straight-line fits
// cost O(1).
struct CPrefixSums
{
    Series t, h, tt, th, hh;

    CPrefixSums(const Series &time, const Series &height, std::size_t lo, std::size_t hi)
    {
        const std::size_t n = hi - lo;
        for (Series *sum : {&t, &h, &tt, &th, &hh})
            sum->assign(n + 1, 0.0);
        for (std::size_t i = 0; i < n; ++i) {
            const double x = time[lo + i] - time[lo];
            const double y = height[lo + i];
            t[i + 1] = t[i] + x;
            h[i + 1] = h[i] + y;
            tt[i + 1] = tt[i] + x * x;
            th[i + 1] = th[i] + x * y;
            hh[i + 1] = hh[i] + y * y;
        }
    }

    // Residual squares and slope of the best line through points [a, b).
    std::pair<double, double> fit(std::size_t a, std::size_t b) const
    {
        const double n = double(b - a);
        const double sx = t[b] - t[a], sy = h[b] - h[a];
        const double sxx = tt[b] - tt[a] - sx * sx / n;
        const double sxy = th[b] - th[a] - sx * sy / n;
        const double syy = hh[b] - hh[a] - sy * sy / n;
        if (sxx <= 0)
            return {syy, 0.0};
        return {std::max(0.0, syy - sxy * sxy / sxx), sxy / sxx};
    }
};

// Where the descent between lo and hi slows most clearly: the split whose two
// fitted lines leave the least residual, taken when the upper run falls at
// least half as fast again as the lower.
std::optional<std::size_t> mainDeployment(const Series &time, const Series &height, std::size_t lo, std::size_t hi)
{
    constexpr std::size_t kMinRun = 5;
    if (hi <= lo + 2 * kMinRun)
        return std::nullopt;
    const CPrefixSums sums(time, height, lo, hi);
    const std::size_t n = hi - lo;
    double best = std::numeric_limits<double>::infinity();
    std::size_t split = 0;
    for (std::size_t k = kMinRun; k + kMinRun <= n; ++k) {
        const double residual = sums.fit(0, k).first + sums.fit(k, n).first;
        if (residual < best) {
            best = residual;
            split = k;
        }
    }
    const double upper = sums.fit(0, split).second;
    const double lower = sums.fit(split, n).second;
    if (!(upper < 0 && lower < 0 && upper < 1.5 * lower))
        return std::nullopt;
    return lo + split;
}

// The level the recording comes to rest at: where the device logged its
// landing, or where the last stretch lies still near the pad's level; the
// pad's level itself otherwise.
double groundLevel(const CAltimeterRecording &recording, const Series &time, const Series &height, double apogee,
                   double pad)
{
    const std::size_t n = time.size();
    if (recording.landingTime) {
        const std::size_t from = indexAtTime(time, *recording.landingTime - kOnGroundSeconds);
        const std::size_t to = std::max(from + 1, std::min(n, indexAtTime(time, *recording.landingTime) + 1));
        return medianOf(Series(height.begin() + std::ptrdiff_t(std::min(from, n - 1)),
                               height.begin() + std::ptrdiff_t(std::min(to, n))));
    }
    const std::size_t from = indexAtTime(time, time.back() - kStillSeconds);
    if (n - from < 3 || time.back() - time[from] < 0.75 * kStillSeconds)
        return pad;
    const auto [low, high] = std::minmax_element(height.begin() + std::ptrdiff_t(from), height.end());
    const CPrefixSums sums(time, height, from, n);
    const double fall = std::abs(sums.fit(0, n - from).second);
    const double level = medianOf(Series(height.begin() + std::ptrdiff_t(from), height.end()));
    // A landing site lower or higher than the pad, not a descent that slowed.
    const bool still = *high - *low <= 2 * kGroundBand && fall <= kStillSpeed;
    return still && std::abs(level - pad) <= std::max(kGroundBand, 0.05 * (apogee - pad)) ? level : pad;
}

// The first sample from `from` after which the height stays within
// kGroundBand of ground, and no longer falls, for kOnGroundSeconds; within
// that second, the first sample that is as close to the ground as the ground's
// own scatter.
std::optional<std::size_t> landingIndex(const Series &time, const Series &height, double ground, std::size_t from)
{
    const std::size_t n = time.size();
    if (from >= n)
        return std::nullopt;
    const CPrefixSums sums(time, height, from, n);
    std::size_t runEnd = n; // the last sample of the run on the ground that i starts
    std::optional<std::size_t> landing;
    std::size_t secondEnd = n;
    std::size_t end = n; // the first sample a second or more after i
    for (std::size_t i = n; i-- > from;) {
        while (end > i + 1 && time[end - 1] >= time[i] + kOnGroundSeconds)
            --end;
        if (std::abs(height[i] - ground) > kGroundBand) {
            runEnd = n;
            continue;
        }
        if (runEnd == n)
            runEnd = i;
        if (time[runEnd] - time[i] < kOnGroundSeconds)
            continue;
        // A slow descent through the ground's level is no landing.
        if (end > i + 2 && std::abs(sums.fit(i - from, end - from).second) <= kStillSpeed) {
            landing = i;
            secondEnd = std::min(end, runEnd);
        }
    }
    if (!landing)
        return landing;
    Series scatter(height.begin() + std::ptrdiff_t(*landing), height.begin() + std::ptrdiff_t(secondEnd));
    for (double &value : scatter)
        value = std::abs(value - ground);
    const double close = std::max(0.5, 2 * 1.4826 * medianOf(std::move(scatter)));
    std::size_t touch = *landing;
    while (touch < secondEnd && std::abs(height[touch] - ground) > close)
        ++touch;
    return touch < secondEnd ? touch : *landing;
}

std::optional<double> medianSpeed(const Series &time, const Series &speed, std::size_t lo, std::size_t hi)
{
    if (hi > time.size() || hi < lo + 3 || time[hi - 1] - time[lo] < 1.0)
        return std::nullopt;
    return medianOf(Series(speed.begin() + std::ptrdiff_t(lo), speed.begin() + std::ptrdiff_t(hi)));
}

} // namespace

CFlightMeasures measureFlight(const CAltimeterRecording &recording)
{
    CFlightMeasures measures;
    const std::size_t count = recording.time.size();
    if (count == 0 || recording.height.size() != count)
        return measures;
    const CWorkingSeries series = workingSeries(recording);
    const Series &time = series.time;
    const std::size_t n = time.size();
    const Series height = hampelFilter(time, series.height, kFilterSeconds, kMinOutlier);

    const auto [lowest, highest] = std::minmax_element(height.begin(), height.end());
    if (n < 2 || *highest - *lowest <= kGroundBand) {
        // No flight: the recording never leaves the ground.
        measures.apogee = *highest;
        measures.launchTime = time.front();
        return measures;
    }
    // On the raw heights: the filter takes the first samples of a sharp climb for glitches.
    std::size_t launchIndex = findLaunchIndex(time, series.height).value_or(0);
    if (recording.launchTime)
        launchIndex = std::min(indexAtTime(time, *recording.launchTime), n - 1);
    const double launch = recording.launchTime.value_or(time[launchIndex]);
    measures.launchTime = launch;

    // The apogee is the largest height after launch, as recorded; the flight's
    // course after it is judged on the filtered heights.
    const auto rawFrom = recording.height.begin() + std::ptrdiff_t(indexAtTime(recording.time, launch));
    const auto rawTop = rawFrom == recording.height.end() ? recording.height.end() - 1
                                                          : std::max_element(rawFrom, recording.height.end());
    const double apogee = *rawTop;
    // A top of equal heights (a sensor in whole feet) has its time in its middle.
    std::size_t topEnd = std::size_t(rawTop - recording.height.begin());
    while (topEnd + 1 < count && recording.height[topEnd + 1] == apogee)
        ++topEnd;
    const double apogeeTime =
        (recording.time[std::size_t(rawTop - recording.height.begin())] + recording.time[topEnd]) / 2;
    measures.apogee = apogee;
    measures.timeToApogee = apogeeTime - launch;
    const std::size_t apogeeIndex =
        std::size_t(std::max_element(height.begin() + std::ptrdiff_t(launchIndex), height.end()) - height.begin());

    // The device's speed where it wrote one, else the heights' own slope; the
    // climb's filtered over half a second, each descent's taken by its median.
    Series speed = centredSlope(time, series.height, kSlopeSeconds);
    for (std::size_t i = 0; i < series.speed.size(); ++i) {
        if (!std::isnan(series.speed[i]))
            speed[i] = series.speed[i];
    }
    if (apogeeIndex > launchIndex) {
        const Series climb = runningMedian(time, speed, kFilterSeconds, launchIndex, apogeeIndex + 1);
        measures.maxAscentSpeed = *std::max_element(climb.begin() + std::ptrdiff_t(launchIndex),
                                                    climb.begin() + std::ptrdiff_t(apogeeIndex + 1));
    }

    // Never clearly below the top after it: the recording stopped on the way up.
    const double fallen = height[apogeeIndex] - std::max(5.0, 0.01 * height[apogeeIndex]);
    const bool fell = std::any_of(height.begin() + std::ptrdiff_t(apogeeIndex), height.end(),
                                  [fallen](double h) { return h < fallen; });
    if (!fell) {
        measures.end = EFlightEnd::Climbing;
        if (recording.drogueTime)
            measures.drogue = *recording.drogueTime - launch;
        if (recording.mainTime)
            measures.main = *recording.mainTime - launch;
        return measures;
    }

    if (recording.drogueTime)
        measures.drogue = *recording.drogueTime - launch;
    else
        measures.drogue = recording.drogueAt.value_or(apogeeTime - launch);
    if (recording.mainTime)
        measures.main = *recording.mainTime - launch;
    else if (recording.mainAt)
        measures.main = recording.mainAt;

    // Landing comes after every event the device logged in the air.
    std::size_t searchFrom = apogeeIndex + 1;
    for (const std::optional<double> &event : {measures.drogue, measures.main})
        searchFrom = std::max(searchFrom, event ? indexAtTime(time, launch + *event) : 0);
    // The pad's level as recorded: heights above the pad need not start at 0.
    const double pad = recording.launchTime || launchIndex == 0
        ? 0.0
        : medianOf(Series(height.begin(), height.begin() + std::ptrdiff_t(launchIndex + 1)));
    const std::optional<std::size_t> landed =
        landingIndex(time, height, groundLevel(recording, time, height, apogee, pad), searchFrom);
    if (landed)
        measures.landing = time[*landed] - launch;
    else if (recording.landingTime && *recording.landingTime >= time[std::min(searchFrom, n - 1)])
        measures.landing = *recording.landingTime - launch;
    measures.end = measures.landing ? EFlightEnd::OnTheGround : EFlightEnd::InTheAir;

    const std::size_t descentEnd = measures.landing ? indexAtTime(time, launch + *measures.landing) : n;
    const std::size_t drogueRun = indexAtTime(time, launch + *measures.drogue + 1.0);
    if (!measures.main) {
        if (const auto split = mainDeployment(time, height, drogueRun, descentEnd))
            measures.main = time[*split] - launch;
    }
    const std::size_t drogueEnd = measures.main ? indexAtTime(time, launch + *measures.main - 0.5) : descentEnd;
    if (const auto fall = medianSpeed(time, speed, drogueRun, std::min(drogueEnd, descentEnd)))
        measures.drogueDescentSpeed = -*fall;
    if (measures.main) {
        const std::size_t mainRun = indexAtTime(time, launch + *measures.main + 1.0);
        if (const auto fall = medianSpeed(time, speed, mainRun, descentEnd))
            measures.mainDescentSpeed = -*fall;
    }
    return measures;
}
