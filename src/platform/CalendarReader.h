#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTimeZone>

#include <optional>

// Looks through the events of an iCalendar file (".ics") for the first one, in
// file order, that is titled exactly `summary`, has an occurrence starting on
// `day` in `localZone` (recurrences expanded, exception dates and moved
// occurrences respected, all-day events by their date), is not cancelled and
// is tentative or busy. Returns its LOCATION (empty when it has none), or no
// value when no event qualifies or the file cannot be read. Accepts any bytes.
std::optional<QString> findAppointmentLocation(const QByteArray &icsData, const QString &summary, const QDate &day,
                                               const QTimeZone &localZone);
