#pragma once

#include "app/PromptStoreReporter.h"
#include "ui/UiServices.h"

class CSettingsStore;

// Start-up: the settings (written with their defaults at the first start), the
// logbook in the storage directory, then the main window until it closes.
class CTarvelApp
{
public:
    CTarvelApp(CSettingsStore &settings, CUiServices ui, CPromptStoreReporter::Exit exit);

    // Runs the main window modally; the process's exit status.
    int run();

    // Everything before the main window is shown; false when the logbook could
    // not be created (the main window still opens, as the screens report it).
    // Settings that cannot be read or saved are reported, naming the file, and
    // the default storage directory is used.
    bool prepare();

private:
    // Leaves the logbook one self-contained file as the program ends.
    void settleOnExit();

    CSettingsStore &m_settings;
    CUiServices m_ui;
    CPromptStoreReporter m_reporter;
};
