#include "flights/FlightLog.h"

#include "db/RecordStore.h"
#include "flights/FlightFilter.h"
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
}

} // namespace
