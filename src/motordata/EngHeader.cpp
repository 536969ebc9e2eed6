#include "motordata/EngHeader.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace {
// Blanks between fields, as the thrust data has them; ^Z ends old DOS files.
bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\f' || u == u'\v' || u == 0x1A;
}

QStringView trimLeft(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text.at(i)))
        ++i;
    return text.mid(i);
}

QStringView trimRight(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && isBlank(text.at(end - 1)))
        --end;
    return text.left(end);
}

constexpr int kFieldCount = 7;

// The fields as views of the line: a header is split for every motor of a
// file, and most of its fields are only looked at.
std::array<QStringView, kFieldCount> splitEngHeader(QStringView line)
{
    std::array<QStringView, kFieldCount> fields;
    QStringView rest = trimLeft(line);
    for (int field = 0; field < kFieldCount; ++field) {
        qsizetype blank = -1;
        for (qsizetype i = 0; i < rest.size(); ++i) {
            if (isBlank(rest.at(i))) {
                blank = i;
                break;
            }
        }
        if (blank >= 0) {
            fields[field] = rest.left(blank);
            rest = trimLeft(rest.mid(blank));
        } else if (field == kFieldCount - 1) {
            fields[field] = trimRight(rest);
        }
        // Otherwise the field stays empty and the text waits for the next one.
    }
    return fields;
}

// A mass in kg, read as the data lines' numbers are; 0 when the field is not one.
double mass(QStringView field)
{
    char digits[64] = {};
    if (field.isEmpty() || field.size() > qsizetype(sizeof digits))
        return 0;
    qsizetype length = 0;
    for (const QChar c : field) {
        if (c.unicode() > 0x7F)
            return 0;
        digits[length++] = char(c.unicode());
    }
    const char *start = digits[0] == '+' ? digits + 1 : digits;
    double value = 0;
    const auto [stop, error] = std::from_chars(start, digits + length, value);
    const bool whole = error == std::errc() && stop == digits + length;
    return whole && value > 0 && value < 1e6 ? value : 0;
}
} // namespace

CMotorValues parseEngHeader(const QString &line, CEngMasses *masses)
{
    const std::array<QStringView, kFieldCount> fields = splitEngHeader(line);
    CMotorValues motor;
    motor.type = fields[0].toString();
    motor.delay = fields[3].toString();
    motor.mfg = fields[6].toString();
    motor.size = fields[1].toString() + QLatin1Char('x') + fields[2].toString();
    if (masses)
        *masses = {mass(fields[4]), mass(fields[5])};
    return motor;
}

bool isEngHeader(const QString &line)
{
    const std::array<QStringView, kFieldCount> fields = splitEngHeader(line);
    const auto hasDigit = [](QStringView field) {
        return std::any_of(field.cbegin(), field.cend(), [](QChar c) { return c.isDigit(); });
    };
    return !fields[0].isEmpty() && hasDigit(fields[1]) && hasDigit(fields[2]);
}
