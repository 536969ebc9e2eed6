#pragma once

#include "launch/RocketStep.h"
#include "ui/UiServices.h"

class CSettingsStore;

// The launch wizard's first page: the rocket catalogue's rocket page in launch
// mode, on the logbook of the flight being logged.
CRocketStepMaker launchRocketStep(CSettingsStore &settings, CUiServices ui, const QString &storageDirectory);
