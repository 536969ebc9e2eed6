#include "platform/CalendarReader.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {
const QDate kFriday(2026, 3, 13);
// Five hours behind UTC, with no daylight saving, so the tests mean the same
// on every machine.
const QTimeZone kLocal(-5 * 3600);

QByteArray calendar(const QByteArray &events)
{
    return QByteArray("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n") + events + "END:VCALENDAR\r\n";
}

QByteArray event(const QByteArray &lines, const QByteArray &location = "North Field")
{
    return "BEGIN:VEVENT\r\nUID:" + location + "\r\nSUMMARY:Launch\r\nLOCATION:" + location + "\r\n" + lines
        + "END:VEVENT\r\n";
}

std::optional<QString> find(const QByteArray &events, const QDate &day = kFriday)
{
    return findAppointmentLocation(calendar(events), QStringLiteral("Launch"), day, kLocal);
}
} // namespace

TEST(CalendarReader, FindsTodaysLaunchByLocalDate)
{
    EXPECT_EQ(find(event("DTSTART:20260313T090000\r\n")), QStringLiteral("North Field"));
    EXPECT_EQ(find(event("DTSTART;VALUE=DATE:20260313\r\n")), QStringLiteral("North Field"));
    EXPECT_EQ(find(event("DTSTART;VALUE=DATE:20260312\r\nDTEND;VALUE=DATE:20260314\r\n")), std::nullopt);
    // 02:00 UTC on the 14th is 21:00 on the 13th here, and 03:00 UTC on the
    // 13th is still the 12th.
    EXPECT_EQ(find(event("DTSTART:20260314T020000Z\r\n")), QStringLiteral("North Field"));
    EXPECT_EQ(find(event("DTSTART:20260313T030000Z\r\n")), std::nullopt);
    EXPECT_EQ(find(event("DTSTART:20260313T030000Z\r\n"), kFriday.addDays(-1)), QStringLiteral("North Field"));
    EXPECT_EQ(find(event("DTSTART:20260313T090000\r\n"), kFriday.addDays(1)), std::nullopt);
}

TEST(CalendarReader, ConvertsZonesTheFileDefinesOrKnowsByName)
{
    // 03:00 at UTC+10 is 17:00 the day before here.
    const QByteArray zone("BEGIN:VTIMEZONE\r\nTZID:Club Time\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n"
                          "TZOFFSETFROM:+1000\r\nTZOFFSETTO:+1000\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n");
    EXPECT_EQ(find(zone + event("DTSTART;TZID=Club Time:20260314T030000\r\n")), QStringLiteral("North Field"));
    EXPECT_EQ(find(zone + event("DTSTART;TZID=Club Time:20260313T030000\r\n")), std::nullopt);

    if (!QTimeZone(QByteArray("Asia/Tokyo")).isValid())
        GTEST_SKIP() << "no time zone database on this machine";
    // 08:00 in Tokyo (UTC+9, by IANA or by Windows name) is 18:00 the day before here.
    EXPECT_EQ(find(event("DTSTART;TZID=Asia/Tokyo:20260314T080000\r\n")), QStringLiteral("North Field"));
    EXPECT_EQ(find(event("DTSTART;TZID=Tokyo Standard Time:20260314T080000\r\n")), QStringLiteral("North Field"));
    EXPECT_EQ(find(event("DTSTART;TZID=Asia/Tokyo:20260313T080000\r\n")), std::nullopt);
}

