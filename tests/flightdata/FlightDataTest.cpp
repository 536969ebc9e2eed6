// Altimeter recordings in the shape each family writes, made here from one
// known flight profile, and the measures taken from them checked against that
// profile's own numbers.
#include "flightdata/AltitudeComparison.h"
#include "flightdata/FlightMeasures.h"
#include "flightdata/FlightProfile.h"
#include "flightdata/FlightSummary.h"
#include "support/CliHome.h"
#include "support/TestFiles.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr double kFeet = CProfile::kFeet;

// The first sample at or after t carries an event the device logs.
bool firstAt(double t, double at)
{
    return t >= at && t < at + 0.05 - 1e-9;
}

QByteArray altosFile()
{
    return "#version,serial,flight,call,time,clock,rssi,lqi,state,state_name,acceleration,pressure,altitude,height,"
           "speed\n"
        + CProfile::lines([](double t, double h) {
               const char *state = t < 0             ? "pad"
                   : t < CProfile::kBurn             ? "boost"
                   : t < CProfile::apogeeTime()      ? "coast"
                   : t < CProfile::mainTime()        ? "drogue"
                   : t < CProfile::landingTime() + 2 ? "main"
                                                     : "landed";
               return "  1,  4321,   7,N0CALL, " + number(t, 3) + ",  1234,  -60,  40,  3,"
                   + QByteArray(state).rightJustified(7, ' ') + ",  0.0, 95000.0,  " + number(h + 1400, 2) + ",  "
                   + number(h, 2) + ", " + number(CProfile::speed(t), 2) + "\n";
           });
}

QByteArray stratologgerFile()
{
    return "Time\tAltitude\tTemp.\tVoltage\n" + CProfile::lines([](double t, double h) {
               return number(t + CProfile::kPad, 2) + "\t" + number(h / kFeet, 1) + "\t71\t9.1\r\n";
           });
}

