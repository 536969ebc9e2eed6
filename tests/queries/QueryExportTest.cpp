#include "queries/QueryExport.h"

#include "db/RecordStore.h"
#include "queries/QueryDlg.h"
#include "queries/SavedQueries.h"
#include "support/CliHome.h"
#include "support/TestFiles.h"
#include "support/TestLogbook.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QDir>
#include <QFile>
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
        EXPECT_TRUE(addSavedQuery(m_store, {name, sql}));
        return savedQueryIndex(m_store, name);
    }

    QString path(const QString &file) const { return m_out.filePath(file); }
    QByteArray read(const QString &file) const { return readTestFile(path(file)); }

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
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Rockets (Name, MFG) VALUES ('X', 'EST')",
                                "INSERT INTO Rockets (Name, MFG) VALUES ('Y', 'QST')"}));
    const int index = save(QStringLiteral("ex"), QStringLiteral("SELECT Name, MFG FROM Rockets ORDER BY Name DESC"));
    // A longer file of that name is replaced whole, not overwritten in place.
    ASSERT_TRUE(writeTestFile(path(QStringLiteral("out.csv")), QByteArray(5000, 'z')));

    EXPECT_EQ(exportTo(index, QStringLiteral("out.csv")), ExportStatus::Written);
    EXPECT_EQ(read(QStringLiteral("out.csv")), QByteArray("\"Name\",\"MFG\"\r\n\"Y\",\"QST\"\r\n\"X\",\"EST\"\r\n"));
    EXPECT_EQ(exportTo(index, QStringLiteral("OUT.HTM")), ExportStatus::Written);
    EXPECT_EQ(read(QStringLiteral("OUT.HTM")),
              kHtmlOpening
                  + "<TR><TD>Name</TD><TD>MFG</TD></TR><TR><TD>Y</TD><TD>QST</TD></TR><TR><TD>X</TD><TD>EST</TD></TR>"
                  + kHtmlClosing);
    EXPECT_EQ(exportTo(index, QStringLiteral("page.Html")), ExportStatus::Written);
    EXPECT_EQ(read(QStringLiteral("page.Html")), read(QStringLiteral("OUT.HTM")));

    EXPECT_EQ(exportTo(index, QStringLiteral("notes.txt")), ExportStatus::NothingToWrite);
    EXPECT_EQ(exportTo(7, QStringLiteral("none.csv")), ExportStatus::NothingToWrite);
    EXPECT_EQ(exportTo(save(QStringLiteral("empty"), QString()), QStringLiteral("blank.csv")),
              ExportStatus::NothingToWrite);
    EXPECT_EQ(QDir(path(QString())).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase),
              QStringList({"out.csv", "OUT.HTM", "page.Html"}));
}

TEST_F(QueryExportTest, EmptyResultsAndEmptyValues)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Rockets (Name, MFG, Notes) VALUES ('Alpha', '', NULL)"}));
    const int none = save(QStringLiteral("a none"), QStringLiteral("SELECT Name FROM Rockets WHERE 0"));
    EXPECT_EQ(exportTo(none, QStringLiteral("empty.csv")), ExportStatus::Written);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("empty.csv"))));
    EXPECT_EQ(read(QStringLiteral("empty.csv")), QByteArray());
    EXPECT_EQ(exportTo(none, QStringLiteral("empty.htm")), ExportStatus::Written);
    EXPECT_EQ(read(QStringLiteral("empty.htm")), kHtmlOpening + kHtmlClosing);

    const int blanks = save(QStringLiteral("b blanks"), QStringLiteral("SELECT Name, MFG, Notes FROM Rockets"));
    EXPECT_EQ(exportTo(blanks, QStringLiteral("blank.csv")), ExportStatus::Written);
    EXPECT_EQ(read(QStringLiteral("blank.csv")), QByteArray("\"Name\",\"MFG\",\"Notes\"\r\n\"Alpha\",\" \",\" \"\r\n"));
    EXPECT_EQ(exportTo(blanks, QStringLiteral("blank.htm")), ExportStatus::Written);
    EXPECT_TRUE(read(QStringLiteral("blank.htm")).contains("<TR><TD>Alpha</TD><TD> </TD><TD> </TD></TR>"));
}

TEST_F(QueryExportTest, QuotesAndMarkupAreEscapedAndUtf8IsWritten)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Rockets (Name, Notes) VALUES ('Say \"hi\", ok', 'a<b & <script>')",
                                "INSERT INTO Rockets (Name, Notes) VALUES ('Fl\xC3\xBCgel', 'two\r\nlines')"}));
    const int index =
        save(QStringLiteral("n"), QStringLiteral("SELECT Name, Notes AS \"<n>\" FROM Rockets ORDER BY rowid"));

    EXPECT_EQ(exportTo(index, QStringLiteral("esc.htm")), ExportStatus::Written);
    const QByteArray html = read(QStringLiteral("esc.htm"));
    EXPECT_TRUE(html.contains("<TD>&lt;n&gt;</TD>"));
    EXPECT_TRUE(html.contains("<TD>Say &quot;hi&quot;, ok</TD><TD>a&lt;b &amp; &lt;script&gt;</TD>"));
    EXPECT_FALSE(html.contains("<script>"));

    // Quoted fields double their quotes and keep commas and line breaks; UTF-8 without a byte-order mark.
    EXPECT_EQ(exportTo(index, QStringLiteral("esc.csv")), ExportStatus::Written);
    EXPECT_EQ(read(QStringLiteral("esc.csv")),
              QByteArray("\"Name\",\"<n>\"\r\n\"Say \"\"hi\"\", ok\",\"a<b & <script>\"\r\n"
                         "\"Fl\xC3\xBCgel\",\"two\r\nlines\"\r\n"));
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
    ASSERT_TRUE(writeTestFile(path(QStringLiteral("broken.csv")), "previous"));
    const int broken = save(QStringLiteral("x broken"), QStringLiteral("SELECT nope FROM Rockets"));
    EXPECT_EQ(exportTo(broken, QStringLiteral("broken.csv")), ExportStatus::QueryFailed);
    EXPECT_TRUE(m_message.contains(QStringLiteral("nope"))) << m_message.toStdString();
    EXPECT_EQ(read(QStringLiteral("broken.csv")), QByteArray("previous"));

    const int names = save(QStringLiteral("names"), QStringLiteral("SELECT Name FROM Rockets"));
    EXPECT_EQ(exportTo(names, QStringLiteral("no/such/folder/out.csv")), ExportStatus::FileFailed);
    EXPECT_TRUE(m_message.contains(QStringLiteral("out.csv")));
}

