#include "launch/LaunchDlg.h"

#include "checklists/ChecklistPage.h"
#include "db/RecordStore.h"
#include "flightdata/AltimeterFileStore.h"
#include "launch/FailurePage.h"
#include "launch/LauchstatusPage.h"
#include "launch/LaunchButtonPage.h"
#include "launch/LaunchSites.h"
#include "launch/NumberField.h"
#include "launch/SuccessPage.h"
#include "launch/WeatherPage.h"
#include "launch/WeatherText.h"
#include "launch/WindCompass.h"
#include "launch/WindRose.h"
#include "logbook/FlightLog.h"
#include "ui/DropDownSizing.h"
#include "ui/FormFactor.h"
#include "ui/Prompter.h"
#include "ui/PropertyPage.h"
#include "ui/PropertySheet.h"
#include "ui/TouchSize.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

CLaunchDlg::CLaunchDlg(const Context &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_clock([] {
        QDateTime now = QDateTime::currentDateTime();
        now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
        return now;
    })
    , m_sheetRunner([](CPropertySheet &sheet) { return sheet.exec(); })
{
    Q_ASSERT(m_context.rocketStep);
    setWindowTitle(QStringLiteral("Launch"));
    buildControls();
    applyFormFactor(this);
    applyTouchSizes(this);
    m_flight.celsius = false;
    m_unit->setText(temperatureUnitText(false));
    loadLaunchSites();
    loadValues();
}

CLaunchDlg::~CLaunchDlg() = default;

void CLaunchDlg::buildControls()
{
    auto *siteLabel = new QLabel(QStringLiteral("Launch Site:"), this);
    m_siteBox = new QComboBox(this);
    m_siteBox->setEditable(true);
    m_siteBox->setInsertPolicy(QComboBox::InsertAlphabetically);
    m_siteBox->setAccessibleName(QStringLiteral("Launch Site:"));
    siteLabel->setBuddy(m_siteBox);

    // Without it a site or today's launch missing from the box would be unexplained.
    m_sitesNote = new QLabel(this);
    m_sitesNote->setWordWrap(true);
    m_sitesNote->hide();

    auto *weather = new QGroupBox(QStringLiteral("Weather"), this);
    auto *temperatureLabel = new QLabel(QStringLiteral("Temperature:"), weather);
    m_temperature = new CNumberField(weather);
    m_temperature->edit()->setAccessibleName(QStringLiteral("Temperature:"));
    temperatureLabel->setBuddy(m_temperature->edit());
    m_unit = new QPushButton(weather);

    auto *speedLabel = new QLabel(QStringLiteral("Wind Speed:"), weather);
    m_windSpeed = new CNumberField(weather);
    m_windSpeed->edit()->setAccessibleName(QStringLiteral("Wind Speed:"));
    speedLabel->setBuddy(m_windSpeed->edit());

    auto *directionLabel = new QLabel(QStringLiteral("Wind Direction:"), weather);
    m_direction = new QComboBox(weather);
    m_direction->addItems(windDirections());
    m_direction->setAccessibleName(QStringLiteral("Wind Direction:"));
    directionLabel->setBuddy(m_direction);

    m_compass = new CWindRose(kLaunchScreenCompass, weather);

    // Labels beside their fields; the compass below takes the room the screen has.
    auto *grid = new QGridLayout(weather);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setVerticalSpacing(4);
    grid->addWidget(temperatureLabel, 0, 0);
    grid->addWidget(m_temperature, 0, 1);
    grid->addWidget(m_unit, 0, 2);
    grid->addWidget(speedLabel, 1, 0);
    grid->addWidget(m_windSpeed, 1, 1);
    grid->addWidget(directionLabel, 2, 0);
    grid->addWidget(m_direction, 2, 1, 1, 2);
    grid->addWidget(m_compass, 3, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    m_unit->setMaximumWidth(m_unit->fontMetrics().horizontalAdvance(QStringLiteral("MM")) + 16);

    m_logFlight = new QPushButton(QStringLiteral("Log Flight"), this);
    m_logFlight->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_logFlight->setMinimumWidth(140);

    // Says which flight was stored last; it stays until the next one.
    m_savedLine = new QLabel(this);
    m_savedLine->setAlignment(Qt::AlignCenter);
    m_savedLine->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 4);
    layout->setSpacing(4);
    layout->addWidget(siteLabel);
    layout->addWidget(m_siteBox);
    layout->addWidget(m_sitesNote);
    layout->addWidget(weather, 1);
    layout->addWidget(m_logFlight, 0, Qt::AlignHCenter);
    layout->addWidget(m_savedLine);

    // Enter in a field presses nothing here: the unit button would change the
    // flight, and "Log Flight" starts one.
    for (QPushButton *button : {m_unit, m_logFlight})
        button->setAutoDefault(false);

    connect(m_unit, &QPushButton::clicked, this, &CLaunchDlg::OnUnit);
    connect(m_logFlight, &QPushButton::clicked, this, &CLaunchDlg::OnLogFlight);
}

void CLaunchDlg::loadLaunchSites()
{
    const CLaunchSites sites =
        LoadLaunchSites(m_context.storageDirectory, m_context.sitesCategory, QDate::currentDate());
    m_sites = sites.sites;
    m_flight.site = sites.todaysSite;
    m_siteBox->addItems(siteBoxOrder(m_sites));
    m_siteBox->setEditText(m_flight.site);
    sizeDropDown(m_siteBox);

    QStringList notes;
    for (const QString &note : sites.notes)
        notes.append(note.startsWith(m_context.storageDirectory) ? note.mid(m_context.storageDirectory.size()) : note);
    m_sitesNote->setText(QStringLiteral("Not all launch-site files could be read:\n") + notes.join(QLatin1Char('\n')));
    m_sitesNote->setVisible(!notes.isEmpty());
}

void CLaunchDlg::playSound(FlightSound sound)
{
    m_context.sounds.play(m_context.storageDirectory + flightSoundFile(sound));
}

QDateTime CLaunchDlg::now() const
{
    return m_clock();
}

void CLaunchDlg::loadValues()
{
    m_temperature->setValue(m_flight.temperature);
    m_windSpeed->setValue(m_flight.windSpeed);
    showWindDirection(m_direction, m_flight.windDirection);
}

void CLaunchDlg::saveValues()
{
    const std::optional<int> temperature = m_temperature->value();
    const std::optional<int> speed = m_windSpeed->value();
    if (temperature)
        m_flight.temperature = *temperature;
    if (speed)
        m_flight.windSpeed = *speed;
    m_flight.windDirection = m_direction->currentText();
    if (!temperature || !speed)
        m_context.ui.prompter.error(this, QString::fromLatin1(kIntegerRequired));
}

void CLaunchDlg::OnUnit()
{
    // The number stays: only the unit it is read in changes.
    m_flight.celsius = !m_flight.celsius;
    m_unit->setText(temperatureUnitText(m_flight.celsius));
}

void CLaunchDlg::tapAt(const QPoint &position)
{
    const QPoint point = m_compass->compassPoint(m_compass->mapFrom(this, position));
    if (const std::optional<QString> direction = windDirectionForTap(point.x(), point.y(), kLaunchScreenCompass))
        showWindDirection(m_direction, *direction);
}

void CLaunchDlg::mousePressEvent(QMouseEvent *event)
{
    tapAt(event->position().toPoint());
    QDialog::mousePressEvent(event);
}

void CLaunchDlg::OnLogFlight()
{
    saveValues();
    m_checklist.clear();
    CRecordStore store(m_context.reporter);
    // Without the logbook no flight could be stored, so none is started.
    if (!store.Open(m_context.storageDirectory))
        return;
    m_pagesDone = 0;
    // A new flight starts without the moments and outcome of the last one; the
    // retry of a refused flight keeps them, as it stores the same flight.
    if (!m_unsaved) {
        m_flight.launchTime.reset();
        m_flight.drogueTime.reset();
        m_flight.mainTime.reset();
        m_flight.doneTime.reset();
        m_flight.success.reset();
        m_altimeterFileToCopy = false;
    }

    CPropertySheet sheet(QString(), this);
    // Only the sheet's OK or a page's DONE ends a flight that is stored.
    sheet.setClosingCancels(true);
    std::function<CRocketChoice()> rocketChoice;
    const CRocketStep rocket = m_context.rocketStep(
        store,
        [this, &rocketChoice, &sheet] {
            const CRocketChoice chosen = rocketChoice();
            m_checklist = chosen.checklist;
            m_expectedAltitude = chosen.expectedAltitude;
            markPageDone(kRocketDone);
            sheet.setActivePage(WeatherPage);
        },
        [this] { return temperatureCelsius(m_flight.temperature, m_flight.celsius); });
    rocketChoice = rocket.choice;
    auto *checklist = new CChecklistPage(m_checklist);
    checklist->addNextButton();
    sheet.addPage(rocket.page);
    sheet.addPage(new CWeatherPage(*this));
    sheet.addPage(checklist);
    sheet.addPage(new CLaunchButtonPage(*this));
    sheet.addPage(new CLauchstatusPage(*this));
    sheet.addPage(new CSuccessPage(*this));
    sheet.addPage(new CFailurePage(*this));
    connect(checklist, &CChecklistPage::allTicked, &sheet, [this, &sheet] {
        markPageDone(kChecklistDone);
        sheet.setActivePage(LaunchButtonPage);
    });
    sheet.activateFirstPage();
    // Enter in a field of the wizard presses no button: LAUNCH, the chute
    // buttons, Success and Failure each stamp the flight.
    for (QPushButton *button : sheet.findChildren<QPushButton *>())
        button->setAutoDefault(false);

    const int result = m_sheetRunner(sheet);
    if (result != CPropertySheet::kCompleted && result != QDialog::Accepted)
        return;
    if (rocket.page->isInitialised())
        takeRocket(rocket.choice());
    CPrompter &prompter = m_context.ui.prompter;
    if (m_pagesDone != kAllPagesDone
        && !prompter.warningYesNoDefaultNo(this, QStringLiteral("You skipped a page\nSave anyway?")))
        return;
    if ((m_flight.model.isEmpty() || m_flight.model == QLatin1String("0"))
        && !prompter.warningYesNoDefaultNo(this, QStringLiteral("No rocket chosen. Save anyway?")))
        return;

    m_flight.site = m_siteBox->currentText();
    // A recording that cannot be copied keeps its own name: the flight is
    // stored all the same, and the flyer is told after.
    const QString copyError = keepAltimeterFile();
    if (!storeFlight(store))
        return;
    showSaved(store);
    if (!copyError.isEmpty()) {
        m_context.ui.prompter.error(
            this,
            QStringLiteral("The altimeter file was not copied into the storage directory; the flight "
                           "names it where it is.\n")
                + copyError);
    }
    loadValues();
    m_unit->setText(temperatureUnitText(m_flight.celsius));
}

void CLaunchDlg::takeRocket(const CRocketChoice &rocket)
{
    if (!rocket.rocketShown && !m_flight.model.isEmpty())
        return;
    m_flight.model = rocket.rocketId;
    m_rocketName = rocket.name;
    m_flight.motor = rocket.motor;
    m_flight.motorDelay = rocket.motorDelay;
    m_flight.motorMfg = rocket.motorMfg;
}

void CLaunchDlg::takeAltimeterFile(const QString &name)
{
    m_flight.altFileName = name;
    m_altimeterFileToCopy = true;
}

QString CLaunchDlg::keepAltimeterFile()
{
    // A typed name of no file is the flyer's own note: stored as typed.
    if (!m_altimeterFileToCopy || !QFileInfo(m_flight.altFileName).isFile())
        return {};
    const CStoredAltimeterFile stored = storeAltimeterFile(m_flight.altFileName, m_context.storageDirectory,
                                                           m_flight.launchTime.value_or(now()), m_rocketName);
    if (stored.path.isEmpty())
        return stored.error.isEmpty() ? QStringLiteral("The file could not be copied.") : stored.error;
    m_flight.altFileName = stored.path;
    m_altimeterFileToCopy = false;
    return {};
}

bool CLaunchDlg::storeFlight(CRecordStore &store)
{
    CFlightLog log(store);
    if (log.insert(m_flight.row()) != 0) {
        m_unsaved = false;
        return true;
    }
    // Every value stays on this screen, so the flight can be logged again.
    m_unsaved = true;
    m_context.ui.prompter.error(this, QStringLiteral("The flight was not saved.\n") + log.lastError());
    return false;
}

void CLaunchDlg::showSaved(CRecordStore &store)
{
    // Numbered by the flights the logbook now holds, its motor named as the log names it.
    const int count = CFlightLog(store).count();
    QStringList what {m_rocketName.isEmpty() ? QStringLiteral("no rocket") : m_rocketName};
    if (const QString motor = m_flight.row().motorText(); !motor.isEmpty())
        what << motor;
    m_savedLine->setText(QStringLiteral("Flight %1 saved: %2").arg(count).arg(what.join(QStringLiteral(", "))));
}
