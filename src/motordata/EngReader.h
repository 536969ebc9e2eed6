#pragma once

#include "motordata/MotorValues.h"
#include "motordata/ThrustCurve.h"

#include <QByteArray>
#include <QString>

#include <vector>

// One motor of a thrust-curve file: its header line and the thrust data that
// follows it.
struct CEngMotor
{
    QString header; // cut to 255 characters
    int line = 0; // of the header, from 1
    std::vector<CThrustPoint> points;
    // The same points in the file's own digits, in the form the logbook keeps
    // them (see curvePointsText): storing needs no formatting, and loses nothing.
    QByteArray text;
    // Why the thrust data cannot be taken as written, naming the line; empty
    // when every data line was a time and a thrust.
    QString dataProblem;

    bool operator==(const CEngMotor &) const = default;
};

// A line that is neither a comment, thrust data nor a motor header.
struct CEngStrayLine
{
    int line = 0;
    QString text; // cut to 255 characters

    bool operator==(const CEngStrayLine &) const = default;
};

// Reads a thrust-curve file fed to it in blocks of any size, so a large file
// costs little memory. Lines end with LF, CR LF or CR alone; the last line
// counts with or without its line end. Comments start with ";" (also after
// thrust data on its line). A line whose first field is a number is thrust
// data of the motor above it; any other line is a motor header, which starts
// a new motor, also right after the last one's data, when it names a type and
// gives digits for the diameter and length. A byte-order mark is passed over.
class CEngReader
{
public:
    static constexpr int kMaxHeaderLength = kMaxMotorFileText;
    // A data line longer than this, or more points than this for one motor,
    // keeps that motor's curve out of the logbook.
    static constexpr int kMaxDataLineLength = 256;
    static constexpr int kMaxCurvePoints = 20000;

    void feed(const char *data, qsizetype size);
    // Ends the last line, whether or not a line end closed it.
    void finish();

    const std::vector<CEngMotor> &motors() const { return m_motors; }
    // Lines that are not motor headers where one was due, in file order.
    const std::vector<CEngStrayLine> &strayLines() const { return m_stray; }
    // Thrust data lines with no motor header above them.
    int headlessDataLines() const { return m_headlessData; }
    // The first line holding a control character (a NUL, an escape ...): the
    // file is not text, and nothing of it is read after that. 0 for a text file.
    int binaryLine() const { return m_binaryLine; }

private:
    void takeSegment(const char *data, qsizetype size);
    void endLine();
    void takeLine(const char *line, qsizetype size, qsizetype fullSize);
    void takeHeader(const char *line, qsizetype size, qsizetype fullSize);
    // The first field of a data line, read when the line was told from a header.
    struct CFirstField
    {
        qsizetype begin = 0;
        qsizetype end = 0;
        double value = 0;
        bool finite = false;
    };
    void takeData(const char *line, qsizetype size, qsizetype fullSize, const CFirstField &firstField);
    bool isBinary(const char *data, qsizetype size);

    std::vector<CEngMotor> m_motors;
    std::vector<CEngStrayLine> m_stray;
    bool m_inMotor = false; // data lines belong to the last motor
    int m_strayInMotor = 0; // a stray line after the last motor's header
    int m_headlessData = 0;
    int m_binaryLine = 0;
    int m_lineNumber = 1;
    QByteArray m_line; // the start of a line that runs over a block's end
    qsizetype m_lineSize = 0; // its whole length so far
    bool m_afterCarriageReturn = false; // a line feed now ends no line
    bool m_blockIsText = false; // the block being fed has no control byte
    bool m_atFileStart = true;
    int m_bomMatched = 0; // bytes of a UTF-8 byte-order mark seen so far
};
