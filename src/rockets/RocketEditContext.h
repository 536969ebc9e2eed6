#pragma once

#include "ui/UiServices.h"

#include <QString>

class CRecordStore;
class CSettingsStore;

// What every page of the rocket edit sheet is given: the browser's store, the
// settings, the modal helpers and the storage directory for pictures.
struct CRocketEditContext
{
    CRecordStore &store;
    CSettingsStore &settings;
    CUiServices ui;
    QString storageDirectory;
};
