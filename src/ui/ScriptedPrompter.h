#pragma once

#include "ui/Prompter.h"

#include <QList>

// A prompter that shows nothing: it records every message and answers from a
// script given in advance. Tests and the screenshot tool use it in place of
// message boxes.
class CScriptedPrompter : public CPrompter
{
public:
    struct Shown
    {
        QString caption;
        QString text;
        PromptIcon icon;
        PromptButtons buttons;
    };

    // Answers for the next questions, in order. When the script runs out, OK
    // questions get Ok and Yes/No questions get the fallback answer.
    void script(std::initializer_list<PromptAnswer> answers) { m_script.append(answers); }
    void setFallback(PromptAnswer answer) { m_fallback = answer; }

    const QList<Shown> &shown() const { return m_shown; }
    int unusedAnswers() const { return int(m_script.size()); }
    void clear() { m_shown.clear(); }

    PromptAnswer prompt(QWidget *parent, const QString &caption, const QString &text, PromptIcon icon,
                        PromptButtons buttons) override;

private:
    QList<PromptAnswer> m_script;
    QList<Shown> m_shown;
    PromptAnswer m_fallback = PromptAnswer::No;
};
