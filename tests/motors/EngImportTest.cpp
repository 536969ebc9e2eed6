// The thrust-curve import: which lines are motor headers, how a header splits
// into the stored motor, and what the import stores and reports.
#include "db/FailingDiskVfs.h"
#include "db/RecordStore.h"
#include "motors/EngHeader.h"
#include "motors/EngHeaderScanner.h"
#include "motors/MotorImport.h"
#include "motors/RecordingProgress.h"
#include "support/TestLogbook.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {
QStringList scan(const QByteArray &text, qsizetype block = 4096)
{
    CEngHeaderScanner scanner;
    for (qsizetype at = 0; at < text.size(); at += block)
        scanner.feed(text.constData() + at, qMin(block, text.size() - at));
    return scanner.headers();
}

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
        const QString path = m_files.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
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

TEST(EngHeaderParse, FieldsAndShortLines)
{
    const CMotorValues full = parseEngHeader(QStringLiteral("  K828FJ  54.0\t579.00 6-10-14-18 1.45 2.255 AT  "));
    EXPECT_EQ(full.type, "K828FJ");
    EXPECT_EQ(full.delay, "6-10-14-18");
    EXPECT_EQ(full.mfg, "AT");
    EXPECT_EQ(full.size, "54.0x579.00");

    // Five fields: the fifth is the maker; four: the delay is empty, the fourth is the maker.
    const CMotorValues five = parseEngHeader(QStringLiteral("A8 18 70 3 Estes"));
    EXPECT_EQ(five.delay, "3");
    EXPECT_EQ(five.mfg, "Estes");
    const CMotorValues four = parseEngHeader(QStringLiteral("A8 18 70 Estes"));
    EXPECT_EQ(four.delay, "");
    EXPECT_EQ(four.mfg, "Estes");
    EXPECT_EQ(four.size, "18x70");

    EXPECT_EQ(parseEngHeader(QString()).size, "x");
}

TEST(EngHeaderParse, ThrustDataLines)
{
    EXPECT_TRUE(isThrustDataLine(QStringLiteral("   0.008 376.374")));
    EXPECT_TRUE(isThrustDataLine(QStringLiteral("0 0\r")));
    EXPECT_FALSE(isThrustDataLine(QStringLiteral("1281-K360-WH-13A 54 236 13-10-8-6-4 0.747 1.232 CTI")));
    EXPECT_FALSE(isThrustDataLine(QStringLiteral("   ")));
}

TEST(EngHeaderScan, CommentsBlankLinesAndLineEnds)
{
    EXPECT_EQ(scan(kTwoMotors),
              QStringList({"C6 18 70 0-3-5-7 0.0108 0.0231 Estes", "F40 29 124 4-7-10 0.04 0.09 AT"}));
    // A Unix file keeps the last letter of its maker.
    EXPECT_EQ(scan("; c\nA8 18 70 3 0 0 Estes\n1 2\n"), QStringList({"A8 18 70 3 0 0 Estes"}));
    // The first line is a line like any other, and its thrust data is not a header.
    EXPECT_EQ(scan("B6 18 70 4 0 0 Estes\n0.1 5\n0.2 0\n"), QStringList({"B6 18 70 4 0 0 Estes"}));
    // A blank line between the comments and the header is no empty motor.
    EXPECT_EQ(scan("; c\n \t \r\nC6 18 70 5 0 0 Estes\r\n1 1\r\n"), QStringList({"C6 18 70 5 0 0 Estes"}));
    // A byte-order mark, even split over blocks, is not part of the first header.
    EXPECT_EQ(scan("\xEF\xBB\xBF"
                   "D12 24 70 5 0 0 Estes\n1 1\n",
                   1),
              QStringList({"D12 24 70 5 0 0 Estes"}));
    // A file without a header yields nothing, even where its data follows a comment.
    EXPECT_TRUE(scan("; only data\n0 0\n0.1 5\n").isEmpty());
    // The last line, if no line feed ends it, is not a header.
    EXPECT_TRUE(scan("; c\nE9 24 70 4 0 0 Estes").isEmpty());
}

TEST(EngHeaderScan, BlockBoundaryAndLongLines)
{
    QByteArray text = "; padding" + QByteArray(4096 - 9 - 1 - 10, 'x') + "\n";
    text += "G64 29 124 4-7-10 0.06 0.12 AeroTech\r\n1 1\r\n"; // starts 10 bytes before byte 4096
    ASSERT_LT(text.indexOf("G64"), 4096);
    ASSERT_GT(text.indexOf("AeroTech"), 4096);
    EXPECT_EQ(scan(text), QStringList({"G64 29 124 4-7-10 0.06 0.12 AeroTech"}));
    EXPECT_EQ(scan(text, 7), scan(text));

    const QByteArray longHeader = "H" + QByteArray(299, 'h');
    const QStringList cut = scan("; c\n" + longHeader + "\r\n");
    ASSERT_EQ(cut.size(), 1);
    EXPECT_EQ(cut.first(), QString::fromLatin1(longHeader.left(CEngHeaderScanner::kMaxHeaderLength)));

    const QStringList huge = scan("; c\n" + QByteArray(10 * 1024 * 1024, 'M') + "\n1 1\n");
    ASSERT_EQ(huge.size(), 1);
    EXPECT_EQ(huge.first().size(), CEngHeaderScanner::kMaxHeaderLength);
}

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

