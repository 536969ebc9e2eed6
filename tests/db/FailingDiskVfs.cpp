#include "db/FailingDiskVfs.h"

#include <sqlite3.h>

#include <atomic>
#include <cstring>

namespace {

struct CShimFile
{
    sqlite3_file base;
    sqlite3_file *real; // allocated right after this struct
};

sqlite3_vfs *g_real = nullptr;
sqlite3_vfs g_shim;
std::atomic<qint64> g_budget {-1};
std::atomic<int> g_failed {0};

sqlite3_file *realOf(sqlite3_file *file)
{
    return reinterpret_cast<CShimFile *>(file)->real;
}

int shimClose(sqlite3_file *file)
{
    sqlite3_file *real = realOf(file);
    const int rc = real->pMethods ? real->pMethods->xClose(real) : SQLITE_OK;
    file->pMethods = nullptr;
    return rc;
}

int shimRead(sqlite3_file *file, void *buffer, int amount, sqlite3_int64 offset)
{
    return realOf(file)->pMethods->xRead(realOf(file), buffer, amount, offset);
}

int shimWrite(sqlite3_file *file, const void *buffer, int amount, sqlite3_int64 offset)
{
    qint64 budget = g_budget.load();
    while (budget >= 0) {
        if (budget < amount) {
            ++g_failed;
            return SQLITE_FULL;
        }
        if (g_budget.compare_exchange_weak(budget, budget - amount))
            break;
    }
    return realOf(file)->pMethods->xWrite(realOf(file), buffer, amount, offset);
}

int shimTruncate(sqlite3_file *file, sqlite3_int64 size)
{
    return realOf(file)->pMethods->xTruncate(realOf(file), size);
}
int shimSync(sqlite3_file *file, int flags)
{
    return realOf(file)->pMethods->xSync(realOf(file), flags);
}
int shimFileSize(sqlite3_file *file, sqlite3_int64 *size)
{
    return realOf(file)->pMethods->xFileSize(realOf(file), size);
}
int shimLock(sqlite3_file *file, int level)
{
    return realOf(file)->pMethods->xLock(realOf(file), level);
}
int shimUnlock(sqlite3_file *file, int level)
{
    return realOf(file)->pMethods->xUnlock(realOf(file), level);
}
int shimCheckReservedLock(sqlite3_file *file, int *out)
{
    return realOf(file)->pMethods->xCheckReservedLock(realOf(file), out);
}
int shimFileControl(sqlite3_file *file, int op, void *arg)
{
    return realOf(file)->pMethods->xFileControl(realOf(file), op, arg);
}
int shimSectorSize(sqlite3_file *file)
{
    return realOf(file)->pMethods->xSectorSize(realOf(file));
}
int shimDeviceCharacteristics(sqlite3_file *file)
{
    return realOf(file)->pMethods->xDeviceCharacteristics(realOf(file));
}

// Version 1 methods: no shared memory and no memory mapping, so every page
// SQLite stores passes through shimWrite.
const sqlite3_io_methods kShimMethods = [] {
    sqlite3_io_methods methods {};
    methods.iVersion = 1;
    methods.xClose = shimClose;
    methods.xRead = shimRead;
    methods.xWrite = shimWrite;
    methods.xTruncate = shimTruncate;
    methods.xSync = shimSync;
    methods.xFileSize = shimFileSize;
    methods.xLock = shimLock;
    methods.xUnlock = shimUnlock;
    methods.xCheckReservedLock = shimCheckReservedLock;
    methods.xFileControl = shimFileControl;
    methods.xSectorSize = shimSectorSize;
    methods.xDeviceCharacteristics = shimDeviceCharacteristics;
    return methods;
}();

int shimOpen(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *file, int flags, int *outFlags)
{
    auto *shim = reinterpret_cast<CShimFile *>(file);
    shim->real = reinterpret_cast<sqlite3_file *>(shim + 1);
    std::memset(shim->real, 0, size_t(g_real->szOsFile));
    const int rc = g_real->xOpen(g_real, name, shim->real, flags, outFlags);
    file->pMethods = rc == SQLITE_OK ? &kShimMethods : nullptr;
    return rc;
}

int shimDelete(sqlite3_vfs *, const char *name, int syncDir)
{
    return g_real->xDelete(g_real, name, syncDir);
}
int shimAccess(sqlite3_vfs *, const char *name, int flags, int *out)
{
    return g_real->xAccess(g_real, name, flags, out);
}
int shimFullPathname(sqlite3_vfs *, const char *name, int size, char *out)
{
    return g_real->xFullPathname(g_real, name, size, out);
}
int shimRandomness(sqlite3_vfs *, int size, char *out)
{
    return g_real->xRandomness(g_real, size, out);
}
int shimSleep(sqlite3_vfs *, int microseconds)
{
    return g_real->xSleep(g_real, microseconds);
}
int shimCurrentTime(sqlite3_vfs *, double *out)
{
    return g_real->xCurrentTime(g_real, out);
}
int shimGetLastError(sqlite3_vfs *, int size, char *out)
{
    return g_real->xGetLastError(g_real, size, out);
}

} // namespace

CFailingDiskVfs::CFailingDiskVfs()
{
    g_real = sqlite3_vfs_find(nullptr);
    if (!g_real)
        return;
    std::memset(&g_shim, 0, sizeof g_shim);
    g_shim.iVersion = 1;
    g_shim.szOsFile = int(sizeof(CShimFile)) + g_real->szOsFile;
    g_shim.mxPathname = g_real->mxPathname;
    g_shim.zName = "tarvel-failing-disk";
    g_shim.xOpen = shimOpen;
    g_shim.xDelete = shimDelete;
    g_shim.xAccess = shimAccess;
    g_shim.xFullPathname = shimFullPathname;
    g_shim.xRandomness = shimRandomness;
    g_shim.xSleep = shimSleep;
    g_shim.xCurrentTime = shimCurrentTime;
    g_shim.xGetLastError = shimGetLastError;
    g_budget = -1;
    g_failed = 0;
    if (sqlite3_vfs_register(&g_shim, 1) != SQLITE_OK)
        g_real = nullptr;
}

CFailingDiskVfs::~CFailingDiskVfs()
{
    if (g_real)
        sqlite3_vfs_unregister(&g_shim);
    g_real = nullptr;
}

bool CFailingDiskVfs::isInstalled() const
{
    return g_real != nullptr && sqlite3_vfs_find(nullptr) == &g_shim;
}

void CFailingDiskVfs::setBudget(qint64 bytes)
{
    g_budget = bytes;
}

int CFailingDiskVfs::failedWrites() const
{
    return g_failed;
}
