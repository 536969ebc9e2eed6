#pragma once

// One known flight, written by the tests into the shapes of the files each
// altimeter family writes; its own numbers are the oracle for the measures.
#include "flightdata/AltimeterReader.h"

#include <QByteArray>

#include <algorithm>
#include <cmath>
#include <functional>

// A two-stage recovery flight: 2 s on the pad, 1.5 s of boost at 80 m/s^2, a
// ballistic coast to apogee, 20 m/s under drogue down to 150 m, 5 m/s under
// main, then 4 s on the ground.
struct CProfile
{
    static constexpr double kPad = 2.0;
    static constexpr double kBoost = 80.0;
    static constexpr double kBurn = 1.5;
    static constexpr double kGravity = 9.81;
    static constexpr double kDrogueSpeed = 20.0;
    static constexpr double kMainHeight = 150.0;
    static constexpr double kMainSpeed = 5.0;
    static constexpr double kFeet = 0.3048;

    static double burnoutSpeed() { return kBoost * kBurn; }
    static double burnoutHeight() { return kBoost * kBurn * kBurn / 2; }
    static double apogee() { return burnoutHeight() + burnoutSpeed() * burnoutSpeed() / (2 * kGravity); }
    // Seconds after launch.
    static double apogeeTime() { return kBurn + burnoutSpeed() / kGravity; }
    static double mainTime() { return apogeeTime() + (apogee() - kMainHeight) / kDrogueSpeed; }
    static double landingTime() { return mainTime() + kMainHeight / kMainSpeed; }

    // Height above the pad at t seconds after launch.
    static double height(double t)
    {
        if (t <= 0)
            return 0;
        if (t <= kBurn)
            return kBoost * t * t / 2;
        if (t <= apogeeTime()) {
            const double s = t - kBurn;
            return burnoutHeight() + burnoutSpeed() * s - kGravity * s * s / 2;
        }
        if (t <= mainTime())
            return apogee() - kDrogueSpeed * (t - apogeeTime());
        return std::max(0.0, kMainHeight - kMainSpeed * (t - mainTime()));
    }

    // Vertical speed at t seconds after launch.
    static double speed(double t)
    {
        if (t <= 0 || t >= landingTime())
            return 0;
        if (t <= kBurn)
            return kBoost * t;
        if (t <= apogeeTime())
            return burnoutSpeed() - kGravity * (t - kBurn);
        return t <= mainTime() ? -kDrogueSpeed : -kMainSpeed;
    }

    // One line a sample every step seconds, from the start of the pad time to
    // `after` seconds after landing; t is seconds after launch.
    static QByteArray lines(const std::function<QByteArray(double t, double h)> &line, double step = 0.05,
                            double after = 4)
    {
        QByteArray text;
        for (int i = 0; i * step < kPad + landingTime() + after; ++i) {
            const double t = i * step - kPad;
            text += line(t, height(t));
        }
        return text;
    }
};

inline QByteArray number(double value, int decimals)
{
    return QByteArray::number(value, 'f', decimals);
}

// The recording of bytes fed in blocks of `block` bytes (all at once for 0).
inline CAltimeterRecording readBytes(const QByteArray &bytes, qsizetype block = 0)
{
    CAltimeterReader reader;
    if (block <= 0)
        block = std::max<qsizetype>(1, bytes.size());
    for (qsizetype at = 0; at < bytes.size(); at += block)
        reader.feed(bytes.constData() + at, std::min(block, bytes.size() - at));
    return reader.finish(QStringLiteral("flight.csv"));
}
