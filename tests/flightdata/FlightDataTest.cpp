// Altimeter recordings in each format the program reads, written here from one
// known flight profile, and the measures taken from them checked against that
// profile's own numbers.
#include "flightdata/AltimeterFileStore.h"
#include "flightdata/AltimeterReader.h"
#include "flightdata/AltitudeComparison.h"
#include "flightdata/FlightMeasures.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

// A two-stage recovery flight: 2 s on the pad, 1.5 s of boost at 80 m/s^2, a
// ballistic coast to apogee, 20 m/s under drogue down to 150 m, 5 m/s under main.
struct CProfile
{
    static constexpr double kPad = 2.0;
    static constexpr double kBoost = 80.0;
    static constexpr double kBurn = 1.5;
    static constexpr double kGravity = 9.81;
    static constexpr double kDrogueSpeed = 20.0;
    static constexpr double kMainHeight = 150.0;
    static constexpr double kMainSpeed = 5.0;

    static double burnoutSpeed() { return kBoost * kBurn; }
    static double burnoutHeight() { return kBoost * kBurn * kBurn / 2; }
    static double apogee() { return burnoutHeight() + burnoutSpeed() * burnoutSpeed() / (2 * kGravity); }
    // Seconds after launch.
    static double apogeeTime() { return kBurn + burnoutSpeed() / kGravity; }
    static double mainTime() { return apogeeTime() + (apogee() - kMainHeight) / kDrogueSpeed; }
    static double landingTime() { return mainTime() + kMainHeight / kMainSpeed; }

    // Height above the pad at t seconds after launch.
    static double height(double t)
    {
        if (t <= 0)
            return 0;
        if (t <= kBurn)
            return kBoost * t * t / 2;
        if (t <= apogeeTime()) {
            const double s = t - kBurn;
            return burnoutHeight() + burnoutSpeed() * s - kGravity * s * s / 2;
        }
        if (t <= mainTime())
            return apogee() - kDrogueSpeed * (t - apogeeTime());
        return std::max(0.0, kMainHeight - kMainSpeed * (t - mainTime()));
    }

    static const char *altosState(double t)
    {
        if (t < 0)
            return "pad";
        if (t < kBurn)
            return "boost";
        if (t < apogeeTime())
            return "coast";
        if (t < mainTime())
            return "drogue";
        return t < landingTime() ? "main" : "landed";
    }

    // One line a sample at 20 Hz, from the start of the pad time to 4 s after landing.
    static QByteArray lines(const std::function<QByteArray(double t, double h)> &line)
    {
        QByteArray text;
        for (int i = 0; i * 0.05 < kPad + landingTime() + 4; ++i) {
            const double t = i * 0.05 - kPad;
            text += line(t, height(t));
        }
        return text;
    }
};

QByteArray number(double value, int decimals)
{
    return QByteArray::number(value, 'f', decimals);
}

QByteArray altosFile()
{
    return "#version,serial,flight,call,time,clock,rssi,lqi,state,state_name,acceleration,pressure,altitude,height\n"
        + CProfile::lines([](double t, double h) {
               return "  1,  4321,   7,N0CALL, " + number(t, 3) + ",  1234,  -60,  40,  3,"
                   + QByteArray(CProfile::altosState(t)).rightJustified(7, ' ') + ",  0.0, 95000.0,  "
                   + number(h + 1400, 2) + ",  " + number(h, 2) + "\n";
           });
}

QByteArray stratologgerFile()
{
    return "Time\tAltitude\tTemp.\tVoltage\n" + CProfile::lines([](double t, double h) {
               return number(t + CProfile::kPad, 2) + "\t" + number(h / 0.3048, 1) + "\t71\t9.1\r\n";
           });
}

QByteArray genericCsvFile()
{
    return "Time (ms);Pressure (Pa);Height [m]\n" + CProfile::lines([](double t, double h) {
               return number((t + CProfile::kPad) * 1000, 0) + ";95000;" + number(h, 3) + "\n";
           });
}

