#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Every open and save file dialog goes through a file chooser, so that tests
// can pick the file in advance.
class CFileChooser
{
public:
    virtual ~CFileChooser() = default;

    // The chosen path, or an empty text when the user cancels.
    virtual QString openFile(QWidget *parent, const QString &caption, const QString &directory,
                             const QString &filter) = 0;
    // The chosen existing files, in the order given; none when the user cancels.
    virtual QStringList openFiles(QWidget *parent, const QString &caption, const QString &directory,
                                  const QString &filter) = 0;
    virtual QString saveFile(QWidget *parent, const QString &caption, const QString &directory,
                             const QString &filter) = 0;
};
