// Real recordings written by altimeters' own software (the shared test data,
// with its README): every one is read, its format named, its apogee within 1%
// of the largest height the README gives, its events on the device's own
// clock, and no landing while it is still in the air. The figures compared
// with come from the README's table or from a few lines of reading here.
#include "flightdata/AltimeterReader.h"
#include "flightdata/FlightMeasures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kFeet = 0.3048;

QString altimeterFolder()
{
    return QStringLiteral(TARVEL_SHARED_TESTDATA "/altimeter");
}

// The file as a table of trimmed fields, read here without the program's reader.
struct CTable
{
    QStringList header;
    QList<QStringList> rows;

    explicit CTable(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return;
        const QList<QByteArray> lines = file.readAll().split('\n');
        for (const QByteArray &line : lines) {
            QStringList fields = QString::fromLatin1(line).split(QLatin1Char(','));
            for (QString &field : fields)
                field = field.trimmed();
            if (header.isEmpty())
                header = fields;
            else if (fields.size() > 1)
                rows.append(fields);
        }
    }

    int column(const QString &name) const { return int(header.indexOf(name)); }
    double number(int row, int column) const { return rows.at(row).value(column).toDouble(); }
    // The first value of `timeColumn` on a row where `test` holds for the field of `column`.
    std::optional<double> firstWhere(int timeColumn, int column, const std::function<bool(const QString &)> &test,
                                     double timeUnit = 1.0) const
    {
        for (int i = 0; i < rows.size(); ++i) {
            if (test(rows.at(i).value(column)))
                return number(i, timeColumn) * timeUnit;
        }
        return std::nullopt;
    }
    double largest(int column, double unit = 1.0) const
    {
        double top = -1e300;
        for (int i = 0; i < rows.size(); ++i)
            top = std::max(top, number(i, column) * unit);
        return top;
    }
};

struct CRealFile
{
    const char *path; // under the altimeter folder
    const char *format;
    double apogee; // the README's largest height, m
    double apogeeTime; // and its time, s (the file's own clock)
    EFlightEnd end;
};

// The README's table.
const CRealFile kFiles[] = {
    {"altos-csv/frenzy-2024-10-12-serial-8617-flight-0001.csv", "AltOS", 1610.88, 17.64, EFlightEnd::OnTheGround},
    {"altos-csv/elblasto-easymini-serial-13735-flight-2.csv", "AltOS", 7447.04, 35.79, EFlightEnd::OnTheGround},
    {"altos-csv/hyperion2-telemega-2025-08-21-serial-6583-flight-0005.csv", "AltOS", 2854.23, 24.05,
     EFlightEnd::OnTheGround},
    // Stops before landing.
    {"blueraven-csv/hyperion2-WERT-FBR-LR_08-21-2025_14_11_45.csv", "Blue Raven", 2851.8, 24.20, EFlightEnd::InTheAir},
    {"raven-csv/ndrt-2020-raven1-crop.csv", "Raven", 1320.4, 17.095, EFlightEnd::OnTheGround},
    // Ascent only, ending 4 s after the top.
    {"rrc3-csv/juno3-rrc3.csv", "RRC3", 3213.38, 26.30, EFlightEnd::InTheAir},
    // Its last row still falls at 22 m/s by its own velocity column.
    {"cats-csv/hedy-cats-vega-flightInfo.csv", "CATS", 5230.37, 33.289, EFlightEnd::InTheAir},
    {"cats-csv/camoes-euroc23-filtered.csv", "CATS", 3016.0, 23.78, EFlightEnd::OnTheGround},
    {"eggtimer-csv/erebus11-eggtimer-with-falt_m.csv", "Eggtimer", 3180.3, 24.350, EFlightEnd::InTheAir},
};

void PrintTo(const CRealFile &file, std::ostream *out)
{
    *out << file.path;
}

class RealRecordings : public ::testing::TestWithParam<CRealFile>
{
protected:
    void SetUp() override
    {
        if (!QDir(altimeterFolder()).exists())
            GTEST_SKIP() << "no shared test data at " << qPrintable(altimeterFolder());
    }
    QString path() const { return altimeterFolder() + QLatin1Char('/') + QLatin1String(GetParam().path); }
};

