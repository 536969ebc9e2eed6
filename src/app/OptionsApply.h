#pragma once

#include "flightdata/AltitudeComparison.h"
#include "flightmodel/RocketMeasures.h"

#include <QString>

class CPrompter;
class CSettingsStore;
class QWidget;
struct CMainSettings;

// What the flyer chose in the Options dialog.
struct COptionsChoice
{
    QString storageDirectory;
    QString sitesCategory;
    bool displayBanner = false;
    EHeightUnit heightUnit = EHeightUnit::Feet;
    EUnitSystem unitSystem = EUnitSystem::Metric;
};

// Takes the chosen options after OK: stores the banner flag, the category, the
// height unit and the rocket measures' units, each only when it changed, and when the directory changed, asks, moves
// the storage directory's files and switches to the new folder. The main settings follow what was stored.
void applyOptions(const COptionsChoice &choice, CMainSettings &main, CSettingsStore &settings, CPrompter &prompter,
                  QWidget *parent);
