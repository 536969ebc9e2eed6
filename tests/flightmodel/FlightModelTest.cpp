// The flight model against physics worked out here by hand: closed-form
// burns and coasts, exact integrals of straight-line thrust curves, energy,
// textbook air densities; and against inputs no flight could have.
#include "flightmodel/Atmosphere.h"
#include "flightmodel/CdFit.h"
#include "flightmodel/FlightPredictor.h"
#include "flightmodel/MotorDelays.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

namespace {
constexpr double g = 9.80665;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

CMotorLoad motorOf(std::vector<CThrustPoint> curve, double propellantKg, double totalKg,
                   const QString &delays = QStringLiteral("P"), int count = 1)
{
    return CMotorLoad {std::move(curve), propellantKg, totalKg, delays, count};
}

CFlightInput flightOf(double rocketKg, double diameterM, double cd, std::vector<CMotorLoad> stages)
{
    CFlightInput input;
    input.rocket = CRocketBody {rocketKg, diameterM, cd, 1.0};
    input.stages = std::move(stages);
    return input;
}

void expectRelative(double actual, double expected, double tolerance)
{
    EXPECT_NEAR(actual, expected, tolerance * std::abs(expected)) << "expected " << expected;
}

// Every figure a screen might show is a number.
void expectAllFinite(const CFlightPrediction &p)
{
    for (double value : {p.liftoffKg, p.thrustToWeight, p.guideSpeedMps, p.burnoutS, p.burnoutAltitudeM,
                         p.burnoutSpeedMps, p.maxSpeedMps, p.maxAccelerationMps2, p.apogeeM, p.apogeeS, p.optimalDelayS,
                         p.delayS.value_or(0), p.ejectionSpeedMps.value_or(0)})
        EXPECT_TRUE(std::isfinite(value));
}

// Speed and height at the end of a straight-line curve of a constant mass
// that leaves the pad at `liftoff` s: the speed is the integral of (T - W)/m,
// the height that of (tb - s)(T - W)/m, which Simpson's rule gives exactly on
// each straight piece (a quadratic there).
struct CExactBurnout
{
    double speed = 0;
    double height = 0;
};

CExactBurnout exactBurnout(const std::vector<CThrustPoint> &curve, double massKg, double liftoff)
{
    std::vector<CThrustPoint> points {{0, 0}};
    points.insert(points.end(), curve.begin(), curve.end());
    const double end = points.back().time;
    CExactBurnout burnout;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const CThrustPoint p = points[i - 1];
        const CThrustPoint q = points[i];
        const double a = std::max(p.time, liftoff);
        const double b = q.time;
        if (b <= a)
            continue;
        const auto net = [&](double s) {
            return (p.thrust + (q.thrust - p.thrust) * (s - p.time) / (q.time - p.time)) / massKg - g;
        };
        const double mid = (a + b) / 2;
        burnout.speed += (b - a) / 6 * (net(a) + 4 * net(mid) + net(b));
        burnout.height += (b - a) / 6 * ((end - a) * net(a) + 4 * (end - mid) * net(mid) + (end - b) * net(b));
    }
    return burnout;
}

// Where a straight-line curve from the implied (0, 0) first exceeds the weight.
double exactLiftoff(const std::vector<CThrustPoint> &curve, double weight)
{
    CThrustPoint p {0, 0};
    for (const CThrustPoint &q : curve) {
        if (q.thrust > weight)
            return p.thrust > weight ? p.time
                                     : p.time + (weight - p.thrust) / (q.thrust - p.thrust) * (q.time - p.time);
        p = q;
    }
    return -1;
}
} // namespace

