#include "app/BannerText.h"

#include <QStringList>

namespace {
const char *const kAuthor = "The Tarvel developers";
const char *const kContact = "the Tarvel issue tracker";
} // namespace

QString bannerText()
{
    return QStringList {QStringLiteral("Created by"),
                        QLatin1String(kAuthor),
                        QStringLiteral("For more info or bug reports contact "),
                        QLatin1String(kContact),
                        QStringLiteral("Enjoy"),
                        QString(),
                        QStringLiteral("Go to options to turn off this banner.")}
        .join(QLatin1Char('\n'));
}

QString aboutText()
{
    return QStringList {QStringLiteral("Tarvel"),
                        QLatin1String(kVersionLabel),
                        QStringLiteral("Created by ") + QLatin1String(kAuthor),
                        QStringLiteral("If you find this program useful then feel free to send me what you think its "
                                       "worth. Let me know of any bugs you find or any enhancements you think of."),
                        QStringLiteral("Contact me at"),
                        QLatin1String(kContact)}
        .join(QLatin1Char('\n'));
}
