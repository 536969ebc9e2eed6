#include "db/SqlText.h"

#include <gtest/gtest.h>

TEST(SqlText, QuoteDoublesEveryApostrophe)
{
    EXPECT_EQ(sqlQuote(QStringLiteral("O'Brien's Dart")), QStringLiteral("'O''Brien''s Dart'"));
    EXPECT_EQ(sqlQuote(QString()), QStringLiteral("''"));
    EXPECT_EQ(sqlQuote(QStringLiteral("''")), QStringLiteral("''''''"));
    EXPECT_EQ(sqlIdentifier(QStringLiteral("a\"b")), QStringLiteral("\"a\"\"b\""));
}

TEST(SqlText, LeadingIntegerReadsLikeTheCConversion)
{
    EXPECT_EQ(leadingInteger(QStringLiteral("12")), 12);
    EXPECT_EQ(leadingInteger(QStringLiteral("  7abc")), 7);
    EXPECT_EQ(leadingInteger(QStringLiteral("-3")), -3);
    EXPECT_EQ(leadingInteger(QStringLiteral("+4")), 4);
    EXPECT_EQ(leadingInteger(QString()), 0);
    EXPECT_EQ(leadingInteger(QStringLiteral("abc")), 0);
    EXPECT_EQ(leadingInteger(QStringLiteral("3.9")), 3);
    EXPECT_EQ(leadingInteger(QStringLiteral("99999999999999999999")), INT_MAX);
    EXPECT_EQ(leadingInteger(QStringLiteral("-99999999999999999999")), INT_MIN);
}

TEST(SqlText, CreateDatabaseIsRecognisedWithItsQuotedPath)
{
    EXPECT_EQ(createDatabasePath(QStringLiteral("CREATE DATABASE '/tmp/a.CDB'")), QStringLiteral("/tmp/a.CDB"));
    EXPECT_EQ(createDatabasePath(QStringLiteral(" create  database '/tmp/it''s.CDB' ; ")),
              QStringLiteral("/tmp/it's.CDB"));
    EXPECT_TRUE(createDatabasePath(QStringLiteral("CREATE DATABASE /tmp/a")).isNull());
    EXPECT_TRUE(createDatabasePath(QStringLiteral("CREATE DATABASE 'a'; DROP TABLE x")).isNull());
    EXPECT_TRUE(createDatabasePath(QStringLiteral("CREATE TABLE x (a)")).isNull());
}
