// The comma-separated import: quoted values, the column line, and what is
// stored and counted.
#include "db/RecordStore.h"
#include "motordata/MotorValues.h"
#include "motors/MotorCsv.h"
#include "motors/MotorImport.h"
#include "motors/RecordingProgress.h"
#include "queries/QueryExport.h"
#include "support/TestLogbook.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
class CsvImport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    }

    CMotorImportResult import(const QByteArray &bytes, const QString &name = QStringLiteral("motors.csv"))
    {
        const QString path = m_files.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        return importMotorFile(m_store, path, m_progress);
    }
    QStringList motors() const
    {
        return m_logbook.rows(QStringLiteral("SELECT ID, Type, Delay, MFG, Size FROM Motors ORDER BY rowid"));
    }

    CTestLogbook m_logbook;
    CRecordStore m_store;
    QTemporaryDir m_files;
    CRecordingProgress m_progress;
};
} // namespace

TEST(CsvValues, QuotedValuesOnly)
{
    EXPECT_EQ(csvLineValues(u"\"A8\", \"3\" ,junk,\"Estes\""), QStringList({"A8", "3", "Estes"}));
    EXPECT_EQ(csvLineValues(u"\"say \"\"hi\"\"\",\"\"\"\""), QStringList({"say \"hi\"", "\""}));
    EXPECT_EQ(csvLineValues(u"\"\",\"x\""), QStringList({"", "x"}));
    // A quote never closed gives one empty value and ends the line.
    EXPECT_EQ(csvLineValues(u"\"a\",\"b"), QStringList({"a", ""}));
    EXPECT_TRUE(csvLineValues(u"no quotes, at all").isEmpty());
}

TEST(CsvValues, ColumnsMustBeMotorColumns)
{
    EXPECT_EQ(motorCsvColumns({"type", "DELAY", "Mfg", "size", "id"}),
              QStringList({"Type", "Delay", "MFG", "Size", "ID"}));
    EXPECT_TRUE(motorCsvColumns({"Type", "Name"}).isEmpty());
    EXPECT_TRUE(motorCsvColumns({"Type) VALUES ('x'); DROP TABLE Motors; --"}).isEmpty());
    EXPECT_TRUE(motorCsvColumns({}).isEmpty());
}

TEST_F(CsvImport, ExportedTableReadsBack)
{
    const QByteArray text = "\"ID\",\"Type\",\"Delay\",\"MFG\",\"Size\"\r\n"
                            "\"1\",\"C6\",\"5\",\"Estes\",\"18x70\"\r\n"
                            "\r\n"
                            "\"2\",\"O'Brien \"\"Special\"\"\",\"3-5\",\"H\xC3\xA4user\",\"\"\r\n";
    const CMotorImportResult result = import(text);
    EXPECT_EQ(result.message(), "Motors Extracted =2");
    EXPECT_EQ(motors(), QStringList({"1|C6|5|Estes|18x70", QString::fromUtf8("2|O'Brien \"Special\"|3-5|Häuser|")}));
    EXPECT_EQ(m_progress.texts.mid(2),
              QStringList({"Preparing to Extract data", "Extracted\n1\nMotors", "Extracted\n2\nMotors"}));

    import(text);
    EXPECT_EQ(motors().size(), 4);
}

TEST_F(CsvImport, CountsOnlyStoredMotorsAndNamesTheLinesLeftOut)
{
    // A line of the wrong width and a line without quoted values store nothing and count nothing;
    // the last line counts though no line end closes it, and old Mac line ends are line ends.
    for (const char *end : {"\n", "\r\n", "\r"}) {
        const QByteArray text = QByteArray("\"Type\",\"MFG\"") + end + "\"A8\",\"Estes\"" + end + "\"B6\"" + end
            + "plain,text" + end + "\"C6\",\"Estes\"";
        const CMotorImportResult result = import(text);
        EXPECT_EQ(result.motors, 2) << end;
        EXPECT_EQ(result.message(),
                  "Motors Extracted =2\n"
                  "Line 3 holds 1 quoted value(s) where the first line names 2 column(s); it was left out.\n"
                  "Line 4 holds 0 quoted value(s) where the first line names 2 column(s); it was left out.");
    }
    EXPECT_EQ(motors().mid(0, 2), QStringList({"|A8||Estes|", "|C6||Estes|"}));
}

