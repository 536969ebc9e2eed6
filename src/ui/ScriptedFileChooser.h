#pragma once

#include "ui/FileChooser.h"

#include <QList>
#include <QStringList>

// A file chooser that shows nothing: it answers from paths given in advance
// (an empty path or an empty list stands for Cancel) and records what was asked.
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

    // One answer per path, each to a single-file question.
    void script(const QStringList &paths);
    // One answer of several files, to a question that accepts several.
    void scriptFiles(const QStringList &paths) { m_answers.append(paths); }
    const QList<Request> &requests() const { return m_requests; }

    QString openFile(QWidget *parent, const QString &caption, const QString &directory, const QString &filter) override;
    QStringList openFiles(QWidget *parent, const QString &caption, const QString &directory,
                          const QString &filter) override;
    QString saveFile(QWidget *parent, const QString &caption, const QString &directory, const QString &filter) override;

private:
    QStringList answer(bool save, const QString &caption, const QString &directory, const QString &filter);

    QList<QStringList> m_answers;
    QList<Request> m_requests;
};
