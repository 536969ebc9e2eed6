#include "platform/Platform.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>

void setApplicationIdentity()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Zendrak"));
    QCoreApplication::setApplicationName(QStringLiteral("Tarvel"));
}

QString defaultStorageDirectory()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

QString settingsFilePath()
{
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Zendrak"),
                             QStringLiteral("Tarvel"));
    return settings.fileName();
}

QString missingDisplayMessage(const QProcessEnvironment &environment)
{
    const QString platform = environment.value(QStringLiteral("QT_QPA_PLATFORM"));
    if (!platform.isEmpty() && !platform.startsWith(QLatin1String("xcb"))
        && !platform.startsWith(QLatin1String("wayland")))
        return {}; // offscreen, vnc, eglfs ...: the user chose a platform that needs no desktop
    const bool x11 = !environment.value(QStringLiteral("DISPLAY")).isEmpty();
    const bool wayland = !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
    if (x11 || wayland)
        return {};
    return QStringLiteral("tarvel: no display found (DISPLAY and WAYLAND_DISPLAY are unset); run it in a desktop "
                          "session, or set QT_QPA_PLATFORM=offscreen for a smoke start.");
}
