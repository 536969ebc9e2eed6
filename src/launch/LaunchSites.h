#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTimeZone>

struct CVCardContact;

// What the launch screen shows when it opens: the sites of the contacts in
// the sites category, and the place of the day's launch appointment.
struct CLaunchSites
{
    QStringList sites; // in file-name order, then card order within a file
    QString todaysSite; // empty when there is no launch that day
    // Files, or parts of them, left unread because reading them would cost too
    // much: one line each, naming the file.
    QStringList notes;
};

// Contact and calendar files larger than this are not read.
inline constexpr qint64 kMaxSiteFileBytes = qint64(8) * 1024 * 1024;

// Reads every "*.vcf" (contacts) and "*.ics" (calendar) file of the storage
// directory (a path ending with "/"). Files that are missing, unreadable or
// malformed give nothing. The work is bounded whatever the folder holds: files
// too large, lines too long, nesting too deep, recurrences too many and time
// beyond the limit are skipped with a note.
CLaunchSites LoadLaunchSites(const QString &storageDirectory, const QString &sitesCategory, const QDate &today,
                             const QTimeZone &localZone = QTimeZone::systemTimeZone());

// A contact's site: given name, family name and organisation with no separator.
QString siteNameOf(const CVCardContact &contact);

// Whether one of the contact's categories is the sites category, ignoring case.
bool belongsToCategory(const CVCardContact &contact, const QString &sitesCategory);

// The sites as the sorted site box lists them: by the user's collation, case
// ignored.
QStringList siteBoxOrder(QStringList sites);

// The title of the appointment that names the day's launch site.
inline constexpr char kLaunchAppointmentSummary[] = "Launch";
