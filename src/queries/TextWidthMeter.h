#pragma once

#include <QFontMetrics>
#include <QString>

#include <array>

// Width of a text in one font, fast enough to measure every cell of a large
// result: Latin-1 texts add up per-character advances from a table, anything
// else is measured by the font. Kerning is ignored, which can only widen.
class CTextWidthMeter
{
public:
    explicit CTextWidthMeter(const QFont &font);

    int width(const QString &text) const;

private:
    QFontMetrics m_metrics;
    std::array<int, 256> m_advances {};
};
