#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// How the sortable list orders its rows; pure text rules, no widgets.

// Plain comparison of UTF-16 code units: case-sensitive, no locale, so "B" comes
// before "a". -1, 0 or 1. Inline, because sorting a large list calls it millions of times.
inline int compareSortTexts(QStringView a, QStringView b)
{
    const char16_t *left = a.utf16();
    const char16_t *right = b.utf16();
    const qsizetype common = a.size() < b.size() ? a.size() : b.size();
    for (qsizetype i = 0; i < common; ++i) {
        if (left[i] != right[i])
            return left[i] < right[i] ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// Two rows by one column: that column's texts, negated when descending; when
// they are equal and the column is not the first, the first column's texts,
// negated the same way. A row shorter than the column reads as empty there.
int compareSortRows(const QStringList &a, const QStringList &b, int column, bool ascending);
