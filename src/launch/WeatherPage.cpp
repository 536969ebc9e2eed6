#include "launch/WeatherPage.h"

#include "launch/LaunchDlg.h"
#include "launch/NumberField.h"
#include "launch/WeatherText.h"
#include "launch/WindCompass.h"
#include "launch/WindRose.h"
#include "ui/Prompter.h"
#include "ui/PropertySheet.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

CWeatherPage::CWeatherPage(CLaunchDlg &launch, QWidget *parent)
    : CPropertyPage(QStringLiteral("Weather"), parent)
    , m_launch(launch)
    , m_temperature(launch.flight().temperature)
    , m_windSpeed(launch.flight().windSpeed)
    , m_windDirection(launch.flight().windDirection)
    , m_celsius(launch.flight().celsius)
{
    auto *temperatureLabel = new QLabel(QStringLiteral("Temperature:"), this);
    temperatureLabel->setGeometry(6, 10, 88, 20);
    m_temperatureField = new CNumberField(this);
    m_temperatureField->setGeometry(96, 8, 74, 24);
    m_temperatureField->edit()->setAccessibleName(QStringLiteral("Temperature:"));
    temperatureLabel->setBuddy(m_temperatureField->edit());
    m_unit = new QPushButton(this);
    m_unit->setGeometry(176, 8, 32, 24);

    // The group box is added first, so the controls inside it stay on top.
    auto *wind = new QGroupBox(QStringLiteral("WIND"), this);
    wind->setGeometry(4, 40, 232, 158);
    wind->lower();

    auto *directionLabel = new QLabel(QStringLiteral("Direction:"), this);
    directionLabel->setGeometry(12, 58, 80, 18);
    m_compass = new CWindRose(kWeatherPageCompass, this);
    m_compass->move(12, 78);

    m_direction = new QComboBox(this);
    m_direction->addItems(windDirections());
    m_direction->setGeometry(100, 78, 128, 24);
    m_direction->setAccessibleName(QStringLiteral("Direction:"));
    directionLabel->setBuddy(m_direction);

    auto *speedLabel = new QLabel(QStringLiteral("Speed:"), this);
    speedLabel->setGeometry(100, 116, 80, 18);
    m_windSpeedField = new CNumberField(this);
    m_windSpeedField->setGeometry(100, 136, 74, 24);
    m_windSpeedField->edit()->setAccessibleName(QStringLiteral("Speed:"));
    speedLabel->setBuddy(m_windSpeedField->edit());

    m_next = new QPushButton(QStringLiteral("NEXT"), this);
    m_next->setGeometry(6, 206, 228, 30);

    connect(m_unit, &QPushButton::clicked, this, &CWeatherPage::OnUnit);
    connect(m_next, &QPushButton::clicked, this, &CWeatherPage::OnNext);
}

void CWeatherPage::onInitDialog()
{
    m_temperatureField->setUpDownRange(-50, 150);
    m_windSpeedField->setUpDownRange(0, 100);
    m_unit->setText(temperatureUnitText(m_celsius));
    loadValues();
}

bool CWeatherPage::onKillActive()
{
    if (!readControls()) {
        m_launch.ui().prompter.error(this, QString::fromLatin1(kIntegerRequired));
        return false;
    }
    CFlightRecord &flight = m_launch.flight();
    flight.windSpeed = m_windSpeed;
    flight.temperature = m_temperature;
    flight.windDirection = m_windDirection;
    flight.celsius = m_celsius;
    return CPropertyPage::onKillActive();
}

void CWeatherPage::loadValues()
{
    m_temperatureField->setValue(m_temperature);
    m_windSpeedField->setValue(m_windSpeed);
    showWindDirection(m_direction, m_windDirection);
}

void CWeatherPage::saveValues()
{
    readControls();
}

bool CWeatherPage::readControls()
{
    const std::optional<int> temperature = m_temperatureField->value();
    const std::optional<int> speed = m_windSpeedField->value();
    if (temperature)
        m_temperature = *temperature;
    if (speed)
        m_windSpeed = *speed;
    m_windDirection = m_direction->currentText();
    return temperature && speed;
}

void CWeatherPage::OnUnit()
{
    m_celsius = !m_celsius;
    readControls();
    m_unit->setText(temperatureUnitText(m_celsius));
    loadValues();
}

void CWeatherPage::OnNext()
{
    m_launch.markPageDone(CLaunchDlg::kWeatherDone);
    if (m_launch.checklistText().isEmpty()) {
        m_launch.markPageDone(CLaunchDlg::kChecklistDone);
        sheet()->setActivePage(CLaunchDlg::LaunchButtonPage);
    } else {
        sheet()->setActivePage(CLaunchDlg::ChecklistPage);
    }
}

void CWeatherPage::tapAt(const QPoint &position)
{
    // Typed values must survive the refresh below.
    readControls();
    const QPoint point = m_compass->compassPoint(m_compass->mapFrom(this, position));
    if (const std::optional<QString> direction = windDirectionForTap(point.x(), point.y(), kWeatherPageCompass)) {
        m_windDirection = *direction;
        loadValues();
    }
}

void CWeatherPage::mousePressEvent(QMouseEvent *event)
{
    tapAt(event->position().toPoint());
    CPropertyPage::mousePressEvent(event);
}
