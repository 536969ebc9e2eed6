#pragma once

class QWidget;

// A finger needs a larger target than the handheld's stylus: about 9 mm, in
// logical pixels at the 96 dpi base.
inline constexpr int kMinimumTouchSize = 34;

// Whether a window is worked by a finger: the compact form on a screen with
// more room than the handheld's own 240x320 window (a phone). The handheld
// keeps its stylus-sized controls.
bool isTouchForm(const QWidget *window);

// Keeps every button, check box, input and drop-down of the window at least
// kMinimumTouchSize high (and buttons as wide) whenever the window is shown in
// the touch form, and gives them back their own minimum sizes elsewhere. One
// call, in the constructor, after the layout is built.
void keepTouchTargets(QWidget *window);
