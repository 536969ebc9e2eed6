#include "app/TarvelApp.h"
#include "platform/Platform.h"
#include "platform/SettingsStore.h"
#include "ui/Appearance.h"
#include "ui/DialogFileChooser.h"
#include "ui/MessageBoxPrompter.h"

#include <QApplication>
#include <QProcessEnvironment>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    const QString noDisplay = missingDisplayMessage(QProcessEnvironment::systemEnvironment());
    if (!noDisplay.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(noDisplay));
        return EXIT_FAILURE;
    }

    QApplication application(argc, argv);
    setApplicationIdentity();
    applyHandheldAppearance(application);

    CSettingsStore settings;
    CMessageBoxPrompter prompter;
    CDialogFileChooser files;
    CTarvelApp tarvel(settings, CUiServices {prompter, files, &settings}, [](int status) { std::exit(status); });
    return tarvel.run();
}
