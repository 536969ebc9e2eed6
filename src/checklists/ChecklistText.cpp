#include "checklists/ChecklistText.h"

QStringList ParseChecklist(const QString &text, int n)
{
    QStringList items;
    QString rest = text;
    for (int i = 0; i < n; ++i) {
        const qsizetype comma = rest.indexOf(QLatin1Char(','));
        if (comma >= 0) {
            items.append(rest.left(comma));
            rest = rest.mid(comma + 1);
        } else {
            items.append(rest);
            rest.clear();
        }
    }
    return items;
}

QString BuildChecklist(const CChecklistRows &rows)
{
    QString text;
    for (const CChecklistRow &row : rows) {
        if (row.enabled)
            text += row.label + QLatin1Char(',');
    }
    return text;
}

QString StripCommas(const QString &label)
{
    QString stripped = label;
    stripped.remove(QLatin1Char(','));
    return stripped;
}

CChecklistRows checklistRows(const QString &text)
{
    CChecklistRows rows;
    const QStringList items = ParseChecklist(text, kRocketChecklistSteps);
    for (int i = 0; i < kRocketChecklistSteps; ++i) {
        rows[i].enabled = !items.at(i).isEmpty();
        rows[i].label = rows[i].enabled ? items.at(i) : QString();
    }
    return rows;
}
