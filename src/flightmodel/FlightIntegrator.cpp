#include "flightmodel/FlightIntegrator.h"

#include "flightmodel/Atmosphere.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr double kThrustStep = 0.01; // s
constexpr double kCoastStep = 0.05; // s
constexpr double kLongestFlight = 3600; // s after ignition
constexpr int kHalvings = 40; // to a millionth of a microsecond
// Of the time in which drag alone would change the speed by its own size: a
// light, wide rocket (a saucer) or a fast one would otherwise take steps too
// long for fourth-order Runge-Kutta to stay stable.
constexpr double kDragStepShare = 0.1;
// Steps that short may add up: more than this (a real flight takes a few
// thousand) and the flight is refused rather than followed for long.
constexpr int kMostSteps = 200'000;

inline double thrustAt(const CBurnSegment &segment, double tau)
{
    return segment.thrust + segment.slope * tau;
}

// One over the mass, never lighter than the lightest, however the subtraction rounds.
inline double inverseMassAt(const CBurnSegment &segment, double tau, double lightest)
{
    return 1 / std::max(lightest, segment.mass - tau * (segment.massLinear + segment.massQuadratic * tau));
}

// The cubic through y0 and y1 with slopes d0 and d1 (per whole step), at the
// fraction s of the step.
double hermite(double y0, double y1, double d0, double d1, double s)
{
    const double s2 = s * s;
    const double s3 = s2 * s;
    return (2 * s3 - 3 * s2 + 1) * y0 + (s3 - 2 * s2 + s) * d0 + (3 * s2 - 2 * s3) * y1 + (s3 - s2) * d1;
}

// The fraction of a step where that cubic reaches the target, which y0 lies
// short of and y1 does not.
double crossing(double y0, double y1, double d0, double d1, double target)
{
    double before = 0;
    double after = 1;
    for (int i = 0; i < kHalvings; ++i) {
        const double middle = (before + after) / 2;
        if ((hermite(y0, y1, d0, d1, middle) < target) == (y0 < target))
            before = middle;
        else
            after = middle;
    }
    return after;
}
} // namespace

CFlightIntegrator::CFlightIntegrator(const CBurnSchedule &schedule, double dragFactor, const CAtmosphere &air,
                                     double guideM, const CMotorDelays &delays)
    : m_schedule(schedule)
    , m_dragFactor(dragFactor)
    , m_air(air)
    , m_guide(guideM)
    , m_delays(delays)
{
    m_coast.start = schedule.burnoutS();
    m_coast.end = std::numeric_limits<double>::infinity();
    m_coast.mass = schedule.burnoutKg();
}

CFlightTrack CFlightIntegrator::run()
{
    for (const CBurnSegment &segment : m_schedule.segments()) {
        if (!burn(segment))
            return m_track;
    }
    m_time = m_schedule.burnoutS();
    m_track.burnoutAltitudeM = m_height;
    m_track.burnoutSpeedMps = m_speed;
    if (m_track.liftedOff)
        coast();
    return m_track;
}

double CFlightIntegrator::acceleration(const CBurnSegment &segment, double tau, double height, double speed) const
{
    const double drag = m_dragFactor * m_air.density(height) * speed * std::abs(speed);
    return (thrustAt(segment, tau) - drag) * inverseMassAt(segment, tau, m_coast.mass) - kStandardGravity;
}

