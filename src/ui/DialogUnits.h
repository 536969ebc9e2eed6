#pragma once

#include <QRect>

// Screens laid out in the dialog units of the handheld templates: this turns a
// rectangle in those units into pixels of the 240 x 320 window.
inline QRect dialogUnitRect(int x, int y, int width, int height)
{
    return QRect(x * 3 / 2, y * 8 / 5, width * 3 / 2, height * 8 / 5);
}
