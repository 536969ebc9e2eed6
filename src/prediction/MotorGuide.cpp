#include "prediction/MotorGuide.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kMountTolerance = 0.001; // m
} // namespace

bool CMotorGuideFilter::accepts(const CMotorGuideRow &row) const
{
    if (!impulseClass.trimmed().isEmpty() && row.impulseClass.compare(impulseClass.trimmed(), Qt::CaseInsensitive) != 0)
        return false;
    if (mountM && (!row.diameterM || std::abs(*row.diameterM - *mountM) > kMountTolerance))
        return false;
    return true;
}

CMotorGuide::CMotorGuide(const CRocketBody &rocket, const CLaunchSite &site, std::vector<CCurveMotor> motors, int count)
    : m_predictor(rocket, site)
    , m_motors(std::move(motors))
    , m_count(count)
{
    m_rows.reserve(m_motors.size());
}

std::size_t CMotorGuide::predictFor(std::chrono::nanoseconds budget)
{
    const auto start = std::chrono::steady_clock::now();
    std::size_t done = 0;
    while (!finished()) {
        const CCurveMotor &motor = m_motors[m_rows.size()];
        CMotorGuideRow row;
        row.motorId = motor.id;
        row.type = motor.type;
        row.mfg = motor.mfg;
        row.impulseClass = motor.figures.impulseClass;
        row.delays = motor.delay;
        row.diameterM = motor.diameterM();
        row.prediction = m_predictor.predict(motor.load(m_count));
        m_rows.push_back(std::move(row));
        ++done;
        if (std::chrono::steady_clock::now() - start >= budget)
            break;
    }
    return done;
}

void CMotorGuide::predictAll()
{
    while (!finished())
        predictFor(std::chrono::hours(1));
}

void sortByApogee(std::vector<CMotorGuideRow> &rows)
{
    std::stable_sort(rows.begin(), rows.end(), [](const CMotorGuideRow &a, const CMotorGuideRow &b) {
        const double first = a.prediction.flown ? a.prediction.apogeeM : -1;
        const double second = b.prediction.flown ? b.prediction.apogeeM : -1;
        return first > second;
    });
}