QByteArray perfectfliteFile()
{
    return "Apogee: " + number(CProfile::apogee() / 0.3048, 0) + "' AGL\nGround Elevation: 225' MSL\nDrogue At: "
        + number(CProfile::apogeeTime(), 2) + " Seconds\nMain At: " + number(CProfile::mainTime(), 2)
        + " Seconds\n\nTime,Altitude,Velocity,Temperature,Voltage\n" + CProfile::lines([](double t, double h) {
               return number(t + CProfile::kPad, 2) + "," + number(h / 0.3048, 1) + ",0,70,9.0\n";
           });
}

CAltimeterRecording readBytes(const QByteArray &bytes, qsizetype block = 0)
{
    CAltimeterReader reader;
    if (block <= 0)
        block = qMax<qsizetype>(1, bytes.size());
    for (qsizetype at = 0; at < bytes.size(); at += block)
        reader.feed(bytes.constData() + at, qMin(block, bytes.size() - at));
    return reader.finish(QStringLiteral("flight.csv"));
}

void expectNear(const std::optional<double> &measured, double expected, double tolerance, const char *what)
{
    ASSERT_TRUE(measured.has_value()) << what;
    EXPECT_NEAR(*measured, expected, tolerance) << what;
}

struct CFormatCase
{
    const char *format;
    QByteArray (*file)();
};

class FlightDataFormats : public ::testing::TestWithParam<CFormatCase>
{ };

TEST_P(FlightDataFormats, MeasuresMatchTheFlownProfile)
{
    const CAltimeterRecording recording = readBytes(GetParam().file());
    ASSERT_TRUE(recording.isValid()) << qPrintable(recording.error);
    EXPECT_EQ(recording.format, QLatin1String(GetParam().format));
    EXPECT_EQ(recording.skippedLines, 0);

    const CFlightMeasures measures = measureFlight(recording);
    expectNear(measures.apogee, CProfile::apogee(), 0.5, "apogee");
    expectNear(measures.timeToApogee, CProfile::apogeeTime(), 0.15, "time to apogee");
    expectNear(measures.maxAscentSpeed, CProfile::burnoutSpeed(), 0.03 * CProfile::burnoutSpeed(), "ascent");
    expectNear(measures.drogue, CProfile::apogeeTime(), 0.15, "drogue");
    expectNear(measures.main, CProfile::mainTime(), 0.3, "main");
    expectNear(measures.drogueDescentSpeed, CProfile::kDrogueSpeed, 0.5, "drogue descent");
    expectNear(measures.mainDescentSpeed, CProfile::kMainSpeed, 0.3, "main descent");
    expectNear(measures.landing, CProfile::landingTime(), 0.5, "landing");
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, FlightDataFormats,
                         ::testing::Values(CFormatCase {"AltOS", altosFile},
                                           CFormatCase {"StratoLogger", stratologgerFile},
                                           CFormatCase {"CSV", genericCsvFile},
                                           CFormatCase {"PerfectFlite", perfectfliteFile}),
                         [](const auto &info) { return std::string(info.param.format); });

TEST(FlightData, DeviceRecordIsKeptBesideTheMeasures)
{
    const CAltimeterRecording pf = readBytes(perfectfliteFile());
    expectNear(pf.deviceApogee, std::round(CProfile::apogee() / 0.3048) * 0.3048, 1e-9, "stated apogee");
    expectNear(pf.drogueAt, std::round(CProfile::apogeeTime() * 100) / 100, 1e-9, "stated drogue");
    expectNear(pf.mainAt, std::round(CProfile::mainTime() * 100) / 100, 1e-9, "stated main");

    // AltOS events are the first sample of each of its states, in seconds after boost.
    const CAltimeterRecording altos = readBytes(altosFile());
    expectNear(altos.launchTime, 0.0, 0.051, "boost");
    expectNear(altos.drogueAt, CProfile::apogeeTime(), 0.051, "drogue state");
    expectNear(altos.mainAt, CProfile::mainTime(), 0.051, "main state");
    EXPECT_FALSE(altos.deviceApogee.has_value());
}

