// Altimeter recordings come from any device or spreadsheet: fed in blocks of
// any size the reader must read what it reads whole, keep its times strictly
// increasing, and the measures must take whatever it read.
#include "flightdata/AltimeterReader.h"
#include "flightdata/FlightMeasures.h"

#include <cstddef>
#include <cstdint>

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
    if (again.time != recording.time || again.height != recording.height
        || again.skippedLines != recording.skippedLines || again.error != recording.error)
        __builtin_trap();

    for (std::size_t i = 1; i < recording.time.size(); ++i) {
        if (!(recording.time[i] > recording.time[i - 1]))
            __builtin_trap();
    }
    const CFlightMeasures measures = measureFlight(recording);
    if (!recording.time.empty() && !measures.apogee)
        __builtin_trap();
    return 0;
}
