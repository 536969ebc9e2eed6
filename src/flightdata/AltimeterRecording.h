#pragma once

#include <QString>

#include <optional>
#include <vector>

// What an altimeter file holds once read: its samples in seconds and metres
// above the ground, and whatever the device itself wrote about the flight.
struct CAltimeterRecording
{
    // "AltOS", "Blue Raven", "Raven", "RRC3", "CATS", "Eggtimer", "PerfectFlite",
    // "StratoLogger" or "CSV"; empty when nothing could be read.
    QString format;
    // Seconds as the file counts them, strictly increasing.
    std::vector<double> time;
    // Metres above the ground, one per time: as the device recorded them where it
    // records height above the pad; where it records altitude above sea level,
    // less the median of the samples before launch.
    std::vector<double> height;
    // The device's own vertical speed in metres per second, one per time, NaN
    // where a row gave none; empty when the file has no speed column.
    std::vector<double> speed;
    // Lines that held no usable sample: text where numbers belong, time going
    // backwards, over-long lines.
    qint64 skippedLines = 0;
    // Rows that repeat the time of the row before: one moment written twice,
    // kept as one sample at their mean height.
    qint64 repeatedTimes = 0;
    // Samples left out as heights no flight can have: a jump away from both
    // neighbours that no rocket could climb or fall in the time between.
    qint64 impossibleSamples = 0;

    // Moments the device logged, in the file's own time.
    std::optional<double> launchTime;
    std::optional<double> drogueTime;
    std::optional<double> mainTime;
    std::optional<double> landingTime;
    // Moments a device states in its summary, in seconds after launch.
    std::optional<double> drogueAt;
    std::optional<double> mainAt;
    // The apogee the device states, in metres.
    std::optional<double> deviceApogee;

    // Why the file could not be read, naming it; empty when it was.
    QString error;

    bool isValid() const { return error.isEmpty(); }
};
