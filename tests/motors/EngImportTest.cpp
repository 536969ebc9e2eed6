// The thrust-curve import: how a file's lines become motors and curves, what
// is refused and why, and what the import stores and reports.
#include "db/FailingDiskVfs.h"
#include "db/RecordStore.h"
#include "motors/EngHeader.h"
#include "motors/EngReader.h"
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
CEngReader read(const QByteArray &text, qsizetype block = 4096)
{
    CEngReader reader;
    for (qsizetype at = 0; at < text.size(); at += block)
        reader.feed(text.constData() + at, qMin(block, text.size() - at));
    reader.finish();
    return reader;
}

QStringList headers(const CEngReader &reader)
{
    QStringList found;
    for (const CEngMotor &motor : reader.motors())
        found.append(motor.header);
    return found;
}

// The motor of a one-motor file whose header is on line 2, after a comment.
CEngMotor onlyMotor(const QByteArray &data)
{
    const CEngReader reader = read("; c\nC6 18 70 5 0 0 Estes\n" + data);
    return reader.motors().size() == 1 ? reader.motors().front() : CEngMotor();
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

TEST(EngHeaderParse, FieldsAndShortLines)
{
    const CMotorValues full = parseEngHeader(QStringLiteral("  K828FJ  54.0\t579.00 6-10-14-18 1.45 2.255 AT  "));
    EXPECT_EQ(full, (CMotorValues {"K828FJ", "6-10-14-18", "AT", "54.0x579.00"}));
    // Five fields: the fifth is the maker; four: the delay is empty, the fourth is the maker.
    EXPECT_EQ(parseEngHeader(QStringLiteral("A8 18 70 3 Estes")), (CMotorValues {"A8", "3", "Estes", "18x70"}));
    EXPECT_EQ(parseEngHeader(QStringLiteral("A8 18 70 Estes")), (CMotorValues {"A8", "", "Estes", "18x70"}));

    // A header names a type and gives digits for its diameter and length.
    EXPECT_TRUE(isEngHeader(QStringLiteral("A8 18 70 Estes")));
    EXPECT_TRUE(isEngHeader(QStringLiteral("1281-K360-WH-13A 54 236 13-10-8-6-4 0.747 1.232 CTI")));
    EXPECT_FALSE(isEngHeader(QStringLiteral("A8 Estes")));
    EXPECT_FALSE(isEngHeader(QStringLiteral("Estes")));
    EXPECT_FALSE(isEngHeader(QStringLiteral("Thrust curve by hand")));
}

// However the lines end, and whether or not the last one does, a file gives
// the same motors; a header right after a motor's data starts the next motor.
TEST(EngReader, LineEndsOfEveryKindAndTheLastLineWithoutOne)
{
    const QByteArray lines[] = {"; two motors, no comment between them",
                                "C6 18 70 3-5-7 0.0108 0.0231 Estes",
                                "0.2 12.0",
                                "1.2 0.0",
                                "D12 24 70 5 0.021 0.044 Estes",
                                "0.5 20.0",
                                "1.6 0.0"};
    for (const QByteArray &end : {QByteArray("\n"), QByteArray("\r\n"), QByteArray("\r")}) {
        for (const bool lastEnded : {true, false}) {
            QByteArray text;
            for (const QByteArray &line : lines)
                text += line + end;
            if (!lastEnded)
                text.chop(end.size());
            for (const qsizetype block : {1, 2, 7, 4096}) {
                const CEngReader reader = read(text, block);
                const std::string what = end.toHex().toStdString() + (lastEnded ? " ended" : " open") + " in blocks of "
                    + std::to_string(block);
                ASSERT_EQ(reader.motors().size(), 2u) << what;
                const CEngMotor &c6 = reader.motors().at(0);
                const CEngMotor &d12 = reader.motors().at(1);
                EXPECT_EQ(c6.header, "C6 18 70 3-5-7 0.0108 0.0231 Estes") << what;
                EXPECT_EQ(c6.line, 2) << what;
                EXPECT_EQ(c6.points, (std::vector<CThrustPoint> {{0.2, 12.0}, {1.2, 0.0}})) << what;
                EXPECT_EQ(c6.text, "0.2 12.0\n1.2 0.0\n") << what;
                EXPECT_EQ(d12.header, "D12 24 70 5 0.021 0.044 Estes") << what;
                EXPECT_EQ(d12.line, 5) << what;
                EXPECT_EQ(d12.points, (std::vector<CThrustPoint> {{0.5, 20.0}, {1.6, 0.0}})) << what;
                EXPECT_TRUE(c6.dataProblem.isEmpty() && d12.dataProblem.isEmpty()) << what;
                EXPECT_TRUE(reader.strayLines().empty()) << what;
            }
        }
    }
    // A header on the file's only line, without a line end, is a motor without data.
    EXPECT_EQ(headers(read("E9 24 70 4 0 0 Estes")), QStringList {"E9 24 70 4 0 0 Estes"});
}

TEST(EngReader, CommentsBlanksAndByteOrderMark)
{
    const QByteArray text = "\xEF\xBB\xBF; c\n \t \n  C6 18 70 5 0 0 Estes  \n  0.1 +5 ; peak\n; between\n\n0.2 0\x1A";
    for (const qsizetype block : {1, 4096}) {
        const CEngReader reader = read(text, block);
        ASSERT_EQ(reader.motors().size(), 1u) << block;
        EXPECT_EQ(reader.motors().front().header, "  C6 18 70 5 0 0 Estes  ");
        EXPECT_EQ(reader.motors().front().points, (std::vector<CThrustPoint> {{0.1, 5}, {0.2, 0}}));
        EXPECT_EQ(reader.motors().front().text, "0.1 5\n0.2 0\n");
        EXPECT_EQ(reader.binaryLine(), 0);
    }
    // Thrust data with no header above it is counted, never taken for a motor.
    const CEngReader headless = read("\xEF\xBB\xBF"
                                     "0 0\n0.1 5\n; c\n0.2 0");
    EXPECT_TRUE(headless.motors().empty());
    EXPECT_EQ(headless.headlessDataLines(), 3);
}

// The first data line that is not a time and a thrust keeps the motor's curve
// out, with a reason that names the line; text after the data does not.
TEST(EngReader, DataThatCannotBeTakenAsWritten)
{
    const std::pair<QByteArray, QString> cases[] = {
        {"0.1 5\n0.2 x5\n", "\"x5\" on line 4 is not a number"},
        {"0.1 nan\n", "\"nan\" on line 3 is not a finite number"},
        {"1e999 5\n", "\"1e999\" on line 3 is not a finite number"},
        {"0.1\n", "line 3 gives a time without a thrust"},
        {"0.1 5 7\n", "line 3 holds more than a time and a thrust"},
        {"0.1 5" + QByteArray(300, ' ') + "\n", "line 3 is longer than 256 characters"},
        {"0.1 5\nsome words\n0.2 0\n", "line 4 within its thrust data is neither thrust data nor a motor header"},
    };
    for (const auto &[data, problem] : cases)
        EXPECT_EQ(onlyMotor(data).dataProblem, problem) << data.toStdString();

    QByteArray many;
    for (int i = 0; i <= CEngReader::kMaxCurvePoints; ++i)
        many += QByteArray::number(i * 0.001) + " 1\n";
    EXPECT_EQ(onlyMotor(many).dataProblem, "it has more than 20000 points, the most a curve may have");

    // A long comment after the values is still a comment.
    EXPECT_TRUE(onlyMotor("0.1 5 ;" + QByteArray(300, 'c') + "\n0.2 0\n").dataProblem.isEmpty());
    // Text after the last data line is named but leaves the curve whole.
    const CEngReader trailing = read("; c\nC6 18 70 5 0 0 Estes\n0.1 5\n0.2 0\nEND OF FILE\n");
    ASSERT_EQ(trailing.motors().size(), 1u);
    EXPECT_TRUE(trailing.motors().front().dataProblem.isEmpty());
    EXPECT_EQ(trailing.motors().front().points.size(), 2u);
    EXPECT_EQ(trailing.strayLines(), (std::vector<CEngStrayLine> {{5, "END OF FILE"}}));
}

TEST(EngReader, ControlCharactersMarkAFileThatIsNotText)
{
    static const char kNul[] = "; c\nC6 18 70 5 0 0 Estes\n0.1 5\0\n0.2 0\n";
    const QByteArray nul(kNul, sizeof kNul - 1);
    EXPECT_EQ(read(nul).binaryLine(), 3);
    EXPECT_EQ(read(nul, 1).binaryLine(), 3);
    EXPECT_EQ(read("; c\r\rC6 18 70 5 0 0 Es\x1Btes\n").binaryLine(), 3);
    // Blanks of every kind and a DOS end-of-file mark are text.
    EXPECT_EQ(read("; c\n\fC6\t18\v70 5 0 0 Estes\n0.1 5\n\x1A").binaryLine(), 0);
}

TEST(EngReader, BlockBoundaryAndLongLines)
{
    QByteArray text = "; padding" + QByteArray(4096 - 9 - 1 - 10, 'x') + "\n";
    text += "G64 29 124 4-7-10 0.06 0.12 AeroTech\r\n1 1\r\n"; // starts 10 bytes before byte 4096
    ASSERT_LT(text.indexOf("G64"), 4096);
    ASSERT_GT(text.indexOf("AeroTech"), 4096);
    EXPECT_EQ(headers(read(text)), QStringList({"G64 29 124 4-7-10 0.06 0.12 AeroTech"}));
    EXPECT_EQ(read(text, 7).motors(), read(text).motors());

    const QByteArray longHeader = "H1 29 124 " + QByteArray(290, 'h');
    const QStringList cut = headers(read("; c\n" + longHeader + "\r\n1 1\n"));
    ASSERT_EQ(cut.size(), 1);
    EXPECT_EQ(cut.first(), QString::fromLatin1(longHeader.left(CEngReader::kMaxHeaderLength)));

    const QStringList huge =
        headers(read("; c\nM1 29 124 " + QByteArray(qsizetype(10) * 1024 * 1024, 'M') + "\n1 1\n"));
    ASSERT_EQ(huge.size(), 1);
    EXPECT_EQ(huge.first().size(), CEngReader::kMaxHeaderLength);
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
