#include "app/TarvelDlg.h"

#include "app/AboutDlg.h"
#include "app/BannerText.h"
#include "app/HomeView.h"
#include "app/LaunchRocketStep.h"
#include "app/OptionsApply.h"
#include "app/OptionsDlg.h"
#include "checklists/ChecklistPage.h"
#include "db/RecordStore.h"
#include "flightdata/AltimeterFileStore.h"
#include "flights/FlightListPane.h"
#include "flights/FlightPageView.h"
#include "flights/FlightsDlg.h"
#include "launch/FlightSounds.h"
#include "launch/GetDataDlg.h"
#include "launch/LaunchDlg.h"
#include "logbook/FlightLog.h"
#include "motors/DefaultMotorsDlg.h"
#include "prediction/MeasureUnits.h"
#include "queries/QueryBuilderDlg.h"
#include "queries/QueryDlg.h"
#include "reflists/DefaultsDlg.h"
#include "rockets/MotorGuideDlg.h"
#include "rockets/RocketCatalogue.h"
#include "rockets/RocketEditSheet.h"
#include "rockets/RocketListPane.h"
#include "rockets/RocketPage.h"
#include "ui/AppIcon.h"
#include "ui/CommandBar.h"
#include "ui/FormFactor.h"
#include "ui/HelpBrowser.h"
#include "ui/Prompter.h"
#include "ui/PropertySheet.h"
#include "ui/StatusWindow.h"

#include <QAction>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
// Where the main window was on a desktop, "x,y,width,height".
const QString kMainWindowGeometry = QStringLiteral("Main Window Geometry");
} // namespace

CTarvelDlg::CTarvelDlg(CSettingsStore &settings, CUiServices ui, CStoreReporter &reporter, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_ui(ui)
    , m_reporter(reporter)
{
    setWindowTitle(QStringLiteral("Tarvel"));
    setObjectName(QStringLiteral("mainWindow"));
    setWindowIcon(applicationIcon());

    auto *welcome = new QLabel(QLatin1String(kWelcomeText), this);
    welcome->setObjectName(QStringLiteral("welcomeLabel"));
    welcome->setAlignment(Qt::AlignCenter);

    m_versionLabel = new QLabel(this);
    m_versionLabel->setObjectName(QStringLiteral("versionLabel"));
    m_versionLabel->setAlignment(Qt::AlignCenter);

    m_bannerLabel = new QLabel(this);
    m_bannerLabel->setObjectName(QStringLiteral("bannerLabel"));
    m_bannerLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_bannerLabel->setWordWrap(true);

    // The start-up window: the texts above the command bar.
    m_startPage = new QWidget(this);
    m_startPage->setObjectName(QStringLiteral("startPage"));
    m_commandBar = new CCommandBar(m_startPage);
    auto *start = new QVBoxLayout(m_startPage);
    start->setContentsMargins(0, 0, 0, 0);
    start->setSpacing(0);
    start->addSpacing(28);
    // On a tall screen the texts sit a little above the middle, not at the top.
    start->addStretch(1);
    start->addWidget(m_versionLabel);
    start->addSpacing(24);
    start->addWidget(welcome);
    start->addSpacing(6);
    start->addWidget(m_bannerLabel);
    start->addStretch(2);
    start->addWidget(m_commandBar);
    m_versionLabel->setParent(m_startPage);
    welcome->setParent(m_startPage);
    m_bannerLabel->setParent(m_startPage);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_startPage, 1);

    createCommands();

    // Settings that cannot be read were told of at start-up, which fell back
    // to the same defaults the window now shows.
    if (!m_settings.loadMainSettings(m_main))
        qDebug().noquote() << "The main window shows the default settings:" << m_settings.fileName();
    showVersionAndBanner();
    applyFormFactor(this, windowGeometryFromText(m_settings.ReadSetting(kMainWindowGeometry)));
    // Installed after the placer's, so it runs first: the window is the home or
    // the start-up window before it is placed.
    installEventFilter(this);
}

