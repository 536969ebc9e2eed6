#include "db/RecordStore.h"
#include "support/CliHome.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

class FlightsCliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        ASSERT_EQ(run({QStringLiteral("info")}).first, 0);
        CRecordStore store;
        ASSERT_TRUE(store.Open(m_home.storageDirectory()));
        for (const char *sql : {
                 "INSERT INTO Rockets (ID, Name) VALUES (1, 'Big \"Bertha\", Mk II')",
                 "INSERT INTO Launches (Model, Motor, MotorMfg, MotorDelay, Site, Date, DrogueTime, Notes, Success) "
                 "VALUES ('1', 'C6', 'Estes', '5', 'North Field', '12/31/2025', '9:05', 'Windy, \"gusty\"\r\nsecond "
                 "line \u00fc', -1)",
                 "INSERT INTO Launches (Model, Motor, MotorMfg, MotorDelay, Site, Date, DoneTime, Notes, Success) "
                 "VALUES ('1', 'D12', 'Estes', '3', 'South Field', '01/02/2026', '14:30', '', 0)",
                 "INSERT INTO Launches (Model, Motor, Site, Date, Notes, Success) "
                 "VALUES ('9', 'A8', 'North Field', '06/01/2024', 'orphan', 0)",
             })
            ASSERT_TRUE(store.RunSql(QString::fromUtf8(sql))) << sql;
        m_python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    }

    std::pair<int, QByteArray> run(const QStringList &arguments)
    {
        const CCliHome::CResult result = m_home.run(arguments);
        return {result.status, result.out};
    }

    // What python3 makes of the bytes, read by its own module, printed back as JSON.
    QJsonDocument readByPython(const QByteArray &bytes, const char *script)
    {
        QProcess reader;
        reader.start(m_python, {QStringLiteral("-c"), QString::fromUtf8(script)});
        reader.write(bytes);
        reader.closeWriteChannel();
        EXPECT_TRUE(reader.waitForFinished(30000));
        EXPECT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
        return QJsonDocument::fromJson(reader.readAllStandardOutput());
    }

    CCliHome m_home;
    QString m_python;
};

TEST_F(FlightsCliTest, CsvReadsBackThroughPythonsCsvModule)
{
    if (m_python.isEmpty())
        GTEST_SKIP() << "python3 is not installed; the read-back needs its csv module";
    const auto [status, csv] = run({QStringLiteral("flights"), QStringLiteral("--format"), QStringLiteral("csv")});
    ASSERT_EQ(status, 0);
    const QJsonArray rows = readByPython(csv,
                                         "import csv, io, json, sys\n"
                                         "text = io.TextIOWrapper(sys.stdin.buffer, encoding='utf-8', newline='')\n"
                                         "print(json.dumps(list(csv.reader(text))))")
                                .array();
    ASSERT_EQ(rows.size(), 4);
    const auto field = [&](int row, int column) { return rows.at(row).toArray().at(column).toString(); };
    // Newest first by real date: 2026 before the last day of 2025.
    EXPECT_EQ(QStringList({field(1, 1), field(2, 1), field(3, 1)}),
              QStringList({"2026-01-02", "2025-12-31", "2024-06-01"}));
    EXPECT_EQ(field(2, 3), QStringLiteral("Big \"Bertha\", Mk II"));
    EXPECT_EQ(field(2, 10), QStringLiteral("Windy, \"gusty\"\r\nsecond line \u00fc"));
    EXPECT_EQ(field(3, 3), QStringLiteral("Rocket 9"));
    for (const QJsonValue &row : rows)
        EXPECT_EQ(row.toArray().size(), 12);
}

