#pragma once

class QApplication;

// The font and style every screen is laid out for: small enough that the
// handheld layouts fit, large enough to read.
void applyHandheldAppearance(QApplication &application);
