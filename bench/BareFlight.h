#pragma once

// The plainest flight loop, the floor the flight model and the motor guide
// are measured against.
#include "flightmodel/FlightInputs.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace bareflight {
constexpr double g = 9.80665;
// Air density every 20 m above the pad: what the floor reads, built as the
// model builds its own.
struct CBareAir
{
    std::vector<double> rows;

    explicit CBareAir(const CLaunchSite &site)
    {
        const double padK = site.temperatureC + 273.15;
        const double padPa = 101325 * std::pow(1 - 0.0065 * site.elevationM / 288.15, 5.25588);
        for (int i = 0; i <= 1500; ++i) {
            const double kelvin = std::max(216.0, padK - 0.0065 * i * 20);
            rows.push_back(padPa * std::pow(kelvin / padK, 5.25588) / (287.05287 * kelvin));
        }
    }

    // The density about a height as its row's line: rho(x) = first + slope·(x - h).
    void line(double h, double &first, double &slope) const
    {
        const double x = std::clamp(h / 20, 0.0, 1499.0);
        const auto i = static_cast<std::size_t>(x);
        slope = (rows[i + 1] - rows[i]) / 20;
        first = rows[i] + (x - double(i)) * (rows[i + 1] - rows[i]);
    }
};

// The plainest loop: the pad holds the rocket while the net push is not
// upwards, steps split at every point, coasting to where the speed turns;
// the same sums per step as the model's.
inline double bareApogee(const CMotorLoad &motor, const CBareAir &air, const CRocketBody &rocket)
{
    double impulse = 0;
    CThrustPoint previous;
    for (const CThrustPoint &point : motor.curve) {
        impulse += (point.time - previous.time) * (point.thrust + previous.thrust) / 2;
        previous = point;
    }
    const double burnRate = motor.propellantKg / impulse;
    const double drag = 0.5 * rocket.cd * std::numbers::pi / 4 * rocket.diameterM * rocket.diameterM;
    const double liftoff = rocket.massKg + motor.totalKg;
    double h = 0;
    double v = 0;
    double delivered = 0;
    double f0 = 0;
    double slope = 0;
    double m0 = liftoff;
    // One step from tau: thrust and mass by time, the density along its row's line.
    const auto rk4 = [&](double tau, double dt) {
        const auto push = [&](double t, double &dragFactor) {
            const double inverse = 1 / (m0 - burnRate * t * (f0 + slope * t / 2));
            dragFactor = drag * inverse;
            return (f0 + slope * t) * inverse - g;
        };
        double d1 = 0, d2 = 0, d4 = 0, rho = 0, rise = 0;
        const double p1 = push(tau, d1);
        const double p2 = push(tau + dt / 2, d2);
        const double p4 = push(tau + dt, d4);
        air.line(h, rho, rise);
        const double a1 = p1 - d1 * rho * v * std::abs(v);
        const double v2 = v + dt / 2 * a1;
        const double a2 = p2 - d2 * (rho + rise * dt / 2 * v) * v2 * std::abs(v2);
        const double v3 = v + dt / 2 * a2;
        const double a3 = p2 - d2 * (rho + rise * dt / 2 * v2) * v3 * std::abs(v3);
        const double v4 = v + dt * a3;
        const double a4 = p4 - d4 * (rho + rise * dt * v3) * v4 * std::abs(v4);
        h += dt / 6 * (v + 2 * v2 + 2 * v3 + v4);
        v += dt / 6 * (a1 + 2 * a2 + 2 * a3 + a4);
        if (h <= 0 && v <= 0)
            h = v = 0;
    };
    previous = CThrustPoint();
    for (const CThrustPoint &point : motor.curve) {
        const double span = point.time - previous.time;
        if (span > 0) {
            f0 = previous.thrust;
            slope = (point.thrust - previous.thrust) / span;
            m0 = liftoff - burnRate * delivered;
            const int steps = int(std::ceil(span / 0.01));
            for (int i = 0; i < steps; ++i)
                rk4(span * i / steps, span / steps);
            delivered += span * (point.thrust + previous.thrust) / 2;
        }
        previous = point;
    }
    f0 = slope = 0;
    m0 = liftoff - motor.propellantKg;
    double apogee = h;
    while (v > 0) {
        const double before = h;
        const double speed = v;
        rk4(0, 0.05);
        apogee = v > 0 ? h : before + (h - before) * speed / (speed - v);
    }
    return apogee;
}

} // namespace bareflight

using bareflight::bareApogee;
using bareflight::CBareAir;
