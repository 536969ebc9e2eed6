#include "ui/ScriptedPrompter.h"

PromptAnswer CScriptedPrompter::prompt(QWidget *, const QString &caption, const QString &text, PromptIcon icon,
                                       PromptButtons buttons)
{
    m_shown.append({caption.isEmpty() ? QLatin1String(kApplicationCaption) : caption, text, icon, buttons});
    if (!m_script.isEmpty())
        return m_script.takeFirst();
    if (buttons == PromptButtons::Ok)
        return PromptAnswer::Ok;
    return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoDefaultNo
        ? m_fallback
        : (m_fallback == PromptAnswer::Yes ? PromptAnswer::Ok : PromptAnswer::Cancel);
}
