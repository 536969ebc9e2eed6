// Every test process gets its own HOME, settings and data folders, so no test
// can touch a real user's settings or logbook, and no two tests share state.
#include "offscreen/ReferenceScreens.h"
#include "platform/Platform.h"
#include "ui/Appearance.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char *argv[])
{
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/tarvel-test-XXXXXX"));
    if (!home.isValid())
        return EXIT_FAILURE;
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        const QString folder = home.path() + QLatin1Char('/') + QLatin1String(name);
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv(name, folder.toUtf8());
    }
    qputenv("HOME", home.path().toUtf8());
    // Offscreen, with a desktop, the handheld's window and a phone side by side.
    if (!selectOffscreenReferenceScreens(home.path()) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication application(argc, argv);
    setApplicationIdentity();
    applyHandheldAppearance(application);

    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
