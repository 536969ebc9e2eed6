#include "app/PromptStoreReporter.h"

#include "ui/Prompter.h"

#include <cstdlib>
#include <utility>

CPromptStoreReporter::CPromptStoreReporter(CPrompter &prompter, QWidget *parent, Exit exit)
    : m_prompter(prompter)
    , m_parent(parent)
    , m_exit(std::move(exit))
{ }

void CPromptStoreReporter::fatalError(const QString &text)
{
    m_prompter.fatal(m_parent, text);
    if (m_exit)
        m_exit(EXIT_FAILURE);
}

void CPromptStoreReporter::problem(const QString &caption, const QString &text)
{
    m_prompter.prompt(m_parent, caption, text,
                      caption == QLatin1String("Fatal Error") ? PromptIcon::Error : PromptIcon::Exclamation,
                      PromptButtons::Ok);
}
