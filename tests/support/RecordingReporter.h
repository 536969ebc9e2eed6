#pragma once

#include "db/StoreReporter.h"

#include <QStringList>

// Keeps what the store reported instead of showing it; nothing ends the test.
class CRecordingReporter : public CStoreReporter
{
public:
    void fatalError(const QString &text) override { fatal.append(text); }
    void problem(const QString &caption, const QString &text) override
    {
        problems.append(caption + QLatin1Char('|') + text);
    }

    QStringList fatal;
    QStringList problems;
};
