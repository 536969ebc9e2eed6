// Predicted flights: one on its own, and the motor guide's 2,000, each beside
// the plainest fourth-order Runge-Kutta loop over the same curves and the same
// physics (straight-line thrust, mass falling with the impulse, quadratic drag
// in a tabled standard atmosphere followed along its row's line through each
// step), with no checks, no warnings and no allocation.
#include "BareFlight.h"
#include "BenchRatios.h"
#include "flightmodel/FlightPredictor.h"
#include "SharedMotorFiles.h"


#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {
constexpr int kGuideMotors = 2000;

// A rocket for the high-power motors of the shared files: 6 kg, 98 mm.
const CRocketBody kRocket {6.0, 0.098, 0.5, 1.5};
const CLaunchSite kSite {300, 20};

// The motors of the shared thrust-curve files, or where they are absent,
// curves of the usual shape (a quick rise to a peak, a long sustain, a tail).
std::vector<CMotorLoad> baseMotors()
{
    std::vector<CMotorLoad> motors;
    for (const CSharedEngMotor &shared : sharedEngMotors()) {
        CMotorLoad motor;
        for (const CThrustPoint &point : shared.points)
            motor.curve.push_back({point.time, point.thrust});
        motor.propellantKg = shared.masses.propellantKg;
        motor.totalKg = shared.masses.totalKg;
        motor.delays = shared.delays;
        motors.push_back(motor);
    }
    if (!motors.empty()) {
        std::printf("Guide of %d motors varied from %zu real thrust curves\n", kGuideMotors, motors.size());
        return motors;
    }
    std::printf("Shared motor files absent (%s): guide of %d synthesised curves\n", qPrintable(sharedEngFolder()),
                kGuideMotors);
    for (int i = 0; i < 40; ++i) {
        const double peak = 400 + 60 * i; // N
        const double burn = 1.5 + 0.1 * (i % 30); // s
        CMotorLoad motor;
        motor.curve = {{0.02, 0.6 * peak},       {0.06, peak}, {0.2, 0.85 * peak}, {0.5 * burn, 0.8 * peak},
                       {0.9 * burn, 0.7 * peak}, {burn, 0}};
        const double impulse = peak * burn * 0.76;
        motor.propellantKg = impulse / 1900; // an exhaust speed of 1,900 m/s
        motor.totalKg = 2.1 * motor.propellantKg;
        motor.delays = QStringLiteral("P");
        motors.push_back(motor);
    }
    return motors;
}

// 2,000 motors: the base ones again and again, each copy's thrust, burn time
// and propellant scaled a little differently.
const std::vector<CMotorLoad> &guideMotors()
{
    static const std::vector<CMotorLoad> motors = [] {
        const std::vector<CMotorLoad> base = baseMotors();
        std::vector<CMotorLoad> all;
        for (int k = 0; k < kGuideMotors; ++k) {
            CMotorLoad motor = base[std::size_t(k) % base.size()];
            const double thrust = 0.8 + 0.4 * ((k * 37) % 101) / 100.0;
            const double time = 0.9 + 0.2 * ((k * 53) % 101) / 100.0;
            for (CThrustPoint &point : motor.curve) {
                point.thrust *= thrust;
                point.time *= time;
            }
            motor.propellantKg *= thrust * time;
            motor.totalKg = std::max(motor.totalKg, motor.propellantKg) * thrust * time;
            all.push_back(motor);
        }
        return all;
    }();
    return motors;
}

void oneFlight(benchmark::State &state)
{
    CFlightInput input;
    input.rocket = kRocket;
    input.site = kSite;
    input.stages = {guideMotors().front()};
    for (auto _ : state)
        benchmark::DoNotOptimize(predictFlight(input).apogeeM);
}

void oneBareLoop(benchmark::State &state)
{
    const CMotorLoad &motor = guideMotors().front();
    for (auto _ : state) {
        const CBareAir air(kSite);
        benchmark::DoNotOptimize(bareApogee(motor, air, kRocket));
    }
}

void guide(benchmark::State &state)
{
    const std::vector<CMotorLoad> &motors = guideMotors();
    double flown = 0;
    for (auto _ : state) {
        const CFlightPredictor predictor(kRocket, kSite);
        double sum = 0;
        for (const CMotorLoad &motor : motors) {
            const CFlightPrediction prediction = predictor.predict(motor);
            sum += prediction.apogeeM;
            flown += prediction.flown ? 1 : 0;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["flown"] = flown / double(state.iterations());
}

void guideBareLoop(benchmark::State &state)
{
    const std::vector<CMotorLoad> &motors = guideMotors();
    for (auto _ : state) {
        const CBareAir air(kSite);
        double sum = 0;
        for (const CMotorLoad &motor : motors)
            sum += bareApogee(motor, air, kRocket);
        benchmark::DoNotOptimize(sum);
    }
}

const bool registered = [] {
    benchmark::RegisterBenchmark("predict/one_flight", oneFlight)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("predict/one_bare_loop", oneBareLoop)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("predict/guide_2000_motors", guide)->Unit(benchmark::kMillisecond)->Iterations(10);
    benchmark::RegisterBenchmark("predict/guide_bare_loop", guideBareLoop)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(10);
    registerRatio({"predict/one_flight", "predict/one_bare_loop", 1.5, 0.001});
    registerRatio({"predict/guide_2000_motors", "predict/guide_bare_loop", 1.5, 0.1});
    return true;
}();
} // namespace
