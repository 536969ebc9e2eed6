#include "ui/ScriptedFileChooser.h"

QString CScriptedFileChooser::openFile(QWidget *, const QString &caption, const QString &directory,
                                       const QString &filter)
{
    return answer(false, caption, directory, filter);
}

QString CScriptedFileChooser::saveFile(QWidget *, const QString &caption, const QString &directory,
                                       const QString &filter)
{
    return answer(true, caption, directory, filter);
}

QString CScriptedFileChooser::answer(bool save, const QString &caption, const QString &directory, const QString &filter)
{
    m_requests.append({save, caption, directory, filter});
    return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
}
