#pragma once

#include "platform/SettingsStore.h"
#include "ui/CommandBar.h"
#include "ui/UiServices.h"

#include <QDialog>

#include <memory>

class CCommandBar;
class CHomeView;
class CRecordStore;
class CStoreReporter;
class QLabel;
class QMenuBar;
class QScrollArea;
class QToolBar;

// The main window: welcome text, version label, banner, and the command bar
// from which every other screen opens. It keeps the three main settings while
// it runs and hands them, and a freshly opened record store, to its screens.
// Shown on a desktop it is the home instead: a menu bar with the command bar's
// entries, a toolbar of the frequent actions, and the logbook itself
// (CHomeView), read again after each screen that may have changed it.
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
    // Made the first time the window is shown on a desktop; null before.
    CHomeView *home() const { return m_home; }
    QMenuBar *menuBar() const { return m_menuBar; }
    QToolBar *toolBar() const { return m_toolBar; }
    // The toolbar's Motor Guide: flies every catalogue motor in the rocket
    // chosen in the Rockets list.
    QAction *motorGuideAction() const { return m_motorGuide; }
    bool isHome() const { return m_homeShown; }

    // As the home, about 70% of the available screen, at least 1024x700
    // where it fits; the start-up window's own size elsewhere.
    QSize sizeHint() const override;

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
    // The toolbar's actions that the command bar has not.
    void onNewRocket();
    void onMotorGuide();
    void onImportMotors();
    void onAddAltimeterData();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createCommands();
    void createToolBar();
    void showVersionAndBanner();
    // The home on a desktop screen, the start-up window elsewhere.
    void showForScreen();
    void refreshHome();
    // The home's header: the welcome, the version and the banner.
    QString welcomeHeader() const;

    CSettingsStore &m_settings;
    CUiServices m_ui;
    CStoreReporter &m_reporter;
    CMainSettings m_main;
    QString m_bannerText;
    QString m_currentChecklist;
    QLabel *m_versionLabel = nullptr;
    QLabel *m_bannerLabel = nullptr;
    CCommandBar *m_commandBar = nullptr;
    QList<CCommandEntry> m_entries;
    QWidget *m_startPage = nullptr;
    QScrollArea *m_homeArea = nullptr;
    CHomeView *m_home = nullptr;
    QMenuBar *m_menuBar = nullptr;
    QToolBar *m_toolBar = nullptr;
    QAction *m_motorGuide = nullptr;
    bool m_homeShown = false;
};

// The home's opening size on a screen with this much room.
QSize homeWindowSize(QSize available);
