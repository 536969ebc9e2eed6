#include "queries/QueryExport.h"

#include "db/RecordStore.h"
#include "queries/QueryDlg.h"
#include "queries/SavedQueries.h"
#include "support/TestFiles.h"
#include "support/TestLogbook.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {
const QByteArray kHtmlOpening = "<HTML><HEAD><TITLE>Tarvel Data</TITLE></HEAD><BODY><TABLE BORDER = 1 "
                                "WIDTH=\"100%\"><TR><TD ALIGN=\"CENTER\" VALIGN=\"MIDDLE\">";
const QByteArray kHtmlClosing = "</TD></TR></TABLE></BODY></HTML>";

class QueryExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid() && m_out.isValid());
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    }

    // Saves one query and returns its position in name order.
    int save(const QString &name, const QString &sql)
    {
        addSavedQuery(m_store, {name, sql});
        return savedQueryIndex(m_store, name);
    }

    QString path(const QString &file) const { return m_out.filePath(file); }

    ExportStatus exportTo(int index, const QString &file)
    {
        m_message.clear();
        return exportSavedQuery(m_store, index, path(file), &m_message);
    }

    CTestLogbook m_logbook;
    CRecordStore m_store;
    QTemporaryDir m_out;
    QString m_message;
};
} // namespace

TEST_F(QueryExportTest, WritesTheExampleInBothFormats)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Rockets (Name, MFG) VALUES ('X', 'EST')"}));
    const int index = save(QStringLiteral("ex"), QStringLiteral("SELECT Name, MFG FROM Rockets"));

    EXPECT_EQ(exportTo(index, QStringLiteral("out.csv")), ExportStatus::Written);
    EXPECT_EQ(readTestFile(path(QStringLiteral("out.csv"))), QByteArray("\"Name\",\"MFG\"\r\n\"X\",\"EST\"\r\n"));

    EXPECT_EQ(exportTo(index, QStringLiteral("OUT.HTM")), ExportStatus::Written);
    EXPECT_EQ(readTestFile(path(QStringLiteral("OUT.HTM"))),
              kHtmlOpening + "<TR><TD>Name</TD><TD>MFG</TD></TR><TR><TD>X</TD><TD>EST</TD></TR>" + kHtmlClosing);

    EXPECT_EQ(exportTo(index, QStringLiteral("page.Html")), ExportStatus::Written);
    EXPECT_EQ(readTestFile(path(QStringLiteral("page.Html"))), readTestFile(path(QStringLiteral("OUT.HTM"))));

    EXPECT_EQ(exportTo(index, QStringLiteral("notes.txt")), ExportStatus::NothingToWrite);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("notes.txt"))));
    EXPECT_EQ(exportTo(7, QStringLiteral("none.csv")), ExportStatus::NothingToWrite);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("none.csv"))));
}

TEST_F(QueryExportTest, EmptyResultsAndEmptyValues)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Rockets (Name, MFG, Notes) VALUES ('Alpha', '', NULL)"}));
    const int none = save(QStringLiteral("a none"), QStringLiteral("SELECT Name FROM Rockets WHERE 0"));
    EXPECT_EQ(exportTo(none, QStringLiteral("empty.csv")), ExportStatus::Written);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("empty.csv"))));
    EXPECT_EQ(readTestFile(path(QStringLiteral("empty.csv"))), QByteArray());
    EXPECT_EQ(exportTo(none, QStringLiteral("empty.htm")), ExportStatus::Written);
    EXPECT_EQ(readTestFile(path(QStringLiteral("empty.htm"))), kHtmlOpening + kHtmlClosing);

    const int blanks = save(QStringLiteral("b blanks"), QStringLiteral("SELECT Name, MFG, Notes FROM Rockets"));
    EXPECT_EQ(exportTo(blanks, QStringLiteral("blank.csv")), ExportStatus::Written);
    EXPECT_EQ(readTestFile(path(QStringLiteral("blank.csv"))),
              QByteArray("\"Name\",\"MFG\",\"Notes\"\r\n\"Alpha\",\" \",\" \"\r\n"));
    EXPECT_EQ(exportTo(blanks, QStringLiteral("blank.htm")), ExportStatus::Written);
    EXPECT_TRUE(
        readTestFile(path(QStringLiteral("blank.htm"))).contains("<TR><TD>Alpha</TD><TD> </TD><TD> </TD></TR>"));

    // An empty query text writes nothing.
    const int emptyText = save(QStringLiteral("c empty"), QString());
    EXPECT_EQ(exportTo(emptyText, QStringLiteral("nothing.csv")), ExportStatus::NothingToWrite);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("nothing.csv"))));
}

