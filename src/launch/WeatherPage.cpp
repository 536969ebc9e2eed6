#include "launch/WeatherPage.h"

#include "launch/LaunchDlg.h"
#include "launch/NumberField.h"
#include "launch/WeatherText.h"
#include "launch/WindCompass.h"
#include "launch/WindRose.h"
#include "ui/Prompter.h"
#include "ui/PropertySheet.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

CWeatherPage::CWeatherPage(CLaunchDlg &launch, QWidget *parent)
    : CPropertyPage(QStringLiteral("Weather"), parent)
    , m_launch(launch)
    , m_temperature(launch.flight().temperature)
    , m_windSpeed(launch.flight().windSpeed)
    , m_windDirection(launch.flight().windDirection)
    , m_celsius(launch.flight().celsius)
{
    auto *temperatureLabel = new QLabel(QStringLiteral("Temperature:"), this);
    m_temperatureField = new CNumberField(this);
    m_temperatureField->edit()->setAccessibleName(QStringLiteral("Temperature:"));
    temperatureLabel->setBuddy(m_temperatureField->edit());
    m_unit = new QPushButton(this);
    m_unit->setMaximumWidth(m_unit->fontMetrics().horizontalAdvance(QStringLiteral("MM")) + 16);

    auto *wind = new QGroupBox(QStringLiteral("WIND"), this);
    auto *directionLabel = new QLabel(QStringLiteral("Direction:"), wind);
    m_compass = new CWindRose(kWeatherPageCompass, wind);
    m_direction = new QComboBox(wind);
    m_direction->addItems(windDirections());
    m_direction->setAccessibleName(QStringLiteral("Direction:"));
    directionLabel->setBuddy(m_direction);
    auto *speedLabel = new QLabel(QStringLiteral("Speed:"), wind);
    m_windSpeedField = new CNumberField(wind);
    m_windSpeedField->edit()->setAccessibleName(QStringLiteral("Speed:"));
    speedLabel->setBuddy(m_windSpeedField->edit());

    // The picture on the left takes the room; the list and the speed stand beside it.
    auto *windGrid = new QGridLayout(wind);
    windGrid->setContentsMargins(6, 4, 6, 6);
    windGrid->setVerticalSpacing(4);
    windGrid->addWidget(directionLabel, 0, 0);
    windGrid->addWidget(m_compass, 1, 0, 4, 1);
    windGrid->addWidget(m_direction, 1, 1);
    windGrid->addWidget(speedLabel, 2, 1);
    windGrid->addWidget(m_windSpeedField, 3, 1);
    windGrid->setRowStretch(4, 1);
    windGrid->setColumnStretch(0, 1);

    m_next = new QPushButton(QStringLiteral("NEXT"), this);

    auto *temperatureRow = new QHBoxLayout;
    temperatureRow->addWidget(temperatureLabel);
    temperatureRow->addWidget(m_temperatureField, 1);
    temperatureRow->addWidget(m_unit);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(temperatureRow);
    layout->addWidget(wind, 1);
    layout->addWidget(m_next);

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
