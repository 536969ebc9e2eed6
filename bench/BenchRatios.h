#pragma once

#include <string>

// A ratio to print after the run: the mean time of a measured benchmark over
// the mean time of its floor, measured in the same run, against a target.
// Benchmarks name themselves "<area>/<name>"; register pairs at static init.
struct CBenchRatio
{
    std::string measured;
    std::string floor;
    double target; // the measured time may be at most target x the floor
    double absoluteLimitSeconds = 0; // 0 when there is none
};

bool registerRatio(const CBenchRatio &ratio);
