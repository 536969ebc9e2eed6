#include "launch/SoundPlayer.h"

QString flightSoundFile(FlightSound sound)
{
    switch (sound) {
    case FlightSound::Launch:
        return QStringLiteral("Launch.wav");
    case FlightSound::Drogue:
        return QStringLiteral("Drogue.wav");
    case FlightSound::Main:
        return QStringLiteral("Main.wav");
    case FlightSound::Success:
        return QStringLiteral("Success.wav");
    case FlightSound::Failure:
        return QStringLiteral("Failure.wav");
    }
    return QString();
}
