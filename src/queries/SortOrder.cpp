#include "queries/SortOrder.h"

#include <string_view>

namespace {
QStringView cell(const QStringList &row, int column)
{
    return column >= 0 && column < row.size() ? QStringView(row.at(column)) : QStringView();
}
} // namespace

int compareSortTexts(QStringView a, QStringView b)
{
    // char16_t traits compare code units as unsigned numbers, which is the order wanted.
    const std::u16string_view left(a.utf16(), size_t(a.size()));
    const std::u16string_view right(b.utf16(), size_t(b.size()));
    const int result = left.compare(right);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

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
