#include "ui/MessageBoxPrompter.h"

#include <QMessageBox>

PromptAnswer CMessageBoxPrompter::prompt(QWidget *parent, const QString &caption, const QString &text, PromptIcon icon,
                                         PromptButtons buttons)
{
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    switch (icon) {
    case PromptIcon::None:
        break;
    case PromptIcon::Information:
        boxIcon = QMessageBox::Information;
        break;
    case PromptIcon::Exclamation:
        boxIcon = QMessageBox::Warning;
        break;
    case PromptIcon::Error:
        boxIcon = QMessageBox::Critical;
        break;
    }
    QMessageBox::StandardButtons standard = QMessageBox::Ok;
    if (buttons == PromptButtons::OkCancel)
        standard = QMessageBox::Ok | QMessageBox::Cancel;
    else if (buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoDefaultNo)
        standard = QMessageBox::Yes | QMessageBox::No;

    QMessageBox box(boxIcon, caption.isEmpty() ? QLatin1String(kApplicationCaption) : caption, text, standard, parent);
    if (buttons == PromptButtons::YesNoDefaultNo)
        box.setDefaultButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    case QMessageBox::Cancel:
        return PromptAnswer::Cancel;
    default:
        return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoDefaultNo ? PromptAnswer::No
                                                                                           : PromptAnswer::Ok;
    }
}