TEST(FlightModel, ConstantThrustAndMassMeetTheClosedFormBurnAndCoast)
{
    // 100 N for 2 s lifting 2 kg that burns nothing away; no drag.
    const CFlightPrediction p =
        predictFlight(flightOf(1.5, 0.05, 0, {motorOf({{0, 100}, {2, 100}}, 0, 0.5, QStringLiteral("3-5-7"))}));
    ASSERT_TRUE(p.ok()) << p.error.toStdString();
    ASSERT_TRUE(p.flown);
    const double a = 100 / 2.0 - g;
    const double vb = a * 2;
    const double hb = a * 2 * 2 / 2;
    expectRelative(p.liftoffKg, 2.0, 1e-12);
    expectRelative(p.thrustToWeight, 100 / (2 * g), 1e-12);
    expectRelative(p.guideSpeedMps, std::sqrt(2 * a * 1.0), 1e-9);
    EXPECT_DOUBLE_EQ(p.burnoutS, 2);
    expectRelative(p.burnoutSpeedMps, vb, 1e-9);
    expectRelative(p.burnoutAltitudeM, hb, 1e-9);
    expectRelative(p.maxSpeedMps, vb, 1e-9);
    expectRelative(p.maxAccelerationMps2, a, 1e-9);
    expectRelative(p.apogeeM, hb + vb * vb / (2 * g), 1e-9);
    expectRelative(p.apogeeS, 2 + vb / g, 1e-9);
    expectRelative(p.optimalDelayS, vb / g, 1e-9); // 8.2 s: 7 is within 2 s of it
    EXPECT_EQ(p.delayS, 7.0);
    ASSERT_TRUE(p.ejectionSpeedMps);
    expectRelative(*p.ejectionSpeedMps, std::abs(vb - g * 7), 1e-9);
    // Thrust-to-weight 5.1 passes; 9 m/s off a 1 m rod does not; the motor's mass stays aboard.
    ASSERT_EQ(p.warnings.size(), 2u);
    EXPECT_EQ(p.warnings[0].kind, EFlightWarning::LowGuideSpeed);
    EXPECT_EQ(p.warnings[0].text, QStringLiteral("Leaves the guide at 9.0 m/s, under 15 m/s"));
    EXPECT_EQ(p.warnings[1].kind, EFlightWarning::PropellantMassUnknown);

    // The same burn sampled at 100,000 points flies the same flight.
    std::vector<CThrustPoint> fine;
    fine.reserve(100000);
    for (int i = 0; i < 100000; ++i)
        fine.push_back({2.0 * i / 99999, 100});
    const CFlightPrediction sampled = predictFlight(flightOf(1.5, 0.05, 0, {motorOf(fine, 0, 0.5)}));
    ASSERT_TRUE(sampled.ok());
    expectRelative(sampled.apogeeM, hb + vb * vb / (2 * g), 1e-9);
    expectRelative(sampled.burnoutSpeedMps, vb, 1e-9);
}

TEST(FlightModel, PropellantBurntWithTheImpulseMeetsTheRocketEquation)
{
    // 60 N for 1.5 s; 0.3 kg of propellant going at 0.2 kg/s from 1.4 kg.
    const double F = 60, tb = 1.5, m0 = 1.4, mb = 1.1, rate = 0.2;
    const CFlightPrediction p = predictFlight(flightOf(1.0, 0.03, 0, {motorOf({{0, F}, {tb, F}}, 0.3, 0.4)}));
    ASSERT_TRUE(p.ok());
    // v = (F/rate)·ln(m0/m) - g·t; h = (F/rate²)·(m0 - m - m·ln(m0/m)) - g·t²/2
    const double vb = F / rate * std::log(m0 / mb) - g * tb;
    const double hb = F / (rate * rate) * (m0 - mb - mb * std::log(m0 / mb)) - g * tb * tb / 2;
    expectRelative(p.burnoutSpeedMps, vb, 1e-7);
    expectRelative(p.burnoutAltitudeM, hb, 1e-7);
    expectRelative(p.apogeeM, hb + vb * vb / (2 * g), 1e-7);
    expectRelative(p.maxAccelerationMps2, F / mb - g, 1e-9); // lightest at burnout
    expectRelative(p.thrustToWeight, F / (m0 * g), 1e-12);
    EXPECT_TRUE(p.has(EFlightWarning::LowThrustToWeight));
    EXPECT_FALSE(p.has(EFlightWarning::PropellantMassUnknown));
}

