#include "support/TestLogbook.h"

#include "db/RecordStore.h"
#include "db/Schema.h"

#include <QStringList>

CTestLogbook::CTestLogbook()
{
    m_valid = m_dir.isValid() && CreateDatabase(directory());
}

QString CTestLogbook::databaseFile() const
{
    return databasePath(directory());
}

bool CTestLogbook::exec(std::initializer_list<const char *> statements) const
{
    CRecordStore store;
    if (!store.Open(directory()))
        return false;
    for (const char *sql : statements) {
        if (!store.RunSql(QString::fromUtf8(sql)))
            return false;
    }
    return true;
}

QStringList CTestLogbook::rows(const QString &sql) const
{
    CRecordStore store;
    QStringList lines;
    if (!store.Open(directory()) || !store.RunSql(sql))
        return {QStringLiteral("<query failed>")};
    for (store.MoveFirst(); !store.IsEOF(); store.MoveNext()) {
        QStringList fields;
        for (int c = 0; c < store.FieldCount(); ++c)
            fields.append(store.GetFieldText(c));
        lines.append(fields.join(QLatin1Char('|')));
    }
    return lines;
}
