#pragma once

#include <QString>

#include <optional>
#include <vector>

// What an altimeter file holds once read: its samples in seconds and metres above
// the launch point, and whatever the device itself wrote about the flight.
struct CAltimeterRecording
{
    // "PerfectFlite", "StratoLogger", "AltOS" or "CSV"; empty when nothing could be read.
    QString format;
    // Seconds as the file counts them, strictly increasing.
    std::vector<double> time;
    // Metres above the launch point, one per time.
    std::vector<double> height;
    // Lines that held no usable sample: text where numbers belong, time going
    // backwards, over-long lines.
    qint64 skippedLines = 0;

    // The device's own record, where the file has one. Launch is in the file's
    // time; drogue and main are seconds after launch; apogee is in metres.
    std::optional<double> launchTime;
    std::optional<double> drogueAt;
    std::optional<double> mainAt;
    std::optional<double> deviceApogee;

    // Why the file could not be read, naming it; empty when it was.
    QString error;

    bool isValid() const { return error.isEmpty(); }
};