double CFlightIntegrator::step(const CBurnSegment &segment, double end)
{
    const double dt = end - m_time;
    const double half = dt / 2;
    const double tau = m_time - segment.start;
    // acceleration = (thrust - drag)/mass - g = push - dragPerDensity·rho·v·|v|.
    // The push and the drag's factor hang on time alone, so they are worked
    // out apart from the four evaluations, each of which waits on the one
    // before; the density follows the line of its table row through the step.
    const double inverse1 = inverseMassAt(segment, tau, m_coast.mass);
    const double inverse2 = inverseMassAt(segment, tau + half, m_coast.mass);
    const double inverse4 = inverseMassAt(segment, tau + dt, m_coast.mass);
    const double push1 = thrustAt(segment, tau) * inverse1 - kStandardGravity;
    const double push2 = thrustAt(segment, tau + half) * inverse2 - kStandardGravity;
    const double push4 = thrustAt(segment, tau + dt) * inverse4 - kStandardGravity;
    const double drag1 = m_dragFactor * inverse1;
    const double drag2 = m_dragFactor * inverse2;
    const double drag4 = m_dragFactor * inverse4;
    const double h = m_height;
    const double v = m_speed;
    const CAtmosphere::CLine air = m_air.lineAt(h);
    const double a1 = push1 - drag1 * air.density * v * std::abs(v);
    const double v2 = v + half * a1;
    const double a2 = push2 - drag2 * air.at(h + half * v) * v2 * std::abs(v2);
    const double v3 = v + half * a2;
    const double a3 = push2 - drag2 * air.at(h + half * v2) * v3 * std::abs(v3);
    const double v4 = v + dt * a3;
    const double a4 = push4 - drag4 * air.at(h + dt * v3) * v4 * std::abs(v4);
    m_height = h + dt / 6 * (v + 2 * v2 + 2 * v3 + v4);
    m_speed = v + dt / 6 * (a1 + 2 * a2 + 2 * a3 + a4);
    m_time = end; // set, not summed, so that segment ends stay exact
    return a1;
}

double CFlightIntegrator::stepEnd(const CBurnSegment &segment, double until, double longest) const
{
    // Drag changes the speed at the rate dragPerSpeed·speed per second; the
    // speed may grow within the step by at most thrust and gravity's push, so
    // a step dt is short enough when dragPerSpeed·(|v| + push·dt)·dt <= kDragStepShare.
    const double tau = m_time - segment.start;
    const double inverseMass = inverseMassAt(segment, tau, m_coast.mass);
    const double dragPerSpeed = m_dragFactor * m_air.density(m_height) * inverseMass; // 1/m
    const double push =
        std::max(thrustAt(segment, tau), thrustAt(segment, tau + longest)) * inverseMass + kStandardGravity;
    const double speed = std::abs(m_speed);
    double step = longest;
    if (dragPerSpeed * (speed + push * step) * step > kDragStepShare) {
        const double a = dragPerSpeed * push;
        const double b = dragPerSpeed * speed;
        step = (std::sqrt(b * b + 4 * a * kDragStepShare) - b) / (2 * a);
    }
    const double remaining = until - m_time;
    if (remaining <= step)
        return until;
    // Two even steps rather than a full one and a sliver.
    return m_time + (remaining < 2 * step ? remaining / 2 : step);
}

bool CFlightIntegrator::flyStep(const CBurnSegment &segment, double end)
{
    const double time = m_time;
    const double height = m_height;
    const double speed = m_speed;
    const double dt = end - time;
    const double a0 = step(segment, end);
    if (!std::isfinite(m_height) || !std::isfinite(m_speed)) {
        m_track.error = QStringLiteral("The flight's numbers overflow: check the rocket's mass and the motor");
        return false;
    }
    m_track.maxAccelerationMps2 = std::max(m_track.maxAccelerationMps2, a0);
    m_track.maxSpeedMps = std::max(m_track.maxSpeedMps, m_speed);
    const bool leavesGuide = !m_track.leftGuide && m_height >= m_guide;
    const bool peaks = speed > 0 && m_speed <= 0;
    if (leavesGuide || peaks) {
        const double a1 = acceleration(segment, end - segment.start, m_height, m_speed);
        if (leavesGuide) {
            const double s = crossing(height, m_height, speed * dt, m_speed * dt, m_guide);
            m_track.leftGuide = true;
            m_track.guideSpeedMps = hermite(speed, m_speed, a0 * dt, a1 * dt, s);
        }
        if (peaks) {
            const double s = crossing(speed, m_speed, a0 * dt, a1 * dt, 0);
            const double apogee = hermite(height, m_height, speed * dt, m_speed * dt, s);
            if (apogee > m_track.apogeeM) {
                m_track.apogeeM = apogee;
                m_track.apogeeS = time + s * dt;
            }
            m_pastApogee = true;
        }
    }
    if (m_height < 0) {
        // Back on the ground: under thrust the pad holds it again; coasting, it has landed.
        m_height = 0;
        m_speed = 0;
        m_landed = &segment == &m_coast;
        m_resting = !m_landed;
    }
    if (++m_steps > kMostSteps) {
        m_track.error = QStringLiteral("The flight's drag is too strong for its mass to be followed: check the "
                                       "rocket's weight and diameter");
        return false;
    }
    if (m_time > kLongestFlight) {
        m_track.error = QStringLiteral("The flight does not end within an hour: check the rocket's mass and the motor");
        return false;
    }
    return true;
}

