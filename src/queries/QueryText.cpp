#include "queries/QueryText.h"

#include "db/SqlText.h"

QString queryInsertStatement(const QString &name, const QString &sql)
{
    return QStringLiteral("INSERT INTO Queries (Name,Query) VALUES (") + sqlQuote(name) + QLatin1Char(',')
        + sqlQuote(sql) + QLatin1Char(')');
}

QString queryListLine(const CSavedQuery &query)
{
    return query.name + QLatin1Char('\t') + query.sql;
}

QList<CSavedQuery> defaultQueries()
{
    return {
        {QStringLiteral("Sport Models"), QStringLiteral("Select * FROM Rockets WHERE Type='Sport'")},
        {QStringLiteral("All Rockets"), QStringLiteral("Select * FROM Rockets")},
        {QStringLiteral("Estes Rockets"), QStringLiteral("Select * FROM Rockets WHERE MFG='EST'")},
    };
}

QString queryWritesMessage(const QString &name)
{
    return QStringLiteral("The query \"%1\" would change the logbook, so it is not run.").arg(name);
}

QString queryFailedMessage(const QString &name, const QString &reason)
{
    QString text = QStringLiteral("The query \"%1\" cannot be run.").arg(name);
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return text;
}
