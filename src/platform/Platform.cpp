#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDir>
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

QString expandHomeFolder(const QString &path)
{
    if (path == QLatin1String("~"))
        return QDir::homePath();
    if (path.startsWith(QLatin1String("~/")))
        return QDir::homePath() + path.mid(1);
    return path;
}

QString storageDirectoryPath(const QString &path)
{
    QString directory = expandHomeFolder(path);
    if (directory.isEmpty() || QDir::isRelativePath(directory))
        return {};
    if (!directory.endsWith(QLatin1Char('/')))
        directory += QLatin1Char('/');
    return directory;
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
