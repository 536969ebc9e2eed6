#include "flightdata/AltimeterReader.h"

#include <QFile>

#include <charconv>
#include <cmath>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\0';
}

void trim(const char *&begin, const char *&end)
{
    while (begin < end && isBlank(*begin))
        ++begin;
    while (end > begin && isBlank(end[-1]))
        --end;
    if (end - begin >= 2 && *begin == '"' && end[-1] == '"') {
        ++begin;
        --end;
    }
}

bool parseNumber(const char *begin, const char *end, double &value)
{
    trim(begin, end);
    if (begin < end && *begin == '+')
        ++begin;
    if (begin == end)
        return false;
    const auto [stop, error] = std::from_chars(begin, end, value);
    return error == std::errc() && stop == end && std::isfinite(value);
}

// The text between delimiters number `wanted`; blanks around a field belong to
// no field, and with a blank as delimiter a run of blanks is one delimiter.
bool field(const char *begin, const char *end, char delimiter, int wanted, const char *&fieldBegin,
           const char *&fieldEnd)
{
    const bool blanks = delimiter == ' ';
    const char *at = begin;
    if (blanks) {
        while (at < end && isBlank(*at))
            ++at;
    }
    for (int index = 0; at <= end; ++index) {
        const char *stop = at;
        while (stop < end && (blanks ? !isBlank(*stop) : *stop != delimiter))
            ++stop;
        if (index == wanted) {
            fieldBegin = at;
            fieldEnd = stop;
            return true;
        }
        if (stop == end)
            return false;
        at = stop + 1;
        if (blanks) {
            while (at < end && isBlank(*at))
                ++at;
        }
    }
    return false;
}

char delimiterOf(const QByteArray &line)
{
    for (const char candidate : {'\t', ',', ';'}) {
        if (line.contains(candidate))
            return candidate;
    }
    return ' ';
}

QList<QByteArray> splitFields(const QByteArray &line, char delimiter)
{
    if (delimiter != ' ')
        return line.split(delimiter);
    return line.simplified().split(' ');
}

// "Apogee: 15373' AGL" -> key "apogee", value "15373' AGL".
bool splitPreambleLine(const QByteArray &line, QByteArray &key, QByteArray &value)
{
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0 || !std::isalpha(static_cast<unsigned char>(line.at(0))))
        return false;
    key = line.left(colon).trimmed().toLower();
    for (const char c : key) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != ' ' && c != '.' && c != '-' && c != '/' && c != '('
            && c != ')')
            return false;
    }
    value = line.mid(colon + 1).trimmed();
    return true;
}

// The number at the start of a value, and what follows it.
bool leadingNumber(const QByteArray &value, double &number, QByteArray &rest)
{
    const char *begin = value.constData();
    const char *end = begin + value.size();
    const auto [stop, error] = std::from_chars(begin, end, number);
    if (error != std::errc() || !std::isfinite(number))
        return false;
    rest = QByteArray(stop, end - stop).trimmed().toLower();
    return true;
}

} // namespace

void CAltimeterReader::feed(const char *data, qsizetype size)
{
    const char *at = data;
    const char *end = data + size;
    while (at < end) {
        const char *newline = static_cast<const char *>(memchr(at, '\n', size_t(end - at)));
        const char *stop = newline ? newline : end;
        if (!m_lineTooLong) {
            if (m_line.size() + (stop - at) > kMaxLineLength) {
                m_lineTooLong = true;
                m_line.clear();
            } else if (newline && m_line.isEmpty()) {
                takeLine(at, stop); // the whole line is in this block: no copy
                at = newline + 1;
                continue;
            } else {
                m_line.append(at, stop - at);
            }
        }
        if (!newline)
            break;
        if (m_lineTooLong)
            ++m_recording.skippedLines;
        else
            takeLine(m_line.constData(), m_line.constData() + m_line.size());
        m_line.clear();
        m_lineTooLong = false;
        at = newline + 1;
    }
}

