#include "flightdata/AltimeterReader.h"

#include "flightdata/RecordingCleanup.h"
#include "platform/RegularFile.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

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
        if (!takeHeaderLine(line)) {
            m_phase = Phase::Failed;
            return;
        }
        // AltOS writes metres above its own ground, and counts time from launch.
        m_columns.metresPerUnit = 1.0;
        m_columns.speedMetresPerUnit = 1.0;
        m_columns.heightAboveLaunch = true;
        m_columns.unitFromPressure = false;
        m_recording.launchTime = 0.0;
        return;
    }
    if (line.startsWith('#') || line.startsWith(';') || line.startsWith("//"))
        return;
    if (takePreambleLine(line) || takeHeaderLine(line) || takeHeaderlessLine(begin, end))
        return;
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
    m_fields.resize(std::size_t(columns.lastColumn()) + 1);
    if (m_recording.format.isEmpty()) {
        m_recording.format = !columns.format.isEmpty() ? columns.format
            : columns.hasDeviceColumns                 ? QStringLiteral("StratoLogger")
                                                       : QStringLiteral("CSV");
    }
    // A PerfectFlite or StratoLogger records its height above the pad.
    if (m_recording.format == QLatin1String("PerfectFlite") || m_recording.format == QLatin1String("StratoLogger"))
        m_columns.heightAboveLaunch = true;
    m_phase = columns.unknownUnit.isEmpty() ? Phase::Samples : Phase::Failed;
    return true;
}

// Samples without a header: after a PerfectFlite preamble, time and altitude
// in feet or the altitude alone at the stated rate; as the first line of a
// file, a StratoLogger export of two to four numbers a line, time and altitude
// first, tab- or comma-separated.
bool CAltimeterReader::takeHeaderlessLine(const char *begin, const char *end)
{
    const QByteArray line(begin, end - begin);
    const char delimiter = delimiterOf(line);
    const QList<QByteArray> fields = splitFields(line, delimiter);
    int numbers = 0;
    for (const QByteArray &text : fields) {
        double value = 0;
        if (!parseNumber(text.constData(), text.constData() + text.size(), value))
            break;
        ++numbers;
    }
    CFlightColumns columns;
    if (m_phase == Phase::Preamble && (numbers >= 2 || (numbers == 1 && m_sampleRate > 0))) {
        if (m_recording.format.isEmpty())
            m_recording.format = QStringLiteral("PerfectFlite");
        columns.time = numbers >= 2 ? 0 : -1;
        columns.height = numbers >= 2 ? 1 : 0;
    } else if (m_phase == Phase::Start && numbers == fields.size() && numbers >= 2 && numbers <= 4
               && (delimiter == '\t' || delimiter == ',')) {
        m_recording.format = QStringLiteral("StratoLogger");
        columns.time = 0;
        columns.height = 1;
    } else {
        return false;
    }
    columns.heightAboveLaunch = true;
    m_columns = columns;
    m_delimiter = delimiter;
    m_fields.resize(std::size_t(std::max(1, columns.lastColumn() + 1)));
    m_phase = Phase::Samples;
    takeSample(begin, end);
    return true;
}

// Splits a sample line into the fields a sample needs: their count; the fields
// a short line lacks are empty. Blanks around a field belong to no field, and
// with a blank as delimiter a run of blanks is one delimiter.
std::size_t CAltimeterReader::splitLine(const char *begin, const char *end)
{
    const bool blanks = m_delimiter == ' ';
    const char *at = begin;
    std::size_t count = 0;
    for (CField &field : m_fields) {
        if (blanks) {
            while (at < end && isBlank(*at))
                ++at;
        }
        if (at > end) {
            field = {end, end};
            continue;
        }
        const char *stop = at;
        if (blanks) {
            while (stop < end && !isBlank(*stop))
                ++stop;
        } else {
            stop = static_cast<const char *>(memchr(at, m_delimiter, size_t(end - at)));
            stop = stop ? stop : end;
        }
        field = {at, stop};
        at = stop + 1;
        ++count;
    }
    return count;
}

