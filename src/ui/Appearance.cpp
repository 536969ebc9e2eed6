#include "ui/Appearance.h"

#include <QApplication>
#include <QFont>

void applyHandheldAppearance(QApplication &application)
{
    QFont font = QApplication::font();
    font.setPixelSize(12);
    application.setFont(font);
}
