#pragma once

#include <QDateTime>
#include <QString>

#include <optional>
#include <utility>

class QSettings;

// The names of the stored settings.
inline constexpr char kSettingDefaultDirectory[] = "Default Directory";
inline constexpr char kSettingSitesCategory[] = "Sites Category";
inline constexpr char kSettingDisplayBanner[] = "Display Banner";
inline constexpr char kSettingDefaultChecklist[] = "Default Checklist";
inline constexpr char kSettingFailureChecklist[] = "Failure Checklist";
inline constexpr char kSettingDefaultStatus[] = "Default Status";
inline constexpr char kSettingDefaultModelMfgs[] = "Default Model MFGs";
inline constexpr char kSettingDefaultModelTypes[] = "Default Model Types";
// "ft" or "m": the unit heights are shown in; feet when missing.
inline constexpr char kSettingAltitudeUnit[] = "Altitude Unit";
// "metric" or "imperial": the unit a rocket's weight, diameter and motor mount
// are read in when written as a bare number (g and mm, or oz and in); the
// locale's when missing.
inline constexpr char kSettingMeasureUnits[] = "Measure Units";

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

    // Empty text when the file or the value does not exist or is too long, or
    // the file cannot be read (which is then never written either). A list
    // typed by hand without quotes (Active,Retired,) reads as that text.
    QString ReadSetting(const QString &name) const;
    // Stores nothing and returns false for a text longer than 199 characters.
    [[nodiscard]] bool WriteSetting(const QString &name, const QString &text);
    // Whether WriteSetting would store this text: short enough, and the file
    // and its folder can be written. Asked before work that must not be done
    // unless the setting that records it can be saved.
    bool canWrite(const QString &text) const;

    // The main window's load. At first start (no settings file yet) the five
    // defaults are written and take effect at once; otherwise the three values
    // are read in order, one missing from the file taking its default (which
    // is not written), and the first that fails to read stops the load. The storage
    // directory comes back whole (see storageDirectoryPath); when it cannot be
    // read, or is empty or relative, it is the default one and the load fails,
    // so that no logbook is ever looked for in the working directory.
    [[nodiscard]] bool loadMainSettings(CMainSettings &settings);

private:
    bool exists() const;
    // Whether the file, as this settings object sees it, could be read whole.
    bool readable(const QSettings &settings) const;

    QString m_filePath;
    QString m_defaultStorageDirectory;
    // Size and time of the file as it was when it could not be read. Only the
    // first reader after a change is told of the error (the process shares one
    // parsed copy of the file), so the store remembers it until the file changes.
    mutable std::optional<std::pair<qint64, QDateTime>> m_unreadable;
};
