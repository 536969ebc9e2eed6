#pragma once

#include "flightmodel/RocketMeasures.h"

#include <QLocale>
#include <QString>

class CSettingsStore;

// The Options setting of the units a bare number in a rocket's Weight,
// Diameter and MMT is read in: "metric" or "imperial"; anything else, or
// nothing, the locale's (unitSystemForLocale; the program's default locale,
// which is the system's unless set).
EUnitSystem unitSystemFromSetting(const QString &text, const QLocale &locale = QLocale());
QString unitSystemSetting(EUnitSystem units);

// The flyer's choice as stored in the settings.
EUnitSystem readUnitSystem(const CSettingsStore &settings, const QLocale &locale = QLocale());
