#pragma once

#include <QProcessEnvironment>
#include <QString>

// Where this desktop build keeps what the handheld kept in its registry and its
// program folder.

// Organisation "Zendrak", application "Tarvel": names the settings file and the
// per-user data folder. Call before anything asks for either.
void setApplicationIdentity();

// The per-user application data folder, ending with "/".
QString defaultStorageDirectory();

// A folder path as the flyer typed it, with "~" or "~/" at the start standing
// for the home folder; any other text comes back as it is.
QString expandHomeFolder(const QString &path);

// The storage directory a typed or stored path names: the home folder expanded
// and the final "/" added, as file names are appended to it directly. Empty for
// an empty or relative path, which would follow whatever folder the program
// happens to start in.
QString storageDirectoryPath(const QString &path);

// The INI file that stands for the registry key (user scope, under $XDG_CONFIG_HOME).
QString settingsFilePath();

// Empty when a window can be shown; otherwise one line saying why not and what to do.
QString missingDisplayMessage(const QProcessEnvironment &environment);
