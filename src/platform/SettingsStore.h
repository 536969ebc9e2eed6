#pragma once

#include <QString>

// The names of the stored settings.
inline constexpr char kSettingDefaultDirectory[] = "Default Directory";
inline constexpr char kSettingSitesCategory[] = "Sites Category";
inline constexpr char kSettingDisplayBanner[] = "Display Banner";
inline constexpr char kSettingDefaultChecklist[] = "Default Checklist";
inline constexpr char kSettingFailureChecklist[] = "Failure Checklist";
inline constexpr char kSettingDefaultStatus[] = "Default Status";
inline constexpr char kSettingDefaultModelMfgs[] = "Default Model MFGs";
inline constexpr char kSettingDefaultModelTypes[] = "Default Model Types";

// The three settings the main window keeps while it runs.
struct CMainSettings
{
    QString storageDirectory;
    QString sitesCategory;
    bool displayBanner = true;
};

// Named text values in one settings file, each at most 199 characters. Every
// operation opens and closes the file itself; nothing stays open in between.
class CSettingsStore
{
public:
    static constexpr int kMaxValueLength = 199;

    // The user's settings file.
    CSettingsStore();
    // A settings file at a given path (tests, tools).
    explicit CSettingsStore(const QString &filePath);

    QString fileName() const { return m_filePath; }
    // The storage directory written at first start.
    QString defaultStorageDirectory() const { return m_defaultStorageDirectory; }
    void setDefaultStorageDirectory(const QString &directory) { m_defaultStorageDirectory = directory; }

    // Empty text when the file or the value does not exist or is too long.
    QString ReadSetting(const QString &name) const;
    // Stores nothing and returns false for a text longer than 199 characters.
    bool WriteSetting(const QString &name, const QString &text);

    // The main window's load. At first start (no settings file yet) the five
    // defaults are written and take effect at once; otherwise the three values
    // are read in order and the first that fails stops the load.
    bool loadMainSettings(CMainSettings &settings);

private:
    bool exists() const;

    QString m_filePath;
    QString m_defaultStorageDirectory;
};