TEST(FlightModel, QuadraticDragInThinAirMeetsTheClosedFormBurnAndCoast)
{
    // A wide, light rocket that stays low, in the air of a site at 1,500 m and 30 °C.
    CFlightInput input = flightOf(0.9, 0.3, 1.0, {motorOf({{0, 30}, {0.5, 30}}, 0, 0.1)});
    input.site = CLaunchSite {1500, 30};
    const CFlightPrediction p = predictFlight(input);
    ASSERT_TRUE(p.ok());
    const double pressure = 101325 * std::pow(1 - 0.0065 * 1500 / 288.15, 5.25588);
    const double rho = pressure / (287.05287 * (30 + 273.15));
    const double m = 1.0, F = 30, tb = 0.5;
    const double k = 0.5 * rho * 1.0 * std::numbers::pi * 0.3 * 0.3 / 4;
    // m·dv/dt = F - m·g - k·v² under thrust, -m·g - k·v² coasting.
    const double terminal = std::sqrt((F - m * g) / k);
    const double vb = terminal * std::tanh(k * terminal * tb / m);
    const double hb = m / k * std::log(std::cosh(k * terminal * tb / m));
    const double coast = m / (2 * k) * std::log(1 + k * vb * vb / (m * g));
    const double coastTime = std::sqrt(m / (k * g)) * std::atan(vb * std::sqrt(k / (m * g)));
    // The air thins by under 0.01 % over the 6.5 m climbed.
    expectRelative(p.burnoutSpeedMps, vb, 1e-3);
    expectRelative(p.burnoutAltitudeM, hb, 1e-3);
    expectRelative(p.apogeeM, hb + coast, 1e-3);
    expectRelative(p.apogeeS, tb + coastTime, 1e-3);
}

TEST(FlightModel, ASaucerHeldByItsDragMeetsTheClosedForm)
{
    // 60 g and 30 cm wide on 40 N: drag holds it near 25 m/s, where it slows
    // by 1/0.04 s, faster than the longest coasting step could follow.
    const CFlightPrediction p = predictFlight(flightOf(0.05, 0.3, 1.5, {motorOf({{0, 40}, {0.8, 40}}, 0, 0.01)}));
    ASSERT_TRUE(p.ok());
    const double rho = 101325 / (287.05287 * 288.15);
    const double m = 0.06, F = 40, tb = 0.8;
    const double k = 0.5 * rho * 1.5 * std::numbers::pi * 0.3 * 0.3 / 4;
    const double terminal = std::sqrt((F - m * g) / k);
    const double vb = terminal * std::tanh(k * terminal * tb / m);
    const double hb = m / k * std::log(std::cosh(k * terminal * tb / m));
    const double coast = m / (2 * k) * std::log(1 + k * vb * vb / (m * g));
    // The air thins by 0.2 % over the 21 m climbed, the climb's speed by half that.
    expectRelative(p.burnoutSpeedMps, vb, 2e-3);
    expectRelative(p.burnoutAltitudeM, hb, 2e-3);
    expectRelative(p.apogeeM, hb + coast, 2e-3);
    expectRelative(p.maxSpeedMps, vb, 2e-3);
}

