#pragma once

#include <QString>
#include <QStringList>

#include <array>

// Checklist text: the labels of the steps, each followed by a comma. There is no
// escape, so a label cannot hold a comma; an empty item stands for an empty step.

inline constexpr int kRocketChecklistSteps = 8;

// One row of the checklist setup: whether the step is used, and its label.
struct CChecklistRow
{
    bool enabled = false;
    QString label;
};

using CChecklistRows = std::array<CChecklistRow, kRocketChecklistSteps>;

// Exactly n items read from the front of the text; missing items are empty and
// whatever follows the n-th item is ignored.
QStringList ParseChecklist(const QString &text, int n);

// The labels of the enabled rows, each followed by a comma; disabled rows add nothing.
QString BuildChecklist(const CChecklistRows &rows);

// The label without any comma, so that it stays one step.
QString StripCommas(const QString &label);

// The setup rows a checklist text stands for: row i is enabled when item i is not empty.
CChecklistRows checklistRows(const QString &text);
