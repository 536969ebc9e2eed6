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
