#include "ui/Prompter.h"

void CPrompter::error(QWidget *parent, const QString &text)
{
    prompt(parent, QStringLiteral("Error"), text, PromptIcon::Exclamation, PromptButtons::Ok);
}

bool CPrompter::warningYesNo(QWidget *parent, const QString &text)
{
    return prompt(parent, QStringLiteral("Warning"), text, PromptIcon::Exclamation, PromptButtons::YesNo)
        == PromptAnswer::Yes;
}

bool CPrompter::warningYesNoDefaultNo(QWidget *parent, const QString &text)
{
    return prompt(parent, QStringLiteral("Warning"), text, PromptIcon::Exclamation, PromptButtons::YesNoDefaultNo)
        == PromptAnswer::Yes;
}

void CPrompter::notice(QWidget *parent, const QString &caption, const QString &text)
{
    prompt(parent, caption, text, PromptIcon::None, PromptButtons::Ok);
}

void CPrompter::fatal(QWidget *parent, const QString &text)
{
    prompt(parent, QStringLiteral("Fatal Error"), text, PromptIcon::Error, PromptButtons::Ok);
}
