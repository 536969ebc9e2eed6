#pragma once

#include "motors/MotorValues.h"
#include "motors/ThrustCurve.h"

#include <QByteArray>
#include <QStringList>

#include <vector>

// The thrust data that follows one motor header: its points in file order, and
// whether every data line could be read as a time and a thrust.
struct CEngCurve
{
    std::vector<CThrustPoint> points;
    // The same points in the file's own digits, in the form the logbook keeps
    // them (see curvePointsText): storing needs no formatting, and loses nothing.
    QByteArray text;
    bool readable = true;

    bool operator==(const CEngCurve &) const = default;
};

// Finds the motor header lines of a thrust-curve file fed to it in blocks of
// any size, with the thrust data lines that follow each, so a large file costs
// little memory.
// A line is a header when it follows the start of the file or a comment line
// (";"), skipping blank lines and lines of numbers only (thrust data of a file
// that lacks its header). A header is cut to 255 characters.
class CEngHeaderScanner
{
public:
    static constexpr int kMaxHeaderLength = kMaxMotorFileText;
    // A data line longer than this, or more points than this for one motor,
    // makes that motor's curve unreadable.
    static constexpr int kMaxDataLineLength = 128;
    static constexpr int kMaxCurvePoints = 20000;

    void feed(const char *data, qsizetype size);
    // The header lines found, in file order. A header that no line feed ends
    // (the file's last line) is not one: a motor without thrust data.
    const QStringList &headers() const { return m_headers; }
    // One curve per header, in the same order.
    const std::vector<CEngCurve> &curves() const { return m_curves; }

private:
    void endLine();
    void takeSegment(const char *data, qsizetype size);
    void takeDataLine(const char *line, qsizetype size);

    QStringList m_headers;
    std::vector<CEngCurve> m_curves;
    QByteArray m_dataLine; // the current line of the last header's thrust data
    bool m_inData = false; // lines belong to the last header's thrust data
    QByteArray m_line; // the start of the current candidate header line
    qsizetype m_lineLength = 0;
    bool m_atFileStart = true;
    int m_bomMatched = 0; // bytes of a UTF-8 byte-order mark seen so far
    bool m_atLineStart = true;
    bool m_expectHeader = true;
    bool m_candidate = false; // the current line may be a header
    bool m_blank = true; // only blanks on the current line so far
};
