#include "flightdata/FlightSeries.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

using Series = std::vector<double>;

// Samples taken either side of the centre of a window; a longer window is
// sampled with a stride, which keeps a median over seconds, not samples.
constexpr std::size_t kHalfTaps = 7;
using Taps = std::array<double, 2 * kHalfTaps + 1>;

// The longest run of samples that may be left out as impossible.
constexpr double kMaxImpossibleRunSeconds = 1.0;
constexpr std::size_t kMaxImpossibleRun = 50;

// Keeps [lo, hi] on the samples within half a window of sample i.
class CWindow
{
public:
    CWindow(const Series &time, double seconds)
        : m_time(time)
        , m_half(seconds / 2)
    { }

    void moveTo(std::size_t i)
    {
        while (m_time[i] - m_time[m_lo] > m_half)
            ++m_lo;
        m_hi = std::max(m_hi, i);
        while (m_hi + 1 < m_time.size() && m_time[m_hi + 1] - m_time[i] <= m_half)
            ++m_hi;
    }

    // The values of the window's taps about i that are numbers; their count.
    std::size_t taps(const Series &values, std::size_t i, Taps &out) const
    {
        const std::size_t reach = std::max(i - m_lo, m_hi - i);
        const std::size_t stride = std::max<std::size_t>(1, (reach + kHalfTaps - 1) / kHalfTaps);
        std::size_t count = 0;
        for (std::size_t step = 0; step <= kHalfTaps; ++step) {
            const std::size_t offset = step * stride;
            if (offset <= i - m_lo && !std::isnan(values[i - offset]))
                out[count++] = values[i - offset];
            if (step > 0 && offset <= m_hi - i && !std::isnan(values[i + offset]))
                out[count++] = values[i + offset];
        }
        return count;
    }

    std::size_t lo() const { return m_lo; }
    std::size_t hi() const { return m_hi; }

private:
    const Series &m_time;
    double m_half;
    std::size_t m_lo = 0;
    std::size_t m_hi = 0;
};

double medianOfTaps(Taps &taps, std::size_t count)
{
    const auto middle = taps.begin() + std::ptrdiff_t(count / 2);
    std::nth_element(taps.begin(), middle, taps.begin() + std::ptrdiff_t(count));
    return *middle;
}

bool impossibleJump(const Series &time, const Series &height, std::size_t from, std::size_t to)
{
    const double jump = std::abs(height[to] - height[from]);
    return jump > kImpossibleJump && jump > kImpossibleSpeed * std::abs(time[to] - time[from]);
}

} // namespace

