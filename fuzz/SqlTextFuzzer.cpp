// The text rules that look into SQL a user typed: the rowid rewrite, the
// CREATE DATABASE recogniser and the integer reader must take any text.
#include "db/SqlText.h"

#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString rewritten = selectWithRowId(text);
    if (!rewritten.isNull() && !rewritten.contains(QLatin1String(" rowid, ")))
        __builtin_trap();
    createDatabasePath(text);
    leadingInteger(text);
    const QString quoted = sqlQuote(text);
    if (quoted.count(QLatin1Char('\'')) != 2 + 2 * text.count(QLatin1Char('\'')))
        __builtin_trap();
    return 0;
}
