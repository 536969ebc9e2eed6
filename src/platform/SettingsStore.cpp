#include "platform/SettingsStore.h"

#include "platform/Platform.h"

#include <QFileInfo>
#include <QSettings>

namespace {
constexpr char kDefaultSitesCategory[] = "Launch Sites";
constexpr char kBannerShown[] = "YES";
constexpr char kBannerHidden[] = "NO";

// A value as text, or a null string when it is missing or of another shape.
// Unquoted commas make the file's reader split a value into a list; such a
// value is the flyer's own comma-ended list, so it is joined back.
QString storedText(const QSettings &settings, const QString &name)
{
    const QVariant value = settings.value(name);
    QString text;
    if (value.typeId() == QMetaType::QString)
        text = value.toString();
    else if (value.typeId() == QMetaType::QStringList)
        text = value.toStringList().join(QLatin1Char(','));
    else
        return {};
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

bool CSettingsStore::readable(const QSettings &settings) const
{
    const QFileInfo file(m_filePath);
    std::pair<qint64, QDateTime> stamp {file.size(), file.lastModified()};
    if (settings.status() != QSettings::NoError) {
        m_unreadable = std::move(stamp);
        return false;
    }
    return m_unreadable != stamp;
}

QString CSettingsStore::ReadSetting(const QString &name) const
{
    if (!exists())
        return QString(QLatin1String(""));
    const QSettings settings(m_filePath, QSettings::IniFormat);
    if (!readable(settings))
        return QString(QLatin1String(""));
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
    if (!readable(settings))
        return false; // a file that cannot be read is not replaced by what little of it was understood
    const QVariant previous = settings.value(name);
    settings.setValue(name, text);
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    // The file was not written, but the process's shared copy of it took the
    // value and would write it with the next setting that is saved: undo it.
    if (previous.isValid())
        settings.setValue(name, previous);
    else
        settings.remove(name);
    settings.sync();
    return false;
}

bool CSettingsStore::canWrite(const QString &text) const
{
    if (text.size() > kMaxValueLength)
        return false;
    const QFileInfo file(m_filePath);
    if (file.exists()
        && (!file.isFile() || !file.isWritable() || !readable(QSettings(m_filePath, QSettings::IniFormat))))
        return false;
    // The file is replaced by a new one written beside it, so its folder must
    // take new files; a missing folder is made inside the nearest one there is.
    QFileInfo folder(file.absolutePath());
    while (!folder.exists()) {
        const QFileInfo parent(folder.absolutePath());
        if (parent.absoluteFilePath() == folder.absoluteFilePath())
            return false;
        folder = parent;
    }
    return folder.isDir() && folder.isWritable();
}

bool CSettingsStore::loadMainSettings(CMainSettings &main)
{
    if (!exists()) {
        const CMainSettings defaults {m_defaultStorageDirectory, QLatin1String(kDefaultSitesCategory), true};
        main = defaults; // used for this run even when they cannot be saved
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
        return true;
    }

    const QSettings settings(m_filePath, QSettings::IniFormat);
    // A value that is not there takes its default, as at the first start; one
    // that is there must read.
    auto read = [&settings](const char *name, QString &into, const QString &fallback) {
        if (!settings.contains(QLatin1String(name))) {
            into = fallback;
            return true;
        }
        const QString text = storedText(settings, QLatin1String(name));
        if (text.isNull() || text.size() > kMaxValueLength)
            return false;
        into = text;
        return true;
    };
    QString directory;
    QString banner;
    const bool complete = readable(settings) && read(kSettingDefaultDirectory, directory, m_defaultStorageDirectory)
        && read(kSettingSitesCategory, main.sitesCategory, QLatin1String(kDefaultSitesCategory))
        && read(kSettingDisplayBanner, banner, QLatin1String(kBannerShown));
    if (complete)
        main.displayBanner = banner != QLatin1String(kBannerHidden);
    main.storageDirectory = storageDirectoryPath(directory);
    if (main.storageDirectory.isEmpty()) {
        main.storageDirectory = m_defaultStorageDirectory;
        return false;
    }
    return complete;
}
