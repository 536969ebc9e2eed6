#include "launch/LaunchSites.h"

#include "platform/CalendarReader.h"
#include "platform/VCardReader.h"

#include <QCollator>
#include <QDir>
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

bool readFile(const QString &path, QByteArray &data)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    data = file.readAll();
    return file.error() == QFileDevice::NoError;
}
} // namespace

CLaunchSites LoadLaunchSites(const QString &storageDirectory, const QString &sitesCategory, const QDate &today,
                             const QTimeZone &localZone)
{
    CLaunchSites result;
    if (storageDirectory.isEmpty())
        return result;
    QByteArray data;
    for (const QString &path : filesWithExtension(storageDirectory, QStringLiteral("vcf"))) {
        if (!readFile(path, data))
            continue;
        for (const CVCardContact &contact : readVCards(data)) {
            const QString site = siteNameOf(contact);
            if (!site.isEmpty() && belongsToCategory(contact, sitesCategory))
                result.sites.append(site);
        }
    }
    for (const QString &path : filesWithExtension(storageDirectory, QStringLiteral("ics"))) {
        if (!readFile(path, data))
            continue;
        const std::optional<QString> site =
            findAppointmentLocation(data, QLatin1String(kLaunchAppointmentSummary), today, localZone);
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
