#include "flightdata/FlightMeasures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

namespace {

using Series = std::vector<double>;

// Each height replaced by the median of the five around it: a spike of one or
// two samples is gone, a steady climb or fall is unchanged.
Series median5(const Series &values)
{
    const std::size_t n = values.size();
    Series out(n);
    std::array<double, 5> window {};
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t lo = i >= 2 ? i - 2 : 0;
        const std::size_t hi = std::min(n - 1, i + 2);
        const std::size_t count = hi - lo + 1;
        std::copy(values.begin() + std::ptrdiff_t(lo), values.begin() + std::ptrdiff_t(hi + 1), window.begin());
        std::nth_element(window.begin(), window.begin() + std::ptrdiff_t(count / 2),
                         window.begin() + std::ptrdiff_t(count));
        out[i] = window[count / 2];
    }
    return out;
}

// The median of values, which it reorders.
double median(Series &values)
{
    std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(values.size() / 2), values.end());
    return values[values.size() / 2];
}

double medianStep(const Series &time)
{
    Series steps;
    steps.reserve(time.size());
    for (std::size_t i = 1; i < time.size(); ++i)
        steps.push_back(time[i] - time[i - 1]);
    return median(steps);
}

// The speed at each sample: the change of the smoothed height across a window
// of `width` seconds centred on it.
Series speeds(const Series &time, const Series &height, double width)
{
    const std::size_t n = time.size();
    Series out(n, 0.0);
    std::size_t lo = 0;
    std::size_t hi = 0;
    for (std::size_t i = 0; i < n; ++i) {
        while (time[i] - time[lo] > width / 2)
            ++lo;
        while (hi + 1 < n && time[hi + 1] - time[i] <= width / 2)
            ++hi;
        if (hi > lo)
            out[i] = (height[hi] - height[lo]) / (time[hi] - time[lo]);
    }
    return out;
}

// The first index whose time is at least t (the end when there is none).
std::size_t indexAt(const Series &time, double t)
{
    return std::size_t(std::lower_bound(time.begin(), time.end(), t) - time.begin());
}

// Least-squares slope over [lo, hi); empty when the span is under a second.
std::optional<double> slope(const Series &time, const Series &height, std::size_t lo, std::size_t hi)
{
    if (hi > time.size() || hi < lo + 3 || time[hi - 1] - time[lo] < 1.0)
        return std::nullopt;
    const double t0 = time[lo];
    double st = 0, sh = 0, stt = 0, sth = 0;
    const double n = double(hi - lo);
    for (std::size_t i = lo; i < hi; ++i) {
        const double t = time[i] - t0;
        st += t;
        sh += height[i];
        stt += t * t;
        sth += t * height[i];
    }
    const double denominator = n * stt - st * st;
    if (denominator <= 0)
        return std::nullopt;
    return (n * sth - st * sh) / denominator;
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

} // namespace

CFlightMeasures measureFlight(const CAltimeterRecording &recording)
{
    CFlightMeasures measures;
    const Series &time = recording.time;
    const std::size_t n = time.size();
    if (n == 0 || recording.height.size() != n)
        return measures;
    const Series height = median5(recording.height);
    // The median flattens the top of the curve into a short run of equal values;
    // apogee is the middle of that run.
    const std::size_t top = std::size_t(std::max_element(height.begin(), height.end()) - height.begin());
    std::size_t topEnd = top;
    while (topEnd + 1 < n && height[topEnd + 1] == height[top])
        ++topEnd;
    const std::size_t apogeeIndex = (top + topEnd) / 2;
    const double apogee = height[apogeeIndex];
    measures.apogee = apogee;
    if (n < 2)
        return measures;

    // The pad: the level before the rocket first clearly climbs; launch is the
    // last moment the height was still at that level.
    const double climbed = std::max(1.0, 0.01 * apogee);
    std::size_t first = 0;
    while (first < apogeeIndex && height[first] <= climbed)
        ++first;
    // Still on the pad: within three times the pad's own scatter of its level.
    Series pad(height.begin(), height.begin() + std::ptrdiff_t(first));
    const double padLevel = pad.empty() ? 0.0 : median(pad);
    for (double &value : pad)
        value = std::abs(value - padLevel);
    const double onPad = padLevel + 0.1 + 3 * (pad.empty() ? 0.0 : median(pad));
    std::size_t launchIndex = first;
    while (launchIndex > 0 && height[launchIndex] > onPad)
        --launchIndex;
    const double launch = recording.launchTime.value_or(time[launchIndex]);
    measures.launchTime = launch;
    measures.timeToApogee = time[apogeeIndex] - launch;

    const Series speed = speeds(time, height, std::max(0.2, 4 * medianStep(time)));
    if (apogeeIndex > launchIndex)
        measures.maxAscentSpeed = *std::max_element(speed.begin() + std::ptrdiff_t(launchIndex),
                                                    speed.begin() + std::ptrdiff_t(apogeeIndex + 1));

    // Landing: back at the pad's level, or, where the ground lies lower or
    // higher than the pad, low and no longer falling.
    std::optional<std::size_t> landingIndex;
    for (std::size_t i = apogeeIndex + 1; i < n && !landingIndex; ++i) {
        if (height[i] <= onPad || (height[i] < 0.1 * apogee && std::abs(speed[i]) < 0.5))
            landingIndex = i;
    }
    if (landingIndex)
        measures.landing = time[*landingIndex] - launch;

    measures.drogue = recording.drogueAt.value_or(time[apogeeIndex] - launch);
    const std::size_t descentEnd = landingIndex.value_or(n);
    const std::size_t drogueRun = indexAt(time, launch + *measures.drogue + 1.0);
    if (recording.mainAt) {
        measures.main = recording.mainAt;
    } else if (const auto split = mainDeployment(time, height, drogueRun, descentEnd)) {
        measures.main = time[*split] - launch;
    }
    const std::size_t drogueEnd = measures.main ? indexAt(time, launch + *measures.main - 0.5) : descentEnd;
    if (const auto fall = slope(time, height, drogueRun, std::min(drogueEnd, descentEnd)))
        measures.drogueDescentSpeed = -*fall;
    if (measures.main) {
        const std::size_t mainRun = indexAt(time, launch + *measures.main + 1.0);
        if (const auto fall = slope(time, height, mainRun, descentEnd))
            measures.mainDescentSpeed = -*fall;
    }
    return measures;
}
