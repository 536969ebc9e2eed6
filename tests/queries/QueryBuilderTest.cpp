#include "db/RecordStore.h"
#include "db/Schema.h"
#include "queries/QueryBuilderDlg.h"
#include "support/TestLogbook.h"
#include "ui/CommandBar.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

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
