#include "launch/LaunchSites.h"

#include "platform/CalendarReader.h"
#include "platform/VCardReader.h"

#include <QCollator>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>

namespace {
// The storage directory's files with that extension, by name; the extension
// is matched without regard to case, as files copied from Windows have it.
QStringList filesWithExtension(const QString &storageDirectory, const QString &extension)
{
    QDir directory(storageDirectory);
    directory.setFilter(QDir::Files | QDir::Readable | QDir::Hidden);
    directory.setNameFilters({QStringLiteral("*.") + extension});
    directory.setSorting(QDir::Name);
    QStringList paths;
    for (const QString &name : directory.entryList())
        paths.append(directory.filePath(name));
    return paths;
}

// Past this, the files not yet read are left for the next opening: the launch
// screen waits for this function.
constexpr qint64 kTimeLimitMs = 700;

// Reads a file that is not too large; false with a note otherwise.
bool readFile(const QString &path, QByteArray &data, QStringList &notes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() > kMaxSiteFileBytes) {
        notes.append(QStringLiteral("%1: skipped, larger than %2 MB").arg(path).arg(kMaxSiteFileBytes >> 20));
        return false;
    }
    // A device or a file still growing reports no honest size.
    data = file.read(kMaxSiteFileBytes + 1);
    if (data.size() > kMaxSiteFileBytes) {
        notes.append(QStringLiteral("%1: skipped, larger than %2 MB").arg(path).arg(kMaxSiteFileBytes >> 20));
        return false;
    }
    return file.error() == QFileDevice::NoError;
}

bool outOfTime(const QElapsedTimer &clock, const QStringList &paths, qsizetype next, QStringList &notes)
{
    if (!clock.hasExpired(kTimeLimitMs))
        return false;
    for (qsizetype i = next; i < paths.size(); ++i)
        notes.append(QStringLiteral("%1: skipped, out of time").arg(paths.at(i)));
    return true;
}
} // namespace

CLaunchSites LoadLaunchSites(const QString &storageDirectory, const QString &sitesCategory, const QDate &today,
                             const QTimeZone &localZone)
{
    CLaunchSites result;
    if (storageDirectory.isEmpty())
        return result;
    QElapsedTimer clock;
    clock.start();
    QByteArray data;
    const QStringList contacts = filesWithExtension(storageDirectory, QStringLiteral("vcf"));
    const QStringList calendars = filesWithExtension(storageDirectory, QStringLiteral("ics"));
    for (qsizetype i = 0; i < contacts.size(); ++i) {
        const QString &path = contacts.at(i);
        if (outOfTime(clock, contacts + calendars, i, result.notes))
            return result;
        if (!readFile(path, data, result.notes))
            continue;
        for (const CVCardContact &contact : readVCards(data)) {
            const QString site = siteNameOf(contact);
            if (!site.isEmpty() && belongsToCategory(contact, sitesCategory))
                result.sites.append(site);
        }
    }
    CCalendarBudget budget;
    for (qsizetype i = 0; i < calendars.size(); ++i) {
        const QString &path = calendars.at(i);
        if (outOfTime(clock, calendars, i, result.notes))
            return result;
        if (!readFile(path, data, result.notes))
            continue;
        CCalendarSkips skips;
        const bool wasExhausted = budget.exhausted;
        const std::optional<QString> site =
            findAppointmentLocation(data, QLatin1String(kLaunchAppointmentSummary), today, localZone, &budget, &skips);
        if (skips.tooDeep)
            result.notes.append(
                QStringLiteral("%1: skipped, components nested deeper than %2").arg(path).arg(kMaxCalendarDepth));
        if (skips.longLines > 0)
            result.notes.append(QStringLiteral("%1: %2 line(s) longer than %3 KB left out")
                                    .arg(path)
                                    .arg(skips.longLines)
                                    .arg(kMaxCalendarLineBytes >> 10));
        if (budget.exhausted && !wasExhausted)
            result.notes.append(QStringLiteral("%1: too many recurrences, the rest left unread").arg(path));
        if (site) {
            result.todaysSite = *site;
            break;
        }
    }
    return result;
}

QString siteNameOf(const CVCardContact &contact)
{
    return contact.givenName + contact.familyName + contact.organisation;
}

bool belongsToCategory(const CVCardContact &contact, const QString &sitesCategory)
{
    const QString wanted = sitesCategory.trimmed();
    if (wanted.isEmpty())
        return false;
    return std::any_of(contact.categories.cbegin(), contact.categories.cend(), [&wanted](const QString &category) {
        return category.compare(wanted, Qt::CaseInsensitive) == 0;
    });
}

QStringList siteBoxOrder(QStringList sites)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(sites.begin(), sites.end(),
                     [&collator](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
    return sites;
}