TEST_F(FlightsCliTest, JsonReadsBackThroughPythonsJsonModule)
{
    if (m_python.isEmpty())
        GTEST_SKIP() << "python3 is not installed; the read-back needs its json module";
    const char *echo = "import json, sys\nprint(json.dumps(json.load(sys.stdin)))";
    auto [status, json] = run({QStringLiteral("flights"), QStringLiteral("--rocket"),
                               QStringLiteral("big \"bertha\", mk ii"), QStringLiteral("--from"),
                               QStringLiteral("2025-12-31"), QStringLiteral("--format"), QStringLiteral("json")});
    ASSERT_EQ(status, 0);
    const QJsonArray flights = readByPython(json, echo).array();
    ASSERT_EQ(flights.size(), 2);
    const QJsonObject newest = flights.at(0).toObject();
    EXPECT_EQ(newest.value(QStringLiteral("date")).toString(), QStringLiteral("2026-01-02"));
    EXPECT_EQ(newest.value(QStringLiteral("time")).toString(), QStringLiteral("14:30"));
    EXPECT_EQ(newest.value(QStringLiteral("success")), QJsonValue(false));
    EXPECT_TRUE(newest.value(QStringLiteral("apogee_m")).isNull());
    EXPECT_EQ(flights.at(1).toObject().value(QStringLiteral("notes")).toString(),
              QStringLiteral("Windy, \"gusty\"\r\nsecond line \u00fc"));

    std::tie(status, json) = run({QStringLiteral("stats"), QStringLiteral("--format"), QStringLiteral("json")});
    ASSERT_EQ(status, 0);
    const QJsonObject stats = readByPython(json, echo).object();
    const QJsonArray rockets = stats.value(QStringLiteral("rockets")).toArray();
    ASSERT_EQ(rockets.size(), 2);
    const QJsonObject bertha = rockets.at(0).toObject();
    EXPECT_EQ(bertha.value(QStringLiteral("last_flown")).toString(), QStringLiteral("2026-01-02"));
    EXPECT_EQ(bertha.value(QStringLiteral("motors")).toObject(), QJsonObject({{"Estes C6-5", 1}, {"Estes D12-3", 1}}));
    EXPECT_EQ(stats.value(QStringLiteral("sites")).toArray().at(0).toObject(),
              QJsonObject({{"site", "North Field"}, {"flights", 2}}));
    EXPECT_EQ(stats.value(QStringLiteral("years")).toArray().size(), 3);

    EXPECT_NE(run({QStringLiteral("flights"), QStringLiteral("--from"), QStringLiteral("31/12/2025")}).first, 0);
}

// A name that is in neither the catalogue nor the log, an empty value, or a
// range that ends before it starts is refused with a message naming it, not
// answered with nothing; a rocket not yet flown, or a site in another case,
// is no error.
TEST_F(FlightsCliTest, RefusesWhatItCannotFindAndSaysWhat)
{
    {
        CRecordStore store;
        ASSERT_TRUE(store.Open(m_home.storageDirectory()));
        ASSERT_TRUE(store.RunSql(QStringLiteral("INSERT INTO Rockets (ID, Name) VALUES (2, 'Charlie')")));
    }
    struct Case
    {
        QStringList arguments;
        int status;
        QStringList named; // in the error output
        int lines; // of the output
    };
    const Case cases[] = {
        {{"--rocket", "NoSuchRocket"}, 1, {"\"NoSuchRocket\""}, 0},
        {{"--site", "Nowhere"}, 1, {"\"Nowhere\""}, 0},
        {{"--rocket", ""}, 2, {"--rocket"}, 0},
        {{"--site", "  "}, 2, {"--site"}, 0},
        {{"--from", "2026-02-01", "--to", "2026-01-01"}, 2, {"2026-02-01", "2026-01-01"}, 0},
        {{"--to", "2024-02-30"}, 2, {"2024-02-30"}, 0},
        {{"--rocket", "charlie"}, 0, {}, 0},
        {{"--rocket", "Rocket 9"}, 0, {}, 1},
        {{"--site", "north field"}, 0, {}, 2},
    };
    for (const Case &c : cases) {
        const CCliHome::CResult result = m_home.run(QStringList {QStringLiteral("flights")} + c.arguments);
        const QString what = c.arguments.join(QLatin1Char(' '));
        EXPECT_EQ(result.status, c.status) << qPrintable(what) << ": " << qPrintable(result.err);
        for (const QString &name : c.named)
            EXPECT_TRUE(result.err.contains(name)) << qPrintable(what) << ": " << qPrintable(result.err);
        EXPECT_EQ(result.out.count('\n'), c.lines) << qPrintable(what) << ": " << result.out.constData();
    }
}

// The statistics in text: the totals first, then each list with its counts
// in the right number, months included.
TEST_F(FlightsCliTest, StatsTextCountsInWords)
{
    const CCliHome::CResult result = m_home.run({QStringLiteral("stats")});
    ASSERT_EQ(result.status, 0) << qPrintable(result.err);
    const QStringList lines = QString::fromUtf8(result.out).split(QLatin1Char('\n'));
    EXPECT_EQ(lines.value(0),
              QStringLiteral("3 flights, 1 success (33 %), first flight 2024-06-01, last flight "
                             "2026-01-02"));
    for (const char *line : {"  Big \"Bertha\", Mk II: 2 flights, 1 success (50 %), last flown 2026-01-02, most at "
                             "North Field; motors: Estes C6-5 x1, Estes D12-3 x1",
                             "  Rocket 9: 1 flight, 0 successes (0 %), last flown 2024-06-01, most at North Field; "
                             "motors: A8 x1",
                             "Sites:", "  North Field: 2 flights", "  South Field: 1 flight",
                             "Months:", "  2024-06: 1 flight", "  2025-12: 1 flight", "  2026-01: 1 flight"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(line))) << line << "\n" << result.out.constData();
}

} // namespace
