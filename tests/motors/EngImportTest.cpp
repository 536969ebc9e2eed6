// The thrust-curve import: what it stores, what it refuses and why, and what
// it reports.
#include "db/FailingDiskVfs.h"
#include "db/RecordStore.h"
#include "motordata/EngReader.h"
#include "motors/MotorImport.h"
#include "motors/RecordingProgress.h"
#include "support/TestFiles.h"
#include "support/TestLogbook.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {
class EngImport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    }

    QString write(const QString &name, const QByteArray &bytes)
    {
        QString path = m_files.filePath(name);
        EXPECT_TRUE(writeTestFile(path, bytes));
        return path;
    }

    CMotorImportResult import(const QString &path) { return importMotorFile(m_store, path, m_progress); }
    QStringList motors() const
    {
        return m_logbook.rows(QStringLiteral("SELECT Type, Delay, MFG, Size FROM Motors ORDER BY rowid"));
    }

    CTestLogbook m_logbook;
    CRecordStore m_store;
    QTemporaryDir m_files;
    CRecordingProgress m_progress;
};

const QByteArray kTwoMotors = "; Estes C6\r\n"
                              "C6 18 70 0-3-5-7 0.0108 0.0231 Estes\r\n"
                              "0.031 0.946\r\n"
                              "0.092 4.826\r\n"
                              "; AeroTech F40\r\n"
                              "F40 29 124 4-7-10 0.04 0.09 AT\r\n"
                              "0.1 40\r\n";
} // namespace

TEST_F(EngImport, TwoMotorsWithProgress)
{
    const CMotorImportResult result = import(write(QStringLiteral("two.eng"), kTwoMotors));
    EXPECT_EQ(result.outcome, CMotorImportResult::Outcome::Imported);
    EXPECT_EQ(result.message(), "Motors Extracted =2");
    EXPECT_EQ(result.caption(), "Success");
    EXPECT_EQ(motors(), QStringList({"C6|0-3-5-7|Estes|18x70", "F40|4-7-10|AT|29x124"}));
    EXPECT_EQ(m_progress.texts,
              QStringList({"Prepare to open file", QStringLiteral("Read\n%1\nBytes").arg(kTwoMotors.size()),
                           "Preparing to Extract data", "Extracted\n1\nMotors", "Extracted\n2\nMotors"}));

    // Nothing is compared: a second import stores every motor again.
    import(write(QStringLiteral("two.eng"), kTwoMotors));
    EXPECT_EQ(motors().size(), 4);
}

TEST_F(EngImport, ApostrophesAndAccentsAreStoredExactly)
{
    const QByteArray text = "; c\nO'Neil 18 70 3 0 0 M\xC3\xBCller\n1 1\n; c\nX1 18 70 3 0 0 Caf\xE9\n1 1\n";
    EXPECT_EQ(import(write(QStringLiteral("q.eng"), text)).motors, 2);
    EXPECT_EQ(motors(),
              QStringList({QString::fromUtf8("O'Neil|3|Müller|18x70"), QString::fromUtf8("X1|3|Café|18x70")}));
}

// Every motor is stored; the message names each one whose curve was not, and
// why, and each line that was no motor header.
TEST_F(EngImport, MotorsWithoutTheirCurveAreNamedWithTheReason)
{
    QByteArray many = "H1 29 124 5 0 0 AT\n";
    for (int i = 0; i <= CEngReader::kMaxCurvePoints; ++i)
        many += QByteArray::number(0.001 * (i + 1)) + " 1\n";
    const QByteArray text = "; good\nC6 18 70 5 0 0 Estes\n0.2 12\n1.2 0\n"
                            "D12 24 70 5 0 0 Estes\n0.5 20\n0.3 10\n"
                            "E9 24 70 4 0 0 Estes\n0.2 5\n0.4 -1\n"
                            "F40 29 124 7 0 0 AT\n0.1 4O\n"
                            "Thrust data follows\n"
        + many;
    const CMotorImportResult result = import(write(QStringLiteral("mixed.eng"), text));
    EXPECT_EQ(result.outcome, CMotorImportResult::Outcome::Imported);
    EXPECT_EQ(result.motors, 5);
    EXPECT_EQ(result.curvesNotKept, 4);
    EXPECT_EQ(result.message(),
              "Motors Extracted =5\n"
              "Line 13 is not a motor header (no type, diameter or length): \"Thrust data follows\".\n"
              "D12 (line 5) was stored without its thrust curve: its time goes back at 0.3 s.\n"
              "E9 (line 8) was stored without its thrust curve: its thrust is negative at 0.4 s.\n"
              "F40 (line 11) was stored without its thrust curve: \"4O\" on line 12 is not a number.\n"
              "H1 (line 14) was stored without its thrust curve: it has more than 20000 points, the most a curve "
              "may have.");
    EXPECT_EQ(motors().size(), 5);
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT Type FROM MotorCurves")), QStringList {"C6"});
}

