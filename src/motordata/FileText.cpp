#include "motordata/FileText.h"

namespace {
// Length of the valid UTF-8 sequence at data[i], or 0 when there is none
// (stray continuation byte, overlong form, surrogate, beyond U+10FFFF, cut off).
int utf8SequenceLength(const unsigned char *data, qsizetype size, qsizetype i, char32_t &codePoint)
{
    const unsigned char lead = data[i];
    int length = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > size)
        return 0;
    for (int k = 1; k < length; ++k) {
        const unsigned char next = data[i + k];
        if ((next & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}
} // namespace

QString decodeFileText(const char *data, qsizetype size)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(data);
    QString text;
    text.reserve(size);
    qsizetype i = 0;
    while (i < size) {
        const unsigned char byte = bytes[i];
        if (byte < 0x80) {
            text.append(QChar(byte));
            ++i;
            continue;
        }
        char32_t codePoint = 0;
        const int length = utf8SequenceLength(bytes, size, i, codePoint);
        if (length == 0) {
            text.append(QChar(byte)); // Latin-1
            ++i;
            continue;
        }
        if (codePoint > 0xFFFF) {
            const char32_t wide[] = {codePoint};
            text.append(QString::fromUcs4(wide, 1));
        } else {
            text.append(QChar(char16_t(codePoint)));
        }
        i += length;
    }
    return text;
}

bool hasControlByte(const char *data, qsizetype size)
{
    // Fixed runs of byte comparisons without branches, which the compiler turns into vector code.
    constexpr qsizetype kRun = 32;
    qsizetype at = 0;
    for (; at + kRun <= size; at += kRun) {
        unsigned char found = 0;
        for (qsizetype k = 0; k < kRun; ++k) {
            const auto byte = static_cast<unsigned char>(data[at + k]);
            found |= static_cast<unsigned char>((byte < 0x20) & (byte != '\t') & (byte != '\n') & (byte != '\v')
                                                & (byte != '\f') & (byte != '\r') & (byte != 0x1A))
                | static_cast<unsigned char>(byte == 0x7F);
        }
        if (found != 0)
            return true;
    }
    for (; at < size; ++at) {
        if (isControlByte(static_cast<unsigned char>(data[at])))
            return true;
    }
    return false;
}

int firstControlLine(const char *data, qsizetype size)
{
    if (!hasControlByte(data, size))
        return 0;
    int line = 1;
    for (qsizetype i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(data[i]);
        if (byte == '\n' || (byte == '\r' && (i + 1 == size || data[i + 1] != '\n')))
            ++line;
        else if (isControlByte(byte))
            return line;
    }
    return 0;
}
