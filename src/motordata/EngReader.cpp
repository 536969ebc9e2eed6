#include "motordata/EngReader.h"

#include "motordata/EngHeader.h"
#include "motordata/FileText.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {
// Enough bytes for a header of 255 four-byte characters, and for a data line
// one byte too long, which is all it takes to tell that it is.
constexpr qsizetype kKeptBytes =
    qMax(qsizetype(CEngReader::kMaxHeaderLength) * 4, qsizetype(CEngReader::kMaxDataLineLength) + 1);
const char kByteOrderMark[] = "\xEF\xBB\xBF";
// The longest piece of a line quoted in a message.
constexpr qsizetype kQuoted = 24;

// Blanks between fields; 0x1A ends old DOS text files.
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\f' || c == '\v' || c == '\x1A';
}

enum class Number { None, Finite, Infinite };

// The number a whole field spells: an optional sign, digits, a point, an
// exponent. "inf", "nan" and numbers beyond a double's range are numbers too,
// but not finite ones.
Number readNumber(const char *begin, const char *end, double &value)
{
    const char *at = begin < end && *begin == '+' ? begin + 1 : begin;
    const auto [stop, error] = std::from_chars(at, end, value);
    if (at == end || stop != end || error == std::errc::invalid_argument)
        return Number::None;
    return error == std::errc() && std::isfinite(value) ? Number::Finite : Number::Infinite;
}

QString quoted(const char *begin, const char *end)
{
    QString text = decodeFileText(begin, qMin(end - begin, kQuoted));
    return QLatin1Char('"') + text + (end - begin > kQuoted ? QStringLiteral("...\"") : QStringLiteral("\""));
}

QString cutToHeaderLength(QString text)
{
    if (text.size() > CEngReader::kMaxHeaderLength) {
        qsizetype cut = CEngReader::kMaxHeaderLength;
        if (text.at(cut - 1).isHighSurrogate())
            --cut;
        text.truncate(cut);
    }
    return text;
}
} // namespace

void CEngReader::feed(const char *data, qsizetype size)
{
    // Whole blocks of text, as files mostly are, need no look at each line.
    m_blockIsText = !hasControlByte(data, size);
    qsizetype i = 0;
    // A byte-order mark may arrive split over several small blocks.
    while (m_atFileStart && i < size) {
        if (data[i] == kByteOrderMark[m_bomMatched]) {
            ++i;
            if (++m_bomMatched == 3)
                m_atFileStart = false;
            continue;
        }
        m_atFileStart = false;
        takeSegment(kByteOrderMark, m_bomMatched); // a partial mark was ordinary text after all
    }
    while (i < size && m_binaryLine == 0) {
        if (m_afterCarriageReturn) {
            m_afterCarriageReturn = false;
            if (data[i] == '\n') {
                ++i;
                continue;
            }
        }
        const char *start = data + i;
        const auto *feed = static_cast<const char *>(std::memchr(start, '\n', size_t(size - i)));
        qsizetype end = feed ? feed - data : size;
        if (const auto *ret = static_cast<const char *>(std::memchr(start, '\r', size_t(end - i))))
            end = ret - data;
        if (end == size) { // the line goes on in the next block
            takeSegment(start, end - i);
            break;
        }
        // Most lines lie wholly inside the block: read in place.
        if (m_lineSize == 0) {
            if (!isBinary(start, end - i))
                takeLine(start, qMin(end - i, kKeptBytes), end - i);
        } else {
            takeSegment(start, end - i);
            endLine();
        }
        ++m_lineNumber;
        m_afterCarriageReturn = data[end] == '\r';
        i = end + 1;
    }
}

void CEngReader::finish()
{
    m_blockIsText = true; // the mark's bytes are no control bytes
    if (m_atFileStart && m_bomMatched > 0) {
        m_atFileStart = false;
        takeSegment(kByteOrderMark, m_bomMatched);
    }
    if (m_lineSize > 0)
        endLine();
    m_lineSize = 0;
}

bool CEngReader::isBinary(const char *data, qsizetype size)
{
    if (m_blockIsText)
        return false;
    for (qsizetype k = 0; k < size; ++k) {
        if (isControlByte(static_cast<unsigned char>(data[k]))) {
            m_binaryLine = m_lineNumber;
            return true;
        }
    }
    return false;
}

void CEngReader::takeSegment(const char *data, qsizetype size)
{
    if (size == 0 || m_binaryLine != 0 || isBinary(data, size))
        return;
    const qsizetype room = kKeptBytes - m_line.size();
    if (room > 0)
        m_line.append(data, qMin(room, size));
    m_lineSize += size;
}

void CEngReader::endLine()
{
    if (m_binaryLine == 0)
        takeLine(m_line.constData(), m_line.size(), m_lineSize);
    m_line.clear();
    m_lineSize = 0;
}

