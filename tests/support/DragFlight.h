#pragma once

#include <cmath>
#include <numbers>

// A vertical flight at constant mass: thrust for a time, drag 0.5·rho·v²·Cd·A,
// the air's temperature falling 6.5 K/km from the pad's and its pressure
// following from its weight, 101,325 Pa at the pad (sea level). Fourth-order
// Runge-Kutta at 1 ms; the highest point reached.
inline double apogeeWithDrag(double thrustN, double burnS, double massKg, double cd, double diameterM, double padC)
{
    constexpr double g = 9.80665;
    constexpr double gasConstant = 287.053; // J/(kg·K), dry air
    constexpr double lapse = 0.0065; // K/m
    const double padK = padC + 273.15;
    const double area = std::numbers::pi * diameterM * diameterM / 4;
    const auto density = [&](double h) {
        const double kelvin = padK - lapse * h;
        return 101325 * std::pow(kelvin / padK, g / (gasConstant * lapse)) / (gasConstant * kelvin);
    };
    const auto acceleration = [&](bool burning, double h, double v) {
        return ((burning ? thrustN : 0) - 0.5 * density(h) * v * std::abs(v) * cd * area) / massKg - g;
    };
    constexpr double dt = 0.001;
    const long burnSteps = std::lround(burnS / dt);
    double h = 0;
    double v = 0;
    for (long step = 0; step < burnSteps || v > 0; ++step) {
        const bool burning = step < burnSteps;
        const double a1 = acceleration(burning, h, v);
        const double a2 = acceleration(burning, h + v * dt / 2, v + a1 * dt / 2);
        const double a3 = acceleration(burning, h + (v + a1 * dt / 2) * dt / 2, v + a2 * dt / 2);
        const double a4 = acceleration(burning, h + (v + a2 * dt / 2) * dt, v + a3 * dt);
        h += dt * (v + dt * (a1 + a2 + a3) / 6);
        v += dt * (a1 + 2 * a2 + 2 * a3 + a4) / 6;
    }
    return h;
}
