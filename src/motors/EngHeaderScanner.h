#pragma once

#include "motors/MotorValues.h"

#include <QByteArray>
#include <QStringList>

// Finds the motor header lines of a thrust-curve file fed to it in blocks of
// any size, keeping only those lines, so a large file costs little memory.
// A line is a header when it follows the start of the file or a comment line
// (";"), skipping blank lines and lines of numbers only (thrust data of a file
// that lacks its header). A header is cut to 255 characters.
class CEngHeaderScanner
{
public:
    static constexpr int kMaxHeaderLength = kMaxMotorFileText;

    void feed(const char *data, qsizetype size);
    // The header lines found, in file order. A header that no line feed ends
    // (the file's last line) is not one: a motor without thrust data.
    const QStringList &headers() const { return m_headers; }

private:
    void endLine();
    void takeSegment(const char *data, qsizetype size);

    QStringList m_headers;
    QByteArray m_line; // the start of the current candidate header line
    qsizetype m_lineLength = 0;
    bool m_atFileStart = true;
    int m_bomMatched = 0; // bytes of a UTF-8 byte-order mark seen so far
    bool m_atLineStart = true;
    bool m_expectHeader = true;
    bool m_candidate = false; // the current line may be a header
    bool m_blank = true; // only blanks on the current line so far
};