TEST_F(EngImport, NothingUsableOrUnreadable)
{
    EXPECT_EQ(import(write(QStringLiteral("none.eng"), "; comment only\r\n; another\r\n")).message(),
              "Nothing loaded from file");
    EXPECT_EQ(import(write(QStringLiteral("semi.eng"), QByteArray(50000, ';'))).outcome,
              CMotorImportResult::Outcome::NothingLoaded);
    EXPECT_EQ(import(write(QStringLiteral("empty.eng"), QByteArray())).outcome,
              CMotorImportResult::Outcome::NothingLoaded);

    const CMotorImportResult missing = import(m_files.filePath(QStringLiteral("missing.eng")));
    EXPECT_EQ(missing.outcome, CMotorImportResult::Outcome::Unreadable);
    EXPECT_TRUE(missing.message().isEmpty());
    EXPECT_EQ(import(m_files.path()).outcome, CMotorImportResult::Outcome::Unreadable);

    // A file of another kind is read but gives no motors.
    const CMotorImportResult other = import(write(QStringLiteral("motors.txt"), kTwoMotors));
    EXPECT_EQ(other.message(), "Motors Extracted =0");
    EXPECT_TRUE(motors().isEmpty());
}

TEST_F(EngImport, HostileBytesNeitherCrashNorCorrupt)
{
    QByteArray junk;
    for (int i = 0; i < 20000; ++i)
        junk.append(char((i * 7919) % 256));
    const CMotorImportResult fromJunk = import(write(QStringLiteral("junk.eng"), junk));
    // The count is the motors stored, however odd the bytes.
    EXPECT_EQ(motors().size(), fromJunk.motors);
    for (const QString &row : motors())
        EXPECT_FALSE(row.startsWith(QLatin1Char('|'))) << "a motor without a type: " << row.toStdString();
    static const char kNul[] = "; c\nN\0L 18 70 3 0 0 Es\0tes\n1 1\n";
    const QByteArray nul(kNul, sizeof kNul - 1);
    EXPECT_EQ(import(write(QStringLiteral("nul.eng"), nul)).motors, 1);
    EXPECT_TRUE(motors().contains(QStringLiteral("NL|3|Estes|18x70")));
}

TEST_F(EngImport, HeadersWithoutATypeAreSkippedAndCounted)
{
    // One field, and a 10 MB line without blanks: neither names a motor type.
    const QByteArray text = "; c\nEstes\n1 1\n; c\n" + QByteArray(10 * 1024 * 1024, 'M') + "\n1 1\n" + kTwoMotors;
    const CMotorImportResult result = import(write(QStringLiteral("odd.eng"), text));
    EXPECT_EQ(result.outcome, CMotorImportResult::Outcome::Imported);
    EXPECT_EQ(result.message(), "Motors Extracted =2\nSkipped 2 motor header(s) without a type");
    EXPECT_EQ(motors(), QStringList({"C6|0-3-5-7|Estes|18x70", "F40|4-7-10|AT|29x124"}));

    const CMotorImportResult none = import(write(QStringLiteral("none.eng"), "; c\nEstes\n1 1\n"));
    EXPECT_EQ(none.outcome, CMotorImportResult::Outcome::NothingLoaded);
    EXPECT_EQ(none.message(), "Nothing loaded from file\nSkipped 1 motor header(s) without a type");
    EXPECT_EQ(motors().size(), 2);
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
        EXPECT_EQ(result.message(), QStringLiteral("The disk is full: nothing of %1 was imported.").arg(path));
        EXPECT_EQ(motors(), QStringList {"A8|3|Estes|18x70"}) << budget;
    }
    EXPECT_EQ(m_logbook.rows(QStringLiteral("PRAGMA integrity_check")), QStringList {"ok"});
}

TEST_F(EngImport, RefusedWriteIsAnErrorWithSqlitesReason)
{
    // A logbook whose motor table has other columns than the import writes.
    ASSERT_TRUE(m_logbook.exec({"DROP TABLE Motors", "CREATE TABLE Motors (Name varchar(200))"}));
    const QString path = write(QStringLiteral("two.eng"), kTwoMotors);
    const CMotorImportResult result = import(path);
    EXPECT_EQ(result.outcome, CMotorImportResult::Outcome::StoreFailed);
    EXPECT_EQ(result.caption(), "Error");
    EXPECT_EQ(result.message(),
              QStringLiteral("The logbook %1 could not be written (table Motors has no column named "
                             "Type): nothing of %2 was imported.")
                  .arg(m_logbook.databaseFile(), path));
}

TEST_F(EngImport, ReadOnlyLogbookIsAnError)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "file modes do not stop the superuser";
    m_store.Close();
    ASSERT_TRUE(QFile::setPermissions(m_logbook.databaseFile(), QFile::ReadOwner));
    ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    const CMotorImportResult result = import(write(QStringLiteral("two.eng"), kTwoMotors));
    EXPECT_EQ(result.outcome, CMotorImportResult::Outcome::StoreFailed);
    EXPECT_TRUE(result.message().contains(QStringLiteral("readonly"))) << result.message().toStdString();
    EXPECT_TRUE(motors().isEmpty());
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
