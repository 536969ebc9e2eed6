#include "motors/MotorCsv.h"

#include "db/SqlText.h"

QStringList csvLineValues(QStringView line)
{
    const QChar quote = QLatin1Char('"');
    QStringList values;
    qsizetype i = 0;
    while (true) {
        const qsizetype open = line.indexOf(quote, i);
        if (open < 0)
            break;
        QString value;
        qsizetype j = open + 1;
        bool closed = false;
        while (j < line.size()) {
            const qsizetype next = line.indexOf(quote, j);
            if (next < 0)
                break;
            value.append(line.mid(j, next - j));
            if (next + 1 < line.size() && line.at(next + 1) == quote) {
                value.append(quote);
                j = next + 2;
                continue;
            }
            j = next + 1;
            closed = true;
            break;
        }
        if (!closed) {
            values.append(QString());
            break;
        }
        values.append(value);
        i = j;
    }
    return values;
}

QStringList motorCsvColumns(const QStringList &names)
{
    static const char *const kColumns[] = {"ID", "Type", "Delay", "MFG", "Size"};
    QStringList columns;
    for (const QString &name : names) {
        QString found;
        for (const char *column : kColumns) {
            if (name.compare(QLatin1String(column), Qt::CaseInsensitive) == 0)
                found = QLatin1String(column);
        }
        if (found.isEmpty())
            return {};
        columns.append(found);
    }
    return columns;
}

QString motorCsvInsert(const QStringList &columns, const QStringList &values)
{
    QStringList quoted;
    quoted.reserve(values.size());
    for (const QString &value : values)
        quoted.append(sqlQuote(value));
    return QStringLiteral("INSERT INTO Motors (") + columns.join(QLatin1Char(',')) + QStringLiteral(") VALUES (")
        + quoted.join(QLatin1Char(',')) + QLatin1Char(')');
}