void CAltimeterReader::takeLine(const char *begin, const char *end)
{
    if (m_atFileStart) {
        m_atFileStart = false;
        if (end - begin >= 3 && memcmp(begin, "\xEF\xBB\xBF", 3) == 0)
            begin += 3;
    }
    const char *trimmedBegin = begin;
    const char *trimmedEnd = end;
    trim(trimmedBegin, trimmedEnd);
    if (trimmedBegin == trimmedEnd)
        return;
    if (m_phase == Phase::Samples)
        takeSample(trimmedBegin, trimmedEnd);
    else if (m_phase != Phase::Failed)
        startLine(trimmedBegin, trimmedEnd);
}

// Lines before the samples: the header, a preamble, comments and titles.
void CAltimeterReader::startLine(const char *begin, const char *end)
{
    const QByteArray line(begin, end - begin);
    if (m_phase == Phase::Start && line.startsWith("#version")) {
        m_recording.format = QStringLiteral("AltOS");
        if (takeHeaderLine(line))
            m_columns.metresPerUnit = 1.0; // AltOS writes metres
        else
            m_phase = Phase::Failed;
        return;
    }
    if (line.startsWith('#') || line.startsWith(';') || line.startsWith("//"))
        return;
    if (takePreambleLine(line))
        return;
    if (takeHeaderLine(line))
        return;
    if (m_phase == Phase::Preamble) {
        // A PerfectFlite export may list its samples without a header: time and
        // altitude in feet, or the altitude alone at the stated sample rate.
        double first = 0;
        double second = 0;
        const char *fieldBegin = nullptr;
        const char *fieldEnd = nullptr;
        m_delimiter = delimiterOf(line);
        const bool one =
            field(begin, end, m_delimiter, 0, fieldBegin, fieldEnd) && parseNumber(fieldBegin, fieldEnd, first);
        const bool two =
            one && field(begin, end, m_delimiter, 1, fieldBegin, fieldEnd) && parseNumber(fieldBegin, fieldEnd, second);
        if (two || (one && m_sampleRate > 0)) {
            if (m_recording.format.isEmpty())
                m_recording.format = QStringLiteral("PerfectFlite");
            m_columns.time = two ? 0 : -1;
            m_columns.height = two ? 1 : 0;
            m_phase = Phase::Samples;
            takeSample(begin, end);
            return;
        }
    }
    if (++m_linesBeforeHeader > kMaxLinesBeforeHeader)
        m_phase = Phase::Failed;
}

bool CAltimeterReader::takePreambleLine(const QByteArray &line)
{
    QByteArray key;
    QByteArray value;
    if (!splitPreambleLine(line, key, value))
        return false;
    m_phase = Phase::Preamble;
    if (key == "apogee" || key.startsWith("drogue") || key.startsWith("main") || key.startsWith("ground elevation"))
        m_recording.format = QStringLiteral("PerfectFlite");
    double number = 0;
    QByteArray rest;
    if (!leadingNumber(value, number, rest))
        return true;
    if (key == "apogee") {
        const bool metres = rest.startsWith('m') && !rest.startsWith("msl");
        m_recording.deviceApogee = metres ? number : number * 0.3048;
    } else if (key.startsWith("drogue")) {
        m_recording.drogueAt = number;
    } else if (key.startsWith("main")) {
        m_recording.mainAt = number;
    } else if ((key.contains("rate") || key.contains("samples")) && number > 0) {
        m_sampleRate = number;
    }
    return true;
}

bool CAltimeterReader::takeHeaderLine(const QByteArray &line)
{
    const char delimiter = delimiterOf(line);
    const CFlightColumns columns = findFlightColumns(splitFields(line, delimiter));
    if (!columns.isValid())
        return false;
    m_columns = columns;
    m_delimiter = delimiter;
    if (m_recording.format.isEmpty())
        m_recording.format = columns.hasDeviceColumns ? QStringLiteral("StratoLogger") : QStringLiteral("CSV");
    m_phase = Phase::Samples;
    return true;
}

