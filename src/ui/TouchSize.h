#pragma once

class QWidget;

// The least size a control is given where it is worked with a finger: on a
// phone, a compact screen larger than the handheld's stylus-driven window.
// In logical pixels, about 7 mm at a phone's density.
inline constexpr int kMinimumTouchSize = 44;

// kMinimumTouchSize on the phone form, 0 (the style's own sizes) elsewhere.
int minimumTouchSize(const QWidget *window);

// Makes every button, input and drop-down of the window at least the minimum
// touch size whenever the window is shown on a phone, and gives them back their
// own minimum elsewhere. Call once, beside applyFormFactor.
void applyTouchSizes(QWidget *window);
