#include "motors/EngHeader.h"

#include <QLocale>

#include <array>
#include <charconv>

namespace {
bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
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
} // namespace

namespace {
constexpr int kFieldCount = 7;

std::array<QString, kFieldCount> splitEngHeader(const QString &line)
{
    std::array<QString, kFieldCount> fields;
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
            fields[field] = rest.left(blank).toString();
            rest = trimLeft(rest.mid(blank));
        } else if (field == kFieldCount - 1) {
            fields[field] = trimRight(rest).toString();
        }
        // Otherwise the field stays empty and the text waits for the next one.
    }
    return fields;
}

// A mass in kg, read as the data lines' numbers are; 0 when the field is not one.
double mass(const QString &field)
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

CMotorValues parseEngHeader(const QString &line)
{
    const std::array<QString, kFieldCount> fields = splitEngHeader(line);
    CMotorValues motor;
    motor.type = fields[0];
    motor.delay = fields[3];
    motor.mfg = fields[6];
    motor.size = fields[1] + QLatin1Char('x') + fields[2];
    return motor;
}

CEngMasses parseEngMasses(const QString &line)
{
    const std::array<QString, kFieldCount> fields = splitEngHeader(line);
    return {mass(fields[4]), mass(fields[5])};
}

bool isThrustDataLine(const QString &line)
{
    const QLocale c = QLocale::c();
    bool any = false;
    qsizetype i = 0;
    while (i < line.size()) {
        while (i < line.size() && (isBlank(line.at(i)) || line.at(i) == QLatin1Char('\r')))
            ++i;
        const qsizetype start = i;
        while (i < line.size() && !isBlank(line.at(i)) && line.at(i) != QLatin1Char('\r'))
            ++i;
        if (i == start)
            break;
        bool number = false;
        c.toDouble(QStringView(line).mid(start, i - start), &number);
        if (!number)
            return false;
        any = true;
    }
    return any;
}