void CAltimeterReader::takeSample(const char *begin, const char *end)
{
    if (qsizetype(m_recording.time.size()) >= kMaxSamples) {
        m_tooManySamples = true;
        m_phase = Phase::Failed;
        return;
    }
    const char *fieldBegin = nullptr;
    const char *fieldEnd = nullptr;
    double time = 0;
    double height = 0;
    if (m_columns.time < 0) {
        time = double(m_sampleIndex) / m_sampleRate;
    } else if (!field(begin, end, m_delimiter, m_columns.time, fieldBegin, fieldEnd)
               || !parseNumber(fieldBegin, fieldEnd, time)) {
        ++m_recording.skippedLines;
        return;
    }
    if (!field(begin, end, m_delimiter, m_columns.height, fieldBegin, fieldEnd)
        || !parseNumber(fieldBegin, fieldEnd, height)) {
        ++m_recording.skippedLines;
        return;
    }
    ++m_sampleIndex;
    time *= m_columns.secondsPerUnit;
    if (!m_recording.time.empty() && !(time > m_recording.time.back())) {
        ++m_recording.skippedLines;
        return;
    }
    m_recording.time.push_back(time);
    m_recording.height.push_back(height * m_columns.metresPerUnit);
    if (m_columns.state >= 0 && field(begin, end, m_delimiter, m_columns.state, fieldBegin, fieldEnd))
        takeState(fieldBegin, fieldEnd, time);
}

// The device's own flight phases: the first sample of each is its event.
void CAltimeterReader::takeState(const char *begin, const char *end, double time)
{
    trim(begin, end);
    if (m_lastState.size() == end - begin && memcmp(m_lastState.constData(), begin, size_t(end - begin)) == 0)
        return;
    m_lastState = QByteArray(begin, end - begin).toLower();
    if (m_lastState == "boost" && !m_recording.launchTime)
        m_recording.launchTime = time;
    else if (m_lastState == "drogue" && !m_recording.drogueAt)
        m_recording.drogueAt = time;
    else if (m_lastState == "main" && !m_recording.mainAt)
        m_recording.mainAt = time;
}

CAltimeterRecording CAltimeterReader::finish(const QString &fileName)
{
    if (m_lineTooLong)
        ++m_recording.skippedLines;
    else if (!m_line.isEmpty())
        takeLine(m_line.constData(), m_line.constData() + m_line.size());
    m_line.clear();
    m_lineTooLong = false;

    CAltimeterRecording recording = std::move(m_recording);
    m_recording = CAltimeterRecording();
    if (m_tooManySamples) {
        recording.error = QStringLiteral("The file %1 holds more than %2 samples.").arg(fileName).arg(kMaxSamples);
    } else if (!m_columns.isValid() && m_columns.height < 0) {
        recording.error = QStringLiteral("The file %1 is not an altimeter recording: expected a header line with a "
                                         "time column and an altitude column.")
                              .arg(fileName);
    } else if (recording.time.empty()) {
        recording.error = QStringLiteral("The file %1 holds no samples.").arg(fileName);
    }
    if (!recording.isValid()) {
        recording.time.clear();
        recording.height.clear();
        return recording;
    }
    if (!m_columns.heightAboveLaunch) {
        const double ground = recording.height.front();
        for (double &height : recording.height)
            height -= ground;
    }
    // AltOS marks its phases in its own time, which starts at launch; make the
    // events seconds after launch like every other device's.
    if (m_columns.state >= 0) {
        const double launch = recording.launchTime.value_or(recording.time.front());
        if (recording.drogueAt)
            *recording.drogueAt -= launch;
        if (recording.mainAt)
            *recording.mainAt -= launch;
    }
    return recording;
}

CAltimeterRecording readAltimeterFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        CAltimeterRecording failed;
        failed.error = QStringLiteral("The file %1 cannot be read: %2").arg(path, file.errorString());
        return failed;
    }
    CAltimeterReader reader;
    QByteArray block(1 << 16, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(block.data(), block.size());
        if (got < 0) {
            CAltimeterRecording failed;
            failed.error = QStringLiteral("The file %1 cannot be read: %2").arg(path, file.errorString());
            return failed;
        }
        if (got == 0)
            break;
        reader.feed(block.constData(), got);
    }
    return reader.finish(path);
}
