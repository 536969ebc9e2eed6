#include "db/Schema.h"

#include "db/RecordStore.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList columnsOf(CRecordStore &store, const QString &table)
{
    QStringList columns;
    if (!store.RunSql(QStringLiteral("SELECT name, type FROM pragma_table_info('%1') ORDER BY cid").arg(table)))
        return {QStringLiteral("<failed>")};
    for (; !store.IsEOF(); store.MoveNext())
        columns.append(store.GetFieldText(0) + QLatin1Char(' ') + store.GetFieldText(1).toLower());
    return columns;
}

TEST(Schema, CreatesTheSixTablesWithTheirColumnPositions)
{
    QTemporaryDir dir;
    const QString storage = dir.path() + QStringLiteral("/a/b/storage/");
    ASSERT_TRUE(CreateDatabase(storage)); // folder and parents made on the way
    EXPECT_TRUE(QFile::exists(storage + QStringLiteral("TarvelDB.CDB")));
    EXPECT_FALSE(QFile::exists(storage + QStringLiteral("TarvelDB.CDB.new")));

    CRecordStore store;
    ASSERT_TRUE(store.Open(storage));
    ASSERT_TRUE(store.RunSql(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid")));
    QStringList tables;
    for (; !store.IsEOF(); store.MoveNext())
        tables.append(store.GetFieldText(0));
    // The six of every logbook first, then the ones kept beside them.
    EXPECT_EQ(tables, logbookTableNames() + QStringList {QStringLiteral("MotorCurves")});

    EXPECT_EQ(
        columnsOf(store, QStringLiteral("Rockets")),
        QStringList({"ID integer", "Name varchar(200)", "MFG varchar(200)", "Type varchar(200)", "Image varchar(200)",
                     "CheckList varchar(200)", "Recovery varchar(200)", "Launcher varchar(200)", "Stages integer",
                     "Clustered integer", "Status varchar(200)", "Notes varchar(2000)", "Weight varchar(200)",
                     "Length varchar(200)", "Diameter varchar(200)", "CP varchar(200)", "MMT varchar(200)"}));
    EXPECT_EQ(columnsOf(store, QStringLiteral("RecMotors")),
              QStringList({"ID integer", "RocketID integer", "Type varchar(200)", "Delay integer", "MFG varchar(200)",
                           "Alt integer", "Stage integer", "Qty integer", "GroupID integer"}));
    EXPECT_EQ(
        columnsOf(store, QStringLiteral("Motors")),
        QStringList({"ID integer", "Type varchar(200)", "Delay integer", "MFG varchar(200)", "Size varchar(200)"}));
    EXPECT_EQ(columnsOf(store, QStringLiteral("MFGs")), QStringList({"MFG varchar(200)"}));
    EXPECT_EQ(columnsOf(store, QStringLiteral("Launches")),
              QStringList({"Model varchar(200)", "Recovery varchar(200)", "Motor varchar(200)", "MotorMfg varchar(200)",
                           "MotorDelay integer", "Site varchar(200)", "WindSpeed integer", "WindDirection varchar(200)",
                           "Temperature integer", "Celcius boolean", "Date datetime", "DrogueTime datetime",
                           "MainTime datetime", "DoneTime datetime", "Notes varchar(2000)", "Success boolean",
                           "AltFileName varchar(200)"}));
    EXPECT_EQ(
        columnsOf(store, QStringLiteral("Queries")),
        QStringList({"ID integer", "Name varchar(200)", QStringLiteral("Query varchar(%1)").arg(kMaxQueryTextLength)}));

    ASSERT_TRUE(store.RunSql(QStringLiteral("PRAGMA application_id")));
    EXPECT_EQ(store.GetFieldText(0).toInt(), kLogbookApplicationId);
}

// A file already there is never overwritten; the leftover of an interrupted
// creation is.
TEST(Schema, ExistingFileIsLeftUntouched)
{
    QTemporaryDir dir;
    const QString storage = dir.path() + QLatin1Char('/');
    ASSERT_TRUE(writeTestFile(databasePath(storage) + QStringLiteral(".new"), "half a database"));
    ASSERT_TRUE(CreateDatabase(storage));
    EXPECT_FALSE(QFile::exists(databasePath(storage) + QStringLiteral(".new")));
    CRecordStore store;
    ASSERT_TRUE(store.Open(storage));
    EXPECT_TRUE(store.RunSql(QStringLiteral("SELECT * FROM Queries")));
    store.Close();

    ASSERT_TRUE(writeTestFile(databasePath(storage), "whatever it holds"));
    EXPECT_TRUE(CreateDatabase(storage));
    EXPECT_EQ(readTestFile(databasePath(storage)), QByteArray("whatever it holds"));
}

TEST(Schema, FolderThatCannotBeMadeFailsWithoutALogbook)
{
    QTemporaryDir dir;
    // A plain file where a folder should be: no folder can be made below it,
    // whatever the permissions of the user running the test.
    ASSERT_TRUE(writeTestFile(dir.filePath(QStringLiteral("blocker")), ""));
    const QString storage = dir.filePath(QStringLiteral("blocker/storage/"));
    EXPECT_FALSE(CreateDatabase(storage));
    EXPECT_FALSE(QFile::exists(databasePath(storage)));
}

} // namespace
