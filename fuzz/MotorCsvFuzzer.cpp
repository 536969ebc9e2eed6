// The comma-separated motor reader takes any bytes: a file is refused as not
// text exactly when it holds a control character, decoding keeps one
// character per byte that is not UTF-8, values come out of any line however
// it ends, and no column line lets anything but motor columns through.
#include "motordata/FileText.h"
#include "motors/MotorCsv.h"

#include <QRegularExpression>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto *bytes = reinterpret_cast<const char *>(data);
    bool control = false;
    for (size_t i = 0; i < size; ++i)
        control = control || isControlByte(data[i]);
    if ((firstControlLine(bytes, qsizetype(size)) != 0) != control)
        __builtin_trap();

    const QString text = decodeFileText(bytes, qsizetype(size));
    if (text.size() > qsizetype(size))
        __builtin_trap();
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    for (const QString &line : text.split(lineEnd)) {
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