TEST(FlightModel, CornersOfACurveAreIntegratedExactly)
{
    // 1 kg all told, burning nothing away, no drag: the speed and height are
    // integrals of straight lines, which the steps must follow exactly.
    const std::vector<CThrustPoint> fromIgnition {{0, 50}, {0.1, 100}, {0.3, 100}, {0.4, 20}, {0.5, 0}};
    CFlightPrediction p = predictFlight(flightOf(0.9, 0.02, 0, {motorOf(fromIgnition, 0, 0.1)}));
    ASSERT_TRUE(p.ok());
    // Impulse by hand: 7.5 + 20 + 6 + 1 = 34.5 N·s.
    expectRelative(p.burnoutSpeedMps, 34.5 - g * 0.5, 1e-12);
    CExactBurnout exact = exactBurnout(fromIgnition, 1.0, 0);
    expectRelative(p.burnoutSpeedMps, exact.speed, 1e-12);
    expectRelative(p.burnoutAltitudeM, exact.height, 1e-12);
    expectRelative(p.maxAccelerationMps2, 100 - g, 1e-12);
    expectRelative(p.apogeeM, exact.height + exact.speed * exact.speed / (2 * g), 1e-12);

    // From the implied 0 N at ignition the pad holds the rocket until the
    // thrust passes its weight, at 0.05·g/40 s on the first piece.
    const std::vector<CThrustPoint> ramped {{0.05, 40}, {0.2, 40}, {0.25, 0}};
    p = predictFlight(flightOf(0.9, 0.02, 0, {motorOf(ramped, 0, 0.1)}));
    ASSERT_TRUE(p.ok());
    const double liftoff = 0.05 * g / 40;
    EXPECT_NEAR(exactLiftoff(ramped, g), liftoff, 1e-15);
    exact = exactBurnout(ramped, 1.0, liftoff);
    expectRelative(p.burnoutSpeedMps, exact.speed, 1e-12);
    expectRelative(p.burnoutAltitudeM, exact.height, 1e-12);
    expectRelative(p.thrustToWeight, (0.05 * 40 / 2 + 0.15 * 40 + 0.05 * 40 / 2) / 0.25 / g, 1e-12);

    // A step in the thrust (a time repeated) is a corner too: the push just
    // before it counts for the maximum.
    p = predictFlight(flightOf(0.9, 0.02, 0, {motorOf({{0, 80}, {0.2, 80}, {0.2, 30}, {0.6, 30}}, 0, 0.1)}));
    ASSERT_TRUE(p.ok());
    expectRelative(p.burnoutSpeedMps, 80 * 0.2 + 30 * 0.4 - g * 0.6, 1e-12);
    expectRelative(p.maxAccelerationMps2, 80 - g, 1e-12);

    // A thrust that stops while climbing and comes back while falling: the
    // first peak is not the apogee. Constant pushes, so plain kinematics.
    p = predictFlight(
        flightOf(0.9, 0.02, 0, {motorOf({{0, 50}, {0.5, 50}, {0.5, 0}, {3.5, 0}, {3.5, 50}, {4.5, 50}}, 0, 0.1)}));
    ASSERT_TRUE(p.ok());
    double v = 0, h = 0;
    for (const auto &[push, span] : {std::pair {50 - g, 0.5}, {-g, 3.0}, {50 - g, 1.0}}) {
        h += v * span + push * span * span / 2;
        v += push * span;
    }
    expectRelative(p.burnoutSpeedMps, v, 1e-12);
    expectRelative(p.apogeeM, h + v * v / (2 * g), 1e-12);
    expectRelative(p.apogeeS, 4.5 + v / g, 1e-12);
}

TEST(FlightModel, StagedFlightsWithoutDragKeepTheirEnergyAfterBurnout)
{
    // A booster lighting a sustainer at its last point, propellant burning
    // away, in a cluster of two above: the coast trades speed for height only.
    const std::vector<CThrustPoint> booster {{0.02, 12}, {0.2, 14}, {0.8, 5}, {1.0, 0}};
    const std::vector<CThrustPoint> sustainer {{0.05, 8}, {1.2, 6}, {1.6, 0}};
    CFlightInput input = flightOf(0.12, 0.03, 0,
                                  {motorOf(booster, 0.0125, 0.025, QStringLiteral("0")),
                                   motorOf(sustainer, 0.01, 0.022, QStringLiteral("4-6-8"), 2)});
    const CFlightPrediction p = predictFlight(input);
    ASSERT_TRUE(p.ok());
    EXPECT_DOUBLE_EQ(p.burnoutS, 1.0 + 1.6);
    expectRelative(p.liftoffKg, 0.12 + 0.025 + 2 * 0.022, 1e-12);
    const double vb = p.burnoutSpeedMps;
    expectRelative(p.apogeeM, p.burnoutAltitudeM + vb * vb / (2 * g), 1e-9);
    expectRelative(p.apogeeS, p.burnoutS + vb / g, 1e-9);
    EXPECT_TRUE(p.has(EFlightWarning::StageMassesUnknown));

    // Burning nothing away, the stages are one straight-line curve, the
    // sustainer's shifted to the booster's end and doubled: exact again.
    input.stages[0].propellantKg = 0;
    input.stages[1].propellantKg = 0;
    const CFlightPrediction held = predictFlight(input);
    const std::vector<CThrustPoint> joined {{0.02, 12}, {0.2, 14}, {0.8, 5}, {1.0, 0}, {1.05, 16}, {2.2, 12}, {2.6, 0}};
    const double mass = 0.12 + 0.025 + 2 * 0.022;
    const CExactBurnout exact = exactBurnout(joined, mass, exactLiftoff(joined, mass * g));
    expectRelative(held.burnoutSpeedMps, exact.speed, 1e-9);
    expectRelative(held.burnoutAltitudeM, exact.height, 1e-9);

    // Drag only takes height away.
    input.rocket.cd = 0.5;
    const CFlightPrediction dragged = predictFlight(input);
    ASSERT_TRUE(dragged.ok());
    EXPECT_LT(dragged.apogeeM, dragged.burnoutAltitudeM + std::pow(dragged.burnoutSpeedMps, 2) / (2 * g));
}

