#pragma once

#include "ui/UiServices.h"

#include <QString>

class QWidget;

// The file filter of the picture chooser.
inline constexpr char kRocketImageFilter[] = "Image Files (*.bmp *.jpg *.jpeg *.gif *.png);;All Files (*)";

// Lets the user choose a picture file and copies it into the storage directory
// (asking before it replaces a file there). Returns the file name to store, or
// a null text when nothing changes: cancelled, overwrite refused, or the copy
// failed (the user has been told in an "Error" box).
QString chooseRocketImage(CUiServices ui, QWidget *parent, const QString &storageDirectory);
