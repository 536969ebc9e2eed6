// Any text a user may type as a saved query goes through RunSql: it must run
// or fail cleanly, and walking, reading and writing its result must be safe.
#include "db/RecordStore.h"
#include "db/Schema.h"

#include <QString>

#include <cstddef>
#include <cstdint>

namespace {
CRecordStore &store()
{
    static CRecordStore *instance = [] {
        auto *created = new CRecordStore;
        if (!created->openFile(QStringLiteral(":memory:")))
            __builtin_trap();
        for (const QString &statement : createTableStatements())
            created->RunSql(statement);
        created->RunSql(QStringLiteral("INSERT INTO Rockets (ID, Name) VALUES (1, 'A')"));
        created->RunSql(QStringLiteral("INSERT INTO Launches (Model, Notes) VALUES ('1', 'n')"));
        return created;
    }();
    return *instance;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CRecordStore &s = store();
    const QString sql = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    // Keep the database as it was for the next input.
    if (!s.beginTransaction())
        __builtin_trap();
    if (s.RunSql(sql)) {
        const int rows = s.CountRecords();
        for (s.MoveFirst(); !s.IsEOF(); s.MoveNext()) {
            for (int c = -1; c <= s.FieldCount(); ++c) {
                s.GetFieldText(c);
                s.GetFieldName(c);
            }
            s.SetFieldText(QStringLiteral("x"), 0);
        }
        s.MoveTo(rows / 2);
        s.Delete();
    }
    s.rollbackTransaction();
    return 0;
}
