#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Whole-file writes and reads for tests that lay out files by hand.
inline bool writeTestFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

// The file's bytes, or "<missing>" when it cannot be read.
inline QByteArray readTestFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
