#include "queries/TextWidthMeter.h"

CTextWidthMeter::CTextWidthMeter(const QFont &font)
    : m_metrics(font)
{
    for (int c = 0; c < 256; ++c)
        m_advances[size_t(c)] = m_metrics.horizontalAdvance(QChar(c));
}

int CTextWidthMeter::width(const QString &text) const
{
    int total = 0;
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit >= 256)
            return m_metrics.horizontalAdvance(text);
        total += m_advances[unit];
    }
    return total;
}
