#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// How the sortable list orders its rows; pure text rules, no widgets.

// Plain comparison of UTF-16 code units: case-sensitive, no locale, so "B" comes
// before "a". Negative, zero or positive.
int compareSortTexts(QStringView a, QStringView b);

// Two rows by one column: that column's texts, negated when descending; when
// they are equal and the column is not the first, the first column's texts,
// negated the same way. A row shorter than the column reads as empty there.
int compareSortRows(const QStringList &a, const QStringList &b, int column, bool ascending);
