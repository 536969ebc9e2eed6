#pragma once

#include "flightmodel/BurnSchedule.h"
#include "flightmodel/MotorDelays.h"

#include <QString>

#include <optional>
#include <vector>

class CAtmosphere;

// What the integration of one flight found; CFlightPrediction's figures in
// the same units.
struct CFlightTrack
{
    QString error; // the numbers overflowed, or the flight outlasted an hour
    bool liftedOff = false;
    bool leftGuide = false;
    double guideSpeedMps = 0;
    double burnoutAltitudeM = 0;
    double burnoutSpeedMps = 0;
    double maxSpeedMps = 0;
    double maxAccelerationMps2 = 0;
    double apogeeM = 0;
    double apogeeS = 0;
    std::optional<double> delayS;
    std::optional<double> ejectionSpeedMps;
    bool landedBeforeEjection = false;
};

// Follows one flight through its burn schedule with fourth-order Runge-Kutta
// steps, and on past apogee until the chosen delay ends (see CFlightPredictor
// for the model). Used once.
class CFlightIntegrator
{
public:
    // dragFactor: 0.5·Cd·A, so that drag = dragFactor·rho·v·|v|.
    CFlightIntegrator(const CBurnSchedule &schedule, double dragFactor, const CAtmosphere &air, double guideM,
                      const CMotorDelays &delays);

    [[nodiscard]] CFlightTrack run();

private:
    double acceleration(const CBurnSegment &segment, double tau, double height, double speed) const;
    // Moves the state to the end time within the segment; the acceleration at the step's start.
    double step(const CBurnSegment &segment, double end);
    // Where the next step from now ends, `until` at the latest: no longer than
    // `longest`, nor than drag allows.
    double stepEnd(const CBurnSegment &segment, double until, double longest) const;
    [[nodiscard]] bool flyStep(const CBurnSegment &segment, double end);
    [[nodiscard]] bool burn(const CBurnSegment &segment);
    void coast();
    // Apogee time less burnout time, or 0 when the apogee came first.
    double optimalDelay() const;
    // The first moment, in seconds after the segment's start, from `from` to
    // `to`, when the thrust exceeds the weight; empty when there is none.
    std::optional<double> liftoffWithin(const CBurnSegment &segment, double from, double to) const;
    void chooseDelay(const std::vector<double> &ejectionSpeeds);

    const CBurnSchedule &m_schedule;
    CBurnSegment m_coast;
    double m_dragFactor;
    const CAtmosphere &m_air;
    double m_guide;
    const CMotorDelays &m_delays;

    double m_time = 0; // s after ignition
    double m_height = 0; // m above the pad
    double m_speed = 0; // m/s upwards
    bool m_resting = true; // held by the pad
    bool m_landed = false;
    bool m_pastApogee = false;
    int m_steps = 0;
    CFlightTrack m_track;
};
