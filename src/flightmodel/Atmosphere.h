#pragma once

#include "flightmodel/FlightInputs.h"

#include <QString>

#include <algorithm>
#include <vector>

inline constexpr double kStandardGravity = 9.80665; // m/s²

// The air a rocket climbs through: the standard atmosphere's pressure at the
// site's elevation, the launch temperature at the pad, falling 6.5 K a
// kilometre up to the tropopause at 11 km above sea level and constant above
// it, and the pressure that follows from the weight of the air.
// Densities are read from a table built once per site, every 20 m up to 30 km
// above the pad, linearly between: within a millionth of the formula, at a
// fraction of its cost in the integration's inner loop.
class CAtmosphere
{
public:
    // The site must pass launchSiteProblem.
    explicit CAtmosphere(const CLaunchSite &site);

    // Why a site cannot be flown from: a value that is not a number, an
    // elevation outside -1,000 to 11,000 m, a temperature outside -100 to
    // 100 °C. Empty for a good site.
    static QString launchSiteProblem(const CLaunchSite &site);

    // The density about a height, as a straight line: what the integration
    // follows through one step, saving a table look-up at each stage of it.
    struct CLine
    {
        double height;
        double density; // kg/m³ there
        double slope; // kg/m³ per metre up

        double at(double other) const { return density + slope * (other - height); }
    };

    // The table's row about that height (the pad's below it), or beyond the
    // table the formula's value and slope.
    CLine lineAt(double height) const
    {
        const double x = std::max(0.0, height * kInverseStep);
        if (x < double(kSteps)) {
            const auto i = static_cast<std::size_t>(x);
            const double rise = m_table[i + 1] - m_table[i];
            return {height, m_table[i] + (x - double(i)) * rise, rise * kInverseStep};
        }
        return lineAboveTable(height);
    }

    // kg/m³ at so many metres above the pad; the pad's below it.
    double density(double height) const { return lineAt(height).at(height); }
    double densityByFormula(double height) const;

private:
    CLine lineAboveTable(double height) const;

    static constexpr double kStep = 20; // m
    static constexpr double kInverseStep = 1 / kStep;
    static constexpr int kSteps = 1500;

    double m_padTemperatureK;
    double m_padPressurePa;
    double m_tropopauseHeight; // above the pad
    double m_tropopauseTemperatureK;
    double m_tropopausePressurePa;
    std::vector<double> m_table;
};
