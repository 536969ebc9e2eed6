#include "app/TarvelApp.h"

#include "app/TarvelDlg.h"
#include "db/Schema.h"
#include "platform/SettingsStore.h"

#include <utility>

CTarvelApp::CTarvelApp(CSettingsStore &settings, CUiServices ui, CPromptStoreReporter::Exit exit)
    : m_settings(settings)
    , m_ui(ui)
    , m_reporter(ui.prompter, nullptr, std::move(exit))
{ }

bool CTarvelApp::prepare()
{
    CMainSettings main;
    m_settings.loadMainSettings(main);
    if (main.storageDirectory.isEmpty())
        return false;
    return CreateDatabase(main.storageDirectory);
}

int CTarvelApp::run()
{
    prepare();
    CTarvelDlg dialog(m_settings, m_ui, m_reporter);
    m_reporter.setParent(&dialog);
    dialog.exec();
    m_reporter.setParent(nullptr);
    return 0;
}
