#include "ui/DialogFileChooser.h"

#include <QFileDialog>

QString CDialogFileChooser::openFile(QWidget *parent, const QString &caption, const QString &directory,
                                     const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, directory, filter);
}

QStringList CDialogFileChooser::openFiles(QWidget *parent, const QString &caption, const QString &directory,
                                          const QString &filter)
{
    return QFileDialog::getOpenFileNames(parent, caption, directory, filter);
}

QString CDialogFileChooser::saveFile(QWidget *parent, const QString &caption, const QString &directory,
                                     const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, directory, filter);
}
