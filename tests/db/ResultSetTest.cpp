#include "db/ResultSet.h"

#include "db/SqlDatabase.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

// A value the same as the row above's is shared, never mistaken: NULL and an
// empty text stay apart, and a change to one row's value leaves the rows that
// shared it as they were.
TEST(ResultSet, RepeatedValuesKeepNullEmptyAndEditsApart)
{
    QTemporaryDir dir;
    CSqlDatabase db;
    ASSERT_TRUE(db.open(dir.filePath(QStringLiteral("t.db")), CSqlDatabase::Mode::Create));
    ASSERT_TRUE(db.execute(QStringLiteral("CREATE TABLE t (a, b); INSERT INTO t VALUES ('x', NULL), ('x', ''), "
                                          "('x', ''), (NULL, NULL), ('', 'é'), ('', 'é'), (1, 'é ')")));
    CSqlStatement select = db.prepare(QStringLiteral("SELECT a, b FROM t ORDER BY rowid"));
    ASSERT_TRUE(select.isValid());
    CResultSet rows;
    ASSERT_TRUE(rows.read(select, false));
    ASSERT_EQ(rows.rowCount(), 7);
    const QStringList a = {"x", "x", "x", QString(), "", "", "1"};
    const QStringList b = {QString(), "", "", QString(), "é", "é", "é "};
    for (int row = 0; row < 7; ++row) {
        EXPECT_EQ(rows.value(row, 0), a.at(row)) << row;
        EXPECT_EQ(rows.value(row, 0).isNull(), a.at(row).isNull()) << row;
        EXPECT_EQ(rows.value(row, 1), b.at(row)) << row;
        EXPECT_EQ(rows.value(row, 1).isNull(), b.at(row).isNull()) << row;
    }
    rows.setValue(1, 0, QStringLiteral("y"));
    EXPECT_EQ(rows.value(0, 0), QStringLiteral("x"));
    EXPECT_EQ(rows.value(2, 0), QStringLiteral("x"));
}
