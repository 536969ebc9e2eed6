#include "platform/Platform.h"

#include <QApplication>

int runBenchmarksWithRatios(int argc, char **argv);

int main(int argc, char **argv)
{
    // Screens are measured too, drawn offscreen unless a platform is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    setApplicationIdentity();
    return runBenchmarksWithRatios(argc, argv);
}
