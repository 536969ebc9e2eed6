#pragma once

#include <QRect>
#include <QString>

#include <array>

class QScreen;
class QWidget;

// The three screens every screen is checked and photographed on: a desktop
// monitor, the handheld's 240x320 window and a 720x1440 phone at scale 2.
// Tests and tarvel-shots start the offscreen platform with all three side by
// side (the desktop is the primary screen) and show a window on each in turn.
enum class ReferenceScreen {
    Desktop,
    Compact,
    Phone,
};

struct CReferenceScreenInfo
{
    ReferenceScreen screen;
    // Ends screenshot names ("main-window-phone") and names the platform screen.
    const char *suffix;
    // Logical pixels, in the virtual desktop.
    QRect geometry;
    int scale;
};

const std::array<CReferenceScreenInfo, 3> &referenceScreens();
const CReferenceScreenInfo &referenceScreenInfo(ReferenceScreen screen);

// Call before the application object exists. Writes the offscreen platform's
// screen configuration into `directory` and selects it, when the platform is
// the offscreen one or none was chosen; false (and nothing changed) otherwise.
[[nodiscard]] bool selectOffscreenReferenceScreens(const QString &directory);

// The platform screen standing for a reference screen; null when the program
// was not started with them.
QScreen *referenceScreen(ReferenceScreen screen);

// Shows the window on a reference screen, placed by its form factor, and waits
// until the platform has given it its final geometry; false when the screen is
// missing or the window did not appear on it.
[[nodiscard]] bool showOnReferenceScreen(QWidget *window, ReferenceScreen screen);
