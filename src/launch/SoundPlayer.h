#pragma once

#include <QString>

// The sounds of a flight's events, each a file the flyer places in the storage directory.
enum class FlightSound { Launch, Drogue, Main, Success, Failure };

// "Launch.wav" ... "Failure.wav".
QString flightSoundFile(FlightSound sound);

// Starts a sound and returns at once; what it does when the file or the audio
// device is missing is up to the player, but it never waits or fails loudly.
class CSoundPlayer
{
public:
    virtual ~CSoundPlayer() = default;
    virtual void play(const QString &path) = 0;
};
