#pragma once

#include "db/RecordStore.h"
#include "support/TestLogbook.h"

#include <QByteArray>
#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>

// The closed form of a vertical flight without drag at constant mass: thrust
// T for tb seconds on m kg, then a coast to where the speed runs out.
struct CClosedFormFlight
{
    double thrustN;
    double burnS;
    double massKg;

    static constexpr double g = 9.80665;
    double acceleration() const { return thrustN / massKg - g; }
    double burnoutSpeed() const { return acceleration() * burnS; }
    double burnoutAltitude() const { return acceleration() * burnS * burnS / 2; }
    double apogee() const { return burnoutAltitude() + burnoutSpeed() * burnoutSpeed() / (2 * g); }
    double apogeeTime() const { return burnS + burnoutSpeed() / g; }
};

// A recording of a climb to `apogee` m at 5 s, then down at 10 m/s and on the
// ground: heights in metres under a header the reader knows.
inline QByteArray recordingTo(double apogee)
{
    QByteArray text = "Time (s),Height (m)\n";
    const auto sample = [&text](double t, double h) {
        text += QByteArray::number(t, 'f', 2) + ',' + QByteArray::number(h, 'g', 17) + '\n';
    };
    for (int i = 0; i <= 20; ++i)
        sample(i * 0.05, 0);
    for (int i = 1; i <= 80; ++i) {
        const double s = (80 - i) / 80.0;
        sample(1 + i * 0.05, apogee * (1 - s * s));
    }
    double t = 5;
    for (double h = apogee - 0.5; h > 0; h -= 0.5)
        sample(t += 0.05, h);
    for (int i = 0; i < 60; ++i)
        sample(t += 0.05, 0);
    return text;
}

// A test logbook with motors whose curves the test writes: straight thrust
// for a time, no propellant mass given (so the mass stays that of the loaded
// motor, and the flight has a closed form), figures as the catalogue keeps them.
class CPredictionLogbook : public CTestLogbook
{
public:
    // Adds a motor, with a constant-thrust curve when burnS > 0.
    void addMotor(const QString &mfg, const QString &type, const QString &delay, const QString &size,
                  double thrustN = 0, double burnS = 0, double totalKg = 0.1) const
    {
        CRecordStore store;
        ASSERT_TRUE(store.Open(directory()));
        ASSERT_TRUE(store.RunSql(QStringLiteral("INSERT INTO Motors (Type, Delay, MFG, Size) VALUES ('%1', '%2', "
                                                "'%3', '%4')")
                                     .arg(type, delay, mfg, size)));
        if (burnS <= 0)
            return;
        // Classes by hand: 100 N for 2 s is 200 N·s, an H (160-320).
        const double impulse = thrustN * burnS;
        const char *impulseClass = impulse > 160 ? "H" : impulse > 80 ? "G" : "F";
        ASSERT_TRUE(store.RunSql(
            QStringLiteral("INSERT INTO MotorCurves (MotorID, Class, TotalImpulse, AverageThrust, PeakThrust, "
                           "BurnTime, PropellantMass, TotalMass, Points) VALUES (%1, '%2', %3, %4, %4, %5, 0, %6, "
                           "'0 %4\n%5 %4\n')")
                .arg(store.lastInsertRowId())
                .arg(QLatin1String(impulseClass))
                .arg(impulse)
                .arg(thrustN)
                .arg(burnS)
                .arg(totalKg)));
    }

    void addRocket(int id, const QString &name, const QString &weight, const QString &diameter,
                   const QString &mount = QString()) const
    {
        CRecordStore store;
        ASSERT_TRUE(store.Open(directory()));
        ASSERT_TRUE(store.RunSql(QStringLiteral("INSERT INTO Rockets (ID, Name, Weight, Diameter, MMT) VALUES (%1, "
                                                "'%2', '%3', '%4', '%5')")
                                     .arg(id)
                                     .arg(name, weight, diameter, mount)));
    }
};
