#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// What a flyer is warned of, each with its own words (CFlightWarning::text).
enum class EFlightWarning {
    NoCurve, // a stage's motor has no thrust curve: nothing is flown
    NeverLiftsOff, // the thrust never exceeds the weight
    LowGuideSpeed, // leaves the guide slower than 15 m/s
    LowThrustToWeight, // thrust-to-weight under 5
    NoDelayNearOptimum, // no available delay within 2 s of the optimal one, or none readable
    Plugged, // the motor has no ejection charge
    LandsBeforeEjection, // the chosen delay ends after the rocket is back on the ground
    PropellantMassUnknown, // the motor file gives no propellant mass: the motor's mass is kept
    StageMassesUnknown, // staged: spent motors are kept aboard, no stage is dropped
};

struct CFlightWarning
{
    EFlightWarning kind;
    QString text;
};

// A predicted flight. Heights in metres above the pad, times in seconds after
// the first stage's ignition, speeds in m/s (positive upwards), masses in kg.
struct CFlightPrediction
{
    // Why the inputs cannot be flown, naming the value (a mass of zero, a
    // curve going back in time, a number that is not one); every figure is then
    // zero and there are no warnings. Empty for a computed prediction.
    QString error;
    // The rocket left the pad: the figures of the flight are set. Otherwise a
    // warning says why (NoCurve, NeverLiftsOff) and only the liftoff mass and
    // the thrust-to-weight may be set.
    bool flown = false;

    double liftoffKg = 0; // rocket and every loaded motor
    double thrustToWeight = 0; // first stage's average thrust over the liftoff weight
    double guideSpeedMps = 0; // at the end of the guide; 0 when it never gets there
    double burnoutS = 0; // of the last stage
    double burnoutAltitudeM = 0;
    double burnoutSpeedMps = 0;
    double maxSpeedMps = 0; // fastest climb
    double maxAccelerationMps2 = 0; // hardest push upwards, gravity and drag counted
    double apogeeM = 0;
    double apogeeS = 0;
    double optimalDelayS = 0; // apogee time less burnout time
    std::optional<double> delayS; // the last stage's available delay nearest the optimal one
    std::optional<double> ejectionSpeedMps; // speed (unsigned) when that delay ends

    std::vector<CFlightWarning> warnings;

    [[nodiscard]] bool ok() const { return error.isEmpty(); }
    [[nodiscard]] bool has(EFlightWarning kind) const;
    // The warnings' texts in order; the error alone when there is one.
    QStringList texts() const;
};
