// Calendar files are parsed by libical and then walked for recurrences and
// time zones: any bytes must give an answer, quickly.
#include "platform/CalendarReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    findAppointmentLocation(bytes, QStringLiteral("Launch"), QDate(2026, 3, 13), QTimeZone(-5 * 3600));
    return 0;
}
