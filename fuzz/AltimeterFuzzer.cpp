// Altimeter recordings come from any device or spreadsheet: fed in blocks of
// any size the reader must read what it reads whole, keep its times strictly
// increasing and its heights finite, and the measures must take whatever it
// read without an event after the landing or a landing in a recording that
// ends climbing.
#include "flightdata/AltimeterReader.h"
#include "flightdata/FlightMeasures.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {
bool sameEvents(const CAltimeterRecording &a, const CAltimeterRecording &b)
{
    return a.launchTime == b.launchTime && a.drogueTime == b.drogueTime && a.mainTime == b.mainTime
        && a.landingTime == b.landingTime && a.deviceApogee == b.deviceApogee;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto *text = reinterpret_cast<const char *>(data);
    CAltimeterReader whole;
    whole.feed(text, qsizetype(size));
    const CAltimeterRecording recording = whole.finish(QStringLiteral("fuzz.csv"));

    const qsizetype block = size > 0 ? 1 + data[0] % 64 : 1;
    CAltimeterReader pieces;
    for (qsizetype at = 0; at < qsizetype(size); at += block)
        pieces.feed(text + at, qMin(block, qsizetype(size) - at));
    const CAltimeterRecording again = pieces.finish(QStringLiteral("fuzz.csv"));
    if (again.time != recording.time || again.height != recording.height || again.skippedLines != recording.skippedLines
        || again.repeatedTimes != recording.repeatedTimes || again.impossibleSamples != recording.impossibleSamples
        || again.error != recording.error || again.format != recording.format || !sameEvents(again, recording))
        __builtin_trap();

    if (recording.time.size() != recording.height.size()
        || (!recording.speed.empty() && recording.speed.size() != recording.time.size()))
        __builtin_trap();
    for (std::size_t i = 0; i < recording.time.size(); ++i) {
        if (!std::isfinite(recording.height[i]) || (i > 0 && !(recording.time[i] > recording.time[i - 1])))
            __builtin_trap();
    }
    const CFlightMeasures measures = measureFlight(recording);
    if (!recording.time.empty() && !(measures.apogee && std::isfinite(*measures.apogee)))
        __builtin_trap();
    if (measures.landing) {
        if (measures.end != EFlightEnd::OnTheGround)
            __builtin_trap();
        for (const std::optional<double> &event : {measures.drogue, measures.main}) {
            if (event && *event > *measures.landing)
                __builtin_trap();
        }
    }
    if (measures.end == EFlightEnd::Climbing && measures.landing)
        __builtin_trap();
    return 0;
}
