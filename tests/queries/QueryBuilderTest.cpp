#include "db/RecordStore.h"
#include "db/Schema.h"
#include "queries/QueryBuilderDlg.h"
#include "support/TestLogbook.h"
#include "ui/CommandBar.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {
class QueryBuilderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    }

    QStringList stored() const
    {
        return m_logbook.rows(QStringLiteral("SELECT Name, Query FROM Queries ORDER BY Name, rowid"));
    }

    QStringList lines(const CQueryBuilderDlg &builder) const
    {
        QStringList texts;
        for (int i = 0; i < builder.queryList()->count(); ++i)
            texts.append(builder.queryList()->item(i)->text());
        return texts;
    }

    void type(CQueryBuilderDlg &builder, const QString &name, const QString &sql)
    {
        builder.nameEdit()->setText(name);
        builder.sqlEdit()->setPlainText(sql);
    }

    CTestLogbook m_logbook;
    CRecordStore m_store;
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
    CUiServices m_ui {m_prompter, m_files};
};
} // namespace

TEST_F(QueryBuilderTest, AddStoresTheTextsExactlyAsTyped)
{
    CQueryBuilderDlg builder(m_store, m_ui);
    type(builder, QStringLiteral("O'Brien's"), QStringLiteral("Select * FROM Rockets WHERE Type='Sport'"));
    builder.onAdd();
    type(builder, QStringLiteral("quotes"), QStringLiteral("'''"));
    builder.onAdd();
    EXPECT_EQ(stored(), QStringList({"O'Brien's|Select * FROM Rockets WHERE Type='Sport'", "quotes|'''"}));
    EXPECT_EQ(lines(builder), QStringList({"O'Brien's\tSelect * FROM Rockets WHERE Type='Sport'", "quotes\t'''"}));
    EXPECT_TRUE(m_prompter.shown().isEmpty());
}

TEST_F(QueryBuilderTest, AddWithAnEmptyFieldAsksForMoreData)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Queries (Name, Query) VALUES ('A', 'Select 1')"}));
    CQueryBuilderDlg builder(m_store, m_ui);
    type(builder, QStringLiteral("name only"), QString());
    builder.onAdd();
    type(builder, QString(), QStringLiteral("Select 2"));
    builder.onAdd();
    // UPDATE checks the fields before it removes the chosen query.
    builder.queryList()->setCurrentRow(0);
    builder.sqlEdit()->clear();
    builder.onUpdate();
    EXPECT_EQ(stored(), QStringList({"A|Select 1"}));
    ASSERT_EQ(m_prompter.shown().size(), 3);
    for (const auto &prompt : m_prompter.shown())
        EXPECT_EQ(prompt.text, QStringLiteral("Please enter more data"));
}

TEST_F(QueryBuilderTest, RemoveActsOnlyOnTheSelectedLine)
{
    // Twins are told apart by position alone.
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Queries (Name, Query) VALUES ('Twin', 'Select 1')",
                                "INSERT INTO Queries (Name, Query) VALUES ('Twin', 'Select 2')",
                                "INSERT INTO Queries (Name, Query) VALUES ('Alpha', 'Select 3')"}));
    CQueryBuilderDlg builder(m_store, m_ui);
    EXPECT_EQ(lines(builder), QStringList({"Alpha\tSelect 3", "Twin\tSelect 1", "Twin\tSelect 2"}));
    builder.onRemove(); // nothing chosen
    EXPECT_EQ(stored().size(), 3);

    builder.queryList()->setCurrentRow(2);
    EXPECT_EQ(builder.nameEdit()->text(), QStringLiteral("Twin"));
    EXPECT_EQ(builder.sqlEdit()->toPlainText(), QStringLiteral("Select 2"));
    builder.onRemove();
    EXPECT_EQ(stored(), QStringList({"Alpha|Select 3", "Twin|Select 1"}));
    EXPECT_EQ(lines(builder), QStringList({"Alpha\tSelect 3", "Twin\tSelect 1"}));
    EXPECT_TRUE(builder.queryList()->selectedItems().isEmpty());
    builder.onRemove(); // again, with nothing chosen
    EXPECT_EQ(stored().size(), 2);

    // A list refilled by ADD shows no selection, so REMOVE has nothing to act on.
    builder.queryList()->setCurrentRow(0);
    type(builder, QStringLiteral("D"), QStringLiteral("Select 4"));
    builder.onAdd();
    builder.onRemove();
    EXPECT_EQ(stored(), QStringList({"Alpha|Select 3", "D|Select 4", "Twin|Select 1"}));
}

