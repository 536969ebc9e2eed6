#include "cli/CliCommand.h"
#include "cli/CliRun.h"
#include "flightdata/AltimeterReader.h"
#include "flightdata/FlightMeasures.h"
#include "flightdata/FlightSummary.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonValue jsonNumber(const std::optional<double> &value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QString fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

void printMeasure(FILE *out, const QString &label, const std::optional<double> &value, const QString &unit)
{
    printLine(
        out, label + QStringLiteral(": ") + (value ? fixed(*value, 2) + QLatin1Char(' ') + unit : QStringLiteral("-")));
}

void printText(FILE *out, const CAltimeterRecording &recording, const CFlightMeasures &measures)
{
    printLine(out, QStringLiteral("Format: ") + recording.format);
    printLine(out, QStringLiteral("Samples: %1").arg(recording.time.size()));
    printLine(out, QStringLiteral("Skipped lines: %1").arg(recording.skippedLines));
    if (recording.impossibleSamples > 0)
        printLine(out, QStringLiteral("Impossible samples left out: %1").arg(recording.impossibleSamples));
    printLine(out, QStringLiteral("Ends: ") + flightEndWords(measures.end));
    const QString feet =
        measures.apogee ? QStringLiteral(" (%1 ft)").arg(fixed(*measures.apogee / 0.3048, 0)) : QString();
    const QString least = measures.end == EFlightEnd::Climbing ? QStringLiteral("at least ") : QString();
    printLine(out,
              QStringLiteral("Apogee: ")
                  + (measures.apogee ? least + fixed(*measures.apogee, 1) + QStringLiteral(" m") + feet
                                     : QStringLiteral("-")));
    printMeasure(out, QStringLiteral("Time to apogee"), measures.timeToApogee, QStringLiteral("s"));
    printMeasure(out, QStringLiteral("Maximum ascent speed"), measures.maxAscentSpeed, QStringLiteral("m/s"));
    printMeasure(out, QStringLiteral("Drogue"), measures.drogue, QStringLiteral("s"));
    printMeasure(out, QStringLiteral("Descent under drogue"), measures.drogueDescentSpeed, QStringLiteral("m/s"));
    printMeasure(out, QStringLiteral("Main"), measures.main, QStringLiteral("s"));
    printMeasure(out, QStringLiteral("Descent under main"), measures.mainDescentSpeed, QStringLiteral("m/s"));
    printMeasure(out, QStringLiteral("Landing"), measures.landing, QStringLiteral("s"));
    if (recording.deviceApogee)
        printMeasure(out, QStringLiteral("Apogee stated by the device"), recording.deviceApogee, QStringLiteral("m"));
}

void printJson(FILE *out, const CAltimeterRecording &recording, const CFlightMeasures &measures)
{
    const QJsonObject object {
        {QStringLiteral("format"), recording.format},
        {QStringLiteral("samples"), qint64(recording.time.size())},
        {QStringLiteral("skipped_lines"), recording.skippedLines},
        {QStringLiteral("apogee_m"), jsonNumber(measures.apogee)},
        {QStringLiteral("time_to_apogee_s"), jsonNumber(measures.timeToApogee)},
        {QStringLiteral("max_ascent_mps"), jsonNumber(measures.maxAscentSpeed)},
        {QStringLiteral("drogue_descent_mps"), jsonNumber(measures.drogueDescentSpeed)},
        {QStringLiteral("main_descent_mps"), jsonNumber(measures.mainDescentSpeed)},
        {QStringLiteral("drogue_s"), jsonNumber(measures.drogue)},
        {QStringLiteral("main_s"), jsonNumber(measures.main)},
        {QStringLiteral("landing_s"), jsonNumber(measures.landing)},
        {QStringLiteral("device_apogee_m"), jsonNumber(recording.deviceApogee)},
        {QStringLiteral("ends"), flightEndWords(measures.end)},
    };
    const QByteArray json = QJsonDocument(object).toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, size_t(json.size()), out);
}

// The samples as the program holds them: seconds as the file counts them and
// metres above the ground.
void printCsv(FILE *out, const CAltimeterRecording &recording)
{
    fputs("time_s,height_m\n", out);
    for (std::size_t i = 0; i < recording.time.size(); ++i)
        fprintf(out, "%.6g,%.3f\n", recording.time[i], recording.height[i]);
}

void declareFlightData(QCommandLineParser &parser)
{
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("An altimeter recording."));
    parser.addOption({QStringLiteral("format"), QStringLiteral("text (the default), json, or csv for the samples."),
                      QStringLiteral("FORMAT"), QStringLiteral("text")});
}

int runFlightData(CCliRun &run)
{
    const std::optional<QString> format =
        run.choice(QStringLiteral("format"), {QStringLiteral("text"), QStringLiteral("json"), QStringLiteral("csv")});
    if (!format)
        return kCliUsage;
    const CAltimeterRecording recording = readAltimeterFile(run.arguments().first());
    if (!recording.isValid())
        return run.fail(recording.error);
    const CFlightMeasures measures = measureFlight(recording);
    if (*format == QLatin1String("json"))
        printJson(run.out(), recording, measures);
    else if (*format == QLatin1String("csv"))
        printCsv(run.out(), recording);
    else
        printText(run.out(), recording, measures);
    return kCliSucceeded;
}

} // namespace

const CCliCommand kFlightDataCommand = {
    "flight-data",
    "FILE [--format text|json|csv]",
    "an altimeter recording's format and measures (apogee, speeds, drogue, main, landing) and how it ends",
    1,
    1,
    declareFlightData,
    runFlightData,
};