TEST_F(QueryExportTest, FollowsTheQueryOrderAndReplacesALongerFile)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Rockets (Name) VALUES ('b')", "INSERT INTO Rockets (Name) VALUES ('c')",
                                "INSERT INTO Rockets (Name) VALUES ('a')"}));
    const int index = save(QStringLiteral("desc"), QStringLiteral("SELECT Name FROM Rockets ORDER BY Name DESC"));
    {
        QFile old(path(QStringLiteral("old.csv")));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'z'));
    }
    EXPECT_EQ(exportTo(index, QStringLiteral("old.csv")), ExportStatus::Written);
    EXPECT_EQ(readTestFile(path(QStringLiteral("old.csv"))), QByteArray("\"Name\"\r\n\"c\"\r\n\"b\"\r\n\"a\"\r\n"));
}

TEST_F(QueryExportTest, QuotesAndMarkupAreEscapedAndUtf8IsWritten)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Rockets (Name, Notes) VALUES ('Say \"hi\", ok', 'a<b & <script>')",
                                "INSERT INTO Rockets (Name, Notes) VALUES ('Fl\xC3\xBCgel', 'two\r\nlines')"}));
    const int index =
        save(QStringLiteral("n"), QStringLiteral("SELECT Name, Notes AS \"<n>\" FROM Rockets ORDER BY rowid"));

    EXPECT_EQ(exportTo(index, QStringLiteral("esc.htm")), ExportStatus::Written);
    const QByteArray html = readTestFile(path(QStringLiteral("esc.htm")));
    EXPECT_TRUE(html.contains("<TD>&lt;n&gt;</TD>"));
    EXPECT_TRUE(html.contains("<TD>Say &quot;hi&quot;, ok</TD><TD>a&lt;b &amp; &lt;script&gt;</TD>"));
    EXPECT_FALSE(html.contains("<script>"));

    EXPECT_EQ(exportTo(index, QStringLiteral("esc.csv")), ExportStatus::Written);
    const QByteArray csv = readTestFile(path(QStringLiteral("esc.csv")));
    EXPECT_TRUE(csv.startsWith("\"Name\",\"<n>\"\r\n\"Say \"\"hi\"\", ok\""));
    EXPECT_FALSE(csv.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(csv.contains("Fl\xC3\xBCgel"));

    // Read back by an independent CSV reader.
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        GTEST_SKIP() << "python3 is not installed; the CSV read-back needs its csv module";
    QProcess reader;
    reader.start(python,
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv, json, sys\n"
                                 "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                                 "    print(json.dumps(list(csv.reader(f))))"),
                  path(QStringLiteral("esc.csv"))});
    ASSERT_TRUE(reader.waitForFinished(30000));
    ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(reader.readAllStandardOutput()).array();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows.at(0).toArray().at(1).toString(), QStringLiteral("<n>"));
    EXPECT_EQ(rows.at(1).toArray().at(0).toString(), QStringLiteral("Say \"hi\", ok"));
    EXPECT_EQ(rows.at(1).toArray().at(1).toString(), QStringLiteral("a<b & <script>"));
    EXPECT_EQ(rows.at(2).toArray().at(0).toString(), QStringLiteral("Fl\u00fcgel"));
    EXPECT_EQ(rows.at(2).toArray().at(1).toString(), QStringLiteral("two\r\nlines"));
}