void CAltimeterReader::takeSample(const char *begin, const char *end)
{
    if (qsizetype(m_recording.time.size()) >= kMaxSamples) {
        m_tooManySamples = true;
        m_phase = Phase::Failed;
        return;
    }
    const auto number = [this](int column, double &value) {
        const CField &field = m_fields[std::size_t(column)];
        return parseNumber(field.begin, field.end, value);
    };
    double time = 0;
    double height = 0;
    const std::size_t fields = splitLine(begin, end);
    if (int(fields) <= std::max(m_columns.time, m_columns.height)
        || (m_columns.time >= 0 && !number(m_columns.time, time)) || !number(m_columns.height, height)) {
        ++m_recording.skippedLines;
        return;
    }
    if (m_columns.time < 0)
        time = double(m_sampleIndex) / m_sampleRate;
    ++m_sampleIndex;
    time *= m_columns.secondsPerUnit;
    double speed = kNaN;
    if (m_columns.speed >= 0 && !number(m_columns.speed, speed))
        speed = kNaN;
    double pressure = kNaN;
    if (m_columns.unitFromPressure && !number(m_columns.pressure, pressure))
        pressure = kNaN;

    std::vector<double> &times = m_recording.time;
    if (!times.empty() && time < times.back()) {
        ++m_recording.skippedLines;
        return;
    }
    if (!times.empty() && time == times.back()) {
        // One moment written again: a sample all the same, folded into the last.
        ++m_recording.repeatedTimes;
        ++m_rowsAtLastTime;
        double &last = m_recording.height.back();
        last += (height - last) / m_rowsAtLastTime;
        if (m_columns.speed >= 0 && std::isnan(m_recording.speed.back()))
            m_recording.speed.back() = speed;
    } else {
        m_rowsAtLastTime = 1;
        times.push_back(time);
        m_recording.height.push_back(height);
        if (m_columns.speed >= 0)
            m_recording.speed.push_back(speed);
        if (m_columns.unitFromPressure)
            m_pressure.push_back(pressure);
    }
    takeEvents(time);
}

// The events the device logged on this row: a change of its flight phase, an
// event word, or a flag column that is set.
void CAltimeterReader::takeEvents(double time)
{
    const auto text = [this](int column) {
        const char *begin = m_fields[std::size_t(column)].begin;
        const char *end = m_fields[std::size_t(column)].end;
        trim(begin, end);
        return QByteArray::fromRawData(begin, end - begin);
    };
    const auto number = [this](int column, double &value) {
        const CField &field = m_fields[std::size_t(column)];
        return parseNumber(field.begin, field.end, value);
    };
    if (m_columns.state >= 0) {
        const QByteArray state = text(m_columns.state);
        if (state != m_lastState) {
            m_lastState = QByteArray(state.constData(), state.size());
            takeEvent(deviceEventOf(state), time);
        }
    }
    if (m_columns.events >= 0) {
        QByteArray word = text(m_columns.events);
        // An RRC3 row that lost a field carries its event one field early.
        if (word.isEmpty() && m_columns.events > 0)
            word = text(m_columns.events - 1);
        takeEvent(deviceEventOf(word), time);
    }
    const std::pair<int, EDeviceEvent> flags[] = {{m_columns.launchFlag, EDeviceEvent::Launch},
                                                  {m_columns.drogueFlag, EDeviceEvent::Drogue},
                                                  {m_columns.mainFlag, EDeviceEvent::Main},
                                                  {m_columns.landingFlag, EDeviceEvent::Landing}};
    double value = 0;
    for (const auto &[column, event] : flags) {
        if (column >= 0 && number(column, value) && value != 0)
            takeEvent(event, time);
    }
    if (m_columns.apogeeFlag >= 0 && !m_recording.deviceApogee && number(m_columns.apogeeFlag, value) && value != 0)
        m_recording.deviceApogee = value; // in the height's unit until settled
}

// The first moment of each event counts.
void CAltimeterReader::takeEvent(EDeviceEvent event, double time)
{
    std::optional<double> *moment = nullptr;
    switch (event) {
    case EDeviceEvent::Launch:
        moment = &m_recording.launchTime;
        break;
    case EDeviceEvent::Drogue:
        moment = &m_recording.drogueTime;
        break;
    case EDeviceEvent::Main:
        moment = &m_recording.mainTime;
        break;
    case EDeviceEvent::Landing:
        moment = &m_recording.landingTime;
        break;
    case EDeviceEvent::None:
        return;
    }
    if (!*moment)
        *moment = time;
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
    } else if (!m_columns.unknownUnit.isEmpty()) {
        recording.error = QStringLiteral("The file %1 gives its heights in \"%2\", a unit Tarvel does not know: it "
                                         "reads ft, feet, m, metres, meters and km.")
                              .arg(fileName, QString::fromUtf8(m_columns.unknownUnit));
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
        recording.speed.clear();
        return recording;
    }
    settleRecording(recording, m_columns, m_pressure);
    return recording;
}

CAltimeterRecording readAltimeterFile(const QString &path)
{
    CRegularFile file(path, kMaxRecordingFileBytes);
    CAltimeterReader reader;
    QByteArray block(1 << 16, Qt::Uninitialized);
    qint64 got = 0;
    while (file.isOpen() && (got = file.read(block.data(), block.size())) > 0)
        reader.feed(block.constData(), got);
    if (!file.isOpen()) {
        CAltimeterRecording failed;
        failed.error = QStringLiteral("The file %1 cannot be read: %2").arg(path, file.error());
        return failed;
    }
    return reader.finish(path);
}
