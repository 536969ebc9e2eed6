#include "app/OptionsApply.h"

#include "app/StorageMove.h"
#include "db/LogbookFile.h"
#include "db/Schema.h"
#include "db/SqlStatement.h"
#include "platform/Platform.h"
#include "platform/SettingsStore.h"
#include "prediction/MeasureUnits.h"
#include "ui/Prompter.h"

#include <QFileInfo>

namespace {

constexpr char kDiscarding[] = "\ndiscarding changes to default directory!";

class CDirectoryChange
{
public:
    CDirectoryChange(const QString &old, CSettingsStore &settings, CPrompter &prompter, QWidget *parent)
        : m_old(old)
        , m_settings(settings)
        , m_prompter(prompter)
        , m_parent(parent)
    { }

    // The new storage directory once it is in use and saved; empty when the
    // old one stays, the flyer having been told why.
    QString change(const QString &chosen);

private:
    // The chosen folder, ending with "/", or empty after telling why it cannot be used.
    QString usableTarget(const QString &chosen);
    // Moves the files and saves the setting; puts the files back when either fails.
    bool moveAndSave(const QString &target);
    void moveBack(const QStringList &names, const QString &target, const QString &why);
    void warn(const QString &text)
    {
        m_prompter.prompt(m_parent, QStringLiteral("Warning"), text, PromptIcon::Exclamation, PromptButtons::Ok);
    }

    QString m_old;
    CSettingsStore &m_settings;
    CPrompter &m_prompter;
    QWidget *m_parent;
};

QString CDirectoryChange::usableTarget(const QString &chosen)
{
    QString target = stripTrailingSlashes(expandHomeFolder(chosen));
    if (!target.isEmpty() && QFileInfo(target).isRelative()) {
        // It would be looked up from whatever folder the program starts in next time.
        warn(QStringLiteral("The directory ") + chosen
             + QStringLiteral(" is not a full path: start it with / or with ~/ for your home folder")
             + QLatin1String(kDiscarding));
        return {};
    }
    if (!QFileInfo(target).isDir()) {
        warn(QStringLiteral("The directory ") + target + QStringLiteral(" does not exist")
             + QLatin1String(kDiscarding));
        return {};
    }
    target += QLatin1Char('/');
    if (target.size() > CSettingsStore::kMaxValueLength) {
        warn(QStringLiteral("The directory ") + target
             + QStringLiteral(" is longer than %1 characters").arg(CSettingsStore::kMaxValueLength)
             + QLatin1String(kDiscarding));
        return {};
    }
    if (!m_settings.canWrite(target)) {
        warn(QStringLiteral("The settings file ") + m_settings.fileName() + QStringLiteral(" cannot be written")
             + QLatin1String(kDiscarding));
        return {};
    }
    return target;
}

QString CDirectoryChange::change(const QString &chosen)
{
    const QString target = usableTarget(chosen);
    if (target.isEmpty())
        return {};

    const bool sameFolder = QFileInfo(target).canonicalFilePath() == QFileInfo(m_old).canonicalFilePath();
    if (!sameFolder && QFileInfo(databasePath(target)).isFile()) {
        // Moving would leave the flyer's logbook behind, unseen: switch to the
        // other logbook only if that is what the flyer wants, and move nothing.
        if (!m_prompter.warningYesNo(m_parent,
                                     target
                                         + QStringLiteral(" already holds a logbook. Use that logbook "
                                                          "(yours stays in ")
                                         + m_old + QStringLiteral(")?")))
            return {};
        if (!m_settings.WriteSetting(QLatin1String(kSettingDefaultDirectory), target)) {
            m_prompter.error(m_parent,
                             QStringLiteral("The storage directory could not be saved in ") + m_settings.fileName()
                                 + QStringLiteral("\nIt stays ") + m_old);
            return {};
        }
        return target;
    }

    if (!m_prompter.warningYesNo(m_parent,
                                 QStringLiteral("Changing the default directory will cause all files(except "
                                                ".exe) from the current directory to be moved to the new "
                                                "directory\nChange directory?")))
        return {}; // No leaves everything as it was: the logbook stays where the setting points
    return moveAndSave(target) ? target : QString();
}

bool CDirectoryChange::moveAndSave(const QString &target)
{
    // The logbook moves as one file, its log written back first; while
    // another program has it open it must not move at all.
    CSqlError settling;
    if (!m_old.isEmpty() && !settleLogbook(databasePath(m_old), settling) && settling.isBusy()) {
        warn(QStringLiteral("The logbook ") + databasePath(m_old)
             + QStringLiteral(" is open in another program: close that program, then change the directory again")
             + QLatin1String(kDiscarding));
        return false;
    }
    const CStorageMoveResult moved = moveStorageFiles(m_old, target);
    if (!m_old.isEmpty() && !moved.listed)
        return false;
    // Switching to a folder without the logbook would end the next screen with
    // a fatal error: keep the old folder, with everything that was in it.
    const QString logbook = QLatin1String(kDatabaseFileName);
    if (moved.kept.contains(logbook) && !QFileInfo(databasePath(target)).isFile()) {
        moveBack(moved.moved, target,
                 QStringLiteral("The logbook ") + logbook + QStringLiteral(" could not be moved to ") + target);
        return false;
    }
    if (!m_settings.WriteSetting(QLatin1String(kSettingDefaultDirectory), target)) {
        moveBack(moved.moved, target,
                 QStringLiteral("The storage directory could not be saved in ") + m_settings.fileName());
        return false;
    }
    return true;
}

void CDirectoryChange::moveBack(const QStringList &names, const QString &target, const QString &why)
{
    const CStorageMoveResult back = moveNamedFiles(names, target, m_old);
    QString text = why + QStringLiteral("\nThe storage directory stays ") + m_old;
    if (!back.kept.isEmpty())
        text += QStringLiteral("\nThese files could not be moved back and are in ") + target + QStringLiteral(": ")
            + back.kept.join(QStringLiteral(", "));
    warn(text);
}

// Writes a setting the flyer changed; says so when it cannot be saved.
void save(CSettingsStore &settings, const char *name, const QString &text, CPrompter &prompter, QWidget *parent)
{
    if (!settings.WriteSetting(QLatin1String(name), text))
        prompter.error(parent,
                       QStringLiteral("The setting ") + QLatin1String(name) + QStringLiteral(" could not be saved in ")
                           + settings.fileName());
}

} // namespace

