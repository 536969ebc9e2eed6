#include "logbook/FlightLog.h"

#include "db/RecordStore.h"
#include "logbook/FlightFilter.h"
#include "support/TestLogbook.h"

#include <gtest/gtest.h>

namespace {

class FlightLogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
        ASSERT_TRUE(m_store.RunSql(QStringLiteral("INSERT INTO Rockets (ID, Name) VALUES (1, 'Alpha')")));
    }

    // A flight of rocket 1 with the given date, drogue time and notes.
    void addFlight(const QString &date, const QString &drogue = QStringLiteral("14:07"),
                   const QString &notes = QStringLiteral("same"))
    {
        ASSERT_TRUE(m_store.RunSql(
            QStringLiteral("INSERT INTO Launches (Model, Motor, MotorMfg, MotorDelay, Site, WindSpeed, Temperature, "
                           "Celcius, Date, DrogueTime, MainTime, DoneTime, Notes, Success) VALUES "
                           "('1', 'C6', 'Estes', '5', 'North Field', 5, 72, 0, '%1', '%2', '', '', '%3', -1)")
                .arg(date, drogue, notes)));
    }

    QStringList launches() const
    {
        return m_logbook.rows(QStringLiteral("SELECT rowid, Date, Notes, Site FROM Launches ORDER BY rowid"));
    }

    CTestLogbook m_logbook;
    CRecordStore m_store;
    CFlightLog m_log {m_store};
};

TEST_F(FlightLogTest, SortsNewestFirstByRealDateAndTime)
{
    addFlight(QStringLiteral("12/31/2025")); // 1
    addFlight(QStringLiteral("01/02/2026")); // 2
    addFlight(QStringLiteral("1/15/2026"), QStringLiteral("9:05")); // 3: one-digit month, morning
    addFlight(QStringLiteral("1/15/2026"), QStringLiteral("14:30")); // 4: same day, afternoon
    addFlight(QStringLiteral("someday")); // 5: unreadable, last
    addFlight(QStringLiteral("02/01/2025")); // 6
    std::vector<CFlightEntry> flights = m_log.load();
    ASSERT_TRUE(m_log.lastError().isEmpty()) << qPrintable(m_log.lastError());
    sortNewestFirst(flights);
    std::vector<qint64> order;
    for (const CFlightEntry &flight : flights)
        order.push_back(flight.rowId);
    EXPECT_EQ(order, (std::vector<qint64> {4, 3, 2, 1, 6, 5}));

    CFlightFilter january;
    january.from = QDate(2026, 1, 1);
    january.to = QDate(2026, 1, 15);
    std::erase_if(flights, [&](const CFlightEntry &flight) { return !january.matches(flight); });
    EXPECT_EQ(flights.size(), 3u); // both ends inclusive; the unreadable date is outside every range
}

TEST_F(FlightLogTest, EditAndDeleteTouchOnlyTheAddressedOfTwoIdenticalRows)
{
    addFlight(QStringLiteral("03/13/2001"));
    addFlight(QStringLiteral("03/13/2001"));
    CFlightEntry second = m_log.find(2);
    ASSERT_EQ(second.rowId, 2);
    EXPECT_EQ(second.rocketName, QStringLiteral("Alpha"));
    second.notes = QStringLiteral("O'Brien's field'); DELETE FROM Launches; --");
    second.site = QStringLiteral("South Field");
    ASSERT_TRUE(m_log.update(second)) << qPrintable(m_log.lastError());
    EXPECT_EQ(launches(),
              QStringList({"1|03/13/2001|same|North Field",
                           "2|03/13/2001|O'Brien's field'); DELETE FROM Launches; --|South Field"}));

    ASSERT_TRUE(m_log.remove(1)) << qPrintable(m_log.lastError());
    EXPECT_EQ(launches(), QStringList({"2|03/13/2001|O'Brien's field'); DELETE FROM Launches; --|South Field"}));
    EXPECT_EQ(m_store.transactionDepth(), 0);

    // Two rockets left sharing a number by an older renumbering list the flight once.
    ASSERT_TRUE(m_store.RunSql(QStringLiteral("INSERT INTO Rockets (ID, Name) VALUES (1, 'Alpha Twin')")));
    EXPECT_EQ(m_log.load().size(), 1u);
}

