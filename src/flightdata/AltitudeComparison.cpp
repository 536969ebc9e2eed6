#include "flightdata/AltitudeComparison.h"

#include <QLocale>

#include <cmath>

namespace {
constexpr double kMetresPerFoot = 0.3048;

// Thousands grouped as the program's texts are written, whatever the machine's locale.
QString grouped(double value)
{
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    return english.toString(qint64(std::llround(value)));
}

QString unitName(EHeightUnit unit)
{
    return unit == EHeightUnit::Metres ? QStringLiteral("m") : QStringLiteral("ft");
}
} // namespace

EHeightUnit heightUnitFromSetting(const QString &text)
{
    return text.trimmed().compare(QLatin1String("m"), Qt::CaseInsensitive) == 0 ? EHeightUnit::Metres
                                                                                : EHeightUnit::Feet;
}

QString heightUnitSetting(EHeightUnit unit)
{
    return unitName(unit);
}

QString formatHeight(double metres, EHeightUnit unit)
{
    const double value = unit == EHeightUnit::Metres ? metres : metres / kMetresPerFoot;
    return grouped(value) + QLatin1Char(' ') + unitName(unit);
}

QString altitudeComparison(double expected, double reachedMetres, EHeightUnit unit, bool atLeast)
{
    if (!(expected > 0) || !std::isfinite(reachedMetres))
        return QString();
    const double reached = unit == EHeightUnit::Metres ? reachedMetres : reachedMetres / kMetresPerFoot;
    const long long percent = std::llround((reached - expected) / expected * 100.0);
    const QString sign = percent > 0 ? QStringLiteral("+") : QString();
    if (atLeast) {
        const QString text = QStringLiteral("Expected %1 %3, reached at least %2 %3")
                                 .arg(grouped(expected), grouped(reached), unitName(unit));
        return percent >= 0 ? text + QStringLiteral(" (%1%2 % or more)").arg(sign, QString::number(percent)) : text;
    }
    return QStringLiteral("Expected %1 %3, reached %2 %3 (%4%5 %)")
        .arg(grouped(expected), grouped(reached), unitName(unit), sign, QString::number(percent));
}
