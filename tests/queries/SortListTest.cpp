#include "queries/SortListCtrl.h"
#include "queries/SortOrder.h"

#include <QHeaderView>

#include <gtest/gtest.h>

namespace {
// Appends the given (column 0, column 1) rows, to two new columns on an empty list.
void fill(CSortListCtrl &list, const QList<QPair<QString, QString>> &rows)
{
    if (list.columnCount() == 0) {
        list.insertColumn(-1, QStringLiteral("Name"));
        list.insertColumn(-1, QStringLiteral("MFG"));
    }
    for (const auto &[first, second] : rows) {
        const int row = list.insertItem(-1, first);
        list.setItemText(row, 1, second);
    }
}

QStringList column(const CSortListCtrl &list, int c)
{
    QStringList texts;
    for (int row = 0; row < list.itemCount(); ++row)
        texts.append(list.itemText(row, c));
    return texts;
}
} // namespace

TEST(SortOrder, ComparesCodeUnitsCaseSensitively)
{
    EXPECT_LT(compareSortTexts(u"B", u"a"), 0);
    EXPECT_EQ(compareSortTexts(u"abc", u"abc"), 0);
    EXPECT_LT(compareSortTexts(u"ab", u"abc"), 0);
    // U+10000 is stored as D800 DC00, which comes before U+FFFF unit by unit
    // (a code-point order would put it after).
    EXPECT_LT(compareSortTexts(QString::fromUcs4(U"\U00010000"), QString(QChar(0xFFFF))), 0);
    // No locale folding: e-acute (U+00E9) comes after every ASCII letter.
    EXPECT_GT(compareSortTexts(u"\u00e9", u"z"), 0);
}

TEST(SortListCtrl, HeadingRequestsToggleDirectionAndSwitchColumns)
{
    CSortListCtrl list;
    fill(list, {{"b", "Estes"}, {"a", "Quest"}, {"c", "Estes"}, {"B", "AeroTech"}});
    list.setCurrentIndex(list.model()->index(0, 0)); // "b"

    emit list.header()->sectionClicked(0); // as a click on the heading
    EXPECT_EQ(column(list, 0), QStringList({"B", "a", "b", "c"}));
    EXPECT_EQ(list.model()->data(list.currentIndex()).toString(), QStringLiteral("b")); // the selection follows

    list.sortOnColumn(0);
    EXPECT_EQ(column(list, 0), QStringList({"c", "b", "a", "B"}));

    // Another column starts ascending; equal makers are ordered by their names.
    list.sortOnColumn(1);
    EXPECT_EQ(column(list, 1), QStringList({"AeroTech", "Estes", "Estes", "Quest"}));
    EXPECT_EQ(column(list, 0), QStringList({"B", "b", "c", "a"}));

    // Descending negates the tie-breaker too.
    list.sortOnColumn(1);
    EXPECT_EQ(column(list, 0), QStringList({"a", "c", "b", "B"}));

    list.sortOnColumn(-1);
    list.sortOnColumn(7);
    EXPECT_EQ(list.sortColumn(), 1);
    EXPECT_FALSE(list.isSortAscending());
}

TEST(SortListCtrl, RowsInsertedWhileSortedGoToTheirPlace)
{
    CSortListCtrl list;
    fill(list, {{"d", ""}, {"b", ""}});
    list.sortOnColumn(0);
    EXPECT_EQ(list.insertItem(-1, QStringLiteral("c")), 1);
    EXPECT_EQ(list.insertItem(-1, QStringLiteral("a")), 0);
    EXPECT_EQ(list.insertItem(-1, QStringLiteral("e")), 4);
    EXPECT_EQ(column(list, 0), QStringList({"a", "b", "c", "d", "e"}));
    // An explicit position is kept.
    EXPECT_EQ(list.insertItem(0, QStringLiteral("z")), 0);

    list.sortOnColumn(0); // descending
    EXPECT_EQ(list.insertItem(-1, QStringLiteral("f")), 1);

    // A bulk fill appends, then orders everything by the same rule at its end.
    CSortListCtrl filled;
    fill(filled, {{"x", "2"}});
    filled.sortOnColumn(1);
    filled.beginFill();
    fill(filled, {{"p", "3"}, {"q", "1"}, {"r", "2"}});
    filled.endFill();
    EXPECT_EQ(column(filled, 0), QStringList({"q", "r", "x", "p"}));
}

TEST(SortListCtrl, ColumnsKeepTheirMinimumWidthAndGrowWithContents)
{
    CSortListCtrl list;
    list.insertColumn(-1, QStringLiteral("A"), Qt::AlignLeft, 80);
    list.insertColumn(-1, QStringLiteral("Heading"));
    const int fitted = list.header()->sectionSize(1);
    EXPECT_GT(fitted, list.header()->fontMetrics().horizontalAdvance(QStringLiteral("Heading")));

    const int row = list.insertItem(-1, QStringLiteral("x"));
    EXPECT_EQ(list.header()->sectionSize(0), 80); // never below the minimum
    const QString wide(60, QLatin1Char('W'));
    ASSERT_TRUE(list.setItemText(row, 1, wide));
    EXPECT_GE(list.header()->sectionSize(1), list.fontMetrics().horizontalAdvance(wide));
    EXPECT_FALSE(list.setItemText(row, 2, QStringLiteral("no such column")));
    EXPECT_FALSE(list.setItemText(5, 1, QStringLiteral("no such row")));

    // With the rows gone, so is what the columns were widened for.
    list.deleteAllItems();
    EXPECT_EQ(list.header()->sectionSize(1), fitted);
    // The minimums move with their columns.
    EXPECT_TRUE(list.deleteColumn(0));
    EXPECT_EQ(list.minimumColumnWidth(0), fitted);
    EXPECT_TRUE(list.deleteColumn(0));
    EXPECT_FALSE(list.deleteColumn(0)); // the viewer empties a list by this until false
}

TEST(SortListCtrl, AFillFitsEachColumnToItsLongestTextAndTheTopRows)
{
    CSortListCtrl list;
    list.beginFill();
    list.insertColumn(-1, QStringLiteral("Name"));
    list.insertColumn(-1, QStringLiteral("Notes"));
    // Row 0 is narrow in characters but wide in pixels; far down, the longest notes.
    const QString wideLetters(12, QLatin1Char('W'));
    const QString longNotes = QStringLiteral("launched into a low overcast, recovered two fields away");
    for (int i = 0; i < 5000; ++i) {
        const int row = list.insertItem(-1, i == 0 ? wideLetters : QStringLiteral("iiiiiiiiiiiiii"));
        list.setItemText(row, 1, i == 4321 ? longNotes : QStringLiteral("ok"));
    }
    list.endFill();
    const QFontMetrics metrics = list.fontMetrics();
    EXPECT_GE(list.header()->sectionSize(0), metrics.horizontalAdvance(wideLetters));
    EXPECT_GE(list.header()->sectionSize(1), metrics.horizontalAdvance(longNotes));
    EXPECT_LT(list.header()->sectionSize(1), metrics.horizontalAdvance(longNotes) * 3 / 2);
}
