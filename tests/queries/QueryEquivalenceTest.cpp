// A saved query read through the record store gives exactly the rows, order and
// columns that SQLite itself gives for the same text, and writes to a writable
// result still land on the row each result row came from.
#include "db/RecordStore.h"
#include "support/TestLogbook.h"

#include <QList>
#include <QStringList>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

struct CBareResult
{
    bool ok = false;
    QStringList names;
    QList<QStringList> rows;
};

// The statement stepped by SQLite's C API alone; NULL reads as empty text.
CBareResult runBare(sqlite3 *db, const QString &sql)
{
    CBareResult result;
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return result;
    }
    const int columns = sqlite3_column_count(statement);
    for (int c = 0; c < columns; ++c)
        result.names.append(QString::fromUtf8(sqlite3_column_name(statement, c)));
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        QStringList row;
        for (int c = 0; c < columns; ++c)
            row.append(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, c))));
        result.rows.append(row);
    }
    result.ok = step == SQLITE_DONE;
    sqlite3_finalize(statement);
    return result;
}

CBareResult runStore(CRecordStore &store, const QString &sql)
{
    CBareResult result;
    result.ok = store.RunSql(sql);
    store.MoveFirst();
    const int columns = store.FieldCount();
    for (int c = 0; c < columns; ++c)
        result.names.append(store.GetFieldName(c));
    for (; !store.IsEOF(); store.MoveNext()) {
        QStringList row;
        for (int c = 0; c < columns; ++c)
            row.append(store.GetFieldText(c));
        result.rows.append(row);
    }
    return result;
}

class QueryEquivalence : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_EQ(sqlite3_open(m_logbook.databaseFile().toUtf8().constData(), &m_db), SQLITE_OK);
        // Few makers, types and sites over many rows: every ORDER BY on them has
        // ties, whose order must come out as SQLite leaves it too.
        ASSERT_EQ(sqlite3_exec(m_db,
                               "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                               "INSERT INTO Rockets (ID, Name, MFG, Type, Stages, Status, Notes) "
                               "SELECT i, printf('R%03d', (i * 37) % 301), "
                               "  CASE i % 4 WHEN 0 THEN 'EST' WHEN 1 THEN 'QST' WHEN 2 THEN 'AER' ELSE NULL END, "
                               "  CASE i % 3 WHEN 0 THEN 'Sport' WHEN 1 THEN 'Scale' ELSE 'Kit' END, "
                               "  1 + i % 3, 'Active', CASE WHEN i % 5 = 0 THEN NULL ELSE 'note ' || i END FROM n; "
                               "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 900) "
                               "INSERT INTO Launches (Model, Motor, Site, WindSpeed, Success) "
                               "SELECT 1 + (i * 7) % 300, 'C6', 'Field ' || (i % 6), i % 25, i % 2 FROM n;",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    }

    void TearDown() override { sqlite3_close(m_db); }

    CTestLogbook m_logbook;
    sqlite3 *m_db = nullptr;
    CRecordStore m_store;
};

} // namespace

