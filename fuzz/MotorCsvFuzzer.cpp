// The comma-separated motor reader takes any bytes: decoding keeps one
// character per byte that is not UTF-8, values come out of any line, and
// no column line lets anything but motor columns through.
#include "motors/FileText.h"
#include "motors/MotorCsv.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = decodeFileText(reinterpret_cast<const char *>(data), qsizetype(size));
    if (text.size() > qsizetype(size))
        __builtin_trap();
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        const QStringList values = csvLineValues(line);
        if (values.size() > line.count(QLatin1Char('"')))
            __builtin_trap();
        const QStringList columns = motorCsvColumns(values);
        for (const QString &column : columns) {
            if (column != QLatin1String("ID") && column != QLatin1String("Type") && column != QLatin1String("Delay")
                && column != QLatin1String("MFG") && column != QLatin1String("Size"))
                __builtin_trap();
        }
        if (!columns.isEmpty())
            motorCsvInsert(columns, values);
    }
    return 0;
}
