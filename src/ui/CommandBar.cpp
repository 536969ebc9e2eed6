#include "ui/CommandBar.h"

#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QSizePolicy>
#include <QToolButton>

namespace {
// The text as read and matched: the mnemonic marks removed, a doubled one kept as "&".
QString withoutMnemonic(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    return text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}
} // namespace

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
    const QString plain = withoutMnemonic(title);
    auto *menu = new QMenu(plain, this);
    menu->setAccessibleName(plain);
    auto *button = new QToolButton(this);
    button->setText(title);
    button->setAccessibleName(plain);
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    // The arrow would crowd a 240-pixel bar; the button opens its menu on a tap.
    button->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0px; }"));
    addWidget(button);
    return menu;
}

QAction *CCommandBar::addCommand(const QString &text)
{
    const QString plain = withoutMnemonic(text);
    QAction *action = addAction(plain);
    // The button shows the icon text, which keeps the mnemonic.
    action->setIconText(text);
    if (auto *button = qobject_cast<QToolButton *>(widgetForAction(action)))
        button->setAccessibleName(plain);
    return action;
}

void CCommandBar::addStretch()
{
    auto *spacer = new QWidget(this);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    addWidget(spacer);
}

void CCommandBar::addCommand(QAction *action)
{
    addAction(action);
    if (auto *button = qobject_cast<QToolButton *>(widgetForAction(action)))
        button->setAccessibleName(action->toolTip());
}

void CCommandBar::addEntries(const QList<CCommandEntry> &entries)
{
    QMap<QString, QMenu *> menus;
    bool stretched = false;
    for (const CCommandEntry &entry : entries) {
        if (entry.atEnd && !stretched) {
            addStretch();
            stretched = true;
        }
        if (entry.menu.isEmpty()) {
            if (entry.action)
                addCommand(entry.action);
            continue;
        }
        QMenu *&menu = menus[entry.menu];
        if (!menu)
            menu = addMenu(entry.menu);
        if (entry.action)
            menu->addAction(entry.action);
        else
            menu->addSeparator();
    }
}

QMenuBar *createMenuBar(const QList<CCommandEntry> &entries, QWidget *parent)
{
    auto *bar = new QMenuBar(parent);
    bar->setAccessibleName(QStringLiteral("Menu bar"));
    QMap<QString, QMenu *> menus;
    for (const CCommandEntry &entry : entries) {
        if (entry.menu.isEmpty()) {
            if (!entry.action)
                continue;
            // The bar shows an item's text, which must carry the mnemonic the
            // command bar's button shows.
            auto *item = new QAction(entry.action->iconText(), bar);
            item->setToolTip(entry.action->toolTip());
            QObject::connect(item, &QAction::triggered, entry.action, &QAction::trigger);
            bar->addAction(item);
            continue;
        }
        QMenu *&menu = menus[entry.menu];
        if (!menu) {
            menu = bar->addMenu(entry.menu);
            menu->setAccessibleName(withoutMnemonic(entry.menu));
        }
        if (entry.action)
            menu->addAction(entry.action);
        else
            menu->addSeparator();
    }
    return bar;
}
