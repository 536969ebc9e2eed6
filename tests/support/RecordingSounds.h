#pragma once

#include "launch/SoundPlayer.h"

#include <QStringList>

// Notes every sound asked for instead of playing it.
class CRecordingSounds : public CSoundPlayer
{
public:
    void play(const QString &path) override { played.append(path); }
    QStringList played;
};
