#pragma once

#include "ui/FileChooser.h"

// The program's file chooser: the platform's file dialogs.
class CDialogFileChooser : public CFileChooser
{
public:
    QString openFile(QWidget *parent, const QString &caption, const QString &directory, const QString &filter) override;
    QStringList openFiles(QWidget *parent, const QString &caption, const QString &directory,
                          const QString &filter) override;
    QString saveFile(QWidget *parent, const QString &caption, const QString &directory, const QString &filter) override;
};
