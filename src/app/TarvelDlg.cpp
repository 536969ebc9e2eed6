#include "app/TarvelDlg.h"

#include "app/AboutDlg.h"
#include "app/BannerText.h"
#include "app/LaunchRocketStep.h"
#include "app/OptionsApply.h"
#include "app/OptionsDlg.h"
#include "checklists/ChecklistPage.h"
#include "db/RecordStore.h"
#include "flights/FlightsDlg.h"
#include "launch/FlightSounds.h"
#include "launch/LaunchDlg.h"
#include "motors/DefaultMotorsDlg.h"
#include "prediction/MeasureUnits.h"
#include "queries/QueryBuilderDlg.h"
#include "queries/QueryDlg.h"
#include "reflists/DefaultsDlg.h"
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
#include <QLabel>
#include <QMenu>
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

    createCommandBar();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addSpacing(28);
    // On a tall screen the texts sit a little above the middle, not at the top.
    layout->addStretch(1);
    layout->addWidget(m_versionLabel);
    layout->addSpacing(24);
    layout->addWidget(welcome);
    layout->addSpacing(6);
    layout->addWidget(m_bannerLabel);
    layout->addStretch(2);
    layout->addWidget(m_commandBar);

    // Settings that cannot be read were told of at start-up, which fell back
    // to the same defaults the window now shows.
    if (!m_settings.loadMainSettings(m_main))
        qDebug().noquote() << "The main window shows the default settings:" << m_settings.fileName();
    showVersionAndBanner();
    applyFormFactor(this, windowGeometryFromText(m_settings.ReadSetting(kMainWindowGeometry)));
}

CTarvelDlg::~CTarvelDlg() = default;

void CTarvelDlg::createCommandBar()
{
    m_commandBar = new CCommandBar(this);

    QMenu *data = m_commandBar->addMenu(QStringLiteral("&Data"));
    connect(data->addAction(QStringLiteral("About")), &QAction::triggered, this, &CTarvelDlg::onAbout);
    data->addSeparator();
    connect(data->addAction(QStringLiteral("Flights")), &QAction::triggered, this, &CTarvelDlg::onFlights);
    connect(data->addAction(QStringLiteral("Queries")), &QAction::triggered, this, &CTarvelDlg::onQueries);
    connect(data->addAction(QStringLiteral("Rockets")), &QAction::triggered, this, &CTarvelDlg::onRockets);
    connect(data->addAction(QStringLiteral("Viewer")), &QAction::triggered, this, &CTarvelDlg::onViewer);

    QMenu *edit = m_commandBar->addMenu(QStringLiteral("&EDIT"));
    connect(edit->addAction(QStringLiteral("Options")), &QAction::triggered, this, &CTarvelDlg::onOptions);
    connect(edit->addAction(QStringLiteral("Defaults")), &QAction::triggered, this, &CTarvelDlg::onDefaults);

    connect(m_commandBar->addCommand(QStringLiteral("&LAUNCH")), &QAction::triggered, this, &CTarvelDlg::onLaunch);

    m_commandBar->addStretch();
    QAction *help = m_commandBar->addCommand(QStringLiteral("?"));
    help->setToolTip(QStringLiteral("Help"));
    if (QWidget *button = m_commandBar->widgetForAction(help))
        button->setAccessibleName(QStringLiteral("Help"));
    connect(help, &QAction::triggered, this, &CTarvelDlg::onHelp);

    auto *helpKey = new QAction(this);
    helpKey->setShortcut(QKeySequence(Qt::Key_F1));
    addAction(helpKey);
    connect(helpKey, &QAction::triggered, this, &CTarvelDlg::onHelp);

    // Closing the main window ends the program.
    auto *quit = new QAction(this);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    addAction(quit);
    connect(quit, &QAction::triggered, this, &QDialog::reject);
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
    applyOptions({options.storageDirectory, options.sitesCategory, options.displayBanner, options.heightUnit,
                  options.unitSystem},
                 m_main, m_settings, m_ui.prompter, this);
    setDisplayBanner(m_main.displayBanner);
}

void CTarvelDlg::onQueries()
{
    std::unique_ptr<CRecordStore> store = openStore();
    if (!store)
        return;
    CQueryBuilderDlg builder(*store, m_ui, this);
    builder.exec();
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
}

void CTarvelDlg::onLaunch()
{
    // The launch screen opens its own store for each flight it logs.
    CFlightSounds sounds;
    CLaunchDlg launch({m_settings, m_ui, sounds, &m_reporter, m_main.storageDirectory, m_main.sitesCategory,
                       launchRocketStep(m_settings, m_ui, m_main.storageDirectory)});
    launch.exec();
}

void CTarvelDlg::onHelp()
{
    showHelp(this, QStringLiteral("main"));
}
