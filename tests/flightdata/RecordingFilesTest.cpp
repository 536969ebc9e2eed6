// Recording files on disk: only regular files of a recording's size are read
// or copied, and a copy that fails says why.
#include "flightdata/AltimeterFileStore.h"
#include "flightdata/AltimeterReader.h"
#include "flightdata/FlightProfile.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

QByteArray smallRecording()
{
    return "t,height (m)\n"
        + CProfile::lines([](double t, double h) { return number(t, 2) + "," + number(h, 2) + "\n"; });
}

TEST(RecordingFiles, RecordingIsCopiedBesideTheLogbookNeverOverAnotherFile)
{
    QTemporaryDir downloads;
    QTemporaryDir storage;
    const QString source = downloads.filePath(QStringLiteral("FLIGHT01.pf2"));
    ASSERT_TRUE(writeTestFile(source, smallRecording()));
    const QDateTime flight(QDate(2026, 5, 1), QTime(14, 32));

    const CStoredAltimeterFile first = storeAltimeterFile(source, storage.path(), flight, QStringLiteral("Big/Bertha"));
    ASSERT_TRUE(first.error.isEmpty()) << qPrintable(first.error);
    EXPECT_EQ(first.path, QDir(storage.path()).filePath(QStringLiteral("2026-05-01 1432 Big_Bertha.pf2")));
    EXPECT_EQ(readTestFile(first.path), smallRecording());
    const CStoredAltimeterFile second =
        storeAltimeterFile(source, storage.path(), flight, QStringLiteral("Big/Bertha"));
    EXPECT_EQ(second.path, QDir(storage.path()).filePath(QStringLiteral("2026-05-01 1432 Big_Bertha (2).pf2")));
    EXPECT_EQ(readTestFile(first.path), smallRecording());

    const CStoredAltimeterFile missing =
        storeAltimeterFile(downloads.filePath(QStringLiteral("gone.csv")), storage.path(), flight, QString());
    EXPECT_TRUE(missing.path.isEmpty());
    EXPECT_TRUE(missing.error.contains(QStringLiteral("gone.csv")));
    EXPECT_EQ(QDir(storage.path()).entryList(QDir::Files).size(), 2);

    // After the storage directory moved, the stored path is found by its name there.
    QTemporaryDir moved;
    ASSERT_TRUE(QFile::copy(first.path, QDir(moved.path()).filePath(QFileInfo(first.path).fileName())));
    ASSERT_TRUE(QFile::remove(first.path));
    EXPECT_EQ(findAltimeterFile(first.path, moved.path()),
              QDir(moved.path()).filePath(QStringLiteral("2026-05-01 1432 Big_Bertha.pf2")));
    EXPECT_TRUE(findAltimeterFile(first.path, storage.path()).isEmpty());
}

// A pipe with no writer, a link to /dev/zero and a folder, named as a recording,
// are refused at once with the reason (reading them would wait or run
// forever), and so is a file larger than any recording; a link to a recording
// is read.
TEST(RecordingFiles, NamesThatLeadToNoRegularFileAreRefused)
{
    QTemporaryDir folder;
    QTemporaryDir storage;
    const QString pipe = folder.filePath(QStringLiteral("pipe.csv"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString zero = folder.filePath(QStringLiteral("zero.flt"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    const QString directory = folder.filePath(QStringLiteral("dir.csv"));
    ASSERT_TRUE(QDir().mkpath(directory));
    for (const QString &path : {pipe, zero, directory}) {
        const CAltimeterRecording recording = readAltimeterFile(path);
        EXPECT_FALSE(recording.isValid()) << qPrintable(path);
        EXPECT_TRUE(recording.error.contains(path) && recording.error.contains(QStringLiteral("not a regular file")))
            << qPrintable(recording.error);
        const CStoredAltimeterFile copy = storeAltimeterFile(path, storage.path(), QDateTime::currentDateTime(), {});
        EXPECT_TRUE(copy.path.isEmpty());
        EXPECT_TRUE(copy.error.contains(QStringLiteral("not a regular file"))) << qPrintable(copy.error);
    }
    EXPECT_TRUE(QDir(storage.path()).entryList(QDir::Files).isEmpty());

    // Sparse: 513 MB of nothing cost no disk.
    QFile huge(folder.filePath(QStringLiteral("huge.csv")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(kMaxRecordingFileBytes + (1 << 20)));
    huge.close();
    const CAltimeterRecording tooLarge = readAltimeterFile(huge.fileName());
    EXPECT_TRUE(tooLarge.error.contains(QStringLiteral("513 MB, more than the 512 MB"))) << qPrintable(tooLarge.error);

    const QString real = folder.filePath(QStringLiteral("real.csv"));
    ASSERT_TRUE(writeTestFile(real, smallRecording()));
    const QString link = folder.filePath(QStringLiteral("link.csv"));
    ASSERT_TRUE(QFile::link(real, link));
    EXPECT_TRUE(readAltimeterFile(link).isValid());
}

// Written to /dev/full, which refuses every write as a full disk does, the
// copy says the disk is full, not what cancelling the write would say.
TEST(RecordingFiles, CopyOntoAFullDiskSaysTheDiskIsFull)
{
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "no /dev/full on this system";
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("FLIGHT01.csv"));
    ASSERT_TRUE(writeTestFile(source, smallRecording()));
    CRegularFile in(source, kMaxRecordingFileBytes);
    ASSERT_TRUE(in.isOpen());
    QFile full(QStringLiteral("/dev/full"));
    ASSERT_TRUE(full.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QString failure = copyRecordingInto(in, full, source);
    EXPECT_EQ(failure, QStringLiteral("The file /dev/full cannot be written: the disk is full."));
}

} // namespace
