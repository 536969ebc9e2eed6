// tarvel-logbook-child, a program the storage tests run beside themselves:
//   create STORAGE_DIR GO_FILE  says "ready", waits for GO_FILE to appear, then
//                               starts as the program does (creates the
//                               logbook, opens it); exit status 0 when it could
//   write STORAGE_DIR           adds ten motors per transaction until killed,
//                               saying "committed N" after each commit of N in all
#include "db/RecordStore.h"
#include "db/Schema.h"
#include "db/StoreTransaction.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>

#include <cstdio>

namespace {

void say(const char *text)
{
    std::printf("%s\n", text);
    std::fflush(stdout);
}

int create(const QString &storage, const QString &go)
{
    say("ready");
    while (!QFileInfo::exists(go))
        QThread::usleep(200);
    if (!CreateDatabase(storage)) {
        std::fprintf(stderr, "no logbook was made\n");
        return 1;
    }
    CRecordStore store;
    if (!store.Open(storage) || !store.RunSql(QStringLiteral("SELECT count(*) FROM Motors"))) {
        std::fprintf(stderr, "the logbook cannot be read: %s\n", qPrintable(store.lastError()));
        return 1;
    }
    return 0;
}

int write(const QString &storage)
{
    CRecordStore store;
    if (!store.Open(storage))
        return 1;
    CSqlStatement insert = store.prepareWrite(QStringLiteral("INSERT INTO Motors (Type) VALUES (?1)"));
    for (int committed = 0;;) {
        CStoreTransaction transaction(store);
        for (int i = 1; i <= 10; ++i) {
            if (!insert.bindText(1, QStringLiteral("M%1").arg(committed + i)) || !store.runWrite(insert))
                return 1;
        }
        if (!transaction.commit())
            return 1;
        committed += 10;
        say(qPrintable(QStringLiteral("committed %1").arg(committed)));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments.at(1) == QLatin1String("create"))
        return create(arguments.at(2), arguments.at(3));
    if (arguments.size() == 3 && arguments.at(1) == QLatin1String("write"))
        return write(arguments.at(2));
    return 2;
}
