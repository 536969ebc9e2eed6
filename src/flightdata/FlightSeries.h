#pragma once

#include <cstddef>
#include <optional>
#include <vector>

// Rules over a recording's samples (times in seconds, strictly increasing;
// heights in metres) that the reader and the measures share.

// The median of values (taken by value: it reorders them); 0 when empty.
double medianOf(std::vector<double> values);

// The first index whose time is at least t (the end when there is none).
std::size_t indexAtTime(const std::vector<double> &time, double t);

// The last sample still on the pad: the last within three times the pad's
// scatter of its level before the height climbs clearly (by 5% of the flight or
// 3 m). The pad is the recording's first half second; a recording already
// climbing in it starts at launch. Empty when the height never leaves the pad.
std::optional<std::size_t> findLaunchIndex(const std::vector<double> &time, const std::vector<double> &height);

// The fastest any rocket climbs or falls; a height that would need more, away
// from both its neighbours, is a fault of the sensor or of the file.
inline constexpr double kImpossibleSpeed = 3000.0;
// A jump this small is never impossible, however short the time between.
inline constexpr double kImpossibleJump = 100.0;

// Which samples are impossible: a run of up to a second that jumps away from the
// sample before it faster than kImpossibleSpeed and comes back to its level
// (or ends the recording). A jump to a level the heights keep is no fault.
std::vector<bool> findImpossibleSamples(const std::vector<double> &time, const std::vector<double> &height);

// Each value from `from` to `to` replaced by the median of those within
// seconds/2 either side of it (NaN values are passed over; NaN where all are);
// NaN outside that range. Long windows are sampled evenly, so a window of any
// length costs the same.
std::vector<double> runningMedian(const std::vector<double> &time, const std::vector<double> &values, double seconds,
                                  std::size_t from = 0, std::size_t to = std::size_t(-1));

// Each value further from the median of its window than three times the
// window's own scatter (and more than minOutlier) replaced by that median;
// every other value kept as it is. Glitches of the sensor go, the shape of the
// flight, however sharp, stays.
std::vector<double> hampelFilter(const std::vector<double> &time, const std::vector<double> &values, double seconds,
                                 double minOutlier);

// The slope at each sample: the change across a window of seconds centred on it,
// or across its two neighbours where they are further apart.
std::vector<double> centredSlope(const std::vector<double> &time, const std::vector<double> &values, double seconds);