TEST(FlightModel, AirDensityMatchesTheStandardAtmosphere)
{
    // The standard atmosphere's tables at geopotential heights (gravity held
    // constant, as the flight model holds it), kg/m³.
    const CAtmosphere air(CLaunchSite {0, 15});
    EXPECT_NEAR(air.density(0), 1.2250, 1e-4);
    EXPECT_NEAR(air.density(1000), 1.1117, 1e-4);
    EXPECT_NEAR(air.density(5000), 0.73612, 1e-4);
    EXPECT_NEAR(air.density(11000), 0.36392, 1e-4);
    EXPECT_NEAR(air.density(20000), 0.08803, 1e-5);
    EXPECT_GT(air.density(200000), 0); // thin, never below nothing
    // Between the table's rows, and from a site up a mountain in the cold.
    const CAtmosphere mountain(CLaunchSite {2300, -5});
    const double pressure = 101325 * std::pow(1 - 0.0065 * 2300 / 288.15, 5.25588);
    const double temperature = 268.15 - 0.0065 * 1234.5;
    const double expected = pressure * std::pow(temperature / 268.15, 5.25588) / (287.05287 * temperature);
    expectRelative(mountain.density(1234.5), expected, 1e-6);
}

TEST(FlightModel, DelaysAreReadAsTheCatalogueWritesThem)
{
    const CMotorDelays choices = parseMotorDelays(QStringLiteral("3-5-7"));
    EXPECT_TRUE(choices.known);
    EXPECT_EQ(choices.seconds, (std::vector<double> {3, 5, 7}));
    EXPECT_FALSE(choices.plugged);
    EXPECT_EQ(nearestDelay(choices, 5.9), 5.0);
    EXPECT_EQ(nearestDelay(choices, 6.1), 7.0);
    EXPECT_EQ(nearestDelay(choices, 4.0), 3.0); // a tie goes to the shorter
    EXPECT_EQ(nearestDelay(choices, 40), 7.0);

    const CMotorDelays plugged = parseMotorDelays(QStringLiteral(" p "));
    EXPECT_TRUE(plugged.known && plugged.plugged && plugged.seconds.empty());
    EXPECT_FALSE(nearestDelay(plugged, 5));
    EXPECT_EQ(parseMotorDelays(QStringLiteral("0")).seconds, std::vector<double> {0});
    EXPECT_EQ(parseMotorDelays(QStringLiteral("14, 10/6 P")).seconds, (std::vector<double> {6, 10, 14}));
    EXPECT_TRUE(parseMotorDelays(QStringLiteral("6-10-P")).plugged);
    for (const char *unknown : {"", "S-M-L", "5s", "-", "1e9", "nan"})
        EXPECT_FALSE(parseMotorDelays(QString::fromLatin1(unknown)).known) << unknown;
}

TEST(FlightModel, TheDelayChosenAndTheSpeedAtEjection)
{
    // Without drag the coast after burnout is v = vb - g·t.
    const auto fly = [](const char *delays) {
        return predictFlight(
            flightOf(0.5, 0.03, 0, {motorOf({{0, 40}, {1, 40}}, 0, 0.1, QString::fromLatin1(delays))}));
    };
    const double vb = 40 / 0.6 - g;
    const double optimal = vb / g; // 5.8 s

    CFlightPrediction p = fly("P");
    EXPECT_FALSE(p.delayS);
    EXPECT_FALSE(p.ejectionSpeedMps);
    EXPECT_TRUE(p.has(EFlightWarning::Plugged));
    EXPECT_FALSE(p.has(EFlightWarning::NoDelayNearOptimum));

    p = fly("0"); // a booster's charge: at burnout, far too early
    EXPECT_EQ(p.delayS, 0.0);
    expectRelative(p.ejectionSpeedMps.value_or(-1), vb, 1e-9);
    EXPECT_TRUE(p.has(EFlightWarning::NoDelayNearOptimum));

    p = fly("3-5-7"); // 5 s, 0.8 s before apogee
    EXPECT_EQ(p.delayS, 5.0);
    expectRelative(p.ejectionSpeedMps.value_or(-1), vb - g * 5, 1e-9);
    EXPECT_FALSE(p.has(EFlightWarning::NoDelayNearOptimum));

    p = fly("8"); // 2.2 s after apogee, falling
    expectRelative(p.optimalDelayS, optimal, 1e-9);
    expectRelative(p.ejectionSpeedMps.value_or(-1), g * 8 - vb, 1e-9);
    EXPECT_TRUE(p.has(EFlightWarning::NoDelayNearOptimum));

    p = fly("30"); // back on the ground about 12 s after burnout
    EXPECT_EQ(p.delayS, 30.0);
    EXPECT_FALSE(p.ejectionSpeedMps);
    EXPECT_TRUE(p.has(EFlightWarning::LandsBeforeEjection));

    p = fly("S-M-L");
    EXPECT_FALSE(p.delayS);
    EXPECT_TRUE(p.texts().contains(QStringLiteral("The motor's delay 'S-M-L' is not a number of seconds")));
}