double medianOf(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

std::size_t indexAtTime(const std::vector<double> &time, double t)
{
    return std::size_t(std::lower_bound(time.begin(), time.end(), t) - time.begin());
}

std::optional<std::size_t> findLaunchIndex(const std::vector<double> &time, const std::vector<double> &height)
{
    const std::size_t n = std::min(time.size(), height.size());
    if (n < 2)
        return std::nullopt;
    // The pad's level and scatter from the recording's first half second,
    // unless the rocket is already on its way up in it.
    const std::size_t head = std::max<std::size_t>(1, indexAtTime(time, time.front() + 0.5));
    const auto begin = height.begin();
    const double level = medianOf(Series(begin, begin + std::ptrdiff_t(head)));
    const double firstHalf = medianOf(Series(begin, begin + std::ptrdiff_t((head + 1) / 2)));
    const double secondHalf = medianOf(Series(begin + std::ptrdiff_t((head + 1) / 2), begin + std::ptrdiff_t(head)));
    // The sensor's noise, from the steps between samples, which a steady climb
    // does not swell.
    Series steps;
    for (std::size_t i = 1; i < head; ++i)
        steps.push_back(height[i] - height[i - 1]);
    const double step = medianOf(steps);
    for (double &value : steps)
        value = std::abs(value - step);
    const double noise = 1.4826 * medianOf(std::move(steps)) / std::sqrt(2.0);
    if (head >= 4 && secondHalf - firstHalf > std::max(3.0, 3 * noise))
        return 0;
    Series deviation(head);
    for (std::size_t i = 0; i < head; ++i)
        deviation[i] = std::abs(height[i] - level);
    const double scatter = 1.4826 * medianOf(std::move(deviation));
    const double top = *std::max_element(height.begin(), height.begin() + std::ptrdiff_t(n));
    const double climbed = level + std::max(3.0, 0.05 * (top - level));
    std::size_t clear = 0;
    while (clear < n && height[clear] <= climbed)
        ++clear;
    if (clear == n)
        return std::nullopt;
    // The last sample within three times the pad's scatter of its level.
    const double onPad = level + 0.1 + 3 * scatter;
    std::size_t launch = clear > 0 ? clear - 1 : 0;
    while (launch > 0 && height[launch] > onPad)
        --launch;
    return launch;
}

std::vector<bool> findImpossibleSamples(const std::vector<double> &time, const std::vector<double> &height)
{
    const std::size_t n = std::min(time.size(), height.size());
    std::vector<bool> impossible(n, false);
    // A first sample that none of the next three can be reached from.
    if (n >= 4 && impossibleJump(time, height, 0, 1) && impossibleJump(time, height, 0, 2)
        && impossibleJump(time, height, 0, 3) && !impossibleJump(time, height, 1, 2))
        impossible[0] = true;
    std::size_t anchor = impossible[0] ? 1 : 0;
    for (std::size_t i = anchor + 1; i < n; ++i) {
        if (!impossibleJump(time, height, anchor, i)) {
            anchor = i;
            continue;
        }
        // A run away from the anchor: impossible if it comes back to the
        // anchor's level within a second, or ends the recording.
        std::size_t back = i + 1;
        bool returns = false;
        while (!returns && back < n && back - i <= kMaxImpossibleRun
               && time[back] - time[i] <= kMaxImpossibleRunSeconds) {
            returns = !impossibleJump(time, height, anchor, back)
                && std::abs(height[back] - height[anchor]) < std::abs(height[back] - height[i]);
            back += returns ? 0 : 1;
        }
        // A run that ends the recording is only seen as one after a few good samples.
        const bool endsRecording = !returns && back == n && i >= 3 && n - i <= kMaxImpossibleRun
            && time[n - 1] - time[i] <= kMaxImpossibleRunSeconds;
        if (returns || endsRecording) {
            for (std::size_t j = i; j < back; ++j)
                impossible[j] = true;
            i = back - 1;
        } else {
            anchor = i; // a step to a new level, which the heights keep
        }
    }
    return impossible;
}

std::vector<double> runningMedian(const std::vector<double> &time, const std::vector<double> &values, double seconds,
                                  std::size_t from, std::size_t to)
{
    const std::size_t n = std::min(time.size(), values.size());
    Series out(n, std::numeric_limits<double>::quiet_NaN());
    CWindow window(time, seconds);
    Taps taps {};
    for (std::size_t i = from; i < std::min(n, to); ++i) {
        window.moveTo(i);
        if (const std::size_t count = window.taps(values, i, taps))
            out[i] = medianOfTaps(taps, count);
    }
    return out;
}

std::vector<double> hampelFilter(const std::vector<double> &time, const std::vector<double> &values, double seconds,
                                 double minOutlier)
{
    const std::size_t n = std::min(time.size(), values.size());
    Series out(values.begin(), values.begin() + std::ptrdiff_t(n));
    CWindow window(time, seconds);
    Taps taps {};
    for (std::size_t i = 0; i < n; ++i) {
        window.moveTo(i);
        const std::size_t count = window.taps(values, i, taps);
        if (count < 3 || std::isnan(values[i]))
            continue;
        const double middle = medianOfTaps(taps, count);
        // Only a value further out than the least outlier needs the scatter.
        if (std::abs(values[i] - middle) <= minOutlier)
            continue;
        for (std::size_t k = 0; k < count; ++k)
            taps[k] = std::abs(taps[k] - middle);
        // 1.4826 turns the median deviation into the spread of normal noise.
        const double scatter = 1.4826 * medianOfTaps(taps, count);
        if (std::abs(values[i] - middle) > 3 * scatter)
            out[i] = middle;
    }
    return out;
}

std::vector<double> centredSlope(const std::vector<double> &time, const std::vector<double> &values, double seconds)
{
    const std::size_t n = std::min(time.size(), values.size());
    Series out(n, 0.0);
    CWindow window(time, seconds);
    for (std::size_t i = 0; i < n; ++i) {
        window.moveTo(i);
        // Samples further apart than the window: their neighbours.
        const std::size_t lo = std::min(window.lo(), i > 0 ? i - 1 : 0);
        const std::size_t hi = std::max(window.hi(), std::min(i + 1, n - 1));
        if (hi > lo)
            out[i] = (values[hi] - values[lo]) / (time[hi] - time[lo]);
    }
    return out;
}
