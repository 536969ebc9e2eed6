#pragma once

#include "ui/FileChooser.h"

#include <QList>
#include <QStringList>

// A file chooser that shows nothing: it answers from paths given in advance
// (an empty path stands for Cancel) and records what was asked.
class CScriptedFileChooser : public CFileChooser
{
public:
    struct Request
    {
        bool save;
        QString caption;
        QString directory;
        QString filter;
    };

    void script(const QStringList &paths) { m_answers.append(paths); }
    const QList<Request> &requests() const { return m_requests; }

    QString openFile(QWidget *parent, const QString &caption, const QString &directory, const QString &filter) override;
    QString saveFile(QWidget *parent, const QString &caption, const QString &directory, const QString &filter) override;

private:
    QString answer(bool save, const QString &caption, const QString &directory, const QString &filter);

    QStringList m_answers;
    QList<Request> m_requests;
};
