#pragma once

#include "flightdata/AltimeterRecording.h"
#include "flightdata/FlightColumns.h"

#include <QByteArray>
#include <QString>

// Reads an altimeter's recording fed to it in blocks of any size. The format is
// told by the content, never by the file name: an AltOS export starts with its
// "#version" header, a PerfectFlite export with "Key: value" lines, a headerless
// StratoLogger export with lines of two to four numbers (time in seconds,
// altitude in feet), and any other file needs a header line naming a time column
// and an altitude or height column. Lines that hold no sample are counted, never
// fatal; a line longer than kMaxLineLength is skipped without being kept, so no
// input makes it hang or grow without bound.
class CAltimeterReader
{
public:
    static constexpr qsizetype kMaxLineLength = qsizetype(64) * 1024;
    static constexpr qsizetype kMaxSamples = 20'000'000;
    // Lines before the header that may be comments or titles.
    static constexpr int kMaxLinesBeforeHeader = 64;

    void feed(const char *data, qsizetype size);
    // The recording, or one whose error names the file and what was expected.
    CAltimeterRecording finish(const QString &fileName);

private:
    enum class Phase { Start, Preamble, Samples, Failed };
    struct CField
    {
        const char *begin;
        const char *end;
    };

    void takeLine(const char *begin, const char *end);
    void startLine(const char *begin, const char *end);
    bool takePreambleLine(const QByteArray &line);
    bool takeHeaderLine(const QByteArray &line);
    bool takeHeaderlessLine(const char *begin, const char *end);
    void takeSample(const char *begin, const char *end);
    void takeEvents(double time);
    void takeEvent(EDeviceEvent event, double time);
    std::size_t splitLine(const char *begin, const char *end);

    CAltimeterRecording m_recording;
    CFlightColumns m_columns;
    Phase m_phase = Phase::Start;
    char m_delimiter = ',';
    int m_linesBeforeHeader = 0;
    // Samples per second of a PerfectFlite file whose lines hold the altitude alone.
    double m_sampleRate = 0;
    qint64 m_sampleIndex = 0;
    // Rows folded into the last sample, for its mean height.
    int m_rowsAtLastTime = 1;
    QByteArray m_lastState;
    std::vector<CField> m_fields;
    // The pressure beside each height, kept only to tell the unit of an
    // altitude column that names none.
    int m_pressureColumn = -1;
    std::vector<double> m_pressure;
    QByteArray m_line;
    bool m_lineTooLong = false;
    bool m_atFileStart = true;
    bool m_tooManySamples = false;
};

// The largest file read as a recording: a million samples take about 30 MB.
inline constexpr qint64 kMaxRecordingFileBytes = 512LL * 1024 * 1024;

// Reads the file at path; the error names it when it cannot be opened or read,
// when it is no regular file (a folder, a pipe, a device) or when it is larger
// than kMaxRecordingFileBytes.
CAltimeterRecording readAltimeterFile(const QString &path);
