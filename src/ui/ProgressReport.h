#pragma once

#include <QString>

// Where a long operation shows how far it got. The operations themselves know
// no widgets: the program passes its status window, the command-line tool the
// terminal, and tests a recorder.
class CProgressReport
{
public:
    virtual ~CProgressReport() = default;

    // Shows the report, if hidden, with this text. Called at every step, so an
    // implementation may defer drawing; the text itself is always kept.
    virtual void showProgress(const QString &text) = 0;
    // The operation ended and left its last text up: draw it now.
    virtual void finishProgress() = 0;
    virtual void hideProgress() = 0;
};
