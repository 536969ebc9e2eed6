#pragma once

#include "flightmodel/FlightInputs.h"
#include "flightmodel/FlightPrediction.h"

#include <QString>

#include <memory>
#include <span>

class CAtmosphere;

// Predicts vertical flights of one rocket from one site, motor after motor:
// the motor guide builds one and asks it for every motor of the catalogue.
// predict is const and touches nothing shared but the read-only air table, so
// several threads may call it at once.
//
// The model, one-dimensional and vertical:
// - thrust: each curve followed in straight lines between its points from an
//   implied 0 N at ignition, zero after its last point, times the stage's
//   motor count; no integration step straddles a point;
// - mass: the rocket and every loaded motor, less each motor's propellant in
//   proportion to the impulse it has delivered; a motor whose file gives no
//   propellant mass keeps its whole mass (and the prediction says so);
// - drag: 0.5·rho·v·|v|·Cd·A, A the rocket's cross-section from its diameter;
// - air: CAtmosphere, its density followed along its table row's line through
//   each step; gravity 9.80665 m/s²;
// - the pad holds the rocket until the thrust exceeds the weight, the moment
//   found within its curve segment, not at a step's end;
// - fourth-order Runge-Kutta, steps of at most 0.01 s under thrust and 0.05 s
//   coasting, shorter where drag would change the speed by a tenth of itself
//   within one (a light, wide rocket); apogee where the vertical speed
//   reaches zero, found within its step by cubic interpolation;
// - stages lit one after another, each at the last point of the curve before.
// A flight is never followed past an hour after ignition, nor for more than
// 200,000 steps.
class CFlightPredictor
{
public:
    CFlightPredictor(const CRocketBody &rocket, const CLaunchSite &site);

    // Why the rocket or the site cannot be flown (a value that is not a
    // number, a mass or diameter of zero or less, a negative Cd or guide);
    // every prediction then carries it as its error. Empty when they can.
    const QString &problem() const { return m_problem; }
    const CRocketBody &rocket() const { return m_rocket; }

    [[nodiscard]] CFlightPrediction predict(std::span<const CMotorLoad> stages) const;
    [[nodiscard]] CFlightPrediction predict(const CMotorLoad &motor) const;

    // The same rocket with another drag coefficient, sharing the air table.
    [[nodiscard]] CFlightPredictor withCd(double cd) const;

private:
    CRocketBody m_rocket;
    QString m_siteProblem;
    QString m_problem;
    std::shared_ptr<const CAtmosphere> m_atmosphere; // null when the site cannot be flown from
};

// One flight, for a caller that predicts only one.
[[nodiscard]] CFlightPrediction predictFlight(const CFlightInput &input);