QSize homeWindowSize(QSize available)
{
    const QSize comfortable(available.width() * 7 / 10, available.height() * 7 / 10);
    return comfortable.expandedTo(QSize(1024, 700)).boundedTo(available);
}

QSize CTarvelDlg::sizeHint() const
{
    // Decided when the window is shown, before it is placed.
    if (m_homeShown && screen())
        return homeWindowSize(screen()->availableGeometry().size());
    return QDialog::sizeHint();
}

bool CTarvelDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == this && event->type() == QEvent::Show)
        showForScreen();
    return QDialog::eventFilter(watched, event);
}

void CTarvelDlg::showForScreen()
{
    const bool home = formFactorOf(this) == FormFactor::Desktop;
    if (home && !m_home) {
        m_home = new CHomeView(m_settings, m_ui, this);
        connect(m_home->rocketList(), &CRocketListPane::editRequested, this, &CTarvelDlg::onRockets);
        // The home scrolls in a window made smaller than its content, which
        // keeps the window's own minimum that of the start-up window.
        m_homeArea = new QScrollArea(this);
        m_homeArea->setObjectName(QStringLiteral("homeArea"));
        m_homeArea->setFrameShape(QFrame::NoFrame);
        m_homeArea->setWidgetResizable(true);
        m_homeArea->setWidget(m_home);
        m_menuBar = createMenuBar(m_entries, this);
        createToolBar();
        auto *layout = qobject_cast<QVBoxLayout *>(this->layout());
        layout->setMenuBar(m_menuBar);
        layout->insertWidget(0, m_toolBar);
        layout->addWidget(m_homeArea, 1);
        m_home->setBanner(m_main.displayBanner ? welcomeHeader() : QString());
        m_home->open(m_main.storageDirectory);
    }
    if (home == m_homeShown)
        return;
    m_homeShown = home;
    m_startPage->setVisible(!home);
    if (m_home) {
        m_menuBar->setVisible(home);
        m_toolBar->setVisible(home);
        m_homeArea->setVisible(home);
    }
}

QString CTarvelDlg::welcomeHeader() const
{
    // The banner's lines run on as one paragraph above the logbook; its empty
    // line still sets the last one apart.
    QString banner = m_bannerText;
    banner.replace(QStringLiteral("\n\n"), QStringLiteral("\x01")).replace(QLatin1Char('\n'), QLatin1Char(' '));
    banner.replace(QLatin1Char('\x01'), QLatin1Char('\n'));
    banner.replace(QStringLiteral("  "), QStringLiteral(" "));
    return QLatin1String(kWelcomeText) + QStringLiteral("  ") + QLatin1String(kVersionLabel) + QLatin1Char('\n')
        + banner;
}

CTarvelDlg::~CTarvelDlg() = default;

void CTarvelDlg::createCommands()
{
    // One table for the command bar and the menu bar: (menu, text, key, slot);
    // a null text is a separator, an empty menu a command of its own.
    struct CEntry
    {
        const char *menu;
        const char *text;
        QKeySequence key;
        void (CTarvelDlg::*slot)();
        bool atEnd = false;
    };
    const CEntry entries[] = {
        {"&Data", "About", {}, &CTarvelDlg::onAbout},
        {"&Data", nullptr, {}, nullptr},
        {"&Data", "Flights", {}, &CTarvelDlg::onFlights},
        {"&Data", "Queries", {}, &CTarvelDlg::onQueries},
        {"&Data", "Rockets", {}, &CTarvelDlg::onRockets},
        {"&Data", "Viewer", {}, &CTarvelDlg::onViewer},
        {"&EDIT", "Options", {}, &CTarvelDlg::onOptions},
        {"&EDIT", "Defaults", {}, &CTarvelDlg::onDefaults},
        {"", "&LAUNCH", {}, &CTarvelDlg::onLaunch},
        {"", "?", QKeySequence(Qt::Key_F1), &CTarvelDlg::onHelp, true},
    };
    for (const CEntry &entry : entries) {
        if (!entry.text) {
            m_entries.append({QLatin1String(entry.menu), nullptr});
            continue;
        }
        const QString text = QLatin1String(entry.text);
        QString plain = text;
        plain.remove(QLatin1Char('&'));
        auto *action = new QAction(plain, this);
        action->setIconText(text);
        if (plain == QLatin1String("?"))
            action->setToolTip(QStringLiteral("Help"));
        action->setShortcut(entry.key);
        // Keys work whichever bar is shown.
        addAction(action);
        connect(action, &QAction::triggered, this, entry.slot);
        m_entries.append({QLatin1String(entry.menu), action, entry.atEnd});
    }
    m_commandBar->addEntries(m_entries);

    // Closing the main window ends the program.
    auto *quit = new QAction(this);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    addAction(quit);
    connect(quit, &QAction::triggered, this, &QDialog::reject);
}

