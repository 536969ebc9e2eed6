#pragma once

#include "ui/ProgressReport.h"

#include <QStringList>

// Keeps every progress text in order instead of showing it.
class CRecordingProgress : public CProgressReport
{
public:
    void showProgress(const QString &text) override
    {
        texts.append(text);
        visible = true;
    }
    void finishProgress() override { ++finishes; }
    void hideProgress() override { visible = false; }

    QStringList texts;
    int finishes = 0;
    bool visible = false;
};