TEST(FlightModel, CdFittedToAnApogeeComesBack)
{
    // An 18 mm motor of the usual shape in a 70 g rocket.
    const std::vector<CThrustPoint> curve {{0.03, 1}, {0.1, 13}, {0.2, 10}, {0.3, 5}, {0.5, 4.5}, {1.7, 4.5}, {1.8, 0}};
    CFlightInput input = flightOf(0.07, 0.025, 0.7, {motorOf(curve, 0.0108, 0.0231, QStringLiteral("3-5-7"))});
    const CFlightPrediction flown = predictFlight(input);
    ASSERT_TRUE(flown.ok() && flown.flown);
    input.rocket.cd = 0.3; // what the fit starts from does not matter
    const CCdFit fit = fitCd(input, flown.apogeeM);
    ASSERT_TRUE(fit.ok()) << fit.error.toStdString();
    EXPECT_NEAR(fit.cd, 0.7, 1e-6);

    // Higher than the rocket could go without any drag, or no apogee at all.
    EXPECT_FALSE(fitCd(input, 10 * flown.apogeeM).ok());
    EXPECT_FALSE(fitCd(input, 0).ok());
    EXPECT_FALSE(fitCd(input, kNaN).ok());
    input.rocket.massKg = 50; // never lifts off
    EXPECT_EQ(fitCd(input, 100).error.left(17), QStringLiteral("Never lifts off: "));

    const double fitted[] = {0.62, kNaN, 0.81, 0.55, -1};
    const CCdMedian median = medianCd(fitted);
    EXPECT_EQ(median.flights, 3);
    EXPECT_DOUBLE_EQ(median.cd, 0.62);
    const double two[] = {0.5, 0.8};
    EXPECT_DOUBLE_EQ(medianCd(two).cd, 0.65);
    EXPECT_EQ(medianCd({}).flights, 0);
}