void CTarvelDlg::createToolBar()
{
    m_toolBar = new QToolBar(QStringLiteral("Frequent actions"), this);
    m_toolBar->setObjectName(QStringLiteral("homeToolBar"));
    m_toolBar->setAccessibleName(QStringLiteral("Frequent actions"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto add = [this](const QString &text, const QString &tip, void (CTarvelDlg::*slot)()) {
        QAction *action = m_toolBar->addAction(text);
        action->setToolTip(tip);
        connect(action, &QAction::triggered, this, slot);
        if (QWidget *button = m_toolBar->widgetForAction(action))
            button->setAccessibleName(text);
        return action;
    };
    add(QStringLiteral("Log a Flight"), QStringLiteral("Opens the launch screen to log a flight"),
        &CTarvelDlg::onLaunch);
    add(QStringLiteral("New Rocket"), QStringLiteral("Adds a rocket to the catalogue"), &CTarvelDlg::onNewRocket);
    add(QStringLiteral("Import Motors"), QStringLiteral("Adds the motors of .eng and .csv files"),
        &CTarvelDlg::onImportMotors);
    add(QStringLiteral("Add Altimeter Data"), QStringLiteral("Keeps a recording with the chosen flight"),
        &CTarvelDlg::onAddAltimeterData);
    m_motorGuide = add(QStringLiteral("Motor Guide"), QStringLiteral("Flies every catalogue motor in the chosen rocket"),
                       &CTarvelDlg::onMotorGuide);
}

void CTarvelDlg::keyPressEvent(QKeyEvent *event)
{
    // Escape on the home cancels an edit of the flight's page; it never ends the program.
    if (m_homeShown && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_home && m_home->flightPage()->isEditing())
            m_home->flightPage()->cancelEdit();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CTarvelDlg::refreshHome()
{
    if (m_home)
        m_home->refresh();
}

void CTarvelDlg::done(int result)
{
    // On a desktop the window comes back where the flyer left it; a full
    // screen has nothing to remember.
    // A place that cannot be remembered costs the flyer nothing more than
    // the window opening where it opens the first time.
    if (formFactorOf(this) == FormFactor::Desktop && isVisible() && !(windowState() & Qt::WindowFullScreen)
        && !m_settings.WriteSetting(kMainWindowGeometry,
                                    windowGeometryText(isMaximized() ? normalGeometry() : geometry())))
        qDebug().noquote() << "The main window's place is not remembered in" << m_settings.fileName();
    QDialog::done(result);
}

void CTarvelDlg::showVersionAndBanner()
{
    // The large version label; the face falls back to a metric-compatible sans
    // where Arial itself is not installed.
    QFont large(QStringLiteral("Arial"));
    large.setStyleHint(QFont::SansSerif);
    large.setPixelSize(34);
    m_versionLabel->setFont(large);
    m_versionLabel->setText(QLatin1String(kVersionLabel));

    m_bannerText = bannerText();
    setDisplayBanner(m_main.displayBanner);
}

void CTarvelDlg::setDisplayBanner(bool display)
{
    m_main.displayBanner = display;
    m_bannerLabel->setText(display ? m_bannerText : QString());
    if (m_home)
        m_home->setBanner(display ? welcomeHeader() : QString());
}

std::unique_ptr<CRecordStore> CTarvelDlg::openStore()
{
    auto store = std::make_unique<CRecordStore>(&m_reporter);
    if (!store->Open(m_main.storageDirectory))
        return nullptr;
    return store;
}

void CTarvelDlg::onAbout()
{
    CAboutDlg about(this);
    about.exec();
}

void CTarvelDlg::onOptions()
{
    COptionsDlg options(m_settings.defaultStorageDirectory(), this);
    options.storageDirectory = m_main.storageDirectory;
    options.sitesCategory = m_main.sitesCategory;
    options.displayBanner = m_main.displayBanner;
    options.heightUnit = heightUnitFromSetting(m_settings.ReadSetting(QLatin1String(kSettingAltitudeUnit)));
    options.unitSystem = readUnitSystem(m_settings);
    options.showValues();
    if (options.exec() != QDialog::Accepted)
        return;
    // The logbook may move with its folder: the home lets go of it first.
    if (m_home)
        m_home->close();
    applyOptions({options.storageDirectory, options.sitesCategory, options.displayBanner, options.heightUnit,
                  options.unitSystem},
                 m_main, m_settings, m_ui.prompter, this);
    setDisplayBanner(m_main.displayBanner);
    if (m_home)
        m_home->open(m_main.storageDirectory);
}

void CTarvelDlg::onQueries()
{
    std::unique_ptr<CRecordStore> store = openStore();
    if (!store)
        return;
    CQueryBuilderDlg builder(*store, m_ui, this);
    builder.exec();
    refreshHome();
}

void CTarvelDlg::onViewer()
{
    std::unique_ptr<CRecordStore> store = openStore();
    if (!store)
        return;
    CQueryDlg viewer(*store, m_ui, this);
    viewer.exec();
}

void CTarvelDlg::onDefaults()
{
    std::unique_ptr<CRecordStore> store = openStore();
    if (!store)
        return;
    auto status = std::make_unique<CStatusWindow>(this);
    status->raise();
    status->show();
    status->paintNow();
    {
        // MOTORS on the Defaults screen opens the motor catalogue on the same store and status window.
        const auto motors = [this, &store, &status](QWidget *parent) {
            CDefaultMotorsDlg screen(*store, *status, m_ui, m_main.storageDirectory, parent);
            screen.exec();
        };
        CDefaultsDlg defaults(*status, m_settings, m_ui, motors, this);
        defaults.exec();
    }
    store->Close();
    store.reset();
    status.reset();
    refreshHome();
}

void CTarvelDlg::onRockets()
{
    if (m_commandBar)
        m_commandBar->hide();
    m_currentChecklist.clear();
    if (std::unique_ptr<CRecordStore> store = openStore()) {
        CPropertySheet sheet(QStringLiteral("Rockets"), this);
        auto *rockets = new CRocketPage(
            {*store, m_settings, m_ui, m_main.storageDirectory, CRocketBrowser::Mode::Browse, &m_currentChecklist});
        sheet.addPage(rockets);
        sheet.addPage(new CChecklistPage(m_currentChecklist));
        // The rocket's flights open over the sheet on the same store.
        connect(rockets, &CRocketPage::showFlights, this, [this, &store, &sheet](const QString &rocketId) {
            CFlightsDlg flights(*store, m_settings, m_ui, rocketId, &sheet);
            flights.exec();
        });
        sheet.exec();
    }
    if (m_commandBar)
        m_commandBar->show();
    refreshHome();
}

void CTarvelDlg::onFlights()
{
    if (m_commandBar)
        m_commandBar->hide();
    if (std::unique_ptr<CRecordStore> store = openStore()) {
        CFlightsDlg flights(*store, m_settings, m_ui, QString(), this);
        flights.exec();
    }
    if (m_commandBar)
        m_commandBar->show();
    refreshHome();
}

void CTarvelDlg::onLaunch()
{
    // The launch screen opens its own store for each flight it logs.
    CFlightSounds sounds;
    CLaunchDlg launch({m_settings, m_ui, sounds, &m_reporter, m_main.storageDirectory, m_main.sitesCategory,
                       launchRocketStep(m_settings, m_ui, m_main.storageDirectory)});
    launch.exec();
    refreshHome();
}

void CTarvelDlg::onHelp()
{
    showHelp(this, QStringLiteral("main"));
}

void CTarvelDlg::onNewRocket()
{
    if (std::unique_ptr<CRecordStore> store = openStore()) {
        const QString added = addRocketRow(*store);
        if (added.isNull()) {
            m_ui.prompter.error(this, QStringLiteral("The rocket could not be added: ") + store->lastError());
        } else {
            CRocketEditSheet sheet({*store, m_settings, m_ui, m_main.storageDirectory}, added, this);
            sheet.exec();
        }
    }
    refreshHome();
}

void CTarvelDlg::onMotorGuide()
{
    const QString rocketId = m_home ? m_home->rocketList()->currentRocketId() : QString();
    if (rocketId.isEmpty()) {
        m_ui.prompter.error(this, QStringLiteral("Choose the rocket to fly in the Rockets list first."));
        return;
    }
    if (std::unique_ptr<CRecordStore> store = openStore()) {
        CMotorGuideDlg guide({*store, m_settings, m_ui, m_main.storageDirectory}, rocketId, this);
        guide.exec();
        if (guide.added() > 0)
            refreshHome();
    }
}

void CTarvelDlg::onImportMotors()
{
    std::unique_ptr<CRecordStore> store = openStore();
    if (!store)
        return;
    CStatusWindow status(this);
    CDefaultMotorsDlg motors(*store, status, m_ui, m_main.storageDirectory, this);
    // The files are chosen over the motor list, which then shows what came in.
    QMetaObject::invokeMethod(&motors, &CDefaultMotorsDlg::onLoadFromFile, Qt::QueuedConnection);
    motors.exec();
}

void CTarvelDlg::onAddAltimeterData()
{
    const qint64 rowId = m_home ? m_home->currentFlight() : 0;
    if (rowId == 0) {
        m_ui.prompter.error(this, QStringLiteral("Choose the flight the recording belongs to first."));
        return;
    }
    std::unique_ptr<CRecordStore> store = openStore();
    if (!store)
        return;
    CFlightLog log(*store);
    CFlightEntry flight = log.find(rowId);
    if (flight.rowId == 0) {
        m_ui.prompter.error(this, QStringLiteral("This flight is no longer in the logbook: it was deleted elsewhere."));
        refreshHome();
        return;
    }
    const EHeightUnit unit = heightUnitFromSetting(m_settings.ReadSetting(QLatin1String(kSettingAltitudeUnit)));
    CGetDataDlg getData(m_ui.files, unit, this, m_ui.windowSettings);
    std::optional<double> expected;
    // A recording is still worth adding when the comparison cannot be made.
    if (!log.expectedAltitude(flight, expected))
        qWarning().noquote() << "The expected altitude cannot be read:" << log.lastError();
    getData.setExpectedAltitude(expected);
    if (getData.exec() != QDialog::Accepted || getData.fileName().trimmed().isEmpty())
        return;
    // Kept in the storage directory as the launch screen keeps a recording.
    const QTime time = QTime::fromString(flight.timeText(), QStringLiteral("H:mm"));
    const CStoredAltimeterFile stored = storeAltimeterFile(getData.fileName(), m_main.storageDirectory,
                                                           QDateTime(flight.date, time), flight.rocketLabel());
    if (stored.path.isEmpty()) {
        m_ui.prompter.error(this,
                            stored.error.isEmpty() ? QStringLiteral("The file could not be copied.") : stored.error);
        return;
    }
    flight.altFileName = stored.path;
    if (!log.update(flight))
        m_ui.prompter.error(this,
                            QStringLiteral("The recording was copied to %1 but the flight was not changed: %2")
                                .arg(stored.path, log.lastError()));
    refreshHome();
}
