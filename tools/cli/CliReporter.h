#pragma once

#include "db/StoreReporter.h"

#include <cstdio>

// Turns the store's reports into error lines on the terminal.
class CCliReporter : public CStoreReporter
{
public:
    explicit CCliReporter(FILE *err)
        : m_err(err)
    { }

    void fatalError(const QString &text) override;
    void problem(const QString &caption, const QString &text) override;

private:
    FILE *m_err;
};
