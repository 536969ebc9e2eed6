#include "rockets/RocketImageChoice.h"

#include "db/Schema.h"
#include "ui/FileChooser.h"
#include "ui/Prompter.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

QString chooseRocketImage(CUiServices ui, QWidget *parent, const QString &storageDirectory,
                          const QStringList &ownPictures)
{
    const QString source =
        ui.files.openFile(parent, QStringLiteral("Open"), storageDirectory, QLatin1String(kRocketImageFilter));
    return takeRocketImage(ui, parent, source, storageDirectory, ownPictures);
}

QString takeRocketImage(CUiServices ui, QWidget *parent, const QString &source, const QString &storageDirectory,
                        const QStringList &ownPictures)
{
    if (source.isEmpty() || !QFileInfo(source).isFile())
        return QString();
    const QString name = QFileInfo(source).fileName();
    const QString destination = storageDirectory + name;
    const bool sameFile = QFileInfo(source).absoluteFilePath() == QFileInfo(destination).absoluteFilePath();
    // The storage directory also holds the logbook, the sounds and other
    // rockets' pictures: only this rocket's own picture may be replaced.
    const bool isLogbook = name.compare(QLatin1String(kDatabaseFileName), Qt::CaseInsensitive) == 0;
    if (isLogbook || (!sameFile && QFileInfo::exists(destination) && !ownPictures.contains(name))) {
        ui.prompter.error(parent,
                          QStringLiteral("The storage directory already holds a file named %1 that is not "
                                         "this rocket's picture.\nRename the picture and choose it again.")
                              .arg(name));
        return QString();
    }
    if (QFileInfo::exists(destination)
        && !ui.prompter.warningYesNo(parent, QStringLiteral("File Exists\n%1\nOverwrite?").arg(name)))
        return QString();
    // A file chosen in the storage directory itself is not copied onto itself.
    if (!sameFile) {
        // Copy beside the destination first, under a fresh name, so a failed
        // copy never costs the old file nor touches any other.
        QFile in(source);
        QTemporaryFile partial(storageDirectory + QStringLiteral("picture-XXXXXX.part"));
        // rename() replaces an older picture of that name in one step: at no
        // moment is there no picture under that name.
        const bool copied = in.open(QIODevice::ReadOnly) && partial.open() && partial.write(in.readAll()) == in.size()
            && partial.flush()
            && std::rename(QFile::encodeName(partial.fileName()).constData(),
                           QFile::encodeName(destination).constData())
                == 0;
        if (!copied) {
            ui.prompter.error(parent, QStringLiteral("The picture could not be copied to ") + destination);
            return QString();
        }
        partial.setAutoRemove(false);
    }
    return name;
}