bool CFlightIntegrator::burn(const CBurnSegment &segment)
{
    m_time = std::max(m_time, segment.start);
    while (m_time < segment.end) {
        if (m_resting) {
            const std::optional<double> liftoff =
                liftoffWithin(segment, m_time - segment.start, segment.end - segment.start);
            if (!liftoff) {
                m_time = segment.end;
                return true;
            }
            m_time = segment.start + *liftoff;
            m_resting = false;
            m_track.liftedOff = true;
            if (m_guide <= 0)
                m_track.leftGuide = true; // no guide: it is left at liftoff, at rest
            if (m_time >= segment.end)
                return true;
        }
        while (m_time < segment.end && !m_resting) {
            if (!flyStep(segment, stepEnd(segment, segment.end, kThrustStep)))
                return false;
        }
    }
    // The next point may start with another thrust: the push at this one's end counts too.
    if (!m_resting) {
        const double end = acceleration(segment, segment.end - segment.start, m_height, m_speed);
        m_track.maxAccelerationMps2 = std::max(m_track.maxAccelerationMps2, end);
    }
    return true;
}

void CFlightIntegrator::coast()
{
    const std::vector<double> &delays = m_delays.seconds;
    std::vector<double> ejectionSpeeds(delays.size(), -1); // -1 until reached
    std::size_t next = 0; // the first delay not yet reached
    // On the pad at burnout (it fell back), or already falling: apogee is
    // behind it. A peak under thrust before a later climb is not the apogee.
    m_landed = m_landed || m_resting;
    m_pastApogee = m_speed <= 0;
    for (;;) {
        if (m_landed)
            break;
        while (next < delays.size() && m_schedule.burnoutS() + delays[next] <= m_time)
            ejectionSpeeds[next++] = std::abs(m_speed);
        if (m_pastApogee) {
            const std::optional<double> delay = nearestDelay(m_delays, optimalDelay());
            if (!delay || m_schedule.burnoutS() + *delay <= m_time)
                break;
        }
        const double until = next < delays.size() ? m_schedule.burnoutS() + delays[next] : m_coast.end;
        if (!flyStep(m_coast, stepEnd(m_coast, until, kCoastStep)))
            return;
    }
    chooseDelay(ejectionSpeeds);
}

double CFlightIntegrator::optimalDelay() const
{
    return std::max(0.0, m_track.apogeeS - m_schedule.burnoutS());
}

void CFlightIntegrator::chooseDelay(const std::vector<double> &ejectionSpeeds)
{
    m_track.delayS = nearestDelay(m_delays, optimalDelay());
    if (!m_track.delayS)
        return;
    const auto at = std::find(m_delays.seconds.begin(), m_delays.seconds.end(), *m_track.delayS);
    const double speed = ejectionSpeeds[std::size_t(at - m_delays.seconds.begin())];
    if (speed >= 0)
        m_track.ejectionSpeedMps = speed;
    else
        m_track.landedBeforeEjection = true;
}

std::optional<double> CFlightIntegrator::liftoffWithin(const CBurnSegment &segment, double from, double to) const
{
    // Thrust less weight, a quadratic in tau as the mass falls with the impulse.
    const double a = kStandardGravity * segment.massQuadratic;
    const double b = segment.slope + kStandardGravity * segment.massLinear;
    const double c = segment.thrust - kStandardGravity * segment.mass;
    const auto excess = [&](double tau) { return (a * tau + b) * tau + c; };
    if (excess(from) > 0)
        return from;
    double after = to;
    if (!(excess(to) > 0)) {
        // It may still rise above zero and fall back within the segment.
        const double top = a < 0 ? -b / (2 * a) : from;
        if (!(top > from && top < to && excess(top) > 0))
            return std::nullopt;
        after = top;
    }
    double before = from;
    for (int i = 0; i < kHalvings; ++i) {
        const double middle = (before + after) / 2;
        (excess(middle) > 0 ? after : before) = middle;
    }
    return after;
}
