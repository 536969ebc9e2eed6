#include "ui/ScriptedFileChooser.h"

void CScriptedFileChooser::script(const QStringList &paths)
{
    for (const QString &path : paths)
        m_answers.append(path.isEmpty() ? QStringList() : QStringList {path});
}

QString CScriptedFileChooser::openFile(QWidget *, const QString &caption, const QString &directory,
                                       const QString &filter)
{
    const QStringList paths = answer(false, caption, directory, filter);
    return paths.isEmpty() ? QString() : paths.first();
}

QStringList CScriptedFileChooser::openFiles(QWidget *, const QString &caption, const QString &directory,
                                            const QString &filter)
{
    return answer(false, caption, directory, filter);
}

QString CScriptedFileChooser::saveFile(QWidget *, const QString &caption, const QString &directory,
                                       const QString &filter)
{
    const QStringList paths = answer(true, caption, directory, filter);
    return paths.isEmpty() ? QString() : paths.first();
}

QStringList CScriptedFileChooser::answer(bool save, const QString &caption, const QString &directory,
                                         const QString &filter)
{
    m_requests.append({save, caption, directory, filter});
    return m_answers.isEmpty() ? QStringList() : m_answers.takeFirst();
}
