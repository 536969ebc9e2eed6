#include "app/OptionsApply.h"

#include "app/StorageMove.h"
#include "db/Schema.h"
#include "platform/SettingsStore.h"
#include "ui/Prompter.h"

#include <QFileInfo>

namespace {

// Decides the new storage directory; empty when it stays as it is.
QString changeDirectory(const QString &chosen, const QString &old, CPrompter &prompter, QWidget *parent)
{
    QString target = stripTrailingSlashes(chosen);
    if (!QFileInfo(target).isDir()) {
        prompter.prompt(parent, QStringLiteral("Warning"),
                        QStringLiteral("The directory ") + target
                            + QStringLiteral(" does not exist\ndiscarding changes to default directory!"),
                        PromptIcon::Exclamation, PromptButtons::Ok);
        return {};
    }
    target += QLatin1Char('/');
    if (!prompter.warningYesNo(parent,
                               QStringLiteral("Changing the default directory will cause all files(except "
                                              ".exe) from the current directory to be moved to the new "
                                              "directory\nChange directory?")))
        return {}; // No leaves everything as it was: the logbook stays where the setting points

    const CStorageMoveResult moved = moveStorageFiles(old, target);
    if (!old.isEmpty() && !moved.listed)
        return {};
    // Switching to a folder without the logbook would end the next screen with
    // a fatal error: keep the old folder, where the logbook still is.
    const QString logbook = QLatin1String(kDatabaseFileName);
    if (moved.kept.contains(logbook) && !QFileInfo(databasePath(target)).isFile()) {
        prompter.prompt(parent, QStringLiteral("Warning"),
                        QStringLiteral("The logbook ") + logbook + QStringLiteral(" could not be moved to ") + target
                            + QStringLiteral("\nThe storage directory stays ") + old,
                        PromptIcon::Exclamation, PromptButtons::Ok);
        return {};
    }
    return target;
}

} // namespace

void applyOptions(const COptionsChoice &choice, CMainSettings &main, CSettingsStore &settings, CPrompter &prompter,
                  QWidget *parent)
{
    main.displayBanner = choice.displayBanner;
    settings.WriteSetting(QLatin1String(kSettingDisplayBanner),
                          choice.displayBanner ? QStringLiteral("YES") : QStringLiteral("NO"));
    main.sitesCategory = choice.sitesCategory;
    settings.WriteSetting(QLatin1String(kSettingSitesCategory), choice.sitesCategory);

    if (choice.storageDirectory == main.storageDirectory)
        return;
    const QString target = changeDirectory(choice.storageDirectory, main.storageDirectory, prompter, parent);
    if (target.isEmpty())
        return;
    main.storageDirectory = target;
    settings.WriteSetting(QLatin1String(kSettingDefaultDirectory), target);
}
