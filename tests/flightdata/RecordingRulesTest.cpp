// Each rule of reading and measuring a recording, on a small file written here
// whose figures are worked out by hand beside it.
#include "flightdata/AltitudeComparison.h"
#include "flightdata/FlightMeasures.h"
#include "flightdata/FlightProfile.h"
#include "flightdata/FlightSummary.h"

#include <gtest/gtest.h>

namespace {

constexpr double kFeet = CProfile::kFeet;

// The profile as "t,height (m)" lines up to `until` seconds after launch,
// with `change` applied to each height.
QByteArray profileUntil(double until, const std::function<double(double t, double h)> &change = nullptr,
                        double step = 0.05)
{
    return "t,height (m)\n"
        + CProfile::lines(
               [&](double t, double h) {
                   return t <= until ? number(t, 3) + "," + number(change ? change(t, h) : h, 3) + "\n" : QByteArray();
               },
               step, until - CProfile::landingTime() + 1);
}

// A PerfectFlite or StratoLogger records its height above the pad, which its
// own pad reading need not make zero: the heights are kept as recorded, and the
// expected altitude is compared with them.
TEST(RecordingRules, PerfectFliteAndStratoLoggerHeightsAreKeptAsRecorded)
{
    // The pad reads -60 ft; the rocket climbs 10 ft a sample to 1,000 ft at
    // the 117th line, then falls 10 ft a sample.
    QByteArray samples;
    for (int i = 0; i <= 200; ++i) {
        const int feet = i < 10 ? -60 : i <= 116 ? -60 + 10 * (i - 10) : 1000 - 10 * (i - 116);
        samples += number(i * 0.05, 2) + "," + QByteArray::number(feet) + ",70,9.1\n";
    }
    const QByteArray headers[] = {"Time,Altitude,Temperature,Voltage\n",
                                  "Apogee: 1000' AGL\nDrogue At: 5.80 Seconds\n\nTime,Altitude,Temp,Volts\n"};
    for (const QByteArray &header : headers) {
        const CAltimeterRecording recording = readBytes(header + samples);
        ASSERT_TRUE(recording.isValid()) << qPrintable(recording.error);
        EXPECT_DOUBLE_EQ(recording.height.front(), -60 * kFeet) << header.constData();
        const CFlightMeasures measures = measureFlight(recording);
        ASSERT_TRUE(measures.apogee);
        EXPECT_DOUBLE_EQ(*measures.apogee, 1000 * kFeet);
        // 1,000 ft reached of 1,000 expected: no "+6 %" from a first sample taken as the ground.
        EXPECT_EQ(altitudeComparison(1000, *measures.apogee, EHeightUnit::Feet),
                  QStringLiteral("Expected 1,000 ft, reached 1,000 ft (0 %)"));
    }
}

// Altitudes above sea level come down to the ground: the median of the
// samples before launch, not the first of them.
TEST(RecordingRules, AltitudeAboveSeaLevelIsTakenFromThePadsMedian)
{
    // A pad at 1,400 m read 1,412, 1,399.5, 1,400.5 ... (the two middle ones of
    // the ten are 1,400.0, their median), then a climb to 1,700 m.
    const double pad[] = {1412, 1399.5, 1400.5, 1400, 1399.8, 1400.2, 1400, 1399.9, 1400, 1400.3};
    for (const QByteArray &header : {QByteArray("Time (s),Altitude MSL (m)\n"), QByteArray("time,alt (m)\n")}) {
        QByteArray file = header;
        for (int i = 0; i < 40; ++i) {
            const double t = i * 0.1;
            const double altitude = i < 10 ? pad[i] : 1400 + 300 * std::sin((i - 9) * M_PI / 60);
            file += number(t, 1) + "," + number(altitude, 2) + "\n";
        }
        const CAltimeterRecording recording = readBytes(file);
        ASSERT_TRUE(recording.isValid());
        EXPECT_NEAR(recording.height.front(), 12.0, 1e-9) << header.constData();
        EXPECT_NEAR(measureFlight(recording).apogee.value_or(0), 300.0, 1e-9);
    }
}

TEST(RecordingRules, HeightUnitsNamedInTheHeaderAndARefusalOfOthers)
{
    // 100 of each a second after 0.
    const std::pair<const char *, double> units[] = {
        {"Altitude", 30.48}, {"altitude_ft", 30.48},       {"Altitude (feet)", 30.48},
        {"Height [m]", 100}, {"Altitude (metres)", 100},   {"Altitude (meters)", 100},
        {"altitude_m", 100}, {"Altitude (Ft-AGL)", 30.48},
    };
    for (const auto &[name, metres] : units) {
        const CAltimeterRecording recording = readBytes("Time," + QByteArray(name) + "\n0,0\n1,100\n");
        ASSERT_TRUE(recording.isValid()) << name;
        EXPECT_DOUBLE_EQ(recording.height.back(), metres) << name;
    }
    EXPECT_DOUBLE_EQ(readBytes("Time,Altitude (km)\n0,0\n1,1.5\n").height.back(), 1500.0);
    const CAltimeterRecording yards = readBytes("Time (s),Altitude (yd)\n0,0\n1,100\n");
    EXPECT_FALSE(yards.isValid());
    EXPECT_TRUE(yards.error.contains(QStringLiteral("\"yd\""))) << qPrintable(yards.error);
    EXPECT_TRUE(yards.error.contains(QStringLiteral("ft, feet, m, metres, meters and km")));
    EXPECT_TRUE(yards.time.empty());
}

// A headerless export: two to four numbers a line, tab- or comma-separated,
// time in seconds and altitude in feet.
TEST(RecordingRules, HeaderlessStratoLoggerExports)
{
    for (const QByteArray &line : {QByteArray("%1\t%2\n"), QByteArray("%1,%2,71\r\n"), QByteArray("%1,%2,71,9.1\n")}) {
        QByteArray file;
        for (int i = 0; i <= 20; ++i)
            file += QString::fromLatin1(line).arg(i * 0.5).arg(i <= 10 ? 50 * i : 500 - 50 * (i - 10)).toLatin1();
        const CAltimeterRecording recording = readBytes(file);
        ASSERT_TRUE(recording.isValid()) << qPrintable(recording.error);
        EXPECT_EQ(recording.format, QStringLiteral("StratoLogger"));
        EXPECT_EQ(recording.time.size(), 21u);
        EXPECT_DOUBLE_EQ(measureFlight(recording).apogee.value_or(0), 500 * kFeet);
        EXPECT_DOUBLE_EQ(measureFlight(recording).timeToApogee.value_or(0), 5.0);
    }
}

// AltOS counts its time from launch; rows before 0 are the pad (even where it
// already calls them "boost"), rows repeating a time are one sample, and the
// events are its state changes.
TEST(RecordingRules, AltosLaunchIsTimeZeroAndRepeatedTimesAreSamples)
{
    QByteArray file = "#version,serial,flight,time,state,state_name,acceleration,pressure,altitude,height,speed\n";
    const auto row = [&file](double t, const char *state, double height) {
        file += "6, 8617, 1, " + number(t, 2) + ", 3, " + state + ", 20.0, 92952.0, " + number(height + 700, 2) + ", "
            + number(height, 2) + ", 0.0\n";
    };
    for (int i = -62; i <= 1000; ++i) {
        const double t = i * 0.01;
        const double height = t <= 0 ? 0 : t <= 5 ? 40 * t * t : 1000 - 5 * (t - 5);
        row(t, t < 5 ? "boost" : t < 6 ? "drogue" : "main", height);
        if (i == 100)
            row(t, "boost", height + 2); // 1.00 s twice: the sample's mean is 41 m
    }
    const CAltimeterRecording recording = readBytes(file);
    ASSERT_TRUE(recording.isValid());
    EXPECT_EQ(recording.skippedLines, 0);
    EXPECT_EQ(recording.repeatedTimes, 1);
    EXPECT_EQ(recording.time.size(), 1063u);
    EXPECT_DOUBLE_EQ(recording.height[162], 41.0);
    const CFlightMeasures measures = measureFlight(recording);
    EXPECT_EQ(measures.launchTime, 0.0);
    EXPECT_NEAR(measures.timeToApogee.value_or(0), 5.0, 1e-9);
    EXPECT_NEAR(measures.drogue.value_or(0), 5.0, 1e-9);
    EXPECT_NEAR(measures.main.value_or(0), 6.0, 1e-9);
}

// Landing is the first moment after which the height stays within a few metres
// of the ground for a second; a recording that stops above it has none.
TEST(RecordingRules, LandingOnlyOnTheGround)
{
    // Cut off under main, 30 m up.
    CFlightMeasures measures = measureFlight(readBytes(profileUntil(CProfile::mainTime() + 24)));
    EXPECT_EQ(measures.end, EFlightEnd::InTheAir);
    EXPECT_FALSE(measures.landing);
    EXPECT_NEAR(measures.mainDescentSpeed.value_or(0), CProfile::kMainSpeed, 0.3);

    // Cut off a fifth of a second after touching down: the last 0.6 s of the
    // descent are within 3 m of the ground, but not a second of it yet.
    measures = measureFlight(readBytes(profileUntil(CProfile::landingTime() + 0.2)));
    EXPECT_EQ(measures.end, EFlightEnd::InTheAir);
    EXPECT_FALSE(measures.landing);

    // Landing in a valley 30 m below the pad, 6 s later than on the pad's level.
    const auto valley = [](double t, double h) {
        return t > CProfile::landingTime() ? std::max(-30.0, -CProfile::kMainSpeed * (t - CProfile::landingTime())) : h;
    };
    measures = measureFlight(readBytes(profileUntil(CProfile::landingTime() + 20, valley)));
    EXPECT_EQ(measures.end, EFlightEnd::OnTheGround);
    EXPECT_NEAR(measures.landing.value_or(0), CProfile::landingTime() + 30 / CProfile::kMainSpeed, 0.3);
}

// A recording that stops on the way up tells so: its apogee is a least value.
TEST(RecordingRules, RecordingCutOffClimbingSaysSo)
{
    const CAltimeterRecording recording = readBytes(profileUntil(3.001));
    const CFlightMeasures measures = measureFlight(recording);
    EXPECT_EQ(measures.end, EFlightEnd::Climbing);
    EXPECT_NEAR(measures.apogee.value_or(0), CProfile::height(3.0), 1e-3);
    EXPECT_FALSE(measures.drogue || measures.main || measures.landing);
    // 90 + 120 * 1.5 - 9.81 * 1.5^2 / 2 = 258.96 m, above an expected 250 m.
    EXPECT_EQ(recordingSummary(recording, measures, EHeightUnit::Metres, 250.0),
              QStringLiteral("Apogee: at least 259 m\nExpected 250 m, reached at least 259 m (+4 % or more)\n"
                             "The recording ends climbing: it stops before the apogee."));
    // Stopped a tenth of a second past the top: nothing shows a descent yet.
    EXPECT_EQ(measureFlight(readBytes(profileUntil(CProfile::apogeeTime() + 0.1))).end, EFlightEnd::Climbing);
}

// A burst of bad barometer samples, 60 m high for 0.15 s in the coast, makes
// no speed of its own, at 20 samples a second as at 100.
TEST(RecordingRules, SpeedsSurviveAMultiSampleGlitch)
{
    const auto glitch = [](double t, double h) { return t >= 3 && t < 3.15 ? h + 60 : h; };
    for (const double step : {0.05, 0.01}) {
        const CFlightMeasures measures = measureFlight(readBytes(profileUntil(30, glitch, step)));
        // The raw steps into the glitch read 60 m in one sample: 1,200 or 6,000 m/s.
        EXPECT_NEAR(measures.maxAscentSpeed.value_or(0), CProfile::burnoutSpeed(), 0.03 * CProfile::burnoutSpeed())
            << step;
    }
}

// The device's own speed column is its figure; where it gives none (NaN, as an
// AltOS TeleMega does in the climb) the heights' slope is taken.
TEST(RecordingRules, TheDevicesOwnSpeedWhereItWritesOne)
{
    const auto file = [](bool ascentGiven) {
        return "t,height (m),speed (m/s)\n" + CProfile::lines([ascentGiven](double t, double h) {
                   const double speed = CProfile::speed(t) * 5 / 6; // the device's own reckoning
                   const bool given = ascentGiven || t > CProfile::apogeeTime();
                   return number(t, 2) + "," + number(h, 2) + "," + (given ? number(speed, 2) : "NaN") + "\n";
               });
    };
    EXPECT_NEAR(measureFlight(readBytes(file(true))).maxAscentSpeed.value_or(0), 100, 3);
    const CFlightMeasures mixed = measureFlight(readBytes(file(false)));
    EXPECT_NEAR(mixed.maxAscentSpeed.value_or(0), 120, 3.6);
    EXPECT_NEAR(mixed.drogueDescentSpeed.value_or(0), 20 * 5 / 6.0, 0.2);

    // A row that stops before its speed is a sample all the same.
    const CAltimeterRecording shortRow = readBytes("t,height (m),speed (m/s)\n0,0,0\n1,10\n2,20,10\n");
    EXPECT_EQ(shortRow.skippedLines, 0);
    ASSERT_EQ(shortRow.speed.size(), 3u);
    EXPECT_TRUE(std::isnan(shortRow.speed[1]));
    EXPECT_EQ(shortRow.speed[2], 10.0);
}

// Heights no rocket can reach, away from both neighbours faster than 3,000 m/s
// and by more than 100 m, are left out and counted; a step the heights keep is
// a new level, not a fault.
TEST(RecordingRules, ImpossibleSamplesAreLeftOut)
{
    QByteArray file = "time,altitude (m)\n";
    for (int i = 0; i <= 100; ++i) {
        double height = i <= 50 ? 10 * i : 500 - 5 * (i - 50);
        if (i == 20)
            height = 5000; // a jump of 4,800 m in 0.05 s and back
        if (i >= 99)
            height = i == 99 ? 10700.59 : -2490.54; // an RRC3's last two rows
        file += number(i * 0.05, 2) + "," + number(height, 2) + "\n";
    }
    const CAltimeterRecording recording = readBytes(file);
    EXPECT_EQ(recording.impossibleSamples, 3);
    EXPECT_EQ(recording.time.size(), 98u);
    EXPECT_DOUBLE_EQ(measureFlight(recording).apogee.value_or(0), 500.0);

    // A level that changes for good, 200 m in a twentieth of a second, stays.
    QByteArray step = "t,height (m)\n";
    for (int i = 0; i <= 40; ++i)
        step += number(i * 0.05, 2) + "," + QByteArray::number(i < 3 ? 5 * i : 200 + i) + "\n";
    const CAltimeterRecording stepped = readBytes(step);
    EXPECT_EQ(stepped.impossibleSamples, 0);
    EXPECT_EQ(stepped.height.size(), 41u);
}

// An RRC3 names no unit: it writes feet or metres as it is set, and the fall of
// its pressure tells which. A row that lost a field carries its event one field
// early.
TEST(RecordingRules, Rrc3UnitFromItsPressureAndEventsOfShortRows)
{
    const auto file = [](double metresPerUnit) {
        QByteArray text = "time,altitude,pressure,velocity,temperature,events,voltages\r\n";
        for (int i = 0; i <= 200; ++i) {
            const double metres = i <= 100 ? 20.0 * i : 2000 - 20.0 * (i - 100);
            // The standard atmosphere over a pad 1,300 m up, in hPa.
            const double pressure = 1013.25 * std::pow(1 - (metres + 1300) / kFeet / 145366.45, 1 / 0.190284);
            const QByteArray tail = i < 150 ? ",31.9, -,3.81\r\n" : i == 150 ? ", Main,,\r\n" : ", -,,\r\n";
            text +=
                number(i * 0.1, 2) + "," + number(metres / metresPerUnit, 3) + "," + number(pressure, 2) + ",0" + tail;
        }
        return text;
    };
    for (const double unit : {1.0, kFeet}) {
        const CAltimeterRecording recording = readBytes(file(unit));
        ASSERT_TRUE(recording.isValid());
        EXPECT_EQ(recording.format, QStringLiteral("RRC3"));
        EXPECT_NEAR(measureFlight(recording).apogee.value_or(0), 2000, 0.01) << unit;
        EXPECT_NEAR(recording.mainTime.value_or(0), 15.0, 1e-9);
    }
}

TEST(RecordingRules, SummaryNamesHowTheRecordingEndsAndTheDevicesApogee)
{
    EXPECT_EQ(flightEndWords(EFlightEnd::Climbing), QStringLiteral("climbing"));
    EXPECT_EQ(flightEndWords(EFlightEnd::InTheAir), QStringLiteral("in the air"));
    EXPECT_EQ(flightEndWords(EFlightEnd::OnTheGround), QStringLiteral("on the ground"));

    CAltimeterRecording recording;
    recording.deviceApogee = 1000 * kFeet;
    recording.skippedLines = 2;
    recording.impossibleSamples = 1;
    CFlightMeasures measures;
    measures.apogee = 1010 * kFeet;
    measures.end = EFlightEnd::OnTheGround;
    EXPECT_EQ(recordingSummary(recording, measures, EHeightUnit::Feet, 1200.0),
              QStringLiteral("Apogee: 1,010 ft\nApogee stated by the device: 1,000 ft\n"
                             "Expected 1,200 ft, reached 1,010 ft (-16 %)\nThe recording ends on the ground.\n"
                             "2 lines could not be read.\n1 sample left out: a height no flight can reach."));
    measures.end = EFlightEnd::InTheAir;
    EXPECT_TRUE(recordingSummary(recording, measures, EHeightUnit::Feet)
                    .contains(QStringLiteral("The recording ends in the air: it holds no landing.")));
}

} // namespace
