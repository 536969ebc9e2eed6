#include "platform/SettingsStore.h"

#include "platform/Platform.h"

#include <QFileInfo>
#include <QSettings>

namespace {
constexpr char kDefaultSitesCategory[] = "Launch Sites";
constexpr char kBannerShown[] = "YES";
constexpr char kBannerHidden[] = "NO";

// A value as text, or a null string when it is missing or of another shape.
QString storedText(const QSettings &settings, const QString &name)
{
    const QVariant value = settings.value(name);
    if (!value.isValid() || value.typeId() != QMetaType::QString)
        return {};
    QString text = value.toString();
    return text.isNull() ? QString(QLatin1String("")) : text;
}
} // namespace

CSettingsStore::CSettingsStore()
    : CSettingsStore(settingsFilePath())
{ }

CSettingsStore::CSettingsStore(const QString &filePath)
    : m_filePath(filePath)
    , m_defaultStorageDirectory(::defaultStorageDirectory())
{ }

bool CSettingsStore::exists() const
{
    return QFileInfo::exists(m_filePath);
}

QString CSettingsStore::ReadSetting(const QString &name) const
{
    if (!exists())
        return QString(QLatin1String(""));
    const QSettings settings(m_filePath, QSettings::IniFormat);
    QString text = storedText(settings, name);
    if (text.isNull() || text.size() > kMaxValueLength)
        return QString(QLatin1String(""));
    return text;
}

bool CSettingsStore::WriteSetting(const QString &name, const QString &text)
{
    if (text.size() > kMaxValueLength)
        return false;
    QSettings settings(m_filePath, QSettings::IniFormat);
    settings.setValue(name, text);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool CSettingsStore::loadMainSettings(CMainSettings &main)
{
    if (!exists()) {
        const CMainSettings defaults {m_defaultStorageDirectory, QLatin1String(kDefaultSitesCategory), true};
        const std::pair<const char *, QString> values[] = {
            {kSettingDefaultDirectory, defaults.storageDirectory},
            {kSettingDefaultChecklist, QString(QLatin1String(""))},
            {kSettingSitesCategory, defaults.sitesCategory},
            {kSettingFailureChecklist, QString(QLatin1String(""))},
            {kSettingDisplayBanner, QLatin1String(kBannerShown)},
        };
        for (const auto &[name, value] : values) {
            if (!WriteSetting(QLatin1String(name), value))
                return false;
        }
        main = defaults;
        return true;
    }

    const QSettings settings(m_filePath, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return false;
    auto read = [&settings](const char *name, QString &into) {
        const QString text = storedText(settings, QLatin1String(name));
        if (text.isNull() || text.size() > kMaxValueLength)
            return false;
        into = text;
        return true;
    };
    QString banner;
    if (!read(kSettingDefaultDirectory, main.storageDirectory) || !read(kSettingSitesCategory, main.sitesCategory)
        || !read(kSettingDisplayBanner, banner))
        return false;
    main.displayBanner = banner != QLatin1String(kBannerHidden);
    return true;
}
