#include "launch/FlightSounds.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

CFlightSounds::CFlightSounds(QObject *parent)
    : QObject(parent)
{ }

CFlightSounds::~CFlightSounds() = default;

void CFlightSounds::play(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return;
    QSoundEffect *&effect = m_effects[path];
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(path));
    }
    // The effect loads and plays in the background; a file it cannot decode stays silent.
    effect->stop();
    effect->play();
}
