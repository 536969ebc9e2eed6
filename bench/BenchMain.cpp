#include "platform/Platform.h"

#include <QCoreApplication>

int runBenchmarksWithRatios(int argc, char **argv);

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    setApplicationIdentity();
    return runBenchmarksWithRatios(argc, argv);
}
