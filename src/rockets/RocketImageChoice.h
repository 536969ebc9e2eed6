#pragma once

#include "ui/UiServices.h"

#include <QString>
#include <QStringList>

class QWidget;

// The file filter of the picture chooser.
inline constexpr char kRocketImageFilter[] = "Image Files (*.bmp *.jpg *.jpeg *.gif *.png);;All Files (*)";

// Lets the user choose a picture file and copies it into the storage directory.
// Only a file named in ownPictures (the rocket's own pictures) may be replaced,
// after a question; any other file of that name, and the logbook, are refused
// with an "Error". Returns the file name to store, or a null text when nothing
// changes: cancelled, refused, or the copy failed (the user has been told).
QString chooseRocketImage(CUiServices ui, QWidget *parent, const QString &storageDirectory,
                          const QStringList &ownPictures);

// The same for a picture file the user already named (dropped on the page):
// the same checks and the same copy.
QString takeRocketImage(CUiServices ui, QWidget *parent, const QString &source, const QString &storageDirectory,
                        const QStringList &ownPictures);