TEST_F(QueryExportTest, AFailedWriteLeavesThePreviousFile)
{
    const int names = save(QStringLiteral("names"), QStringLiteral("SELECT printf('%.200c', 'n') AS Name"));
    ASSERT_TRUE(writeTestFile(path(QStringLiteral("kept.csv")), "previous"));
    // A file-size limit makes the write fail halfway, for every user (root included).
    rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small {64, saved.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const ExportStatus status = exportTo(names, QStringLiteral("kept.csv"));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(status, ExportStatus::FileFailed);
    EXPECT_FALSE(m_message.isEmpty());
    EXPECT_EQ(QDir(path(QString())).entryList(QDir::Files), QStringList({"kept.csv"}));
    EXPECT_EQ(read(QStringLiteral("kept.csv")), QByteArray("previous"));
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
    EXPECT_EQ(read(QStringLiteral("names.csv")), QByteArray("\"Name\"\r\n\"Alpha\"\r\n"));
    viewer.onExport(); // Cancel
    EXPECT_EQ(files.requests().size(), 2);
    EXPECT_TRUE(prompter.shown().isEmpty());

    // Replacing the file that the default ending named is asked about first.
    files.script({path(QStringLiteral("names"))});
    prompter.script({PromptAnswer::No});
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Rockets (Name) VALUES ('Beta')"}));
    viewer.onExport();
    EXPECT_EQ(prompter.shown().size(), 1);
    EXPECT_EQ(read(QStringLiteral("names.csv")), QByteArray("\"Name\"\r\n\"Alpha\"\r\n"));

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
    CCliHome home;
    QByteArray said;
    auto cli = [&](const QStringList &arguments) {
        const CCliHome::CResult result = home.run(arguments);
        said = result.out + result.err.toUtf8();
        return result.status;
    };
    auto exported = [&](const char *query, const char *file) {
        return cli({QStringLiteral("export"), QLatin1String(query), out.filePath(QLatin1String(file))});
    };
    ASSERT_EQ(cli({QStringLiteral("info")}), 0) << said.toStdString();
    const QString storage = home.storageDirectory();

    {
        CRecordStore store;
        ASSERT_TRUE(store.Open(storage));
        ASSERT_TRUE(store.RunSql(QStringLiteral("INSERT INTO Rockets (Name, Notes) VALUES ('Alpha', 'say \"hi\"')")));
        ASSERT_TRUE(addSavedQuery(store, {QStringLiteral("Rocks"), QStringLiteral("SELECT Name, Notes FROM Rockets")}));
        ASSERT_TRUE(addSavedQuery(store, {QStringLiteral("Rocks"), QStringLiteral("SELECT Name FROM Rockets")}));
        ASSERT_TRUE(addSavedQuery(store, {QStringLiteral("Wipe"), QStringLiteral("DELETE FROM Rockets")}));
        ASSERT_TRUE(addSavedQuery(store, {QStringLiteral("Typo"), QStringLiteral("SELEC Name FROM Rockets")}));

        CScriptedPrompter prompter;
        CScriptedFileChooser files;
        CQueryDlg viewer(store, {prompter, files});
        viewer.selectQuery(0);
        files.script({out.filePath(QStringLiteral("viewer.htm")), out.filePath(QStringLiteral("viewer.csv"))});
        viewer.onExport();
        viewer.onExport();
    }

    EXPECT_EQ(exported("Rocks", "cli.csv"), 0) << said.toStdString();
    EXPECT_EQ(exported("Rocks", "cli.htm"), 0);
    for (const char *ending : {".csv", ".htm"}) {
        EXPECT_EQ(readTestFile(out.filePath(QLatin1String("cli") + QLatin1String(ending))),
                  readTestFile(out.filePath(QLatin1String("viewer") + QLatin1String(ending))))
            << ending;
    }
    EXPECT_TRUE(readTestFile(out.filePath(QStringLiteral("cli.csv"))).contains("\"say \"\"hi\"\"\""));

    EXPECT_EQ(exported("Nobody", "x.csv"), 1);
    EXPECT_TRUE(said.contains("Nobody"));
    EXPECT_EQ(exported("Wipe", "w.csv"), 1);
    // A query SQLite refuses fails with SQLite's own reason.
    EXPECT_EQ(exported("Typo", "t.csv"), 1);
    EXPECT_TRUE(said.contains("near \"SELEC\": syntax error")) << said.toStdString();
    EXPECT_EQ(exported("Rocks", "no/dir/y.csv"), 1);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 4); // the viewer's and the CLI's two each

    ASSERT_EQ(cli({QStringLiteral("queries")}), 0);
    EXPECT_EQ(said,
              QByteArray("Rocks\tSELECT Name, Notes FROM Rockets\nRocks\tSELECT Name FROM Rockets\n"
                         "Typo\tSELEC Name FROM Rockets\nWipe\tDELETE FROM Rockets\n"));
}
