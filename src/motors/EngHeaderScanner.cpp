#include "motors/EngHeaderScanner.h"

#include "motors/EngHeader.h"
#include "motors/FileText.h"

#include <cstring>

namespace {
// Enough bytes for 255 characters of four-byte UTF-8.
constexpr qsizetype kKeptBytes = CEngHeaderScanner::kMaxHeaderLength * 4;
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
    // Whole runs up to each line feed: thrust data is skipped without looking at its bytes.
    while (i < size) {
        const auto *found = static_cast<const char *>(std::memchr(data + i, '\n', size_t(size - i)));
        const qsizetype end = found ? found - data : size;
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
        } else {
            m_candidate = m_expectHeader;
        }
    }
    if (!m_candidate)
        return;
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
            m_expectHeader = false;
        }
    }
    m_line.clear();
    m_lineLength = 0;
    m_atLineStart = true;
    m_candidate = false;
    m_blank = true;
}
