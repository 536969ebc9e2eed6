#include "prediction/MeasureUnits.h"

#include "platform/SettingsStore.h"

namespace {
constexpr char kMetric[] = "metric";
constexpr char kImperial[] = "imperial";
} // namespace

EUnitSystem unitSystemFromSetting(const QString &text, const QLocale &locale)
{
    const QString chosen = text.trimmed();
    if (chosen.compare(QLatin1String(kMetric), Qt::CaseInsensitive) == 0)
        return EUnitSystem::Metric;
    if (chosen.compare(QLatin1String(kImperial), Qt::CaseInsensitive) == 0)
        return EUnitSystem::Imperial;
    return unitSystemForLocale(locale);
}

QString unitSystemSetting(EUnitSystem units)
{
    return QLatin1String(units == EUnitSystem::Imperial ? kImperial : kMetric);
}

EUnitSystem readUnitSystem(const CSettingsStore &settings, const QLocale &locale)
{
    return unitSystemFromSetting(settings.ReadSetting(QLatin1String(kSettingMeasureUnits)), locale);
}