TEST_F(QueryBuilderTest, UpdateReplacesTheSelectionOrAddsWithoutOne)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Queries (Name, Query) VALUES ('A', 'Select 1')",
                                "INSERT INTO Queries (Name, Query) VALUES ('B', 'Select 2')"}));
    CQueryBuilderDlg builder(m_store, m_ui);
    type(builder, QStringLiteral("New"), QStringLiteral("Select 9"));
    builder.onUpdate(); // no line chosen: ADD alone
    EXPECT_EQ(stored(), QStringList({"A|Select 1", "B|Select 2", "New|Select 9"}));

    builder.queryList()->setCurrentRow(1); // B
    builder.sqlEdit()->setPlainText(QStringLiteral("Select 'two'"));
    builder.onUpdate();
    EXPECT_EQ(stored(), QStringList({"A|Select 1", "B|Select 'two'", "New|Select 9"}));
    EXPECT_EQ(lines(builder).size(), 3);
}

TEST_F(QueryBuilderTest, DefaultAddsThreeQueriesEachTimeTheUserAgrees)
{
    CQueryBuilderDlg builder(m_store, m_ui);
    m_prompter.script({PromptAnswer::No, PromptAnswer::Yes, PromptAnswer::Yes});
    builder.onDefault();
    EXPECT_TRUE(stored().isEmpty());
    builder.onDefault();
    EXPECT_EQ(lines(builder),
              QStringList({"All Rockets\tSelect * FROM Rockets", "Estes Rockets\tSelect * FROM Rockets WHERE MFG='EST'",
                           "Sport Models\tSelect * FROM Rockets WHERE Type='Sport'"}));
    builder.onDefault();
    EXPECT_EQ(stored().size(), 6);
    EXPECT_EQ(lines(builder).size(), 6);
}

// While another program holds the logbook's write lock, ADD and UPDATE say
// the query was not saved, and why; nothing is stored behind the list.
TEST_F(QueryBuilderTest, RefusedSaveIsTold)
{
    CQueryBuilderDlg builder(m_store, m_ui);
    builder.show();
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(m_logbook.databaseFile().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    m_store.setBusyTimeout(50);
    type(builder, QStringLiteral("Sport"), QStringLiteral("Select * FROM Rockets"));
    for (const char *command : {"ADD", "UPDATE"}) {
        for (QAction *action : builder.commandBar()->actions()) {
            if (action->text() == QLatin1String(command))
                QTest::mouseClick(builder.commandBar()->widgetForAction(action), Qt::LeftButton);
        }
    }
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    const QString refused = QStringLiteral("The query could not be saved: another program is writing to the logbook "
                                           "%1: try again when it has finished")
                                .arg(m_logbook.databaseFile());
    ASSERT_EQ(m_prompter.shown().size(), 2);
    for (const auto &shown : m_prompter.shown()) {
        EXPECT_EQ(shown.caption, QStringLiteral("Error"));
        EXPECT_EQ(shown.text, refused);
    }
    EXPECT_TRUE(stored().isEmpty());
    EXPECT_TRUE(lines(builder).isEmpty());
}

TEST_F(QueryBuilderTest, SqlTextIsLimitedToTheColumnWidth)
{
    CQueryBuilderDlg builder(m_store, m_ui);
    builder.sqlEdit()->setPlainText(QString(kMaxQueryTextLength + 50, QLatin1Char('x')));
    EXPECT_EQ(builder.sqlEdit()->toPlainText().size(), kMaxQueryTextLength);
}

TEST_F(QueryBuilderTest, AllFourCommandsFitOnTheBar)
{
    CQueryBuilderDlg builder(m_store, m_ui);
    builder.show();
    QStringList shown;
    for (QAction *action : builder.commandBar()->actions()) {
        QWidget *button = builder.commandBar()->widgetForAction(action);
        if (button && button->isVisible() && button->geometry().right() < builder.width())
            shown.append(action->text());
    }
    EXPECT_EQ(shown, QStringList({"ADD", "REMOVE", "UPDATE", "DEFAULT"}));
}