TEST(CalendarReader, ExpandsRecurrences)
{
    const QByteArray weekly("DTSTART:20260102T100000\r\nRRULE:FREQ=WEEKLY;BYDAY=FR\r\n");
    EXPECT_EQ(find(event(weekly)), QStringLiteral("North Field"));
    EXPECT_EQ(find(event(weekly), kFriday.addDays(1)), std::nullopt);
    EXPECT_EQ(find(event(weekly + "EXDATE:20260313T100000\r\n")), std::nullopt);
    EXPECT_EQ(find(event(weekly + "EXDATE:20260313T100000\r\n"), kFriday.addDays(7)), QStringLiteral("North Field"));
    EXPECT_EQ(find(event(weekly + "EXDATE;VALUE=DATE:20260306,20260313\r\n")), std::nullopt);
    // Ten weeks end before the 13th of March; eleven reach it.
    EXPECT_EQ(find(event("DTSTART:20260102T100000\r\nRRULE:FREQ=WEEKLY;COUNT=10\r\n")), std::nullopt);
    EXPECT_EQ(find(event("DTSTART:20260102T100000\r\nRRULE:FREQ=WEEKLY;COUNT=11\r\n")), QStringLiteral("North Field"));
    EXPECT_EQ(find(event("DTSTART:20260102T100000\r\nRDATE:20260313T120000\r\n")), QStringLiteral("North Field"));
    // A rule no date satisfies ends; one that steps every minute since 1990
    // neither hangs nor misses.
    EXPECT_EQ(find(event("DTSTART:20260102T100000\r\nRRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30\r\n")), std::nullopt);
    EXPECT_EQ(find(event("DTSTART:19900101T000000Z\r\nRRULE:FREQ=MINUTELY;INTERVAL=7\r\n")),
              QStringLiteral("North Field"));
}

TEST(CalendarReader, MovedOccurrenceReplacesTheOriginal)
{
    const QByteArray series = event("DTSTART:20260102T100000\r\nRRULE:FREQ=WEEKLY\r\n", "Series");
    const QByteArray moved = "BEGIN:VEVENT\r\nUID:Series\r\nSUMMARY:Launch\r\nLOCATION:Moved\r\n"
                             "RECURRENCE-ID:20260313T100000\r\nDTSTART:20260314T100000\r\nEND:VEVENT\r\n";
    EXPECT_EQ(find(series + moved), std::nullopt);
    EXPECT_EQ(find(series + moved, kFriday.addDays(1)), QStringLiteral("Moved"));
    EXPECT_EQ(find(series + moved, kFriday.addDays(7)), QStringLiteral("Series"));
}

TEST(CalendarReader, CountsOnlyTentativeOrBusyLaunches)
{
    const QByteArray today("DTSTART:20260313T090000\r\n");
    EXPECT_EQ(find(event(today + "TRANSP:TRANSPARENT\r\n")), std::nullopt);
    EXPECT_EQ(find(event(today + "TRANSP:TRANSPARENT\r\nSTATUS:TENTATIVE\r\n")), QStringLiteral("North Field"));
    EXPECT_EQ(find(event(today + "TRANSP:OPAQUE\r\nSTATUS:CONFIRMED\r\n")), QStringLiteral("North Field"));
    EXPECT_EQ(find(event(today + "STATUS:CANCELLED\r\n")), std::nullopt);
    EXPECT_EQ(find(event(today + "X-MICROSOFT-CDO-BUSYSTATUS:OOF\r\n")), std::nullopt);
    EXPECT_EQ(find(event(today + "X-MICROSOFT-CDO-BUSYSTATUS:FREE\r\nSTATUS:TENTATIVE\r\n")), std::nullopt);
    EXPECT_EQ(find(event(today + "X-MICROSOFT-CDO-BUSYSTATUS:BUSY\r\n")), QStringLiteral("North Field"));

    const QByteArray other = "BEGIN:VEVENT\r\nSUMMARY:Launch party\r\nLOCATION:Pub\r\n" + today + "END:VEVENT\r\n";
    EXPECT_EQ(find(other), std::nullopt);
    EXPECT_EQ(find(event(today, "")), QString());
}

TEST(CalendarReader, FirstQualifyingEventWinsAndBadOnesAreSkipped)
{
    const QByteArray today("DTSTART:20260313T090000\r\n");
    const QByteArray broken = "BEGIN:VEVENT\r\nSUMMARY:Launch\r\nLOCATION:Broken\r\nDTSTART:20261399T999999\r\n"
                              "RRULE:FREQ=SOMETIMES\r\nEND:VEVENT\r\n";
    EXPECT_EQ(find(broken + event(today, "Second") + event(today, "Third")), QStringLiteral("Second"));
    EXPECT_EQ(find(event("DTSTART:20260314T090000\r\n", "Tomorrow") + event(today, "Today")), QStringLiteral("Today"));

    EXPECT_EQ(
        findAppointmentLocation("\xEF\xBB\xBF" + calendar(event(today)), QStringLiteral("Launch"), kFriday, kLocal),
        QStringLiteral("North Field"));
    EXPECT_EQ(findAppointmentLocation(QByteArray(), QStringLiteral("Launch"), kFriday, kLocal), std::nullopt);
    const char garbage[] = "\0\x01"
                           "BEGIN:VEVENT\r\n:\r\n;";
    EXPECT_EQ(
        findAppointmentLocation(QByteArray(garbage, sizeof garbage - 1), QStringLiteral("Launch"), kFriday, kLocal),
        std::nullopt);
}

