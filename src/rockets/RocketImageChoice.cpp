#include "rockets/RocketImageChoice.h"

#include "ui/FileChooser.h"
#include "ui/Prompter.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

QString chooseRocketImage(CUiServices ui, QWidget *parent, const QString &storageDirectory)
{
    const QString source =
        ui.files.openFile(parent, QStringLiteral("Open"), storageDirectory, QLatin1String(kRocketImageFilter));
    if (source.isEmpty() || !QFileInfo(source).isFile())
        return QString();
    const QString name = QFileInfo(source).fileName();
    const QString destination = storageDirectory + name;
    const bool exists = QFileInfo::exists(destination);
    if (exists && !ui.prompter.warningYesNo(parent, QStringLiteral("File Exists\nOverwrite?")))
        return QString();
    // A file chosen in the storage directory itself is not copied onto itself.
    if (QFileInfo(source).absoluteFilePath() != QFileInfo(destination).absoluteFilePath()) {
        // Copy beside the destination first, so a failed copy never costs the old file.
        const QString partial = destination + QStringLiteral(".part");
        QFile::remove(partial);
        // rename() replaces an older picture of that name in one step: at no
        // moment is there no picture under that name.
        const bool copied = QFile::copy(source, partial)
            && std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(destination).constData()) == 0;
        if (!copied) {
            QFile::remove(partial);
            ui.prompter.error(parent, QStringLiteral("The picture could not be copied to ") + destination);
            return QString();
        }
    }
    return name;
}