TEST_F(CsvImport, HeaderOnlyAndRefusedHeaders)
{
    EXPECT_EQ(import("\"Type\",\"MFG\"\r\n").message(), "Motors Extracted =0");
    EXPECT_EQ(import(QByteArray()).message(), "Nothing loaded from file");
    EXPECT_EQ(import("\n\r\n  \n").message(), "Nothing loaded from file");

    const CMotorImportResult foreign = import("\"Name\",\"MFG\"\n\"A8\",\"Estes\"\n");
    EXPECT_EQ(foreign.message(), "Nothing loaded from file");
    EXPECT_EQ(foreign.caption(), "Error");
    const CMotorImportResult injected = import("\"Type) SELECT Name FROM Rockets; --\"\n\"x\"\n");
    EXPECT_EQ(injected.outcome, CMotorImportResult::Outcome::NothingLoaded);
    EXPECT_EQ(import("\"Type\"\n\"x'); DELETE FROM Rockets; --\"\n").motors, 1);
    EXPECT_EQ(motors(), QStringList({"|x'); DELETE FROM Rockets; --|||"}));
}

TEST_F(CsvImport, FilesThatAreNotTextAreRefused)
{
    QByteArray junk;
    for (int i = 0; i < 20000; ++i)
        junk.append(char((i * 131 + 7) % 256));
    const CMotorImportResult fromJunk = import(junk);
    EXPECT_EQ(fromJunk.outcome, CMotorImportResult::Outcome::Refused);
    EXPECT_TRUE(fromJunk.message().contains(QStringLiteral("is not a text file"))) << fromJunk.message().toStdString();
    static const char kNul[] = "\"Type\",\"MFG\"\n\"N\0L\",\"X\"\n";
    EXPECT_EQ(import(QByteArray(kNul, sizeof kNul - 1)).message(),
              QStringLiteral("%1 is not a text file (line 2 holds a control character), so it is no motor file; "
                             "nothing was imported.")
                  .arg(m_files.filePath(QStringLiteral("motors.csv"))));
    EXPECT_EQ(import(QByteArray(100000, ';')).outcome, CMotorImportResult::Outcome::NothingLoaded);
    EXPECT_TRUE(motors().isEmpty());
}

// What the export writes for Motors comes back as it was: an empty value,
// written as one blank, is empty again.
TEST_F(CsvImport, ExportOfMotorsImportsBackExactly)
{
    ASSERT_TRUE(m_logbook.exec({
        "INSERT INTO Motors (Type, Delay, MFG, Size) VALUES ('C6', '5', 'Estes', '18x70')",
        "INSERT INTO Motors (Type, Delay, MFG, Size) VALUES ('O''Neil \"X\"', '', 'Caf\xC3\xA9', '')",
        "INSERT INTO Motors (Type, Delay, MFG) VALUES ('  two blanks ', '4', 'AT')",
    }));
    const QStringList before = motors();
    const QString path = m_files.filePath(QStringLiteral("motors.csv"));
    {
        ASSERT_TRUE(m_store.RunSql(QStringLiteral("SELECT * FROM Motors")));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(writeExportContent(ExportFormat::Csv, m_store, file));
    }
    ASSERT_TRUE(m_logbook.exec({"DELETE FROM Motors"}));
    EXPECT_EQ(importMotorFile(m_store, path, m_progress).motors, 3);
    EXPECT_EQ(motors(), before);
}

TEST_F(CsvImport, LongValuesAreCutLikeAHeaderLine)
{
    const QByteArray type(10 * 1024 * 1024, 'T');
    EXPECT_EQ(import("\"Type\",\"MFG\"\n\"" + type + "\",\"Estes\"\n").motors, 1);
    EXPECT_EQ(motors(), QStringList {QStringLiteral("|%1||Estes|").arg(QString(kMaxMotorFileText, QLatin1Char('T')))});
}