TEST_F(QueryEquivalence, EveryShapeOfQueryGivesSqlitesOwnRows)
{
    const char *queries[] = {
        "SELECT Name, MFG FROM Rockets ORDER BY 2",
        "SELECT Name, MFG, Type FROM Rockets ORDER BY 2 DESC, 3",
        "select name, mfg from rockets order by 2 desc",
        "SELECT * FROM Rockets ORDER BY 4",
        "SELECT * FROM Rockets ORDER BY 17 DESC, 1",
        "SELECT MFG, count(*) FROM Rockets GROUP BY 1",
        "SELECT Type, max(Name) FROM Rockets GROUP BY 1 ORDER BY 2 DESC",
        "SELECT * FROM Rockets ORDER BY 3 LIMIT 7 OFFSET 5",
        "SELECT DISTINCT MFG, Type FROM Rockets ORDER BY 1, 2",
        "SELECT Name FROM Rockets WHERE Type = 'Sport' UNION SELECT Site FROM Launches ORDER BY 1",
        "SELECT * FROM (SELECT Name, Stages FROM Rockets WHERE Stages > 1) ORDER BY 2, 1",
        "SELECT * FROM (SELECT * FROM Rockets ORDER BY MFG)",
        "WITH flown AS (SELECT Model, count(*) AS n FROM Launches GROUP BY Model) "
        "SELECT r.Name, f.n FROM Rockets r JOIN flown f ON f.Model = r.ID ORDER BY 2 DESC, 1",
        "SELECT Name, row_number() OVER (PARTITION BY MFG ORDER BY Name) FROM Rockets ORDER BY MFG, 2",
        "SELECT Rockets.Name, Launches.Site FROM Launches JOIN Rockets ON Rockets.ID = Launches.Model ORDER BY 2, 1",
        "SELECT Name, Stages * 2 + 1 FROM Rockets ORDER BY 2",
        "SELECT Name AS Model, MFG AS Maker FROM Rockets ORDER BY Maker DESC",
        "SELECT Name, rowid FROM Rockets ORDER BY 2 DESC",
        "SELECT Name FROM Rockets ORDER BY MFG",
        "SELECT Name, (SELECT count(*) FROM Launches WHERE Model = Rockets.ID) FROM Rockets ORDER BY 2 DESC",
        "SELECT Name FROM Rockets WHERE ID IN (SELECT Model FROM Launches WHERE Site LIKE '%4') ORDER BY 1",
        "SELECT Notes, Name FROM Rockets WHERE Notes IS NULL OR Notes LIKE '%1' ORDER BY 1, 2",
        // Text SQLite refuses is refused the same way.
        "SELECT Name FROM Rockets ORDER BY 2",
        "SELEC Name FROM Rockets",
    };
    for (const char *text : queries) {
        const QString sql = QString::fromUtf8(text);
        const CBareResult bare = runBare(m_db, sql);
        const CBareResult stored = runStore(m_store, sql);
        EXPECT_EQ(stored.ok, bare.ok) << text;
        if (!bare.ok)
            continue;
        ASSERT_FALSE(bare.rows.isEmpty()) << text; // every query here has rows to compare
        EXPECT_EQ(stored.names, bare.names) << text;
        EXPECT_EQ(stored.rows, bare.rows) << text;
    }
}

TEST_F(QueryEquivalence, WritesToAnOrderedResultHitTheRowShown)
{
    // A result ordered by column number is writable, and its rows are the ones shown.
    const QString byMaker = QStringLiteral("SELECT Name, MFG FROM Rockets ORDER BY 2 DESC, 1 LIMIT 20 OFFSET 3");
    const CBareResult bare = runBare(m_db, byMaker);
    ASSERT_TRUE(m_store.RunSql(byMaker));
    ASSERT_TRUE(m_store.MoveTo(4));
    ASSERT_EQ(m_store.GetFieldText(0), bare.rows.at(4).at(0));
    ASSERT_TRUE(m_store.SetFieldText(QStringLiteral("Renamed"), 0));
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT MFG FROM Rockets WHERE Name = 'Renamed'")),
              QStringList {bare.rows.at(4).at(1)});
    EXPECT_EQ(
        m_logbook.rows(QStringLiteral("SELECT count(*) FROM Rockets WHERE Name = '%1'").arg(bare.rows.at(4).at(0))),
        QStringList {"0"});

    const QString byType = QStringLiteral("SELECT * FROM Rockets ORDER BY 4 DESC, 2");
    const CBareResult before = runBare(m_db, byType);
    ASSERT_TRUE(m_store.RunSql(byType));
    ASSERT_TRUE(m_store.MoveTo(7));
    ASSERT_EQ(m_store.GetFieldText(0), before.rows.at(7).at(0));
    ASSERT_TRUE(m_store.Delete());
    QList<QStringList> expected = before.rows;
    expected.removeAt(7);
    EXPECT_EQ(runBare(m_db, byType).rows, expected);
}
