#include "ui/CommandBar.h"

#include <QMenu>
#include <QSizePolicy>
#include <QToolButton>

CCommandBar::CCommandBar(QWidget *parent)
    : QToolBar(parent)
{
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setAccessibleName(QStringLiteral("Command bar"));
    // Set apart from the screen above it, like the handheld's bar along the bottom edge.
    setStyleSheet(QStringLiteral("CCommandBar { border-top: 1px solid palette(mid); spacing: 2px; }"));
}

QMenu *CCommandBar::addMenu(const QString &title)
{
    auto *menu = new QMenu(title, this);
    menu->setAccessibleName(title);
    auto *button = new QToolButton(this);
    button->setText(title);
    button->setAccessibleName(title);
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    // The arrow would crowd a 240-pixel bar; the button opens its menu on a tap.
    button->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0px; }"));
    addWidget(button);
    return menu;
}

QAction *CCommandBar::addCommand(const QString &text)
{
    QAction *action = addAction(text);
    if (auto *button = qobject_cast<QToolButton *>(widgetForAction(action)))
        button->setAccessibleName(text);
    return action;
}

void CCommandBar::addStretch()
{
    auto *spacer = new QWidget(this);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    addWidget(spacer);
}
