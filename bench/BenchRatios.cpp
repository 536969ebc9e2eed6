#include "BenchRatios.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <vector>

namespace {
std::vector<CBenchRatio> &ratios()
{
    static std::vector<CBenchRatio> list;
    return list;
}

// Keeps the real time per iteration of every benchmark while printing as usual.
class CRatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                seconds[run.run_name.function_name] = run.real_accumulated_time / double(run.iterations);
        }
    }
    std::map<std::string, double> seconds;
};
} // namespace

bool registerRatio(const CBenchRatio &ratio)
{
    ratios().push_back(ratio);
    return true;
}

int runBenchmarksWithRatios(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    int missed = 0;
    std::printf("\nRatios against floors measured in this run:\n");
    for (const CBenchRatio &ratio : ratios()) {
        const auto measured = reporter.seconds.find(ratio.measured);
        const auto floor = reporter.seconds.find(ratio.floor);
        if (measured == reporter.seconds.end() || floor == reporter.seconds.end() || floor->second <= 0)
            continue; // filtered out of this run
        const double value = measured->second / floor->second;
        bool met = value <= ratio.target;
        if (ratio.absoluteLimitSeconds > 0)
            met = met && measured->second <= ratio.absoluteLimitSeconds;
        missed += met ? 0 : 1;
        std::string limit;
        if (ratio.absoluteLimitSeconds > 0) {
            char text[64];
            std::snprintf(text, sizeof text, ", %.3f s <= %.2f s", measured->second, ratio.absoluteLimitSeconds);
            limit = text;
        }
        std::printf("  %-40s %6.2fx of %-36s (target <= %.1fx%s) %s\n", ratio.measured.c_str(), value,
                    ratio.floor.c_str(), ratio.target, limit.c_str(), met ? "met" : "MISSED");
    }
    return missed == 0 ? 0 : 1;
}