TEST_F(FlightLogTest, RefusedWritesLeaveTheRowAsItWas)
{
    addFlight(QStringLiteral("03/13/2001"));
    const QStringList before = launches();
    CFlightEntry bad = m_log.find(1);

    struct Case
    {
        const char *what;
        std::function<void(CFlightEntry &)> change;
        const char *reason;
    };
    const std::vector<Case> cases = {
        {"unreadable date", [](CFlightEntry &f) { f.dateText = QStringLiteral("13/45/2001"); }, "MM/DD/YYYY"},
        {"no such day", [](CFlightEntry &f) { f.dateText = QStringLiteral("02/30/2024"); },
         "February 2024 has 29 days"},
        {"unreadable time", [](CFlightEntry &f) { f.mainTime = QStringLiteral("25:00"); }, "H:MM"},
        {"wind as words", [](CFlightEntry &f) { f.windSpeed = QStringLiteral("calm"); }, "whole number"},
        {"no such row", [](CFlightEntry &f) { f.rowId = 99; }, "no longer"},
    };
    for (const Case &c : cases) {
        CFlightEntry flight = bad;
        flight.notes = QStringLiteral("changed");
        c.change(flight);
        EXPECT_FALSE(m_log.update(flight)) << c.what;
        EXPECT_TRUE(m_log.lastError().contains(QLatin1String(c.reason)))
            << c.what << ": " << qPrintable(m_log.lastError());
        EXPECT_EQ(launches(), before) << c.what;
    }

    // The store itself refuses: the transaction is rolled back and the reason passed on.
    ASSERT_TRUE(m_logbook.exec(
        {"CREATE TRIGGER KeepFlights BEFORE UPDATE ON Launches BEGIN SELECT RAISE(ABORT, 'flights are locked'); END",
         "CREATE TRIGGER KeepFlights2 BEFORE DELETE ON Launches BEGIN SELECT RAISE(ABORT, 'flights are locked'); "
         "END"}));
    bad.notes = QStringLiteral("changed");
    EXPECT_FALSE(m_log.update(bad));
    EXPECT_TRUE(m_log.lastError().contains(QLatin1String("flights are locked"))) << qPrintable(m_log.lastError());
    EXPECT_FALSE(m_log.remove(1));
    EXPECT_TRUE(m_log.lastError().contains(QLatin1String("flights are locked"))) << qPrintable(m_log.lastError());
    EXPECT_FALSE(m_log.remove(42));
    EXPECT_EQ(launches(), before);
    EXPECT_EQ(m_store.transactionDepth(), 0);

    ASSERT_TRUE(m_logbook.exec(
        {"CREATE TRIGGER NoNewFlights BEFORE INSERT ON Launches BEGIN SELECT RAISE(ABORT, 'no room'); END"}));
    EXPECT_EQ(m_log.insert(bad), 0);
    EXPECT_TRUE(m_log.lastError().contains(QLatin1String("no room"))) << qPrintable(m_log.lastError());
    EXPECT_EQ(launches(), before);
}