void CEngReader::takeLine(const char *line, qsizetype size, qsizetype fullSize)
{
    qsizetype first = 0;
    while (first < size && isBlank(line[first]))
        ++first;
    if (first == size || line[first] == ';')
        return;
    qsizetype last = first;
    while (last < size && !isBlank(line[last]) && line[last] != ';')
        ++last;
    double time = 0;
    const Number kind = readNumber(line + first, line + last, time);
    if (kind == Number::None)
        takeHeader(line, size, fullSize);
    else
        takeData(line, size, fullSize, {first, last, time, kind == Number::Finite});
}

void CEngReader::takeHeader(const char *line, qsizetype size, qsizetype fullSize)
{
    QString text = cutToHeaderLength(decodeFileText(line, qMin(size, fullSize)));
    if (isEngHeader(text)) {
        CEngMotor motor;
        motor.header = std::move(text);
        motor.line = m_lineNumber;
        // Room for a typical curve of a few dozen points from the start.
        motor.points.reserve(64);
        motor.text.reserve(1024);
        m_motors.push_back(std::move(motor));
        m_inMotor = true;
        m_strayInMotor = 0;
        return;
    }
    m_stray.push_back({m_lineNumber, std::move(text)});
    // Text after a motor's data is left aside; text within it breaks the curve.
    if (m_inMotor && m_strayInMotor == 0)
        m_strayInMotor = m_lineNumber;
}

// "0.021 17.5": a time and a thrust separated by blanks, a comment after them
// allowed. The first line that is not spoils the motor's curve, which is then
// kept from the logbook and named with the reason.
void CEngReader::takeData(const char *line, qsizetype size, qsizetype fullSize, const CFirstField &firstField)
{
    if (!m_inMotor) {
        ++m_headlessData;
        return;
    }
    CEngMotor &motor = m_motors.back();
    if (!motor.dataProblem.isEmpty())
        return;
    const int lineNumber = m_lineNumber;
    if (m_strayInMotor != 0) {
        motor.dataProblem = QStringLiteral("line %1 within its thrust data is neither thrust data nor a motor header")
                                .arg(m_strayInMotor);
        return;
    }
    if (fullSize > kMaxDataLineLength) {
        // A long comment may follow the values.
        const auto *comment = static_cast<const char *>(std::memchr(line, ';', size_t(size)));
        if (comment == nullptr || comment - line > kMaxDataLineLength) {
            motor.dataProblem =
                QStringLiteral("line %1 is longer than %2 characters").arg(lineNumber).arg(kMaxDataLineLength);
            return;
        }
    }
    const char *const end = line + size;
    // The time was read when the line was told from a header.
    const char *time = line + firstField.begin;
    if (!firstField.finite) {
        motor.dataProblem = QStringLiteral("%1 on line %2 is not a finite number")
                                .arg(quoted(time, line + firstField.end))
                                .arg(lineNumber);
        return;
    }
    double values[2] = {firstField.value, 0};
    // The file's digits, without a plus sign that adds nothing.
    const char *digits[2] = {*time == '+' ? time + 1 : time, nullptr};
    qsizetype lengths[2] = {line + firstField.end - digits[0], 0};
    int count = 1;
    const char *at = line + firstField.end;
    for (;;) {
        while (at < end && isBlank(*at))
            ++at;
        if (at == end || *at == ';')
            break;
        const char *stop = at;
        while (stop < end && !isBlank(*stop) && *stop != ';')
            ++stop;
        if (count == 2) {
            motor.dataProblem = QStringLiteral("line %1 holds more than a time and a thrust").arg(lineNumber);
            return;
        }
        switch (readNumber(at, stop, values[1])) {
        case Number::None:
            motor.dataProblem = QStringLiteral("%1 on line %2 is not a number").arg(quoted(at, stop)).arg(lineNumber);
            return;
        case Number::Infinite:
            motor.dataProblem =
                QStringLiteral("%1 on line %2 is not a finite number").arg(quoted(at, stop)).arg(lineNumber);
            return;
        case Number::Finite:
            break;
        }
        digits[1] = *at == '+' ? at + 1 : at;
        lengths[1] = stop - digits[1];
        ++count;
        at = stop;
    }
    if (count == 1) {
        motor.dataProblem = QStringLiteral("line %1 gives a time without a thrust").arg(lineNumber);
        return;
    }
    if (motor.points.size() >= std::size_t(kMaxCurvePoints)) {
        motor.dataProblem =
            QStringLiteral("it has more than %1 points, the most a curve may have").arg(kMaxCurvePoints);
        return;
    }
    motor.points.push_back({values[0], values[1]});
    // One append per point: "time thrust\n" in the file's digits.
    const qsizetype at0 = motor.text.size();
    motor.text.resize(at0 + lengths[0] + lengths[1] + 2);
    char *out = motor.text.data() + at0;
    std::memcpy(out, digits[0], size_t(lengths[0]));
    out[lengths[0]] = ' ';
    std::memcpy(out + lengths[0] + 1, digits[1], size_t(lengths[1]));
    out[lengths[0] + 1 + lengths[1]] = '\n';
}
