#pragma once

#include <QToolBar>

class QMenu;

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
    // Pushes what follows to the right-hand end.
    void addStretch();
};
