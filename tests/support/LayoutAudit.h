#pragma once

#include "offscreen/ReferenceScreens.h"

#include <QStringList>

class QWidget;

// Checks a shown top-level window the way a flyer would look at it, and
// returns one readable line per fault (empty when the screen is sound):
// - a visible widget that lies outside the window, even partly;
// - two visible interactive widgets (buttons, inputs, lists, tab bars) that overlap;
// - a tab of a tab bar that is not wholly inside its bar and the window;
// - with checkElision, text that does not fit: a label narrower or lower than
//   its text, a list cell narrower than its text, a drop-down entry or the
//   shown entry of a closed drop-down cut short.
// Widgets scrolled inside a scroll area are left to the scroll area.
QStringList auditLayout(QWidget *window, bool checkElision);

// What a desktop window that opened at its content's size must show whole:
// every column of each list in sight and wide enough for its heading, every
// title and tick label of each plot uncut, and every tab of a strip of tabs.
QStringList auditDesktopFit(QWidget *window);

// Shows the window on each reference screen in turn and audits it; texts are
// checked on the desktop and the phone, where there is room for them, and the
// desktop is checked with auditDesktopFit too. Each
// fault is prefixed with the screen's name. Skips (returns a note in
// `skipped`) when the reference screens are missing.
QStringList auditOnReferenceScreens(QWidget *window, QString *skipped = nullptr);