// As the StratoLogger's download program saves it without a header.
QByteArray headerlessStratologgerFile()
{
    return CProfile::lines([](double t, double h) {
        return number(t + CProfile::kPad, 2) + "\t" + number(h / kFeet, 1) + "\t71\t9.1\r\n";
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
    return "Apogee: " + number(CProfile::apogee() / kFeet, 0) + "' AGL\nGround Elevation: 225' MSL\nDrogue At: "
        + number(CProfile::apogeeTime(), 2) + " Seconds\nMain At: " + number(CProfile::mainTime(), 2)
        + " Seconds\n\nTime,Altitude,Velocity,Temperature,Voltage\n" + CProfile::lines([](double t, double h) {
               return number(t + CProfile::kPad, 2) + "," + number(h / kFeet, 1) + ","
                   + number(CProfile::speed(t) / kFeet, 1) + ",70,9.0\n";
           });
}

// Time in ms from the start, feet, and each event's column holding the
// altitude on its row; "Apogee" holds the apogee the device measured.
QByteArray eggtimerFile()
{
    return "T,Alt,Veloc,Filt_Alt,FVeloc,LDA,LowV,Apogee,N-O,Drogue,Main\n" + CProfile::lines([](double t, double h) {
               const QByteArray feet = number(h / kFeet, 0);
               const QByteArray speed = number(CProfile::speed(t) / kFeet, 0);
               const bool apogee = firstAt(t, CProfile::apogeeTime());
               return number((t + CProfile::kPad) * 1000, 0) + "," + feet + "," + speed + "," + feet + "," + speed
                   + ",0,0," + (apogee ? number(CProfile::apogee() / kFeet, 0) : "0") + ",0," + (apogee ? feet : "0")
                   + "," + (firstAt(t, CProfile::mainTime()) ? feet : "0") + "\n";
           });
}

// Metric, an event word in its column, the pressure of the standard atmosphere
// over a pad 300 m above the sea.
QByteArray rrc3File()
{
    return "time,altitude,pressure,velocity,temperature,events,voltages\r\n" + CProfile::lines([](double t, double h) {
               const double feet = (h + 300) / kFeet;
               const double pressure = 1013.25 * std::pow(1 - feet / 145366.45, 1 / 0.190284);
               const char *event = firstAt(t, CProfile::apogeeTime()) ? " Drogue"
                   : firstAt(t, CProfile::mainTime())                 ? " Main"
                                                                      : " -";
               return number(t + CProfile::kPad, 2) + "," + number(h, 3) + "," + number(pressure, 2) + ","
                   + number(CProfile::speed(t), 3) + ",31.9," + event + ",3.81\r\n";
           });
}

// A wall clock before the flight's own time, altitudes above the sea and
// above the ground, three speeds, and flag columns that are 1 from their event.
QByteArray blueRavenFile()
{
    return "Year,Month,Day,Time,Flight_Time_(s),Baro_Altitude_ASL_(feet),Baro_Altitude_AGL_(feet),Velocity_Up,"
           "Velocity_DR,Liftoff,Apogee,Apo_fired,Main_fired,\n"
        + CProfile::lines([](double t, double h) {
               const auto flag = [t](double at) { return t >= at ? "1" : "0"; };
               return "2025,8,21,14:11:43.952," + number(t, 2) + "," + number(h / kFeet + 980, 1) + ","
                   + number(h / kFeet, 1) + "," + number(CProfile::speed(t) / kFeet, 2) + ",3.00," + flag(0) + ","
                   + flag(CProfile::apogeeTime()) + "," + flag(CProfile::apogeeTime()) + ","
                   + flag(CProfile::mainTime()) + ",\n";
           });
}

// Two channels, each with its own time column.
QByteArray ravenFile()
{
    return "Time-Axial Accel (Gs), Axial Accel (Gs), bILBA, Time (s), Altitude (Ft-AGL), bILBA\n"
        + CProfile::lines([](double t, double h) {
               return number((t + CProfile::kPad) / 20, 4) + ",0.87,b0000," + number(t + CProfile::kPad, 3) + ","
                   + number(h / kFeet, 3) + ",b0000\n";
           });
}

QByteArray catsFile()
{
    return "ts,height,velocity,acceleration\n" + CProfile::lines([](double t, double h) {
               return number(t, 3) + "," + number(h, 4) + "," + number(CProfile::speed(t), 4) + ",0.0\n";
           });
}

void expectNear(const std::optional<double> &measured, double expected, double tolerance, const char *what)
{
    ASSERT_TRUE(measured.has_value()) << what;
    EXPECT_NEAR(*measured, expected, tolerance) << what;
}

struct CFormatCase
{
    const char *name; // the test's
    const char *format; // as the reader names it
    QByteArray (*file)();
    bool logsEvents; // the file names when drogue and main came
};

void PrintTo(const CFormatCase &format, std::ostream *out)
{
    *out << format.name;
}

class FlightDataFormats : public ::testing::TestWithParam<CFormatCase>
{ };

TEST_P(FlightDataFormats, MeasuresMatchTheFlownProfile)
{
    const CAltimeterRecording recording = readBytes(GetParam().file());
    ASSERT_TRUE(recording.isValid()) << qPrintable(recording.error);
    EXPECT_EQ(recording.format, QLatin1String(GetParam().format));
    EXPECT_EQ(recording.skippedLines, 0);
    EXPECT_EQ(recording.impossibleSamples, 0);

    const CFlightMeasures measures = measureFlight(recording);
    expectNear(measures.apogee, CProfile::apogee(), 0.5, "apogee");
    // Whole feet (the Eggtimer's) hold the top for a third of a second.
    expectNear(measures.timeToApogee, CProfile::apogeeTime(), 0.2, "time to apogee");
    expectNear(measures.maxAscentSpeed, CProfile::burnoutSpeed(), 0.03 * CProfile::burnoutSpeed(), "ascent");
    // A logged event is the first sample at or after it, a measured one near it.
    const double events = GetParam().logsEvents ? 0.051 : 0.3;
    expectNear(measures.drogue, CProfile::apogeeTime(), std::max(events, 0.15), "drogue");
    expectNear(measures.main, CProfile::mainTime(), events + 0.05, "main");
    expectNear(measures.drogueDescentSpeed, CProfile::kDrogueSpeed, 0.5, "drogue descent");
    expectNear(measures.mainDescentSpeed, CProfile::kMainSpeed, 0.3, "main descent");
    expectNear(measures.landing, CProfile::landingTime(), 0.3, "landing");
    EXPECT_EQ(measures.end, EFlightEnd::OnTheGround);
}

INSTANTIATE_TEST_SUITE_P(
    EveryFormat, FlightDataFormats,
    ::testing::Values(CFormatCase {"AltOS", "AltOS", altosFile, true},
                      CFormatCase {"StratoLogger", "StratoLogger", stratologgerFile, false},
                      CFormatCase {"HeaderlessStratoLogger", "StratoLogger", headerlessStratologgerFile, false},
                      CFormatCase {"CSV", "CSV", genericCsvFile, false},
                      CFormatCase {"PerfectFlite", "PerfectFlite", perfectfliteFile, true},
                      CFormatCase {"Eggtimer", "Eggtimer", eggtimerFile, true},
                      CFormatCase {"RRC3", "RRC3", rrc3File, true},
                      CFormatCase {"BlueRaven", "Blue Raven", blueRavenFile, true},
                      CFormatCase {"Raven", "Raven", ravenFile, false}, CFormatCase {"CATS", "CATS", catsFile, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FlightData, DeviceRecordIsKeptBesideTheMeasures)
{
    const CAltimeterRecording pf = readBytes(perfectfliteFile());
    expectNear(pf.deviceApogee, std::round(CProfile::apogee() / kFeet) * kFeet, 1e-9, "stated apogee");
    expectNear(pf.drogueAt, std::round(CProfile::apogeeTime() * 100) / 100, 1e-9, "stated drogue");
    expectNear(pf.mainAt, std::round(CProfile::mainTime() * 100) / 100, 1e-9, "stated main");

    // AltOS counts its time from launch; its events are the first sample of
    // each state, landing among them.
    const CAltimeterRecording altos = readBytes(altosFile());
    expectNear(altos.launchTime, 0.0, 0, "launch");
    expectNear(altos.drogueTime, CProfile::apogeeTime(), 0.051, "drogue state");
    expectNear(altos.mainTime, CProfile::mainTime(), 0.051, "main state");
    expectNear(altos.landingTime, CProfile::landingTime() + 2, 0.051, "landed state");
    EXPECT_FALSE(altos.deviceApogee.has_value());

    // An Eggtimer writes its apogee, in feet, on the apogee's row.
    expectNear(readBytes(eggtimerFile()).deviceApogee, std::round(CProfile::apogee() / kFeet) * kFeet, 1e-9,
               "Eggtimer apogee");
    // A Blue Raven's flags: liftoff at its time 0, drogue and main fired.
    const CAltimeterRecording blue = readBytes(blueRavenFile());
    expectNear(blue.launchTime, 0.0, 0, "liftoff");
    expectNear(blue.mainTime, CProfile::mainTime(), 0.051, "main fired");
}

// Pressure spikes of the charges, two samples 60 m high under drogue and at
// main deployment, make no event and no speed of their own.
TEST(FlightData, EjectionSpikeMakesNoMainEventAndNoSpeed)
{
    QByteArray file = "time,altitude (m)\n";
    const double spikes[] = {CProfile::apogeeTime() + 8, CProfile::mainTime() + 0.1};
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
    expectNear(measures.drogueDescentSpeed, CProfile::kDrogueSpeed, 0.5, "drogue descent");
    expectNear(measures.landing, CProfile::landingTime(), 0.3, "landing");
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
    // Five numbers a line are no headerless export, nor is a line of one.
    EXPECT_FALSE(readBytes("1,2,3,4,5\n2,3,4,5,6\n").isValid());
    EXPECT_FALSE(readBytes("1\n2\n").isValid());

    // One sample: its height as recorded, and nothing that needs a second.
    recording = readBytes("Time,Altitude (m)\n0,12\n");
    ASSERT_TRUE(recording.isValid());
    const CFlightMeasures one = measureFlight(recording);
    EXPECT_EQ(one.apogee.value_or(-1), 12.0);
    EXPECT_FALSE(one.maxAscentSpeed || one.landing || one.main || one.timeToApogee);
}

TEST(FlightData, CommandLinePrintsTheMeasuresAndHowTheRecordingEndsAsJson)
{
    QTemporaryDir folder;
    CCliHome home;
    const auto run = [&folder, &home](const QString &name, const QByteArray &content) {
        const QString path = folder.filePath(name);
        EXPECT_TRUE(writeTestFile(path, content));
        const CCliHome::CResult cli =
            home.run({QStringLiteral("flight-data"), path, QStringLiteral("--format"), QStringLiteral("json")});
        EXPECT_EQ(cli.status, 0) << cli.err.toStdString();
        return QJsonDocument::fromJson(cli.out).object();
    };
    const QJsonObject json = run(QStringLiteral("flight.txt"), altosFile());
    EXPECT_EQ(json.value(QStringLiteral("format")).toString(), QStringLiteral("AltOS"));
    EXPECT_NEAR(json.value(QStringLiteral("apogee_m")).toDouble(), CProfile::apogee(), 0.5);
    EXPECT_NEAR(json.value(QStringLiteral("main_s")).toDouble(), CProfile::mainTime(), 0.06);
    EXPECT_TRUE(json.value(QStringLiteral("device_apogee_m")).isNull());
    EXPECT_EQ(json.value(QStringLiteral("ends")).toString(), QStringLiteral("on the ground"));

    // The same flight cut off 2 s after launch, and 2 s after apogee.
    const auto cutAt = [](double seconds) {
        QByteArray text = "t,height (m)\n";
        text += CProfile::lines([seconds](double t, double h) {
            return t <= seconds ? number(t, 2) + "," + number(h, 2) + "\n" : QByteArray();
        });
        return text;
    };
    EXPECT_EQ(run(QStringLiteral("climbing.csv"), cutAt(2)).value(QStringLiteral("ends")).toString(),
              QStringLiteral("climbing"));
    EXPECT_EQ(run(QStringLiteral("air.csv"), cutAt(CProfile::apogeeTime() + 2)).value(QStringLiteral("ends")),
              QStringLiteral("in the air"));

    const QString missing = folder.filePath(QStringLiteral("missing.pf2"));
    const CCliHome::CResult cli = home.run({QStringLiteral("flight-data"), missing});
    EXPECT_NE(cli.status, 0);
    EXPECT_TRUE(cli.err.contains(missing));
}

TEST(FlightData, ComparisonInTheFlyersUnit)
{
    EXPECT_EQ(altitudeComparison(1200, 1105 * 0.3048, EHeightUnit::Feet),
              QStringLiteral("Expected 1,200 ft, reached 1,105 ft (-8 %)"));
    EXPECT_EQ(altitudeComparison(300, 321, EHeightUnit::Metres),
              QStringLiteral("Expected 300 m, reached 321 m (+7 %)"));
    // Cut off on the way up: only a least height was reached.
    EXPECT_EQ(altitudeComparison(300, 250, EHeightUnit::Metres, true),
              QStringLiteral("Expected 300 m, reached at least 250 m"));
    EXPECT_EQ(altitudeComparison(300, 321, EHeightUnit::Metres, true),
              QStringLiteral("Expected 300 m, reached at least 321 m (+7 % or more)"));
    EXPECT_TRUE(altitudeComparison(0, 321, EHeightUnit::Metres).isEmpty());
    EXPECT_EQ(heightUnitFromSetting(QString()), EHeightUnit::Feet);
    EXPECT_EQ(heightUnitFromSetting(heightUnitSetting(EHeightUnit::Metres)), EHeightUnit::Metres);
}

} // namespace
