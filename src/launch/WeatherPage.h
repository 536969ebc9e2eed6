#pragma once

#include "ui/PropertyPage.h"

class CLaunchDlg;
class CNumberField;
class CWindRose;
class QComboBox;
class QPushButton;

// The wizard's "Weather" page: temperature and unit, wind speed and direction,
// the wind rose that sets the direction by a tap, and NEXT. Its values go back
// to the launch screen each time the page is left.
class CWeatherPage : public CPropertyPage
{
    Q_OBJECT

public:
    // Seeded from the launch screen's weather.
    explicit CWeatherPage(CLaunchDlg &launch, QWidget *parent = nullptr);

    void onInitDialog() override;
    bool onKillActive() override;
    void loadValues() override;
    void saveValues() override;

    void OnUnit();
    void OnNext();
    // A tap at a position of this page; the compass rule decides whether it counts.
    void tapAt(const QPoint &position);

    int temperature() const { return m_temperature; }
    int windSpeed() const { return m_windSpeed; }
    QString windDirection() const { return m_windDirection; }
    bool isCelsius() const { return m_celsius; }

    CNumberField *temperatureField() const { return m_temperatureField; }
    CNumberField *windSpeedField() const { return m_windSpeedField; }
    QComboBox *directionBox() const { return m_direction; }
    QPushButton *unitButton() const { return m_unit; }
    CWindRose *compass() const { return m_compass; }
    QPushButton *nextButton() const { return m_next; }

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    // Reads the controls; false when a number field does not hold a whole number.
    bool readControls();

    CLaunchDlg &m_launch;
    int m_temperature = 0;
    int m_windSpeed = 0;
    QString m_windDirection;
    bool m_celsius = false;

    CNumberField *m_temperatureField = nullptr;
    QPushButton *m_unit = nullptr;
    CNumberField *m_windSpeedField = nullptr;
    QComboBox *m_direction = nullptr;
    CWindRose *m_compass = nullptr;
    QPushButton *m_next = nullptr;
};