void applyOptions(const COptionsChoice &choice, CMainSettings &main, CSettingsStore &settings, CPrompter &prompter,
                  QWidget *parent)
{
    // Only what changed is written: a value typed into the settings file by
    // hand is never rewritten behind the flyer's back.
    if (choice.displayBanner != main.displayBanner) {
        main.displayBanner = choice.displayBanner;
        save(settings, kSettingDisplayBanner, choice.displayBanner ? QStringLiteral("YES") : QStringLiteral("NO"),
             prompter, parent);
    }
    if (choice.sitesCategory != main.sitesCategory) {
        main.sitesCategory = choice.sitesCategory;
        save(settings, kSettingSitesCategory, choice.sitesCategory, prompter, parent);
    }
    if (choice.heightUnit != heightUnitFromSetting(settings.ReadSetting(QLatin1String(kSettingAltitudeUnit))))
        save(settings, kSettingAltitudeUnit, heightUnitSetting(choice.heightUnit), prompter, parent);
    // Unchanged, the locale's choice stays unwritten and follows the locale.
    if (choice.unitSystem != readUnitSystem(settings))
        save(settings, kSettingMeasureUnits, unitSystemSetting(choice.unitSystem), prompter, parent);

    if (choice.storageDirectory == main.storageDirectory)
        return;
    const QString target =
        CDirectoryChange(main.storageDirectory, settings, prompter, parent).change(choice.storageDirectory);
    if (!target.isEmpty())
        main.storageDirectory = target;
}
