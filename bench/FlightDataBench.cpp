// An altimeter that logs at 1 kHz writes a million samples in a long flight;
// reading and measuring it must not keep the flyer waiting.
#include "BenchRatios.h"
#include "flightdata/AltimeterReader.h"
#include "flightdata/FlightMeasures.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <cstring>

namespace {
constexpr int kSamples = 1'000'000;

// A climb, a drogue descent and a main descent at 1 kHz, with a little noise.
const QString &recordingPath()
{
    static QTemporaryDir folder;
    static const QString path = [] {
        const QString file = folder.filePath(QStringLiteral("flight.csv"));
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            return QString();
        QByteArray text = "time_s,altitude_m,temperature_c,voltage\n";
        text.reserve(kSamples * 32);
        for (int i = 0; i < kSamples; ++i) {
            const double t = i * 0.001;
            double h = t < 15 ? 8 * t * (30 - t) : std::max(0.0, 1800 - 20 * (t - 15));
            if (t > 90)
                h = std::max(0.0, 300 - 5 * (t - 90));
            h += 0.3 * std::sin(i * 0.7);
            text += QByteArray::number(t, 'f', 3) + ',' + QByteArray::number(h, 'f', 2) + ",21.5,8.9\n";
        }
        out.write(text);
        return file;
    }();
    return path;
}

// The least any reader must do: read the file, split it into lines and fields,
// and turn the first two fields into numbers.
void BM_FlightDataFloorSplitParse(benchmark::State &state)
{
    for (auto _ : state) {
        QFile file(recordingPath());
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot read the recording");
            return;
        }
        const QByteArray bytes = file.readAll();
        double sum = 0;
        const char *at = bytes.constData();
        const char *end = at + bytes.size();
        at = static_cast<const char *>(memchr(at, '\n', size_t(end - at))) + 1; // the header
        while (at < end) {
            const char *line = static_cast<const char *>(memchr(at, '\n', size_t(end - at)));
            const char *stop = line ? line : end;
            const char *comma = static_cast<const char *>(memchr(at, ',', size_t(stop - at)));
            double time = 0;
            double height = 0;
            if (comma) {
                std::from_chars(at, comma, time);
                const char *next = static_cast<const char *>(memchr(comma + 1, ',', size_t(stop - comma - 1)));
                std::from_chars(comma + 1, next ? next : stop, height);
            }
            sum += time + height;
            at = stop + 1;
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_FlightDataFloorSplitParse)->Unit(benchmark::kMillisecond);

void BM_FlightDataReadAndMeasure(benchmark::State &state)
{
    for (auto _ : state) {
        const CAltimeterRecording recording = readAltimeterFile(recordingPath());
        if (recording.time.size() != std::size_t(kSamples)) {
            state.SkipWithError("the recording was not read whole");
            return;
        }
        benchmark::DoNotOptimize(measureFlight(recording));
    }
}
BENCHMARK(BM_FlightDataReadAndMeasure)->Unit(benchmark::kMillisecond);

const bool kRatios = registerRatio({"BM_FlightDataReadAndMeasure", "BM_FlightDataFloorSplitParse", 3.0, 1.0});
} // namespace
