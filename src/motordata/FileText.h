#pragma once

#include <QByteArray>
#include <QString>

// Text read from a motor file: UTF-8 where the bytes are UTF-8, and any byte
// that does not belong to a valid UTF-8 sequence taken as Latin-1, so that old
// files with accented manufacturer names keep their letters instead of losing
// them to replacement marks.
QString decodeFileText(const char *data, qsizetype size);
inline QString decodeFileText(const QByteArray &bytes)
{
    return decodeFileText(bytes.constData(), bytes.size());
}

// A byte that no text file holds: a control character other than the blanks
// (TAB, form feed, vertical tab), the line ends and the ^Z that ends old DOS
// files. A file holding one is not a motor file, whatever its name says.
inline bool isControlByte(unsigned char byte)
{
    // TAB, LF, VT, FF, CR and ^Z; computed without branches, as it runs for every byte of a file.
    constexpr unsigned kAllowed = 1U << 9 | 1U << 10 | 1U << 11 | 1U << 12 | 1U << 13 | 1U << 26;
    return ((byte < 0x20) & ~(kAllowed >> (byte & 31U))) | (byte == 0x7F);
}

// Whether any byte is a control byte; fast, for the common file that has none.
bool hasControlByte(const char *data, qsizetype size);

// The line, from 1, of the first control byte; 0 when there is none. A line
// ends with LF, CR LF or CR alone.
int firstControlLine(const char *data, qsizetype size);
