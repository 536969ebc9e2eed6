#pragma once

#include <QString>

class QWidget;

enum class PromptIcon { None, Information, Exclamation, Error };
// YesNoDefaultNo: a question whose safe answer is No, so that Enter does not
// confirm it by accident.
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoDefaultNo };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// Every message box of the program goes through a prompter, so that tests can
// answer in advance and read what was shown.
class CPrompter
{
public:
    // Shown as the caption of a message that has none of its own.
    static constexpr char kApplicationCaption[] = "Tarvel.htp";

    virtual ~CPrompter() = default;

    virtual PromptAnswer prompt(QWidget *parent, const QString &caption, const QString &text, PromptIcon icon,
                                PromptButtons buttons) = 0;

    // "Error" with an exclamation icon, for refused input and failed operations.
    void error(QWidget *parent, const QString &text);
    // "Warning" with an exclamation icon; true when the user answers Yes.
    bool warningYesNo(QWidget *parent, const QString &text);
    // The same question with No as the default button.
    bool warningYesNoDefaultNo(QWidget *parent, const QString &text);
    // "Info", "Success", "Complete" ...: a notice with an OK button.
    void notice(QWidget *parent, const QString &caption, const QString &text);
    // "Fatal Error" with an error icon.
    void fatal(QWidget *parent, const QString &text);
};
