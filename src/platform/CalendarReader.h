#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTimeZone>

#include <optional>

// The work reading calendars may cost, shared by every file read for one
// answer, so that no file or set of files can hold the caller up.
struct CCalendarBudget
{
    // Recurrence steps and exception-date comparisons still allowed.
    qint64 steps = 50000;
    // Set when a file needed more than was left; its answer may be incomplete.
    bool exhausted = false;
};

// Content lines (after unfolding) longer than this are left out of a calendar
// before it is parsed, and a file whose components nest deeper than the depth
// is not read at all: the parser's cost grows with the square of a line's
// length and its stack with the depth.
inline constexpr qsizetype kMaxCalendarLineBytes = 64 * 1024;
inline constexpr int kMaxCalendarDepth = 16;

// What was left out of a calendar file, for a note to the user.
struct CCalendarSkips
{
    int longLines = 0;
    bool tooDeep = false;
};

// Looks through the events of an iCalendar file (".ics") for the first one, in
// file order, that is titled exactly `summary`, has an occurrence starting on
// `day` in `localZone` (recurrences expanded, exception dates and moved
// occurrences respected, all-day events by their date), is not cancelled and
// is tentative or busy. Returns its LOCATION (empty when it has none), or no
// value when no event qualifies or the file cannot be read. Accepts any bytes;
// the work is bounded by the budget (a fresh one when none is given), and what
// had to be left out is reported in skips.
std::optional<QString> findAppointmentLocation(const QByteArray &icsData, const QString &summary, const QDate &day,
                                               const QTimeZone &localZone, CCalendarBudget *budget = nullptr,
                                               CCalendarSkips *skips = nullptr);
