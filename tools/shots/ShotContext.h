#pragma once

#include "offscreen/ReferenceScreens.h"
#include "platform/SettingsStore.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"
#include "ui/UiServices.h"

#include <QString>

class QWidget;

// What every screenshot is taken with: the output folder, settings and a
// sample logbook in a temporary storage directory, and a prompter that shows
// nothing.
class CShotContext
{
public:
    CShotContext(const QString &outputDirectory, const QString &storageDirectory);

    CSettingsStore &settings() { return m_settings; }
    CScriptedPrompter &prompter() { return m_prompter; }
    CScriptedFileChooser &files() { return m_files; }
    CUiServices ui() { return {m_prompter, m_files}; }
    // Writes a setting the screens are shot with; a failure is counted and
    // told on stderr, as a failed picture is.
    void writeSetting(const QString &name, const QString &text);
    QString storageDirectory() const { return m_storageDirectory; }

    // Shows the window on each reference screen in turn (the handheld's
    // 240x320, a 1280x800 desktop, a 720x1440 phone at scale 2), lets it lay
    // itself out and paint, and writes "<name>-compact.png", "<name>-desktop.png"
    // and "<name>-phone.png"; false (with a message on stderr) when one fails.
    bool save(QWidget &widget, const QString &name);
    // The same on one reference screen only.
    bool save(QWidget &widget, const QString &name, ReferenceScreen screen);
    int failures() const { return m_failures; }

private:
    QString m_outputDirectory;
    QString m_storageDirectory;
    CSettingsStore m_settings;
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
    int m_failures = 0;
};

// Each subsystem's screens, in a file of their own.
void shootApplicationScreens(CShotContext &context);
void shootQueriesScreens(CShotContext &context);
void shootMotorScreens(CShotContext &context);
void shootRocketScreens(CShotContext &context);
void shootGuideScreens(CShotContext &context);
void shootLaunchScreens(CShotContext &context);
void shootFlightScreens(CShotContext &context);