// Both forms a row may hold its motor in read as the same maker, type and
// delay, and are named alike; an entry of stages names its own delays.
TEST(FlightMotor, BothStoredFormsReadAsOneMotor)
{
    struct Case
    {
        const char *motor, *maker, *delay;
        const char *type, *text;
    };
    const Case cases[] = {
        {"EST C6-5", "EST", "5", "C6", "EST C6-5"}, // the launch wizard's recommended-motor entry
        {"C6", "EST", "5", "C6", "EST C6-5"}, // typed, each part in its column
        {"C6-5", "EST", "5", "C6", "EST C6-5"},
        {"estes c6-5", "Estes", "5", "c6", "Estes c6-5"},
        {" K480W-14 ", " AeroTech ", " 14 ", "K480W", "AeroTech K480W-14"},
        {"C6-5", "", "", "C6-5", "C6-5"}, // no delay column to take it from
        {"EstesX C6", "Estes", "", "EstesX C6", "Estes EstesX C6"}, // the maker only as a whole word
        {"S1 D12-3x3 S2 C6-7 ", "EST", "3", "S1 D12-3x3 S2 C6-7", "EST S1 D12-3x3 S2 C6-7"},
        {"", "", "", "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.motor);
        const CFlightMotor motor = flightMotor(QLatin1String(c.motor), QLatin1String(c.maker), QLatin1String(c.delay));
        EXPECT_EQ(motor.type, QLatin1String(c.type));
        EXPECT_EQ(motor.maker, QString::fromLatin1(c.maker).trimmed());
        EXPECT_EQ(motor.text(), QLatin1String(c.text));
    }
}

// What is wrong with a date is said: the day the month has not, the month
// the year has not, or the form.
TEST(FlightDates, ReadBothFormsAndSayWhyOneIsNone)
{
    EXPECT_EQ(parseFlightDate(QStringLiteral("1/5/26")), QDate(2026, 1, 5));
    EXPECT_EQ(parseFlightDate(QStringLiteral("2024-02-29")), QDate(2024, 2, 29));
    EXPECT_FALSE(parseFlightDate(QStringLiteral("+1/5/2026")).isValid());
    const std::pair<const char *, const char *> problems[] = {
        {"02/30/2024", "\"02/30/2024\" is not a date: February 2024 has 29 days."},
        {"2/29/2023", "\"2/29/2023\" is not a date: February 2023 has 28 days."},
        {"13/45/2026", "\"13/45/2026\" is not a date: there is no month 13 (dates are MM/DD/YYYY)."},
        {"someday", "\"someday\" is not a date of the form MM/DD/YYYY."},
        {"03/13/2001", ""},
    };
    for (const auto &[text, problem] : problems)
        EXPECT_EQ(flightDateProblem(QLatin1String(text)), QLatin1String(problem)) << text;
    // A flight stored without a date, as the wizard may, can be edited without one.
    CFlightEntry undated;
    EXPECT_EQ(flightEntryProblem(undated), QString());
}

// A flight whose rocket is gone, and one stored without a rocket, are listed,
// searched and chosen by the label they show.
TEST_F(FlightLogTest, FlightsWithoutARocketAreFoundByTheirLabel)
{
    ASSERT_TRUE(
        m_logbook.exec({"INSERT INTO Launches (Model, Notes) VALUES ('6', 'gone'), ('', 'none'), ('0', 'zero')"}));
    QStringList labels;
    for (const CFlightEntry &flight : m_log.load())
        labels.append(flight.notes + QLatin1Char('|') + flight.rocketLabel());
    EXPECT_EQ(labels, QStringList({"gone|Rocket 6", "none|No rocket", "zero|No rocket"}));

    const auto found = [this](const CFlightFilter &filter) {
        QStringList notes;
        for (const CFlightEntry &flight : m_log.load()) {
            if (filter.matches(flight))
                notes.append(flight.notes);
        }
        return notes;
    };
    CFlightFilter filter;
    filter.search = QStringLiteral("rocket 6");
    EXPECT_EQ(found(filter), QStringList({"gone"}));
    filter.search.clear();
    filter.rocketLabel = QStringLiteral("ROCKET 6");
    EXPECT_EQ(found(filter), QStringList({"gone"}));
    filter.rocketLabel.clear();
    filter.rocketKey = QString();
    EXPECT_EQ(found(filter), QStringList({"none", "zero"}));
}

// The altitude a rocket expects of the motor flown is found whichever form the
// flight holds its motor in; a maker or delay the flight names chooses among
// the rocket's motors of that type.
TEST_F(FlightLogTest, ExpectedAltitudeOfEitherMotorForm)
{
    ASSERT_TRUE(m_logbook.exec({
        "INSERT INTO RecMotors (RocketID, Type, Delay, MFG, Alt) VALUES (1, 'C6', '5', 'EST', 300), "
        "(1, 'C6', '7', 'EST', 250), (1, 'C6', '5', 'Quest', 200), (1, 'D12', '3', 'EST', 0)",
    }));
    struct Case
    {
        const char *rocket, *motor, *maker, *delay;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {"1", "EST C6-5", "EST", "5", 300.0},  {"1", "C6", "EST", "7", 250.0},         {"1", "c6", "", "", 300.0},
        {"1", "C6", "Quest", "5", 200.0},      {"1", "D12", "EST", "3", std::nullopt}, // no altitude given
        {"1", "B6", "EST", "4", std::nullopt}, {"2", "C6", "EST", "5", std::nullopt},
    };
    for (const Case &c : cases) {
        CFlightEntry flight;
        flight.rocketId = QLatin1String(c.rocket);
        flight.motor = QLatin1String(c.motor);
        flight.motorMfg = QLatin1String(c.maker);
        flight.motorDelay = QLatin1String(c.delay);
        std::optional<double> expected;
        ASSERT_TRUE(m_log.expectedAltitude(flight, expected)) << qPrintable(m_log.lastError());
        EXPECT_EQ(expected, c.expected) << c.motor << " " << c.maker << " " << c.delay;
    }
}

} // namespace
