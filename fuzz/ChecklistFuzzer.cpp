// Checklist texts come from the logbook and the settings file as any text: the
// reader must give exactly the items asked for, and the rows built from them
// must read back as the same steps.
#include "checklists/ChecklistText.h"

#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    for (int n : {0, 1, 5, 8}) {
        if (ParseChecklist(text, n).size() != n)
            __builtin_trap();
    }
    CChecklistRows rows = checklistRows(text);
    for (CChecklistRow &row : rows)
        row.label = StripCommas(row.label);
    const QString built = BuildChecklist(rows);
    const CChecklistRows again = checklistRows(built);
    int enabled = 0;
    for (const CChecklistRow &row : rows)
        enabled += row.enabled && !row.label.isEmpty() ? 1 : 0;
    int enabledAgain = 0;
    for (const CChecklistRow &row : again)
        enabledAgain += row.enabled ? 1 : 0;
    if (enabled != enabledAgain)
        __builtin_trap();
    return 0;
}
