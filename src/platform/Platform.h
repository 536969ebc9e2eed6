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

// The INI file that stands for the registry key (user scope, under $XDG_CONFIG_HOME).
QString settingsFilePath();

// Empty when a window can be shown; otherwise one line saying why not and what to do.
QString missingDisplayMessage(const QProcessEnvironment &environment);
