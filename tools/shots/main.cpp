// tarvel-shots DIR: renders every screen offscreen into DIR at three sizes (the
// handheld's window, a desktop, a phone), on a sample logbook in a temporary
// storage directory. The user's own settings and logbook are never touched.
#include "offscreen/ReferenceScreens.h"
#include "platform/Platform.h"
#include "shots/SampleLogbook.h"
#include "shots/ShotContext.h"
#include "ui/Appearance.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarvel-shots DIR\n");
        return 2;
    }
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/tarvel-shots-XXXXXX"));
    if (!home.isValid()) {
        std::fprintf(stderr, "tarvel-shots: cannot create a temporary folder\n");
        return EXIT_FAILURE;
    }
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
    // Every screen is photographed on a desktop, the handheld's window and a phone.
    if (!selectOffscreenReferenceScreens(home.path())) {
        std::fprintf(stderr, "tarvel-shots: runs on the offscreen platform only (unset QT_QPA_PLATFORM)\n");
        return EXIT_FAILURE;
    }

    QApplication application(argc, argv);
    setApplicationIdentity();
    applyHandheldAppearance(application);

    const QString output = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    if (!QDir().mkpath(output)) {
        std::fprintf(stderr, "tarvel-shots: cannot create %s\n", argv[1]);
        return EXIT_FAILURE;
    }
    const QString storage = home.path() + QStringLiteral("/storage/");
    CShotContext context(output, storage);
    context.settings().setDefaultStorageDirectory(storage);
    CMainSettings main;
    if (!context.settings().loadMainSettings(main) || !createSampleLogbook(storage)) {
        std::fprintf(stderr, "tarvel-shots: cannot create the sample logbook\n");
        return EXIT_FAILURE;
    }

    shootApplicationScreens(context);
    shootQueriesScreens(context);
    shootMotorScreens(context);
    shootRocketScreens(context);
    shootGuideScreens(context);
    shootLaunchScreens(context);
    shootFlightScreens(context);
    return context.failures() == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