TEST_F(QueryExportTest, RefusesWritingQueriesAndReportsFailures)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Rockets (Name) VALUES ('keep')"}));
    const int wipe = save(QStringLiteral("wipe"), QStringLiteral("DELETE FROM Rockets"));
    EXPECT_EQ(exportTo(wipe, QStringLiteral("wipe.csv")), ExportStatus::QueryWrites);
    EXPECT_TRUE(m_message.contains(QStringLiteral("\"wipe\"")));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("wipe.csv"))));
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT Name FROM Rockets")), QStringList({"keep"}));

    // A failed export leaves a file of that name as it was.
    {
        QFile old(path(QStringLiteral("broken.csv")));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("previous");
    }
    const int broken = save(QStringLiteral("x broken"), QStringLiteral("SELECT nope FROM Rockets"));
    EXPECT_EQ(exportTo(broken, QStringLiteral("broken.csv")), ExportStatus::QueryFailed);
    EXPECT_TRUE(m_message.contains(QStringLiteral("nope"))) << m_message.toStdString();
    EXPECT_EQ(readTestFile(path(QStringLiteral("broken.csv"))), QByteArray("previous"));

    const int names = save(QStringLiteral("names"), QStringLiteral("SELECT Name FROM Rockets"));
    EXPECT_EQ(exportTo(names, QStringLiteral("no/such/folder/out.csv")), ExportStatus::FileFailed);
    EXPECT_TRUE(m_message.contains(QStringLiteral("out.csv")));
}

TEST_F(QueryExportTest, AFailedWriteLeavesThePreviousFile)
{
    const int names = save(QStringLiteral("names"), QStringLiteral("SELECT printf('%.200c', 'n') AS Name"));
    const QString target = path(QStringLiteral("kept.csv"));
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("previous");
    }
    // A file-size limit makes the write fail halfway, for every user (root included).
    rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small {64, saved.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString message;
    const ExportStatus status = exportSavedQuery(m_store, names, target, &message);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(status, ExportStatus::FileFailed);
    EXPECT_FALSE(message.isEmpty());
    EXPECT_EQ(readTestFile(target), QByteArray("previous"));
    EXPECT_EQ(QDir(path(QString())).entryList({QStringLiteral("kept*")}, QDir::Files), QStringList({"kept.csv"}));
}

TEST_F(QueryExportTest, ExportCommandOfTheViewer)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Rockets (Name) VALUES ('Alpha')"}));
    save(QStringLiteral("a names"), QStringLiteral("SELECT Name FROM Rockets"));
    save(QStringLiteral("b wipe"), QStringLiteral("DELETE FROM Rockets"));
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    CQueryDlg viewer(m_store, {prompter, files});

    viewer.onExport(); // nothing chosen: no dialog
    EXPECT_TRUE(files.requests().isEmpty());

    viewer.selectQuery(0);
    files.script({path(QStringLiteral("names")), QString()});
    viewer.onExport(); // a name without an ending gets ".csv"
    ASSERT_EQ(files.requests().size(), 1);
    EXPECT_TRUE(files.requests().at(0).save);
    EXPECT_EQ(files.requests().at(0).filter, QStringLiteral("CSV Files (*.csv);;WEB Files (*.htm)"));
    EXPECT_EQ(readTestFile(path(QStringLiteral("names.csv"))), QByteArray("\"Name\"\r\n\"Alpha\"\r\n"));
    viewer.onExport(); // Cancel
    EXPECT_TRUE(prompter.shown().isEmpty());

    // Replacing the file that the default ending named is asked about first.
    files.script({path(QStringLiteral("names"))});
    prompter.script({PromptAnswer::No});
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Rockets (Name) VALUES ('Beta')"}));
    viewer.onExport();
    ASSERT_EQ(prompter.shown().size(), 1);
    EXPECT_EQ(prompter.shown().at(0).caption, QStringLiteral("Warning"));
    EXPECT_EQ(readTestFile(path(QStringLiteral("names.csv"))), QByteArray("\"Name\"\r\n\"Alpha\"\r\n"));

    prompter.clear();
    viewer.selectQuery(1); // shows its own refusal
    prompter.clear();
    files.script({path(QStringLiteral("wipe.csv"))});
    viewer.onExport();
    ASSERT_EQ(prompter.shown().size(), 1);
    EXPECT_EQ(prompter.shown().at(0).caption, QStringLiteral("Error"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("wipe.csv"))));
}

