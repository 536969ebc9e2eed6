// Contact files come from many programs and from hand edits: the reader must
// take any bytes, and every contact it returns must be plain text.
#include "platform/VCardReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<CVCardContact> contacts = readVCards(bytes);
    // Each card needs at least its BEGIN and END lines.
    if (contacts.size() > qsizetype(size / 18) + 1)
        __builtin_trap();
    for (const CVCardContact &contact : contacts) {
        for (const QString &category : contact.categories) {
            if (category.isEmpty() || category != category.trimmed())
                __builtin_trap();
        }
    }
    return 0;
}
