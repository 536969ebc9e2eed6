#pragma once

#include <QString>

// How the record store tells the user about what it cannot handle itself.
// The store includes no widget header: the program connects this to its
// message boxes, and tests record what was reported.
class CStoreReporter
{
public:
    virtual ~CStoreReporter() = default;

    // The logbook cannot be used at all ("Fatal Error"). The program ends when
    // this returns; a caller that gets control back treats the store as unopened.
    virtual void fatalError(const QString &text) = 0;

    // A problem the user must see; the operation goes on.
    virtual void problem(const QString &caption, const QString &text) = 0;
};
