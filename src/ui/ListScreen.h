#pragma once

#include <QDialog>

class CCommandBar;
class QLayout;

// The shell of the screens that list what the logbook holds and act on it (the
// flights, the saved queries and their builder, the motor filter): the title,
// and the object name tests and screenshots find the screen by; the content in
// a column inset from the window's edges; the command bar along the bottom
// edge, where the handheld had it; the window sized for the form it is shown
// on, with controls a finger can work on a phone.
class CListScreen : public QDialog
{
    Q_OBJECT

public:
    // Null on a screen whose buttons sit in its content.
    CCommandBar *commandBar() const { return m_commandBar; }

protected:
    CListScreen(const QString &title, const QString &objectName, QWidget *parent);

    // The command bar under the content, made by the first call.
    CCommandBar *addCommandBar();
    // Lays the content out above the command bar and sizes the window: the
    // last step of the screen's constructor.
    void setContent(QLayout *content);

private:
    CCommandBar *m_commandBar = nullptr;
};