// Whatever the file's name says, a folder, a device, a pipe, a file too large
// or one that is not text is refused at once, saying so, and nothing is stored.
TEST_F(EngImport, WhatIsNoMotorFileIsRefusedWithoutWaiting)
{
    const QString fifo = m_files.filePath(QStringLiteral("pipe.eng"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString zero = m_files.filePath(QStringLiteral("zero.eng"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    const QString folder = m_files.filePath(QStringLiteral("folder.eng"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString large = write(QStringLiteral("large.eng"), kTwoMotors);
    ASSERT_TRUE(QFile(large).resize(kMaxMotorFileBytes + 1)); // sparse: no disk is filled
    static const char kBinary[] = "; c\nC6 18 70 5 0 0 Es\0tes\n1 1\n";
    const QString binary = write(QStringLiteral("binary.eng"), QByteArray(kBinary, sizeof kBinary - 1));

    const std::pair<QString, QString> refusals[] = {
        {fifo, QStringLiteral("%1 is not a file but a device or a pipe, so nothing was read from it.")},
        {zero, QStringLiteral("%1 is not a file but a device or a pipe, so nothing was read from it.")},
        {folder, QStringLiteral("%1 is a folder, not a motor file.")},
        {large, QStringLiteral("%1 is larger than 64 MB, too large for a motor file; nothing was imported.")},
        {binary,
         QStringLiteral("%1 is not a text file (line 2 holds a control character), so it is no motor file; "
                        "nothing was imported.")},
    };
    for (const auto &[path, message] : refusals) {
        const CMotorImportResult result = import(path);
        EXPECT_EQ(result.outcome, CMotorImportResult::Outcome::Refused) << path.toStdString();
        EXPECT_EQ(result.message(), message.arg(path));
        EXPECT_EQ(result.caption(), "Error");
    }
    EXPECT_TRUE(motors().isEmpty());
}

TEST_F(EngImport, NothingUsableOrUnreadable)
{
    EXPECT_EQ(import(write(QStringLiteral("none.eng"), "; comment only\r\n; another\r\n")).message(),
              "Nothing loaded from file");
    EXPECT_EQ(import(write(QStringLiteral("empty.eng"), QByteArray())).outcome,
              CMotorImportResult::Outcome::NothingLoaded);
    EXPECT_EQ(import(write(QStringLiteral("data.eng"), "0 0\n0.1 5\n0.2 0")).message(),
              "Nothing loaded from file\n3 line(s) of thrust data have no motor header above them.");
    EXPECT_EQ(import(write(QStringLiteral("words.eng"), "Estes\n1 1\n")).message(),
              "Nothing loaded from file\nLine 1 is not a motor header (no type, diameter or length): \"Estes\".\n"
              "1 line(s) of thrust data have no motor header above them.");

    const CMotorImportResult missing = import(m_files.filePath(QStringLiteral("missing.eng")));
    EXPECT_EQ(missing.outcome, CMotorImportResult::Outcome::Unreadable);
    EXPECT_TRUE(missing.message().isEmpty());

    // A file of another kind is read but gives no motors.
    const CMotorImportResult other = import(write(QStringLiteral("motors.txt"), kTwoMotors));
    EXPECT_EQ(other.message(), "Motors Extracted =0");
    EXPECT_TRUE(motors().isEmpty());
}

TEST_F(EngImport, HostileBytesNeitherCrashNorCorrupt)
{
    // Printable bytes only, so that the file counts as text and is read line by line.
    QByteArray junk;
    for (int i = 0; i < 200000; ++i) {
        const int byte = (i * 7919) % 256;
        junk.append(byte % 23 == 0 ? '\n' : byte < 0x20 || byte == 0x7F ? ' ' : char(byte));
    }
    const CMotorImportResult fromJunk = import(write(QStringLiteral("junk.eng"), junk));
    EXPECT_EQ(motors().size(), fromJunk.motors);
    // Every motor has a type, and a size of a diameter and a length with digits in them.
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT count(*) FROM Motors WHERE Type = '' OR Size NOT GLOB "
                                            "'*[0-9]*x*[0-9]*'")),
              QStringList {"0"});
    EXPECT_EQ(m_logbook.rows(QStringLiteral("PRAGMA integrity_check")), QStringList {"ok"});
}

// The disk fills up early (at the first write) or late (at the commit): either
// way the file's motors are all rolled back and the message names the cause.
TEST_F(EngImport, FullDiskImportsNothingAndSaysSo)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Motors (Type, Delay, MFG, Size) VALUES ('A8', '3', 'Estes', '18x70')"}));
    CFailingDiskVfs disk;
    ASSERT_TRUE(disk.isInstalled());
    ASSERT_TRUE(m_store.Open(m_logbook.directory())); // through the failing disk
    QByteArray many;
    for (int i = 0; i < 20000; ++i)
        many += "; c\nM" + QByteArray::number(i) + " 18 70 3 0 0 Estes\n1 1\n";
    const QString path = write(QStringLiteral("many.eng"), many);
    for (const qint64 budget : {qint64(0), qint64(64 * 1024)}) {
        disk.setBudget(budget);
        const CMotorImportResult result = import(path);
        disk.setBudget(-1);
        EXPECT_EQ(result.outcome, CMotorImportResult::Outcome::StoreFailed) << budget;
        EXPECT_EQ(result.caption(), "Error");
        EXPECT_EQ(result.message(), QStringLiteral("Nothing of %1 was imported: the disk is full.").arg(path));
        EXPECT_EQ(motors(), QStringList {"A8|3|Estes|18x70"}) << budget;
    }
    EXPECT_EQ(m_logbook.rows(QStringLiteral("PRAGMA integrity_check")), QStringList {"ok"});
}

TEST_F(EngImport, RefusedWriteIsAnErrorWithTheLogbooksReason)
{
    const QString path = write(QStringLiteral("two.eng"), kTwoMotors);
    // A logbook that cannot be written, as the file system tells any user but the superuser.
    {
        CFailingDiskVfs disk;
        ASSERT_TRUE(disk.isInstalled());
        disk.setRefusal(CFailingDiskVfs::Refusal::ReadOnlyFile);
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
        const CMotorImportResult result = import(path);
        EXPECT_EQ(result.outcome, CMotorImportResult::Outcome::StoreFailed);
        EXPECT_EQ(result.message(),
                  QStringLiteral("Nothing of %1 was imported: the logbook %2 is read-only.")
                      .arg(path, m_logbook.databaseFile()));
        m_store.Close();
    }
    // A logbook whose motor table has other columns than the import writes.
    ASSERT_TRUE(m_logbook.exec({"DROP TABLE Motors", "CREATE TABLE Motors (Name varchar(200))"}));
    ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    const CMotorImportResult result = import(path);
    EXPECT_EQ(result.outcome, CMotorImportResult::Outcome::StoreFailed);
    EXPECT_EQ(result.message(),
              QStringLiteral("Nothing of %1 was imported: table Motors has no column named Type.").arg(path));
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT count(*) FROM Motors")), QStringList {"0"});
}

TEST_F(EngImport, RunsAsOneTransaction)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Motors (Type, Delay, MFG, Size) VALUES ('A8', '3', 'Estes', '18x70')"}));
    // Looks at the table from another connection while the import is under way:
    // until it ends, nothing of it may be seen, so a killed import leaves no trace.
    class CPeekingProgress : public CRecordingProgress
    {
    public:
        explicit CPeekingProgress(const CTestLogbook &logbook)
            : m_logbook(logbook)
        { }
        void showProgress(const QString &text) override
        {
            if (text == QLatin1String("Extracted\n2\nMotors"))
                seen = m_logbook.rows(QStringLiteral("SELECT count(*) FROM Motors"));
            CRecordingProgress::showProgress(text);
        }
        QStringList seen;

    private:
        const CTestLogbook &m_logbook;
    } peeking(m_logbook);
    const CMotorImportResult result = importMotorFile(m_store, write(QStringLiteral("two.eng"), kTwoMotors), peeking);
    EXPECT_EQ(result.motors, 2);
    EXPECT_EQ(peeking.seen, QStringList({"1"}));
    EXPECT_EQ(motors().size(), 3);
}