TEST(FlightModel, InputsNoFlightCouldHaveAreRefusedInWords)
{
    const std::vector<CThrustPoint> curve {{0.1, 20}, {1, 20}, {1.1, 0}};
    const CFlightInput good = flightOf(0.2, 0.03, 0.6, {motorOf(curve, 0.01, 0.03)});
    ASSERT_TRUE(predictFlight(good).ok());
    const double inf = std::numeric_limits<double>::infinity();
    struct CCase
    {
        const char *says;
        std::function<void(CFlightInput &)> spoil;
    };
    const std::vector<CCase> cases = {
        {"mass must be more than 0", [](CFlightInput &in) { in.rocket.massKg = 0; }},
        {"mass must be more than 0", [](CFlightInput &in) { in.rocket.massKg = -1; }},
        {"mass is not a number", [](CFlightInput &in) { in.rocket.massKg = kNaN; }},
        {"diameter must be more than 0", [](CFlightInput &in) { in.rocket.diameterM = 0; }},
        {"diameter must be more than 0", [](CFlightInput &in) { in.rocket.diameterM = -0.03; }},
        {"diameter is not a number", [inf](CFlightInput &in) { in.rocket.diameterM = inf; }},
        {"Cd is not a number", [](CFlightInput &in) { in.rocket.cd = kNaN; }},
        {"Cd must be 0 or more", [](CFlightInput &in) { in.rocket.cd = -0.1; }},
        {"guide's length is not a number", [](CFlightInput &in) { in.rocket.guideM = kNaN; }},
        {"elevation is not a number", [](CFlightInput &in) { in.site.elevationM = kNaN; }},
        {"elevation of 20000 m is outside", [](CFlightInput &in) { in.site.elevationM = 20000; }},
        {"temperature is not a number", [](CFlightInput &in) { in.site.temperatureC = kNaN; }},
        {"temperature of -300 °C is outside", [](CFlightInput &in) { in.site.temperatureC = -300; }},
        {"no motor", [](CFlightInput &in) { in.stages.clear(); }},
        {"count of motors must be at least 1", [](CFlightInput &in) { in.stages[0].count = 0; }},
        {"gives no loaded mass", [](CFlightInput &in) { in.stages[0].totalKg = 0; }},
        {"mass is not a number", [](CFlightInput &in) { in.stages[0].propellantKg = kNaN; }},
        {"propellant of 0.05 kg is more than", [](CFlightInput &in) { in.stages[0].propellantKg = 0.05; }},
        {"not a number", [](CFlightInput &in) { in.stages[0].curve[1].thrust = kNaN; }},
        {"goes back in time at 0.5 s", [](CFlightInput &in) { in.stages[0].curve[2].time = 0.5; }},
        {"goes back in time at -1 s", [](CFlightInput &in) { in.stages[0].curve[0].time = -1; }},
        {"negative thrust at 1 s", [](CFlightInput &in) { in.stages[0].curve[1].thrust = -5; }},
        {"has no thrust",
         [](CFlightInput &in) {
             in.stages[0].curve = {{0.1, 0}, {1, 0}};
         }},
        {"lasts 1e+09 s",
         [](CFlightInput &in) {
             in.stages[0].curve.push_back({1e9, 0});
         }},
        {"Stage 2: the motor's thrust curve",
         [inf](CFlightInput &in) {
             in.stages.push_back(in.stages[0]);
             in.stages[1].curve[0].thrust = inf;
         }},
    };
    for (const CCase &c : cases) {
        CFlightInput input = good;
        c.spoil(input);
        const CFlightPrediction p = predictFlight(input);
        EXPECT_TRUE(p.error.contains(QString::fromUtf8(c.says), Qt::CaseInsensitive))
            << c.says << ": " << p.error.toStdString();
        EXPECT_TRUE(p.warnings.empty());
        EXPECT_EQ(p.apogeeM, 0);
        EXPECT_FALSE(p.flown);
    }
}

