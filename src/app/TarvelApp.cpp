#include "app/TarvelApp.h"

#include "app/TarvelDlg.h"
#include "db/LogbookFile.h"
#include "db/Schema.h"
#include "db/SqlStatement.h"
#include "platform/SettingsStore.h"
#include "ui/Prompter.h"

#include <QDebug>
#include <QFileInfo>

#include <utility>

CTarvelApp::CTarvelApp(CSettingsStore &settings, CUiServices ui, CPromptStoreReporter::Exit exit)
    : m_settings(settings)
    , m_ui(ui)
    , m_reporter(ui.prompter, nullptr, std::move(exit))
{ }

bool CTarvelApp::prepare()
{
    const bool existed = QFileInfo::exists(m_settings.fileName());
    CMainSettings main;
    if (!m_settings.loadMainSettings(main)) {
        // The load fell back to the default storage directory; the flyer must
        // know why their logbook is not the one shown.
        const QString problem = existed ? QStringLiteral("The settings in %1 cannot be read.")
                                        : QStringLiteral("The settings cannot be saved in %1.");
        m_ui.prompter.error(nullptr,
                            problem.arg(m_settings.fileName())
                                + QStringLiteral("\nThe storage directory is %1").arg(main.storageDirectory));
    }
    if (main.storageDirectory.isEmpty())
        return false;
    return CreateDatabase(main.storageDirectory);
}

int CTarvelApp::run()
{
    // A logbook that cannot be made is told of by the first screen that opens it.
    prepare();
    CTarvelDlg dialog(m_settings, m_ui, m_reporter);
    m_reporter.setParent(&dialog);
    dialog.exec();
    m_reporter.setParent(nullptr);
    settleOnExit();
    return 0;
}

void CTarvelApp::settleOnExit()
{
    // The last screen to close its logbook has left it one file, unless
    // another program closed it at the same moment; then it is done here. A
    // program that has it open still does it when it closes.
    QString directory = m_settings.ReadSetting(QLatin1String(kSettingDefaultDirectory));
    if (directory.isEmpty())
        return;
    if (!directory.endsWith(QLatin1Char('/')))
        directory += QLatin1Char('/');
    CSqlError error;
    if (!settleLogbook(databasePath(directory), error) && !error.isBusy())
        qWarning().noquote() << "The logbook" << databasePath(directory) << "is left with its log:" << error.message;
}