TEST(FlightData, EjectionSpikeNeitherRaisesApogeeNorMakesAMainEvent)
{
    // Two samples 60 m high just after apogee and at main deployment, as a
    // pressure spike from an ejection charge shows in a barometric recording.
    QByteArray file = "time,altitude (m)\n";
    const double spikes[] = {CProfile::apogeeTime() + 0.2, CProfile::mainTime() + 0.1};
    file += CProfile::lines([&](double t, double h) {
        for (const double spike : spikes) {
            if (t >= spike && t < spike + 0.1)
                h += 60;
        }
        return number(t, 2) + "," + number(h, 2) + "\n";
    });
    const CFlightMeasures measures = measureFlight(readBytes(file));
    expectNear(measures.apogee, CProfile::apogee(), 0.5, "apogee");
    expectNear(measures.main, CProfile::mainTime(), 0.3, "main");
}

TEST(FlightData, FeetUnlessTheHeaderSaysMetres)
{
    EXPECT_DOUBLE_EQ(readBytes("Time,Altitude\n0,0\n1,100\n").height.back(), 30.48);
    EXPECT_DOUBLE_EQ(readBytes("time_s,altitude_ft\n0,0\n1,100\n").height.back(), 30.48);
    EXPECT_DOUBLE_EQ(readBytes("time_s,altitude_m\n0,0\n1,100\n").height.back(), 100.0);
    EXPECT_DOUBLE_EQ(readBytes("Time [s]\tAltitude (metres)\n0\t0\n1\t100\n").height.back(), 100.0);
    // Above the launch point: a file of altitudes above sea level starts at zero.
    const CAltimeterRecording msl = readBytes("t,alt (m)\n0,1400\n1,1500\n");
    EXPECT_EQ(msl.height, (std::vector<double> {0.0, 100.0}));
}

TEST(FlightData, BadLinesAreCountedNeverFatal)
{
    QByteArray file = "Time,Altitude\n0,0\n1,abc\n2,200\n1.5,150\n";
    file += QByteArray("\0\0\0,\0\n", 6) + "3,300\n";
    file += QByteArray(10 * 1024 * 1024, 'x') + "\n4,400\n5,\"500\"";
    for (const qsizetype block : {qsizetype(0), qsizetype(7), qsizetype(65536)}) {
        const CAltimeterRecording recording = readBytes(file, block);
        ASSERT_TRUE(recording.isValid()) << qPrintable(recording.error);
        EXPECT_EQ(recording.time, (std::vector<double> {0, 2, 3, 4, 5})) << block;
        // "abc", time going backwards, the NUL line, the 10 MB line.
        EXPECT_EQ(recording.skippedLines, 4) << block;
    }
}

TEST(FlightData, FilesThatAreNoRecordingSayWhatWasExpected)
{
    CAltimeterRecording recording = readBytes("Date,Pressure\n2026-05-01,95000\n");
    EXPECT_FALSE(recording.isValid());
    EXPECT_TRUE(recording.error.contains(QStringLiteral("flight.csv")));
    EXPECT_TRUE(recording.error.contains(QStringLiteral("a time column and an altitude column")));

    EXPECT_FALSE(readBytes(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)).isValid());
    EXPECT_FALSE(readBytes("Time,Altitude\nnone,none\n").isValid());
    EXPECT_FALSE(readBytes("").isValid());

    // One sample: an apogee, and nothing that needs a second.
    recording = readBytes("Time,Altitude (m)\n0,12\n");
    ASSERT_TRUE(recording.isValid());
    const CFlightMeasures one = measureFlight(recording);
    EXPECT_EQ(one.apogee.value_or(-1), 0.0);
    EXPECT_FALSE(one.maxAscentSpeed || one.landing || one.main || one.timeToApogee);
}