TEST(FlightModel, FlightsThatCannotHappenEndWithAWarningOrAMessage)
{
    const std::vector<CThrustPoint> curve {{0.1, 20}, {1, 20}, {1.1, 0}};
    // 20 N under a 3 kg rocket: it sits on the pad.
    CFlightPrediction p = predictFlight(flightOf(3, 0.05, 0.6, {motorOf(curve, 0.01, 0.03)}));
    ASSERT_TRUE(p.ok());
    EXPECT_FALSE(p.flown);
    EXPECT_EQ(p.warnings.front().kind, EFlightWarning::NeverLiftsOff);
    expectRelative(p.liftoffKg, 3.03, 1e-12);
    expectRelative(p.thrustToWeight, 20 / 1.1 / (3.03 * g), 1e-12); // 20 N·s over 1.1 s
    EXPECT_EQ(p.apogeeM, 0);
    expectAllFinite(p);

    // A motor typed in without a curve.
    p = predictFlight(flightOf(0.1, 0.02, 0.6, {motorOf({}, 0, 0)}));
    ASSERT_TRUE(p.ok());
    EXPECT_FALSE(p.flown);
    ASSERT_EQ(p.warnings.size(), 1u);
    EXPECT_EQ(p.warnings.front().text, QStringLiteral("The motor has no thrust curve"));

    // A rocket that weighs next to nothing once its motor is burnt would end
    // its burn in a rush no step can follow; a thrust of a billion newtons
    // would not come down within an hour. Refused in words, not shown.
    p = predictFlight(flightOf(1e-300, 0.02, 0, {motorOf(curve, 0.03, 0.03)}));
    EXPECT_TRUE(p.error.endsWith(QStringLiteral("check the rocket's weight"))) << p.error.toStdString();
    p = predictFlight(flightOf(0.1, 0.02, 0, {motorOf({{0, 1e9}, {1, 1e9}}, 0.001, 0.002)}));
    EXPECT_TRUE(p.error.contains(QStringLiteral("within an hour"))) << p.error.toStdString();
    expectAllFinite(p);
    // 100 kN pushing 10 g against the drag of a 5 m disc: steps short enough
    // to follow it would take minutes.
    p = predictFlight(flightOf(0.0001, 5, 3, {motorOf({{0, 1e5}, {1, 1e5}}, 0.001, 0.01)}));
    EXPECT_TRUE(p.error.contains(QStringLiteral("drag is too strong"))) << p.error.toStdString();
    // 99 times its burnt mass still flies, by the rocket equation.
    p = predictFlight(flightOf(0.03 / 98, 0.02, 0, {motorOf({{0, 20}, {1, 20}, {1.1, 0}}, 0.03, 0.03)}));
    ASSERT_TRUE(p.ok()) << p.error.toStdString();
    expectRelative(p.burnoutSpeedMps, 21 / 0.03 * std::log(99.0) - g * 1.1, 1e-5);

    // A thrust that passes the weight only for a moment: a hop, then the pad
    // holds it again until the sustained thrust lifts it for good.
    p = predictFlight(
        flightOf(0.9, 0.02, 0, {motorOf({{0.1, 12}, {0.2, 0}, {1, 0}, {1.1, 30}, {2, 30}, {2.1, 0}}, 0, 0.1)}));
    ASSERT_TRUE(p.ok());
    const CExactBurnout second = exactBurnout({{0, 0}, {1, 0}, {1.1, 30}, {2, 30}, {2.1, 0}}, 1.0, 1 + 0.1 * g / 30);
    expectRelative(p.burnoutSpeedMps, second.speed, 1e-9);

    // A guide longer than the flight is high.
    CFlightInput input = flightOf(0.2, 0.03, 0.6, {motorOf(curve, 0.01, 0.03)});
    input.rocket.guideM = 1e6;
    p = predictFlight(input);
    EXPECT_EQ(p.warnings.front().text, QStringLiteral("Never leaves the 1000000.0 m guide"));
}

TEST(FlightModel, RealMotorFilesFlyAsTheirImpulseSays)
{
    const QDir folder(QStringLiteral(TARVEL_SHARED_TESTDATA "/eng/rocketpy"));
    if (!folder.exists())
        GTEST_SKIP() << "no shared motor files at " << folder.path().toStdString();
    for (const char *name : {"AeroTech_K400C.eng", "Cesaroni_M1670_shifted.eng", "Loki_K350-LW.eng"}) {
        // The file read here on its own: comments out, then the header, then "time thrust" lines.
        QFile file(folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << name;
        QStringList header;
        std::vector<CThrustPoint> curve;
        for (const QString &raw : QTextStream(&file).readAll().split(QLatin1Char('\n'))) {
            const QString line = raw.trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
                continue;
            const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (header.isEmpty())
                header = fields;
            else
                curve.push_back({fields.at(0).toDouble(), fields.at(1).toDouble()});
        }
        ASSERT_GE(header.size(), 7) << name;
        const double loaded = header.at(5).toDouble();
        // Held at its loaded mass (no propellant given) and without drag, a
        // 2 kg rocket's burnout follows from the curve's integrals alone.
        const CFlightPrediction p = predictFlight(flightOf(2.0, 0.1, 0, {motorOf(curve, 0, loaded, header.at(3))}));
        ASSERT_TRUE(p.ok()) << name << p.error.toStdString();
        const double mass = 2.0 + loaded;
        const CExactBurnout exact = exactBurnout(curve, mass, exactLiftoff(curve, mass * g));
        EXPECT_DOUBLE_EQ(p.burnoutS, curve.back().time) << name;
        expectRelative(p.burnoutSpeedMps, exact.speed, 1e-9);
        expectRelative(p.burnoutAltitudeM, exact.height, 1e-9);
        expectRelative(p.apogeeM, exact.height + exact.speed * exact.speed / (2 * g), 1e-9);
        EXPECT_EQ(p.has(EFlightWarning::Plugged), header.at(3) == QLatin1String("P")) << name;
    }
}
