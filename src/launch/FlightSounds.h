#pragma once

#include "launch/SoundPlayer.h"

#include <QHash>
#include <QObject>

class QSoundEffect;

// Plays sound files through the audio device without waiting for them. A
// missing file or a missing device leaves the flight silent.
class CFlightSounds : public QObject, public CSoundPlayer
{
    Q_OBJECT

public:
    explicit CFlightSounds(QObject *parent = nullptr);
    ~CFlightSounds() override;

    void play(const QString &path) override;

private:
    // One effect per file, kept so that a sound plays on after play() returns.
    QHash<QString, QSoundEffect *> m_effects;
};
