#include "motors/EngHeaderScanner.h"

#include "motors/EngHeader.h"
#include "motors/FileText.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {
// Enough bytes for 255 characters of four-byte UTF-8.
constexpr qsizetype kKeptBytes = qsizetype(CEngHeaderScanner::kMaxHeaderLength) * 4;
const char kByteOrderMark[] = "\xEF\xBB\xBF";
} // namespace

void CEngHeaderScanner::feed(const char *data, qsizetype size)
{
    qsizetype i = 0;
    // A byte-order mark may arrive split over several small blocks.
    while (m_atFileStart && i < size) {
        if (data[i] == kByteOrderMark[m_bomMatched]) {
            ++m_bomMatched;
            ++i;
            if (m_bomMatched == 3)
                m_atFileStart = false;
            continue;
        }
        m_atFileStart = false;
        // A partial mark was ordinary text after all.
        for (int k = 0; k < m_bomMatched; ++k)
            takeSegment(kByteOrderMark + k, 1);
    }
    // Whole runs up to each line feed.
    while (i < size) {
        const auto *found = static_cast<const char *>(std::memchr(data + i, '\n', size_t(size - i)));
        const qsizetype end = found ? found - data : size;
        // Most lines are thrust data wholly inside the block: read in place.
        if (found && m_atLineStart && m_inData && !m_expectHeader && data[i] != ';') {
            takeDataLine(data + i, end - i);
            i = end + 1;
            continue;
        }
        takeSegment(data + i, end - i);
        if (!found)
            break;
        endLine();
        i = end + 1;
    }
}

void CEngHeaderScanner::takeSegment(const char *data, qsizetype size)
{
    if (size == 0)
        return;
    if (m_atLineStart) {
        m_atLineStart = false;
        if (data[0] == ';') {
            m_expectHeader = true;
            m_candidate = false;
            m_inData = false;
        } else {
            m_candidate = m_expectHeader;
        }
    }
    if (!m_candidate) {
        if (m_inData && m_dataLine.size() <= kMaxDataLineLength)
            m_dataLine.append(data, qMin(size, kMaxDataLineLength + 1 - m_dataLine.size()));
        return;
    }
    for (qsizetype k = 0; m_blank && k < size; ++k) {
        if (data[k] != ' ' && data[k] != '\t' && data[k] != '\r')
            m_blank = false;
    }
    const qsizetype room = kKeptBytes - m_line.size();
    if (room > 0)
        m_line.append(data, qMin(room, size));
    m_lineLength += size;
}

void CEngHeaderScanner::endLine()
{
    if (m_candidate && !m_blank) {
        // Only a carriage return is a line-end character; a Unix line keeps its last letter.
        if (m_lineLength == m_line.size() && m_line.endsWith('\r'))
            m_line.chop(1);
        QString text = decodeFileText(m_line);
        if (text.size() > kMaxHeaderLength) {
            qsizetype cut = kMaxHeaderLength;
            if (text.at(cut - 1).isHighSurrogate())
                --cut;
            text.truncate(cut);
        }
        if (!isThrustDataLine(text)) {
            m_headers.append(text);
            m_curves.emplace_back();
            m_expectHeader = false;
            m_inData = true;
        }
    } else if (m_inData && !m_candidate) {
        takeDataLine(m_dataLine.constData(), m_dataLine.size());
    }
    m_dataLine.clear();
    m_line.clear();
    m_lineLength = 0;
    m_atLineStart = true;
    m_candidate = false;
    m_blank = true;
}

// "0.021 17.5": a time and a thrust separated by blanks. Blank lines are passed
// over; anything else spoils the curve, which is then kept from the logbook.
void CEngHeaderScanner::takeDataLine(const char *line, qsizetype size)
{
    CEngCurve &curve = m_curves.back();
    if (!curve.readable)
        return;
    if (size > kMaxDataLineLength) {
        curve.readable = false;
        return;
    }
    const char *at = line;
    const char *end = line + size;
    double values[2] = {0, 0};
    const char *digits[2] = {nullptr, nullptr};
    qsizetype lengths[2] = {0, 0};
    int count = 0;
    for (;;) {
        while (at < end && (*at == ' ' || *at == '\t' || *at == '\r'))
            ++at;
        if (at == end)
            break;
        double value = 0;
        const auto [stop, error] = std::from_chars(at, end, value);
        if (error != std::errc() || count == 2 || !std::isfinite(value)
            || (stop < end && *stop != ' ' && *stop != '\t' && *stop != '\r')) {
            curve.readable = false;
            return;
        }
        values[count] = value;
        digits[count] = at;
        lengths[count] = stop - at;
        ++count;
        at = stop;
    }
    if (count == 0)
        return;
    if (count != 2 || curve.points.size() >= std::size_t(kMaxCurvePoints)) {
        curve.readable = false;
        return;
    }
    curve.points.push_back({values[0], values[1]});
    curve.text.append(digits[0], lengths[0]).append(' ').append(digits[1], lengths[1]).append('\n');
}
