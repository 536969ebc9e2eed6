#include "db/RecordStore.h"
#include "support/TestLogbook.h"

#include <gtest/gtest.h>

using Access = CRecordStore::StatementAccess;

TEST(StatementAccess, OnlyASingleReadingStatementIsReadOnly)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    ASSERT_TRUE(logbook.exec({"INSERT INTO Rockets (ID, Name) VALUES (1, 'Alpha')"}));
    CRecordStore store;
    ASSERT_TRUE(store.Open(logbook.directory()));

    for (const char *sql : {"SELECT * FROM Rockets", "Select * FROM Rockets WHERE Type='Sport'",
                            "WITH r AS (SELECT Name FROM Rockets) SELECT * FROM r", "SELECT 1; -- trailing note",
                            "-- only a note", "PRAGMA table_info(Rockets)"})
        EXPECT_EQ(store.statementAccess(QString::fromUtf8(sql)), Access::ReadOnly) << sql;

    for (const char *sql : {"DELETE FROM Rockets", "UPDATE Rockets SET Name = 'x'", "DROP TABLE Rockets",
                            "INSERT INTO Queries (Name) VALUES ('x')", "CREATE TABLE T (a)", "BEGIN",
                            "ATTACH DATABASE ':memory:' AS other", "CREATE DATABASE 'elsewhere.db'",
                            "WITH r AS (SELECT 1) DELETE FROM Rockets"})
        EXPECT_EQ(store.statementAccess(QString::fromUtf8(sql)), Access::Writes) << sql;

    for (const char *sql : {"SELEC nothing", "SELECT * FROM Rockets; DELETE FROM Rockets", "SELECT * FROM NoSuchTable"})
        EXPECT_EQ(store.statementAccess(QString::fromUtf8(sql)), Access::Invalid) << sql;

    // Asking runs nothing and keeps the current result.
    ASSERT_TRUE(store.RunSql(QStringLiteral("SELECT Name FROM Rockets")));
    EXPECT_FALSE(store.isReadOnlyStatement(QStringLiteral("DELETE FROM Rockets")));
    EXPECT_EQ(store.GetFieldText(0), QStringLiteral("Alpha"));
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT count(*) FROM Rockets")), QStringList({"1"}));
    EXPECT_EQ(store.transactionDepth(), 0);
}