TEST_P(RealRecordings, ApogeeWithinOnePercentOfTheReadmeAndNoLandingInTheAir)
{
    const CAltimeterRecording recording = readAltimeterFile(path());
    ASSERT_TRUE(recording.isValid()) << qPrintable(recording.error);
    EXPECT_EQ(recording.format, QLatin1String(GetParam().format));
    EXPECT_EQ(recording.skippedLines, 0);
    const CFlightMeasures measures = measureFlight(recording);
    ASSERT_TRUE(measures.apogee && measures.timeToApogee);
    EXPECT_NEAR(*measures.apogee, GetParam().apogee, 0.01 * GetParam().apogee);
    EXPECT_NEAR(measures.launchTime + *measures.timeToApogee, GetParam().apogeeTime, 0.051);
    EXPECT_EQ(measures.end, GetParam().end);
    EXPECT_EQ(measures.landing.has_value(), GetParam().end == EFlightEnd::OnTheGround);

    // Where it landed, the heights from the landing on stay within a few metres
    // of where the recording ends, read here from the file's last rows.
    if (measures.landing) {
        const double landed = measures.launchTime + *measures.landing;
        std::vector<double> after;
        for (std::size_t i = 0; i < recording.time.size(); ++i) {
            if (recording.time[i] >= landed + 0.5)
                after.push_back(recording.height[i]);
        }
        ASSERT_GT(after.size(), 3u);
        const auto [low, high] = std::minmax_element(after.begin(), after.end());
        EXPECT_LT(*high - *low, 8.0) << "landing at " << landed << " s, still " << *high - *low << " m of change after";
    }
    for (const std::optional<double> &event : {measures.drogue, measures.main}) {
        if (event && measures.landing) {
            EXPECT_LT(*event, *measures.landing);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SharedTestData, RealRecordings, ::testing::ValuesIn(kFiles), [](const auto &info) {
    QString name = QFileInfo(QLatin1String(info.param.path)).completeBaseName();
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")), QString());
    return name.toStdString();
});

bool skipWithoutTestData()
{
    return !QDir(altimeterFolder()).exists();
}

// AltOS: launch is its time 0, events are its state changes, rows repeating a
// time are samples (the README counts 18, 66 and 236 of them), and its own
// speed column gives the climb.
TEST(RealRecordingsEvents, AltosEventsOnItsOwnClock)
{
    if (skipWithoutTestData())
        GTEST_SKIP() << "no shared test data";
    const struct
    {
        const char *file;
        qint64 repeated;
    } files[] = {{"frenzy-2024-10-12-serial-8617-flight-0001.csv", 18},
                 {"elblasto-easymini-serial-13735-flight-2.csv", 66},
                 {"hyperion2-telemega-2025-08-21-serial-6583-flight-0005.csv", 236}};
    for (const auto &[file, repeated] : files) {
        const QString path = altimeterFolder() + QStringLiteral("/altos-csv/") + QLatin1String(file);
        const CAltimeterRecording recording = readAltimeterFile(path);
        EXPECT_EQ(recording.repeatedTimes, repeated) << file;
        const CFlightMeasures measures = measureFlight(recording);
        EXPECT_EQ(measures.launchTime, 0.0);

        const CTable table(path);
        const int time = table.column(QStringLiteral("time"));
        const int state = table.column(QStringLiteral("state_name"));
        const auto stateIs = [](const char *name) { return [name](const QString &field) { return field == name; }; };
        const std::optional<double> drogue = table.firstWhere(time, state, stateIs("drogue"));
        const std::optional<double> main = table.firstWhere(time, state, stateIs("main"));
        const std::optional<double> landed = table.firstWhere(time, state, stateIs("landed"));
        ASSERT_TRUE(drogue && main && landed && measures.drogue && measures.main && measures.landing) << file;
        EXPECT_DOUBLE_EQ(*measures.drogue, *drogue) << file;
        EXPECT_DOUBLE_EQ(*measures.main, *main) << file;
        // AltOS says "landed" once the height has been still for a while: the
        // touchdown is before it, and after the main.
        EXPECT_LE(*measures.landing, *landed) << file;
        EXPECT_GT(*measures.landing, *main) << file;
    }
}

// The largest of a speed column over the climb, in m/s.
double largestSpeed(const QString &path, const QString &speedColumn, double unit)
{
    const CTable table(path);
    double top = 0;
    const int column = table.column(speedColumn);
    for (int i = 0; i < table.rows.size(); ++i) {
        const double speed = table.number(i, column) * unit;
        if (std::isfinite(speed))
            top = std::max(top, speed);
    }
    return top;
}

// The device's own speed column where the file has one: the largest climb
// within 5% of the column's; the two devices of one flight within 10% where
// the AltOS wrote no speed in the climb.
TEST(RealRecordingsEvents, AscentSpeedsAgreeWithTheDevicesOwn)
{
    if (skipWithoutTestData())
        GTEST_SKIP() << "no shared test data";
    const QString folder = altimeterFolder() + QLatin1Char('/');
    const struct
    {
        const char *file;
        const char *column;
        double unit;
    } files[] = {{"altos-csv/frenzy-2024-10-12-serial-8617-flight-0001.csv", "speed", 1.0},
                 {"altos-csv/elblasto-easymini-serial-13735-flight-2.csv", "speed", 1.0},
                 {"cats-csv/hedy-cats-vega-flightInfo.csv", "velocity", 1.0},
                 {"blueraven-csv/hyperion2-WERT-FBR-LR_08-21-2025_14_11_45.csv", "Velocity_Up", kFeet}};
    for (const auto &[file, column, unit] : files) {
        const double device = largestSpeed(folder + QLatin1String(file), QLatin1String(column), unit);
        const CFlightMeasures measures = measureFlight(readAltimeterFile(folder + QLatin1String(file)));
        EXPECT_NEAR(measures.maxAscentSpeed.value_or(0), device, 0.05 * device) << file;
    }
    const double blueRaven = largestSpeed(folder + QLatin1String(files[3].file), QStringLiteral("Velocity_Up"), kFeet);
    const CFlightMeasures telemega = measureFlight(readAltimeterFile(
        folder + QStringLiteral("altos-csv/hyperion2-telemega-2025-08-21-serial-6583-flight-0005.csv")));
    EXPECT_NEAR(telemega.maxAscentSpeed.value_or(0), blueRaven, 0.1 * blueRaven);
}

// Flag columns and event words: the Blue Raven's fired charges, the Eggtimer's
// event columns (which hold the altitude on their row, its apogee among them)
// and the RRC3's drogue, written on a row that lost a field and is itself one
// of the two impossible rows it ends with.
TEST(RealRecordingsEvents, FlagsAndEventWordsOnTheDevicesClock)
{
    if (skipWithoutTestData())
        GTEST_SKIP() << "no shared test data";
    const auto set = [](const QString &field) { return field.toDouble() != 0; };

    const QString blue =
        altimeterFolder() + QStringLiteral("/blueraven-csv/hyperion2-WERT-FBR-LR_08-21-2025_14_11_45.csv");
    const CTable blueTable(blue);
    const int flightTime = blueTable.column(QStringLiteral("Flight_Time_(s)"));
    const CFlightMeasures blueMeasures = measureFlight(readAltimeterFile(blue));
    EXPECT_EQ(blueMeasures.drogue,
              blueTable.firstWhere(flightTime, blueTable.column(QStringLiteral("Apo_fired")), set));
    EXPECT_EQ(blueMeasures.main, blueTable.firstWhere(flightTime, blueTable.column(QStringLiteral("Main_fired")), set));

    const QString egg = altimeterFolder() + QStringLiteral("/eggtimer-csv/erebus11-eggtimer-with-falt_m.csv");
    const CTable eggTable(egg);
    const CAltimeterRecording eggRecording = readAltimeterFile(egg);
    const CFlightMeasures eggMeasures = measureFlight(eggRecording);
    const int t = eggTable.column(QStringLiteral("T"));
    // The file starts at launch: its events are its own times.
    EXPECT_EQ(eggMeasures.drogue, eggTable.firstWhere(t, eggTable.column(QStringLiteral("Drogue")), set, 0.001));
    EXPECT_EQ(eggMeasures.main, eggTable.firstWhere(t, eggTable.column(QStringLiteral("Main")), set, 0.001));
    EXPECT_NEAR(eggRecording.deviceApogee.value_or(0), 10434 * kFeet, 1e-9);

    const QString rrc3 = altimeterFolder() + QStringLiteral("/rrc3-csv/juno3-rrc3.csv");
    const CAltimeterRecording rrc3Recording = readAltimeterFile(rrc3);
    EXPECT_EQ(rrc3Recording.impossibleSamples, 2);
    EXPECT_NEAR(rrc3Recording.drogueTime.value_or(0), 30.45, 1e-9);
}

} // namespace