TEST(ExportCli, WritesTheSameBytesAsTheViewer)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    auto cli = [](const QStringList &arguments, QByteArray *output = nullptr) {
        QProcess process;
        process.start(QStringLiteral(TARVEL_CLI), arguments);
        if (!process.waitForFinished(60000))
            return -1;
        if (output)
            *output = process.readAllStandardOutput() + process.readAllStandardError();
        return process.exitCode();
    };
    QByteArray info;
    ASSERT_EQ(cli({QStringLiteral("info")}, &info), 0) << info.toStdString();
    QString storage;
    for (const QByteArray &line : info.split('\n')) {
        if (line.startsWith("storage: "))
            storage = QString::fromUtf8(line.mid(9));
    }
    ASSERT_FALSE(storage.isEmpty());

    {
        CRecordStore store;
        ASSERT_TRUE(store.Open(storage));
        ASSERT_TRUE(store.RunSql(QStringLiteral("INSERT INTO Rockets (Name, Notes) VALUES ('Alpha', 'say \"hi\"')")));
        addSavedQuery(store, {QStringLiteral("Rocks"), QStringLiteral("SELECT Name, Notes FROM Rockets")});
        addSavedQuery(store, {QStringLiteral("Rocks"), QStringLiteral("SELECT Name FROM Rockets")});
        addSavedQuery(store, {QStringLiteral("Wipe"), QStringLiteral("DELETE FROM Rockets")});
        addSavedQuery(store, {QStringLiteral("Typo"), QStringLiteral("SELEC Name FROM Rockets")});

        CScriptedPrompter prompter;
        CScriptedFileChooser files;
        CQueryDlg viewer(store, {prompter, files});
        viewer.selectQuery(0);
        files.script({out.filePath(QStringLiteral("viewer.htm")), out.filePath(QStringLiteral("viewer.csv"))});
        viewer.onExport();
        viewer.onExport();
    }

    QByteArray said;
    EXPECT_EQ(cli({QStringLiteral("export"), QStringLiteral("Rocks"), out.filePath(QStringLiteral("cli.csv"))}, &said),
              0)
        << said.toStdString();
    EXPECT_EQ(cli({QStringLiteral("export"), QStringLiteral("Rocks"), out.filePath(QStringLiteral("cli.htm"))}), 0);
    EXPECT_EQ(readTestFile(out.filePath(QStringLiteral("cli.csv"))),
              readTestFile(out.filePath(QStringLiteral("viewer.csv"))));
    EXPECT_EQ(readTestFile(out.filePath(QStringLiteral("cli.htm"))),
              readTestFile(out.filePath(QStringLiteral("viewer.htm"))));
    EXPECT_TRUE(readTestFile(out.filePath(QStringLiteral("cli.csv"))).contains("\"say \"\"hi\"\"\""));

    EXPECT_EQ(cli({QStringLiteral("export"), QStringLiteral("Nobody"), out.filePath(QStringLiteral("x.csv"))}, &said),
              1);
    EXPECT_TRUE(said.contains("Nobody"));
    EXPECT_EQ(cli({QStringLiteral("export"), QStringLiteral("Wipe"), out.filePath(QStringLiteral("w.csv"))}, &said), 1);
    EXPECT_FALSE(QFile::exists(out.filePath(QStringLiteral("w.csv"))));
    // A query SQLite refuses fails with SQLite's own reason.
    EXPECT_EQ(cli({QStringLiteral("export"), QStringLiteral("Typo"), out.filePath(QStringLiteral("t.csv"))}, &said), 1);
    EXPECT_TRUE(said.contains("near \"SELEC\": syntax error")) << said.toStdString();
    EXPECT_FALSE(QFile::exists(out.filePath(QStringLiteral("t.csv"))));
    EXPECT_EQ(cli({QStringLiteral("export"), QStringLiteral("Rocks"), out.filePath(QStringLiteral("no/dir/y.csv"))}),
              1);

    QByteArray listed;
    ASSERT_EQ(cli({QStringLiteral("queries")}, &listed), 0);
    EXPECT_EQ(listed,
              QByteArray("Rocks\tSELECT Name, Notes FROM Rockets\nRocks\tSELECT Name FROM Rockets\n"
                         "Typo\tSELEC Name FROM Rockets\nWipe\tDELETE FROM Rockets\n"));
}
