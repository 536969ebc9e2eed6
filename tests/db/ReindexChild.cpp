// tarvel-reindex-child STORAGE_DIR: renumbers the rockets of the logbook there.
// It says "reindexing" just before it starts, so that a test can kill it midway.
#include "db/RecordStore.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2)
        return 2;
    CRecordStore store;
    if (!store.Open(QString::fromLocal8Bit(argv[1])))
        return 1;
    std::printf("reindexing\n");
    std::fflush(stdout);
    return store.Reindex() ? 0 : 1;
}
