#pragma once

#include <QString>
#include <QStringList>

// The comma-separated motor files: only text between double quotes counts
// (a doubled quote inside stands for one), the first line names the columns.

// The quoted values of one line, left to right. A quote that is never closed
// gives one empty value and ends the line.
QStringList csvLineValues(QStringView line);

// The column names of the motor table, spelt as the table spells them, for
// names given in any letter case; empty when a name is not a motor column.
QStringList motorCsvColumns(const QStringList &names);

// The INSERT of one motor; every value quoted. Columns must come from
// motorCsvColumns() and match the values in number.
QString motorCsvInsert(const QStringList &columns, const QStringList &values);
