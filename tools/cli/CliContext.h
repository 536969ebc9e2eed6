#pragma once

#include "cli/CliReporter.h"
#include "db/RecordStore.h"
#include "platform/SettingsStore.h"

#include <QString>

#include <cstdio>
#include <memory>

// What every command starts from: the user's settings, loaded (and at the first
// start written) exactly as the program's start-up does, and the logbook in the
// storage directory, created when it is missing.
class CCliContext
{
public:
    // False after printing the reason to err.
    bool prepare(FILE *err);
    // Prepares, then opens the logbook with the store's reports going to err;
    // null after printing why it cannot be used.
    std::unique_ptr<CRecordStore> openStore(FILE *err);

    const CMainSettings &settings() const { return m_main; }
    QString storageDirectory() const { return m_main.storageDirectory; }

private:
    CSettingsStore m_store;
    CMainSettings m_main;
    std::unique_ptr<CCliReporter> m_reporter;
};

// Writes text as UTF-8 followed by a line end.
void printLine(FILE *stream, const QString &text);
