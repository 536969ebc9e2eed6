#include "flightmodel/Atmosphere.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kLapseRate = 0.0065; // K/m
constexpr double kAirGasConstant = 287.05287; // J/(kg·K), dry air
constexpr double kSeaLevelPressure = 101325; // Pa
constexpr double kSeaLevelTemperature = 288.15; // K
constexpr double kTropopause = 11000; // m above sea level
constexpr double kKelvin = 273.15;
// The exponent of temperature in the pressure of a layer with a steady lapse.
constexpr double kPressureExponent = kStandardGravity / (kAirGasConstant * kLapseRate);

constexpr double kLowestSite = -1000;
constexpr double kHighestSite = kTropopause;
constexpr double kColdest = -100;
constexpr double kHottest = 100;
} // namespace

CAtmosphere::CAtmosphere(const CLaunchSite &site)
    : m_padTemperatureK(site.temperatureC + kKelvin)
    , m_padPressurePa(kSeaLevelPressure
                      * std::pow(1 - kLapseRate * site.elevationM / kSeaLevelTemperature, kPressureExponent))
    , m_tropopauseHeight(std::max(0.0, kTropopause - site.elevationM))
    , m_tropopauseTemperatureK(m_padTemperatureK - kLapseRate * m_tropopauseHeight)
    , m_tropopausePressurePa(m_padPressurePa
                             * std::pow(m_tropopauseTemperatureK / m_padTemperatureK, kPressureExponent))
{
    m_table.reserve(kSteps + 1);
    for (int i = 0; i <= kSteps; ++i)
        m_table.push_back(densityByFormula(i * kStep));
}

QString CAtmosphere::launchSiteProblem(const CLaunchSite &site)
{
    if (!std::isfinite(site.elevationM))
        return QStringLiteral("The site's elevation is not a number");
    if (!std::isfinite(site.temperatureC))
        return QStringLiteral("The launch temperature is not a number");
    if (site.elevationM < kLowestSite || site.elevationM >= kHighestSite) {
        return QStringLiteral("The site's elevation of %1 m is outside %2 to %3 m")
            .arg(site.elevationM)
            .arg(kLowestSite)
            .arg(kHighestSite);
    }
    if (site.temperatureC <= kColdest || site.temperatureC >= kHottest) {
        return QStringLiteral("The launch temperature of %1 °C is outside %2 to %3 °C")
            .arg(site.temperatureC)
            .arg(kColdest)
            .arg(kHottest);
    }
    return QString();
}

CAtmosphere::CLine CAtmosphere::lineAboveTable(double height) const
{
    // Above the tropopause, which the table reaches from any site, the density
    // falls by a constant fraction each metre.
    const double density = densityByFormula(height);
    return {height, density, -density * kStandardGravity / (kAirGasConstant * m_tropopauseTemperatureK)};
}

double CAtmosphere::densityByFormula(double height) const
{
    height = std::max(0.0, height);
    if (height <= m_tropopauseHeight) {
        const double temperature = m_padTemperatureK - kLapseRate * height;
        const double pressure = m_padPressurePa * std::pow(temperature / m_padTemperatureK, kPressureExponent);
        return pressure / (kAirGasConstant * temperature);
    }
    // Above the tropopause the temperature holds and the pressure falls by a
    // constant fraction each metre.
    const double pressure = m_tropopausePressurePa
        * std::exp(-kStandardGravity * (height - m_tropopauseHeight) / (kAirGasConstant * m_tropopauseTemperatureK));
    return pressure / (kAirGasConstant * m_tropopauseTemperatureK);
}
