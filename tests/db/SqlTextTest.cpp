#include "db/SqlText.h"

#include <gtest/gtest.h>

TEST(SqlText, QuoteDoublesEveryApostrophe)
{
    EXPECT_EQ(sqlQuote(QStringLiteral("O'Brien's Dart")), QStringLiteral("'O''Brien''s Dart'"));
    EXPECT_EQ(sqlQuote(QStringLiteral("''")), QStringLiteral("''''''"));
    // A NUL (from a contact card, say) would end the statement text inside the literal.
    EXPECT_EQ(sqlQuote(QStringLiteral("Field") + QChar(0) + QStringLiteral("'s")), QStringLiteral("'Field''s'"));
    EXPECT_EQ(sqlIdentifier(QStringLiteral("a\"b")), QStringLiteral("\"a\"\"b\""));
}

TEST(SqlText, LeadingIntegerReadsLikeTheCConversion)
{
    const std::pair<const char *, int> cases[] = {{"  7abc", 7},
                                                  {"-3", -3},
                                                  {"+4", 4},
                                                  {"", 0},
                                                  {"abc", 0},
                                                  {"3.9", 3},
                                                  {"99999999999999999999", INT_MAX},
                                                  {"-99999999999999999999", INT_MIN}};
    for (const auto &[text, value] : cases)
        EXPECT_EQ(leadingInteger(QLatin1String(text)), value) << text;
}

TEST(SqlText, CreateDatabaseIsRecognisedWithItsQuotedPath)
{
    EXPECT_EQ(createDatabasePath(QStringLiteral(" create  database '/tmp/it''s.CDB' ; ")),
              QStringLiteral("/tmp/it's.CDB"));
    EXPECT_TRUE(createDatabasePath(QStringLiteral("CREATE DATABASE /tmp/a")).isNull());
    EXPECT_TRUE(createDatabasePath(QStringLiteral("CREATE DATABASE 'a'; DROP TABLE x")).isNull());
    EXPECT_TRUE(createDatabasePath(QStringLiteral("CREATE TABLE x (a)")).isNull());
}
