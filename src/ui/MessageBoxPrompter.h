#pragma once

#include "ui/Prompter.h"

// The program's prompter: real message boxes.
class CMessageBoxPrompter : public CPrompter
{
public:
    PromptAnswer prompt(QWidget *parent, const QString &caption, const QString &text, PromptIcon icon,
                        PromptButtons buttons) override;
};
