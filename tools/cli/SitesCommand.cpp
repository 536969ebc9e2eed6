#include "cli/CliCommand.h"
#include "cli/CliContext.h"
#include "launch/LaunchSites.h"

#include <QDate>

int runSites(const QStringList &arguments, FILE *out, FILE *err)
{
    QDate day = QDate::currentDate();
    if (!arguments.isEmpty()) {
        if (arguments.size() != 2 || arguments.at(0) != QLatin1String("--date")) {
            printLine(err, QStringLiteral("usage: tarvel-cli sites [--date YYYY-MM-DD]"));
            return 2;
        }
        day = QDate::fromString(arguments.at(1), Qt::ISODate);
        if (!day.isValid()) {
            printLine(err,
                      QStringLiteral("tarvel-cli: \"%1\" is not a date of the form YYYY-MM-DD").arg(arguments.at(1)));
            return 2;
        }
    }
    CCliContext context;
    if (!context.prepare(err))
        return 1;
    const CLaunchSites found = LoadLaunchSites(context.storageDirectory(), context.settings().sitesCategory, day);
    for (const QString &note : found.notes)
        printLine(err, QStringLiteral("tarvel-cli: ") + note);
    for (const QString &site : siteBoxOrder(found.sites))
        printLine(out, site);
    printLine(out, QStringLiteral("Today: ") + found.todaysSite);
    return 0;
}
