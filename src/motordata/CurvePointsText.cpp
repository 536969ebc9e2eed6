#include "motordata/CurvePointsText.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace {
// The shortest text that reads back as the same number: a file's "0.031" stays
// "0.031", and nothing is lost to rounding.
void appendNumber(QByteArray &text, double value)
{
    char digits[32];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    if (error == std::errc())
        text.append(digits, end - digits);
}

// "time thrust": two numbers and nothing else.
std::optional<CThrustPoint> pointOfLine(const char *at, const char *end)
{
    double values[2] = {0, 0};
    for (double &value : values) {
        while (at < end && *at == ' ')
            ++at;
        const auto [stop, error] = std::from_chars(at, end, value);
        if (error != std::errc() || (stop < end && *stop != ' '))
            return std::nullopt;
        at = stop;
    }
    while (at < end && *at == ' ')
        ++at;
    if (at != end)
        return std::nullopt;
    return CThrustPoint {values[0], values[1]};
}
} // namespace

QByteArray curvePointsText(const std::vector<CThrustPoint> &points)
{
    QByteArray text;
    text.reserve(qsizetype(points.size()) * 16);
    for (const CThrustPoint &point : points) {
        appendNumber(text, point.time);
        text.append(' ');
        appendNumber(text, point.thrust);
        text.append('\n');
    }
    return text;
}

std::vector<CThrustPoint> parseCurvePointsText(const QString &text)
{
    // Read as the import read the file's digits, so every stored point reads back.
    std::vector<CThrustPoint> points;
    const QByteArray utf8 = text.toUtf8();
    const char *at = utf8.constData();
    const char *const end = at + utf8.size();
    while (at < end) {
        const char *lineEnd = std::find(at, end, '\n');
        if (const std::optional<CThrustPoint> point = pointOfLine(at, lineEnd))
            points.push_back(*point);
        at = lineEnd + (lineEnd < end ? 1 : 0);
    }
    return points;
}
