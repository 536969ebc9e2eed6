#include "motors/EngHeaderScanner.h"

#include "motors/EngHeader.h"
#include "motors/FileText.h"

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
            takeByte(kByteOrderMark[k]);
    }
    for (; i < size; ++i)
        takeByte(data[i]);
}

void CEngHeaderScanner::takeByte(char byte)
{
    if (byte == '\n') {
        endLine();
        return;
    }
    if (m_atLineStart) {
        m_atLineStart = false;
        if (byte == ';') {
            m_expectHeader = true;
            m_candidate = false;
        } else {
            m_candidate = m_expectHeader;
        }
    }
    if (!m_candidate)
        return;
    if (byte != ' ' && byte != '\t' && byte != '\r')
        m_blank = false;
    if (m_line.size() < kKeptBytes)
        m_line.append(byte);
    ++m_lineLength;
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
