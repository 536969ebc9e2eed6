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
std::atomic<CFailingDiskVfs::Refusal> g_refusal {CFailingDiskVfs::Refusal::None};

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

// Every other file method passes straight to the real file.
template<auto Method, typename... Args> int forward(sqlite3_file *file, Args... args)
{
    return (realOf(file)->pMethods->*Method)(realOf(file), args...);
}

// Version 2 methods: shared memory, so that the logbook keeps its write-ahead
// log as it does on a real disk, but no memory mapping, so that every page
// SQLite stores, to the log or to the file, passes through shimWrite.
const sqlite3_io_methods kShimMethods = [] {
    sqlite3_io_methods methods {};
    methods.iVersion = 2;
    methods.xClose = shimClose;
    methods.xRead = shimRead;
    methods.xWrite = shimWrite;
    methods.xTruncate = forward<&sqlite3_io_methods::xTruncate>;
    methods.xSync = forward<&sqlite3_io_methods::xSync>;
    methods.xFileSize = forward<&sqlite3_io_methods::xFileSize>;
    methods.xLock = forward<&sqlite3_io_methods::xLock>;
    methods.xUnlock = forward<&sqlite3_io_methods::xUnlock>;
    methods.xCheckReservedLock = forward<&sqlite3_io_methods::xCheckReservedLock>;
    methods.xFileControl = forward<&sqlite3_io_methods::xFileControl>;
    methods.xSectorSize = forward<&sqlite3_io_methods::xSectorSize>;
    methods.xDeviceCharacteristics = forward<&sqlite3_io_methods::xDeviceCharacteristics>;
    methods.xShmMap = forward<&sqlite3_io_methods::xShmMap>;
    methods.xShmLock = forward<&sqlite3_io_methods::xShmLock>;
    methods.xShmUnmap = forward<&sqlite3_io_methods::xShmUnmap>;
    methods.xShmBarrier = [](sqlite3_file *file) { realOf(file)->pMethods->xShmBarrier(realOf(file)); };
    return methods;
}();

int shimOpen(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *file, int flags, int *outFlags)
{
    auto *shim = reinterpret_cast<CShimFile *>(file);
    shim->real = reinterpret_cast<sqlite3_file *>(shim + 1);
    std::memset(shim->real, 0, size_t(g_real->szOsFile));
    file->pMethods = nullptr;
    // As the unix file layer answers when the user may not write there.
    if (g_refusal == CFailingDiskVfs::Refusal::ReadOnlyFolder
        && (flags & (SQLITE_OPEN_MAIN_JOURNAL | SQLITE_OPEN_WAL)) != 0)
        return SQLITE_READONLY_DIRECTORY;
    if (g_refusal == CFailingDiskVfs::Refusal::ReadOnlyFile && (flags & SQLITE_OPEN_MAIN_DB) != 0)
        flags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
    const int rc = g_real->xOpen(g_real, name, shim->real, flags, outFlags);
    file->pMethods = rc == SQLITE_OK ? &kShimMethods : nullptr;
    return rc;
}

// And every file-system method other than opening passes to the real file system.
template<auto Method, typename... Args> int forwardVfs(sqlite3_vfs *, Args... args)
{
    return (g_real->*Method)(g_real, args...);
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
    g_shim.xDelete = forwardVfs<&sqlite3_vfs::xDelete>;
    g_shim.xAccess = forwardVfs<&sqlite3_vfs::xAccess>;
    g_shim.xFullPathname = forwardVfs<&sqlite3_vfs::xFullPathname>;
    g_shim.xRandomness = forwardVfs<&sqlite3_vfs::xRandomness>;
    g_shim.xSleep = forwardVfs<&sqlite3_vfs::xSleep>;
    g_shim.xCurrentTime = forwardVfs<&sqlite3_vfs::xCurrentTime>;
    g_shim.xGetLastError = forwardVfs<&sqlite3_vfs::xGetLastError>;
    g_budget = -1;
    g_failed = 0;
    g_refusal = Refusal::None;
    if (sqlite3_vfs_register(&g_shim, 1) != SQLITE_OK)
        g_real = nullptr;
}

// A connection opened through the layer may outlive it (a test's store
// closing after it): g_real stays, so that its files still reach the real
// file system.
CFailingDiskVfs::~CFailingDiskVfs()
{
    if (isInstalled())
        sqlite3_vfs_unregister(&g_shim);
    g_budget = -1;
    g_refusal = Refusal::None;
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

void CFailingDiskVfs::setRefusal(Refusal refusal)
{
    g_refusal = refusal;
}
