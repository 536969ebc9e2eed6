#pragma once

#include <QList>
#include <QToolBar>

class QMenu;
class QMenuBar;

// One entry of a window's commands, shown alike on its command bar and on its
// menu bar, so that both offer the same actions under the same names.
struct CCommandEntry
{
    // The menu the action goes in, with its "&" mnemonic ("&Data"); empty for
    // a command of its own, whose icon text carries its mnemonic ("&LAUNCH").
    QString menu;
    // Null for a separator in the menu.
    QAction *action = nullptr;
    // On the command bar, pushed to the right-hand end with what follows.
    bool atEnd = false;
};

// The bar of menus and command buttons along the bottom edge of a screen.
class CCommandBar : public QToolBar
{
    Q_OBJECT

public:
    explicit CCommandBar(QWidget *parent = nullptr);

    // A button that opens a menu; the button and the menu carry the title. An
    // "&" in the title marks the button's mnemonic ("&Data": Alt+D opens the
    // menu); the menu's title and the accessible names go without it.
    QMenu *addMenu(const QString &title);
    // A plain command button; an "&" in the text marks its mnemonic, and the
    // action's own text goes without it.
    QAction *addCommand(const QString &text);
    // A command button for an action made elsewhere; the action's icon text
    // (with its mnemonic) is the button's, its tooltip the button's name.
    void addCommand(QAction *action);
    // Pushes what follows to the right-hand end.
    void addStretch();
    // The entries in order: each menu once, at its first entry.
    void addEntries(const QList<CCommandEntry> &entries);
};

// A menu bar with the same entries: the same actions in the same menus, and
// each command as an item of the bar that triggers it.
QMenuBar *createMenuBar(const QList<CCommandEntry> &entries, QWidget *parent);