// What is left out before parsing must not change the answer: a folded title
// still counts, an over-long line costs only itself, and recurrences stop at
// the budget instead of running for minutes. (Nesting too deep is skipped as a
// whole: LaunchSitesFolder.HostileFilesAreSkippedWithANote.)
TEST(CalendarReader, BoundsTheWorkWithoutLosingTheLaunch)
{
    const QByteArray today("DTSTART:20260313T090000\r\n");
    const QByteArray folded = "BEGIN:VEVENT\r\nSUMMARY:Lau\r\n nch\r\nLOCATION:Folded\r\n" + today + "END:VEVENT\r\n";
    EXPECT_EQ(find(folded), QStringLiteral("Folded"));

    CCalendarSkips skips;
    const QByteArray note = "DESCRIPTION:" + QByteArray(kMaxCalendarLineBytes, 'n') + "\r\n";
    EXPECT_EQ(findAppointmentLocation(calendar(event(today + note)), QStringLiteral("Launch"), kFriday, kLocal, nullptr,
                                      &skips),
              QStringLiteral("North Field"));
    EXPECT_EQ(skips.longLines, 1);

    CCalendarBudget budget;
    budget.steps = 1000;
    const QByteArray endless("DTSTART:20000101T000000Z\r\nRRULE:FREQ=SECONDLY;COUNT=2000000000\r\n");
    EXPECT_EQ(findAppointmentLocation(calendar(event(endless, "Never") + event(today)), QStringLiteral("Launch"),
                                      kFriday, kLocal, &budget),
              QStringLiteral("North Field"));
    EXPECT_TRUE(budget.exhausted);
    EXPECT_EQ(budget.steps, 0);
}

TEST(CalendarReader, ReadsRealWorldCalendars)
{
    const QDir folder(QStringLiteral(TARVEL_SHARED_TESTDATA "/ical"));
    if (!folder.exists())
        GTEST_SKIP() << "shared test data not found at " << folder.path().toStdString();
    const auto read = [&folder](const QString &name) {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    // Every file, broken and fuzzed ones included, is read without a crash.
    for (const QString &name : folder.entryList({QStringLiteral("*.ics")}, QDir::Files, QDir::Name)) {
        const QByteArray data = read(name);
        ASSERT_FALSE(data.isEmpty()) << name.toStdString();
        EXPECT_EQ(findAppointmentLocation(data, QStringLiteral("Launch"), kFriday, kLocal), std::nullopt)
            << name.toStdString();
    }

    // 10:00 in Vienna on 13 February 2012 is 09:00 UTC, and 23:00 the day before at UTC-10.
    const QByteArray vienna = read(QStringLiteral("timezoned.ics"));
    const QString sprint = QStringLiteral("artsprint 2012");
    EXPECT_EQ(findAppointmentLocation(vienna, sprint, QDate(2012, 2, 13), QTimeZone::utc()),
              QStringLiteral("aka bild, wien"));
    EXPECT_EQ(findAppointmentLocation(vienna, sprint, QDate(2012, 2, 12), QTimeZone(-10 * 3600)),
              QStringLiteral("aka bild, wien"));
    EXPECT_EQ(findAppointmentLocation(vienna, sprint, QDate(2012, 2, 13), QTimeZone(-10 * 3600)), std::nullopt);

    // Daily from 1 April 1996, a hundred times, without the 2nd to the 4th.
    const QByteArray daily = read(QStringLiteral("event_with_recurrence.ics"));
    const QString recurring = QStringLiteral("A recurring event with exdates");
    for (const auto &[day, held] : {std::pair {QDate(1996, 4, 3), false}, std::pair {QDate(1996, 7, 9), true},
                                    std::pair {QDate(1996, 7, 10), false}})
        EXPECT_EQ(findAppointmentLocation(daily, recurring, day, QTimeZone::utc()).has_value(), held) << day.day();
}
