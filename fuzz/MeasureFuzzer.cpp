// A rocket's Weight and Diameter and a motor's Delay are free text typed by
// the flyer or written by another program: a reading is a finite positive
// number or an error in words, and delays are finite, ascending and unique.
#include "flightmodel/MotorDelays.h"
#include "flightmodel/RocketMeasures.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

void check(const CMeasureReading &reading)
{
    if (reading.ok() ? !(std::isfinite(reading.value) && reading.value > 0) : reading.error.isEmpty())
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    for (EUnitSystem units : {EUnitSystem::Metric, EUnitSystem::Imperial}) {
        check(readRocketWeight(text, units));
        check(readRocketDiameter(text, units));
    }
    const CMotorDelays delays = parseMotorDelays(text);
    for (std::size_t i = 0; i < delays.seconds.size(); ++i) {
        if (!std::isfinite(delays.seconds[i]) || (i > 0 && !(delays.seconds[i - 1] < delays.seconds[i])))
            __builtin_trap();
    }
    if (!delays.known && (!delays.seconds.empty() || delays.plugged))
        __builtin_trap();
    if (const std::optional<double> nearest = nearestDelay(delays, 4.5); nearest && !std::isfinite(*nearest))
        __builtin_trap();
    return 0;
}
