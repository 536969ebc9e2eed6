#pragma once

#include <QString>

// Moves one file, never over an existing one. Within a file system this is a
// rename; across file systems the file is copied, flushed to disk, and only
// then removed from its old place, so that a failure at any point leaves the
// original where it was. A file moved onto itself counts as moved.
[[nodiscard]] bool moveFile(const QString &from, const QString &to);
