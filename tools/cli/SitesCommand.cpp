#include "cli/CliCommand.h"
#include "cli/CliRun.h"
#include "launch/LaunchSites.h"

#include <QDate>

namespace {

void declareSites(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("date"),
                      QStringLiteral("The day whose launch site is wanted; today if not given."),
                      QStringLiteral("YYYY-MM-DD")});
}

int runSites(CCliRun &run)
{
    QDate day = QDate::currentDate();
    if (run.isSet(QStringLiteral("date"))) {
        day = QDate::fromString(run.value(QStringLiteral("date")), Qt::ISODate);
        if (!day.isValid())
            return run.usageError(
                QStringLiteral("\"%1\" is not a date of the form YYYY-MM-DD").arg(run.value(QStringLiteral("date"))));
    }
    if (!run.prepare())
        return kCliFailed;
    const CLaunchSites found = LoadLaunchSites(run.storageDirectory(), run.settings().sitesCategory, day);
    for (const QString &note : found.notes)
        run.note(note);
    for (const QString &site : siteBoxOrder(found.sites))
        run.print(site);
    run.print(QStringLiteral("Today: ") + found.todaysSite);
    return kCliSucceeded;
}

} // namespace

const CCliCommand kSitesCommand = {
    "sites",
    "[--date YYYY-MM-DD]",
    "launch sites of the sites category, then \"Today: \" and the day's launch site",
    0,
    0,
    declareSites,
    runSites,
};
