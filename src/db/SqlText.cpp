#include "db/SqlText.h"

#include <QRegularExpression>

#include <climits>

QString sqlQuote(const QString &value)
{
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString sqlIdentifier(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

int leadingInteger(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n
           && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t') || text[i] == QLatin1Char('\n')
               || text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\v') || text[i] == QLatin1Char('\f')))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    for (; i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

QString createDatabasePath(const QString &sql)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^\s*CREATE\s+DATABASE\s+'((?:[^']|'')*)'\s*;?\s*$)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(sql);
    if (!match.hasMatch())
        return {};
    QString path = match.captured(1);
    path.replace(QLatin1String("''"), QLatin1String("'"));
    return path.isNull() ? QString(QLatin1String("")) : path;
}

namespace {

// A word of SQL text outside quotes and comments, with where it ends.
struct Token
{
    QString word; // upper case; empty for punctuation
    qsizetype end = 0;
};

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

// Moves past blanks and comments; false when a comment never ends.
bool skipSpace(const QString &sql, qsizetype &i)
{
    const qsizetype n = sql.size();
    while (i < n) {
        if (sql[i].isSpace()) {
            ++i;
        } else if (sql.mid(i, 2) == QLatin1String("--")) {
            while (i < n && sql[i] != QLatin1Char('\n'))
                ++i;
        } else if (sql.mid(i, 2) == QLatin1String("/*")) {
            const qsizetype close = sql.indexOf(QLatin1String("*/"), i + 2);
            if (close < 0)
                return false;
            i = close + 2;
        } else {
            break;
        }
    }
    return true;
}

// Reads the next token at i; false at the end, and false with i set to -1 on a
// quote or comment that never ends.
bool nextToken(const QString &sql, qsizetype &i, Token &token)
{
    const qsizetype n = sql.size();
    if (!skipSpace(sql, i)) {
        i = -1;
        return false;
    }
    if (i >= n)
        return false;
    const QChar c = sql[i];
    token.word.clear();
    if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('[')) {
        const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
        ++i;
        while (true) {
            if (i >= n) {
                i = -1;
                return false;
            }
            if (sql[i] == close) {
                if (close != QLatin1Char(']') && i + 1 < n && sql[i + 1] == close) {
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            ++i;
        }
    } else if (isWordChar(c)) {
        const qsizetype start = i;
        while (i < n && isWordChar(sql[i]))
            ++i;
        token.word = sql.mid(start, i - start).toUpper();
    } else {
        ++i;
    }
    token.end = i;
    return true;
}

} // namespace

QString selectWithRowId(const QString &sql)
{
    qsizetype i = 0;
    Token token;
    if (!nextToken(sql, i, token) || token.word != QLatin1String("SELECT"))
        return {};

    // Any of these makes one result row stand for several table rows, or none,
    // or would make an added column change which rows come back.
    static const QStringList refused = {
        QStringLiteral("DISTINCT"),  QStringLiteral("GROUP"),  QStringLiteral("HAVING"), QStringLiteral("UNION"),
        QStringLiteral("INTERSECT"), QStringLiteral("EXCEPT"), QStringLiteral("WINDOW"), QStringLiteral("OVER")};
    // The rowid goes after the last result column, before the FROM of this
    // SELECT (not of a subquery), so the user's column numbers keep their meaning.
    qsizetype insertAt = -1;
    int depth = 0;
    while (nextToken(sql, i, token)) {
        if (refused.contains(token.word))
            return {};
        const QChar last = sql.at(token.end - 1);
        if (token.word.isEmpty() && last == QLatin1Char('('))
            ++depth;
        else if (token.word.isEmpty() && last == QLatin1Char(')'))
            --depth;
        else if (depth == 0 && insertAt < 0 && token.word == QLatin1String("FROM"))
            insertAt = token.end - 4; // where the word FROM begins
    }
    if (i < 0 || insertAt < 0)
        return {};
    return sql.left(insertAt) + QLatin1String(", _rowid_ ") + sql.mid(insertAt);
}

bool isTransactionControl(const QString &sql)
{
    qsizetype i = 0;
    Token token;
    if (!nextToken(sql, i, token))
        return false;
    static const QStringList control = {QStringLiteral("BEGIN"),     QStringLiteral("COMMIT"),
                                        QStringLiteral("END"),       QStringLiteral("ROLLBACK"),
                                        QStringLiteral("SAVEPOINT"), QStringLiteral("RELEASE")};
    return control.contains(token.word);
}
