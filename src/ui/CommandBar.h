#pragma once

#include <QToolBar>

class QMenu;

// The bar of menus and command buttons along the bottom edge of a screen.
class CCommandBar : public QToolBar
{
    Q_OBJECT

public:
    explicit CCommandBar(QWidget *parent = nullptr);

    // A button that opens a menu; the button and the menu carry the title.
    QMenu *addMenu(const QString &title);
    // A plain command button.
    QAction *addCommand(const QString &text);
    // Pushes what follows to the right-hand end.
    void addStretch();
};
