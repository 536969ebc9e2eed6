#pragma once

#include <QtGlobal>

// Makes every SQLite connection opened while it exists write through a file
// layer that runs out of room: once the byte budget is spent, each write fails
// as a full disk does. It can also refuse as the file system does what a user
// may not write (which does not stop the superuser the tests may run as): a
// logbook file opened for reading only, or a folder that takes no journal.
// Installed as the default VFS for its lifetime, so the code under test opens
// its files as it always does.
class CFailingDiskVfs
{
public:
    CFailingDiskVfs();
    ~CFailingDiskVfs();

    CFailingDiskVfs(const CFailingDiskVfs &) = delete;
    CFailingDiskVfs &operator=(const CFailingDiskVfs &) = delete;

    bool isInstalled() const;
    // Bytes that may still be written; negative for no limit (the start).
    void setBudget(qint64 bytes);
    int failedWrites() const;

    enum class Refusal { None, ReadOnlyFile, ReadOnlyFolder };
    // For files opened from now on.
    void setRefusal(Refusal refusal);
};
