#pragma once

#include "ui/ProgressReport.h"

#include <QElapsedTimer>

#include <cstdio>

// Progress on one terminal line, redrawn at most every 50 ms; nothing when the
// stream is not a terminal, so that scripts get only the results.
class CTerminalProgress : public CProgressReport
{
public:
    explicit CTerminalProgress(FILE *stream);

    void showProgress(const QString &text) override;
    void finishProgress() override;
    void hideProgress() override;

private:
    void draw();

    FILE *m_stream;
    bool m_terminal;
    bool m_drawn = false;
    bool m_pending = false;
    QString m_text;
    QElapsedTimer m_timer;
};