TEST(FlightData, CommandLinePrintsTheMeasuresAsJson)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("flight.txt"));
    ASSERT_TRUE(writeTestFile(path, altosFile()));
    QProcess cli;
    cli.start(QStringLiteral(TARVEL_CLI),
              {QStringLiteral("flight-data"), path, QStringLiteral("--format"), QStringLiteral("json")});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().constData();
    const QJsonObject json = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
    EXPECT_EQ(json.value(QStringLiteral("format")).toString(), QStringLiteral("AltOS"));
    EXPECT_NEAR(json.value(QStringLiteral("apogee_m")).toDouble(), CProfile::apogee(), 0.5);
    EXPECT_NEAR(json.value(QStringLiteral("main_s")).toDouble(), CProfile::mainTime(), 0.06);
    EXPECT_TRUE(json.value(QStringLiteral("device_apogee_m")).isNull());

    const QString missing = folder.filePath(QStringLiteral("missing.pf2"));
    cli.start(QStringLiteral(TARVEL_CLI), {QStringLiteral("flight-data"), missing});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_NE(cli.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(cli.readAllStandardError()).contains(missing));
}

TEST(FlightData, ComparisonInTheFlyersUnit)
{
    EXPECT_EQ(altitudeComparison(1200, 1105 * 0.3048, EHeightUnit::Feet),
              QStringLiteral("Expected 1,200 ft, reached 1,105 ft (-8 %)"));
    EXPECT_EQ(altitudeComparison(300, 321, EHeightUnit::Metres),
              QStringLiteral("Expected 300 m, reached 321 m (+7 %)"));
    EXPECT_TRUE(altitudeComparison(0, 321, EHeightUnit::Metres).isEmpty());
    EXPECT_EQ(heightUnitFromSetting(QString()), EHeightUnit::Feet);
    EXPECT_EQ(heightUnitFromSetting(heightUnitSetting(EHeightUnit::Metres)), EHeightUnit::Metres);
}

TEST(FlightData, RecordingIsCopiedBesideTheLogbookNeverOverAnotherFile)
{
    QTemporaryDir downloads;
    QTemporaryDir storage;
    const QString source = downloads.filePath(QStringLiteral("FLIGHT01.pf2"));
    ASSERT_TRUE(writeTestFile(source, perfectfliteFile()));
    const QDateTime flight(QDate(2026, 5, 1), QTime(14, 32));

    const CStoredAltimeterFile first = storeAltimeterFile(source, storage.path(), flight, QStringLiteral("Big/Bertha"));
    ASSERT_TRUE(first.error.isEmpty()) << qPrintable(first.error);
    EXPECT_EQ(first.path, QDir(storage.path()).filePath(QStringLiteral("2026-05-01 1432 Big_Bertha.pf2")));
    EXPECT_EQ(readTestFile(first.path), perfectfliteFile());
    const CStoredAltimeterFile second =
        storeAltimeterFile(source, storage.path(), flight, QStringLiteral("Big/Bertha"));
    EXPECT_EQ(second.path, QDir(storage.path()).filePath(QStringLiteral("2026-05-01 1432 Big_Bertha (2).pf2")));
    EXPECT_EQ(readTestFile(first.path), perfectfliteFile());

    const CStoredAltimeterFile missing =
        storeAltimeterFile(downloads.filePath(QStringLiteral("gone.csv")), storage.path(), flight, QString());
    EXPECT_TRUE(missing.path.isEmpty());
    EXPECT_TRUE(missing.error.contains(QStringLiteral("gone.csv")));
    EXPECT_EQ(QDir(storage.path()).entryList(QDir::Files).size(), 2);

    // After the storage directory moved, the stored path is found by its name there.
    QTemporaryDir moved;
    ASSERT_TRUE(QFile::copy(first.path, QDir(moved.path()).filePath(QFileInfo(first.path).fileName())));
    ASSERT_TRUE(QFile::remove(first.path));
    EXPECT_EQ(findAltimeterFile(first.path, moved.path()),
              QDir(moved.path()).filePath(QStringLiteral("2026-05-01 1432 Big_Bertha.pf2")));
    EXPECT_TRUE(findAltimeterFile(first.path, storage.path()).isEmpty());
}

} // namespace
