#pragma once

#include <QtGlobal>

// Makes every SQLite connection opened while it exists write through a file
// layer that runs out of room: once the byte budget is spent, each write fails
// as a full disk does. Installed as the default VFS for its lifetime, so the
// code under test opens its files as it always does.
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
};
