#pragma once

#include "app/SettingsStore.h"

#include <QString>

#include <cstdio>

// What every command starts from: the user's settings, loaded (and at the first
// start written) exactly as the program's start-up does, and the logbook in the
// storage directory, created when it is missing.
class CCliContext
{
public:
    // False after printing the reason to err.
    bool prepare(FILE *err);

    const CMainSettings &settings() const { return m_main; }
    QString storageDirectory() const { return m_main.storageDirectory; }

private:
    CSettingsStore m_store;
    CMainSettings m_main;
};

// Writes text as UTF-8 followed by a line end.
void printLine(FILE *stream, const QString &text);
