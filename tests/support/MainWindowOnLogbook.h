#pragma once

#include "app/TarvelDlg.h"
#include "offscreen/ReferenceScreens.h"
#include "platform/SettingsStore.h"
#include "support/RecordingReporter.h"
#include "support/TestLogbook.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

// The main window on a test logbook, shown, with settings of its own and its
// prompts and file dialogs in the test's hands: where every test of a main
// window command starts. It is the start-up window with its command bar, as on
// the handheld (on a desktop the same commands sit in the home's menu bar).
class CMainWindowOnLogbook
{
public:
    CMainWindowOnLogbook()
    {
        if (!showOnReferenceScreen(&main, ReferenceScreen::Compact))
            main.show();
    }

    CTestLogbook logbook;
    CSettingsStore settings = settingsOn(logbook);
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    CRecordingReporter reporter;
    CTarvelDlg main {settings, {prompter, files}, reporter};

private:
    static CSettingsStore settingsOn(const CTestLogbook &logbook)
    {
        CSettingsStore settings(logbook.directory() + QStringLiteral("settings.ini"));
        settings.setDefaultStorageDirectory(logbook.directory());
        return settings;
    }
};
