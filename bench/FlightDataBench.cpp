// An altimeter that logs at 1 kHz writes a million samples in a long flight;
// reading and measuring it must not keep the flyer waiting.
#include "BenchRatios.h"
#include "charts/AltitudePlot.h"
#include "flightdata/AltimeterReader.h"
#include "flightdata/FlightMeasures.h"

#include <QFile>
#include <QImage>
#include <QPainter>
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
// and turn the first two fields into numbers. The file is written before the
// clock starts, so that the floor measures the scan alone.
void BM_FlightDataFloorSplitParse(benchmark::State &state)
{
    if (recordingPath().isEmpty()) {
        state.SkipWithError("cannot write the recording");
        return;
    }
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

// The least a plot of the flight must do: look at every sample once for the
// highest and lowest of its pixel column, and draw a line through those.
void BM_FlightPlotFloorPolyline(benchmark::State &state)
{
    const CAltimeterRecording recording = readAltimeterFile(recordingPath());
    QImage picture(640, 400, QImage::Format_ARGB32_Premultiplied);
    const double perColumn = recording.time.back() / 640;
    for (auto _ : state) {
        QList<QPointF> line;
        line.reserve(2 * 640);
        std::size_t i = 0;
        for (int column = 0; column < 640; ++column) {
            double low = 1e300;
            double high = -1e300;
            for (; i < recording.time.size() && recording.time[i] < (column + 1) * perColumn; ++i) {
                low = std::min(low, recording.height[i]);
                high = std::max(high, recording.height[i]);
            }
            line.append({QPointF(column, 400 - low / 5), QPointF(column, 400 - high / 5)});
        }
        picture.fill(Qt::white);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.drawPolyline(line.constData(), int(line.size()));
    }
}
BENCHMARK(BM_FlightPlotFloorPolyline)->Unit(benchmark::kMillisecond);

// The flight's plot shown and drawn: a million samples handed over, decimated
// to the plot's width, axes and marks included.
void BM_FlightPlotDraw(benchmark::State &state)
{
    const CAltimeterRecording recording = readAltimeterFile(recordingPath());
    const CFlightMeasures measures = measureFlight(recording);
    CAltitudePlot plot;
    plot.resize(640, 400);
    QImage picture(plot.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        plot.setFlight(recording, measures, EHeightUnit::Feet, 6000.0);
        QPainter painter(&picture);
        plot.render(&painter);
    }
}
BENCHMARK(BM_FlightPlotDraw)->Unit(benchmark::kMillisecond);

const bool kRatios = registerRatio({"BM_FlightDataReadAndMeasure", "BM_FlightDataFloorSplitParse", 3.0, 1.0})
    && registerRatio({"BM_FlightPlotDraw", "BM_FlightPlotFloorPolyline", 10.0, 0.1});
} // namespace
