#pragma once

#include "platform/SettingsStore.h"
#include "ui/UiServices.h"

#include <QDialog>

#include <memory>

class CCommandBar;
class CRecordStore;
class CStoreReporter;
class QLabel;

// The main window: welcome text, version label, banner, and the command bar
// from which every other screen opens. It keeps the three main settings while
// it runs and hands them, and a freshly opened record store, to its screens.
class CTarvelDlg : public QDialog
{
    Q_OBJECT

public:
    CTarvelDlg(CSettingsStore &settings, CUiServices ui, CStoreReporter &reporter, QWidget *parent = nullptr);
    ~CTarvelDlg() override;

    const CMainSettings &mainSettings() const { return m_main; }
    CSettingsStore &settingsStore() { return m_settings; }
    CUiServices ui() const { return m_ui; }
    CStoreReporter &reporter() { return m_reporter; }
    CCommandBar *commandBar() const { return m_commandBar; }

    // Kept by the rocket page and read by the checklist page of the Rockets sheet.
    QString &currentChecklist() { return m_currentChecklist; }

    // A store opened on the storage directory for one screen; null when the
    // logbook cannot be opened (the reporter has told the user).
    std::unique_ptr<CRecordStore> openStore();

    // Shows or hides the banner after the banner setting changed.
    void setDisplayBanner(bool display);

    // Closing remembers where the window was (on a desktop).
    void done(int result) override;

public slots:
    // The commands of the command bar; each opens its screen modally.
    void onAbout();
    void onHelp();
    void onOptions();
    void onQueries();
    void onViewer();
    void onDefaults();
    void onRockets();
    void onLaunch();
    void onFlights();

private:
    void createCommandBar();
    void showVersionAndBanner();

    CSettingsStore &m_settings;
    CUiServices m_ui;
    CStoreReporter &m_reporter;
    CMainSettings m_main;
    QString m_bannerText;
    QString m_currentChecklist;
    QLabel *m_versionLabel = nullptr;
    QLabel *m_bannerLabel = nullptr;
    CCommandBar *m_commandBar = nullptr;
};
