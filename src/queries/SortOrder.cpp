#include "queries/SortOrder.h"

namespace {
QStringView cell(const QStringList &row, int column)
{
    return column >= 0 && column < row.size() ? QStringView(row.at(column)) : QStringView();
}
} // namespace

int compareSortRows(const QStringList &a, const QStringList &b, int column, bool ascending)
{
    int result = compareSortTexts(cell(a, column), cell(b, column));
    if (!ascending)
        result = -result;
    if (result == 0 && column != 0) {
        result = compareSortTexts(cell(a, 0), cell(b, 0));
        if (!ascending)
            result = -result;
    }
    return result;
}
