#include "db/RecordStore.h"
#include "platform/SettingsStore.h"
#include "rockets/RecMotorsDlg.h"
#include "rockets/RocketEdit1Dlg.h"
#include "rockets/RocketEditSheet.h"
#include "rockets/RocketPage.h"
#include "support/ScreenDriver.h"
#include "support/TestLogbook.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

using driver::find;

namespace {

// A Rockets sheet on a test logbook, with the edit sheet driven by a script.
class RocketEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    }

    CRocketPage *makePage(CRocketBrowser::Mode mode = CRocketBrowser::Mode::Browse)
    {
        auto *page =
            new CRocketPage({m_store, m_settings, {m_prompter, m_files}, m_logbook.directory(), mode, &m_checklist});
        m_sheet.addPage(page);
        m_sheet.show();
        page->setSheetRunner([this](CPropertySheet &sheet) {
            sheet.show();
            ++m_sheetsRun;
            if (m_edit)
                m_edit(static_cast<CRocketEditSheet &>(sheet));
            driver::tap(sheet.confirmButton());
        });
        m_page = page;
        return page;
    }

    QComboBox *nameBox() { return find<QComboBox>(m_page, QStringLiteral("Rocket Name:")); }
    QComboBox *filterBox() { return find<QComboBox>(m_page, QStringLiteral("Filter")); }
    void next() { driver::tap(find<QToolButton>(m_page, QStringLiteral("Next rocket"))); }
    void command(const char *text) { driver::command(m_page, QString::fromLatin1(text)); }
    void renameTo(const char *name)
    {
        m_edit = [name](CRocketEditSheet &sheet) {
            driver::type(find<QLineEdit>(sheet.mainPage(), QStringLiteral("Name")), QString::fromLatin1(name));
        };
    }
    QStringList rows(const char *sql) { return m_logbook.rows(QString::fromUtf8(sql)); }

    CTestLogbook m_logbook;
    CRecordStore m_store;
    CSettingsStore m_settings {m_logbook.directory() + QStringLiteral("settings.ini")};
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
    QString m_checklist;
    CPropertySheet m_sheet {QStringLiteral("Rockets")};
    CRocketPage *m_page = nullptr;
    std::function<void(CRocketEditSheet &)> m_edit;
    int m_sheetsRun = 0;
};

} // namespace

TEST_F(RocketEditTest, AddedRocketIsNamedNoNameAndIsNeitherStagedNorClustered)
{
    makePage();
    bool clusterControlsShown = true;
    m_edit = [&](CRocketEditSheet &sheet) {
        driver::tab(sheet, 3);
        ASSERT_EQ(sheet.activeIndex(), 3);
        clusterControlsShown = find<QPushButton>(sheet.motorsPage(), QStringLiteral("Add to cluster"))->isVisible()
            || find<QLineEdit>(sheet.motorsPage(), QStringLiteral("Qty"))->isVisible();
    };
    command("ADD");
    EXPECT_EQ(m_sheetsRun, 1);
    EXPECT_FALSE(clusterControlsShown);
    // The Misc page was never shown, so its text fields stay null.
    EXPECT_EQ(rows("SELECT ID, Name, Stages, Clustered, Notes IS NULL FROM Rockets"), QStringList({"1|NoName|0|0|1"}));
    EXPECT_EQ(nameBox()->currentText(), QStringLiteral("NoName"));
}

TEST_F(RocketEditTest, EveryMainAndMiscFieldIsStoredInItsOwnColumn)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Rockets (ID,Name,Stages,Clustered) VALUES (1,'Alpha','0','0')"}));
    makePage();
    // Each field gets a text naming its column, so a swap shows in the row.
    const struct
    {
        int page;
        const char *label;
        const char *column;
    } fields[] = {{0, "Name", "Name"},
                  {0, "Model Type", "Type"},
                  {0, "Model MFG", "MFG"},
                  {0, "Status", "Status"},
                  {0, "Image file", "Image"},
                  {1, "Length", "Length"},
                  {1, "Max Diameter", "Diameter"},
                  {1, "Weight", "Weight"},
                  {1, "MMT", "MMT"},
                  {1, "CP location", "CP"},
                  {1, "Recovery", "Recovery"},
                  {1, "Launcher", "Launcher"}};
    m_edit = [&](CRocketEditSheet &sheet) {
        for (int pageIndex : {0, 1}) {
            driver::tab(sheet, pageIndex);
            ASSERT_EQ(sheet.activeIndex(), pageIndex);
            for (const auto &field : fields) {
                if (field.page != pageIndex)
                    continue;
                const QString label = QString::fromLatin1(field.label);
                QLineEdit *edit = find<QLineEdit>(sheet.activePage(), label);
                if (auto *combo = find<QComboBox>(sheet.activePage(), label))
                    edit = combo->lineEdit();
                driver::type(edit, QStringLiteral("v ") + QLatin1String(field.column));
            }
        }
        driver::tap(find<QCheckBox>(sheet.activePage(), QStringLiteral("Multistage")));
        auto *notes = find<QPlainTextEdit>(sheet.activePage(), QStringLiteral("Notes"));
        notes->setFocus();
        driver::keyClicks(notes, QStringLiteral("line 1"));
        driver::keyClick(notes, Qt::Key_Return);
        driver::keyClicks(notes, QStringLiteral("line 2"));
        // Leaving by another tab writes the Misc page back.
        driver::tab(sheet, 0);
    };
    command("EDIT");
    QString expected;
    for (const auto &field : fields)
        expected += QStringLiteral("v ") + QLatin1String(field.column) + QLatin1Char('|');
    expected += QStringLiteral("1|0|line 1\nline 2");
    EXPECT_EQ(rows("SELECT Name, Type, MFG, Status, Image, Length, Diameter, Weight, MMT, CP, Recovery, Launcher, "
                   "Stages, Clustered, Notes FROM Rockets"),
              QStringList({expected}));
}

// A page whose rocket the logbook will not take says why and keeps the sheet,
// with what was typed, in front of the flyer; nothing of it is stored.
TEST_F(RocketEditTest, RefusedSaveIsToldWithTheReasonAndStoresNothing)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Rockets (ID,Name,Stages,Clustered) VALUES (1,'Alpha','0','0')",
                                "CREATE TRIGGER NoEdits BEFORE UPDATE OF Type ON Rockets "
                                "BEGIN SELECT RAISE(ABORT, 'no edits here'); END"}));
    makePage();
    bool sheetStayed = false;
    m_edit = [&](CRocketEditSheet &sheet) {
        driver::type(find<QLineEdit>(sheet.mainPage(), QStringLiteral("Name")), QStringLiteral("Beta"));
        driver::tap(sheet.confirmButton());
        sheetStayed = sheet.isVisible();
    };
    command("EDIT");
    EXPECT_TRUE(sheetStayed);
    ASSERT_FALSE(m_prompter.shown().isEmpty());
    EXPECT_EQ(m_prompter.shown().last().text, "The rocket could not be saved: no edits here");
    EXPECT_EQ(rows("SELECT Name FROM Rockets"), QStringList({"Alpha"}));
}

// After EDIT or ADD the browser shows that rocket; a filter that leaves out the
// rocket shown names none, and the commands act on nothing.
TEST_F(RocketEditTest, FilterNeverLeavesTheCommandsOnAnUnnamedRocket)
{
    ASSERT_TRUE(m_logbook.exec({
        "INSERT INTO Rockets (ID,Name) VALUES (1,'Charlie'), (2,'Alpha'), (3,'Bravo')",
        "INSERT INTO Queries (Name,Query) VALUES ('Only B','SELECT * FROM Rockets WHERE Name LIKE ''B%''')",
        "INSERT INTO Queries (Name,Query) VALUES ('By ID','SELECT * FROM Rockets ORDER BY ID')",
    }));
    makePage();
    // Alpha renamed to Zulu moves to the end of the name order.
    renameTo("Zulu");
    command("EDIT");
    EXPECT_EQ(nameBox()->currentText(), QStringLiteral("Zulu"));
    EXPECT_EQ(m_page->browser().view().rocketId, QStringLiteral("2"));

    driver::choose(filterBox(), 0);
    EXPECT_TRUE(nameBox()->currentText().isEmpty());
    m_prompter.setFallback(PromptAnswer::Yes);
    command("EDIT");
    command("DELETE");
    EXPECT_EQ(m_sheetsRun, 1);
    EXPECT_TRUE(m_prompter.shown().isEmpty());
    EXPECT_EQ(rows("SELECT count(*) FROM Rockets"), QStringList({"3"}));

    // A rocket added under a filter that leaves it out is shown in the whole list.
    renameTo("Delta");
    command("ADD");
    EXPECT_EQ(nameBox()->currentText(), QStringLiteral("Delta"));
    EXPECT_EQ(nameBox()->count(), 4);
    EXPECT_EQ(m_page->browser().view().rocketId, QStringLiteral("4"));

    // Bravo, chosen in the filtered list, stays named in a list that holds it.
    driver::choose(filterBox(), 0);
    ASSERT_EQ(nameBox()->count(), 1);
    driver::choose(nameBox(), 0);
    driver::choose(filterBox(), 1);
    EXPECT_EQ(nameBox()->currentText(), QStringLiteral("Bravo"));
    command("DELETE");
    ASSERT_FALSE(m_prompter.shown().isEmpty());
    EXPECT_EQ(m_prompter.shown().first().text, QStringLiteral("Delete the rocket Bravo?"));
    EXPECT_EQ(rows("SELECT Name FROM Rockets ORDER BY Name"), QStringList({"Charlie", "Delta", "Zulu"}));
}

TEST_F(RocketEditTest, LaunchModeFliesOnlyTheRocketItNames)
{
    ASSERT_TRUE(m_logbook.exec({
        "INSERT INTO Rockets (ID,Name,CheckList) VALUES (1,'Alpha','Arm,'), (2,'Bravo',NULL)",
        "INSERT INTO Queries (Name,Query) VALUES ('Only B','SELECT * FROM Rockets WHERE Name LIKE ''B%''')",
    }));
    CRocketPage *page = makePage(CRocketBrowser::Mode::Launch);
    // The wizard starts with no rocket chosen.
    EXPECT_TRUE(nameBox()->currentText().isEmpty());
    next();
    ASSERT_EQ(nameBox()->currentText(), QStringLiteral("Alpha"));
    driver::choose(filterBox(), 0);
    QString flown = QStringLiteral("not flown");
    QObject::connect(page, &CRocketPage::flyIt, page, [&] { flown = page->browser().view().rocketId; });
    driver::tap(find<QPushButton>(page, QStringLiteral("Fly It")));
    EXPECT_EQ(flown, QStringLiteral("0"));
    EXPECT_TRUE(page->browser().view().checklist.isEmpty());
}

TEST_F(RocketEditTest, AddOpensTheFirstTempNewInNameOrder)
{
    ASSERT_TRUE(m_logbook.exec(
        {"INSERT INTO Rockets (ID,Name) VALUES (1,'TempNew')", "INSERT INTO Rockets (ID,Name) VALUES (2,'Zulu')"}));
    makePage();
    renameTo("Edited");
    command("ADD");
    // The older TempNew row was edited; the new one keeps its name.
    EXPECT_EQ(rows("SELECT ID, Name FROM Rockets ORDER BY ID"), QStringList({"1|Edited", "2|Zulu", "3|TempNew"}));
}

TEST_F(RocketEditTest, DeleteWithLaunchesCountsThemAndNoKeepsEverything)
{
    ASSERT_TRUE(m_logbook.exec({
        "INSERT INTO Rockets (ID,Name) VALUES (1,'A'), (2,'B'), (3,'C')",
        "INSERT INTO RecMotors (RocketID,Type) VALUES (2,'B6'), (3,'C6')",
        "INSERT INTO Launches (Model) VALUES ('1'), ('1'), ('3')",
    }));
    makePage();
    // No to the question on the launches, then to the first question: nothing goes.
    m_prompter.script({PromptAnswer::Yes, PromptAnswer::Ok, PromptAnswer::No, PromptAnswer::No});
    command("DELETE");
    ASSERT_EQ(m_prompter.shown().size(), 3);
    EXPECT_EQ(m_prompter.shown().at(2).text,
              QStringLiteral("There are 2 Launch records associated with this rocket\n"
                             "these will also be removed.\nContinue?"));
    command("DELETE");
    EXPECT_EQ(m_prompter.shown().size(), 4);
    EXPECT_EQ(rows("SELECT count(*) FROM Rockets"), QStringList({"3"}));
    EXPECT_EQ(rows("SELECT count(*) FROM Launches"), QStringList({"3"}));

    // B, without flights, is named and asked about once; the rockets above it move down.
    next();
    ASSERT_EQ(nameBox()->currentText(), QStringLiteral("B"));
    m_prompter.clear();
    m_prompter.script({PromptAnswer::Yes});
    command("DELETE");
    ASSERT_EQ(m_prompter.shown().size(), 2);
    EXPECT_EQ(m_prompter.shown().at(0).text, QStringLiteral("Delete the rocket B?"));
    EXPECT_EQ(rows("SELECT ID, Name FROM Rockets ORDER BY ID"), QStringList({"1|A", "2|C"}));
    EXPECT_EQ(rows("SELECT RocketID, Type FROM RecMotors"), QStringList({"2|C6"}));
    EXPECT_EQ(rows("SELECT Model FROM Launches"), QStringList({"1", "1", "2"}));
    EXPECT_TRUE(nameBox()->currentText().isEmpty());
    EXPECT_EQ(m_page->browser().position(), -1);

    // Yes to every question takes A's flights with it.
    next();
    ASSERT_EQ(nameBox()->currentText(), QStringLiteral("A"));
    m_prompter.script({PromptAnswer::Yes, PromptAnswer::Ok, PromptAnswer::Yes});
    command("DELETE");
    EXPECT_EQ(rows("SELECT ID, Name FROM Rockets"), QStringList({"1|C"}));
    EXPECT_EQ(rows("SELECT RocketID FROM RecMotors"), QStringList({"1"}));
    EXPECT_EQ(rows("SELECT Model FROM Launches"), QStringList({"1"}));
}

TEST_F(RocketEditTest, DeleteThatFailsHalfwayLeavesTheLogbookAsItWas)
{
    ASSERT_TRUE(m_logbook.exec({
        "INSERT INTO Rockets (ID,Name) VALUES (1,'A'), (2,'B')",
        "INSERT INTO RecMotors (RocketID,Type) VALUES (1,'A8'), (2,'B6')",
        "INSERT INTO Launches (Model) VALUES ('1')",
        // The launches of a deleted rocket cannot be removed.
        "CREATE TRIGGER keep_launches BEFORE DELETE ON Launches BEGIN SELECT RAISE(ABORT, 'kept'); END",
    }));
    makePage();
    m_prompter.script({PromptAnswer::Yes, PromptAnswer::Ok, PromptAnswer::Yes});
    command("DELETE");
    EXPECT_EQ(m_prompter.shown().last().caption, QStringLiteral("Error"));
    EXPECT_EQ(rows("SELECT ID, Name FROM Rockets ORDER BY ID"), QStringList({"1|A", "2|B"}));
    EXPECT_EQ(rows("SELECT RocketID FROM RecMotors ORDER BY RocketID"), QStringList({"1", "2"}));
    EXPECT_EQ(rows("SELECT Model FROM Launches"), QStringList({"1"}));
}

// Reopened, the page names the first rocket in name order, ready to edit, and
// hands its owner the checklist of the rocket shown.
TEST_F(RocketEditTest, BrowsePageKeepsTheOwnersChecklistCurrent)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Rockets (ID,Name,CheckList) VALUES (1,'Bravo','Arm,Clear,')",
                                "INSERT INTO Rockets (ID,Name) VALUES (2,'Alpha')"}));
    makePage();
    EXPECT_EQ(nameBox()->currentText(), QStringLiteral("Alpha"));
    command("EDIT");
    EXPECT_EQ(m_sheetsRun, 1);
    next();
    EXPECT_EQ(m_checklist, QStringLiteral("Arm,Clear,"));
    next();
    EXPECT_TRUE(m_checklist.isEmpty());
    EXPECT_TRUE(m_page->isImageShown());
    driver::tap(find<QWidget>(m_page, QStringLiteral("Picture")));
    EXPECT_FALSE(m_page->isImageShown());
}

TEST_F(RocketEditTest, RocketThatDisappearedIsNeitherEditedNorDeleted)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Rockets (ID,Name) VALUES (1,'A')"}));
    makePage();
    ASSERT_TRUE(m_logbook.exec({"DELETE FROM Rockets"}));
    command("EDIT");
    command("DELETE");
    EXPECT_EQ(m_sheetsRun, 0);
    EXPECT_TRUE(m_prompter.shown().isEmpty());
}

TEST_F(RocketEditTest, OpeningThePageAddsMissingIndexes)
{
    ASSERT_TRUE(m_logbook.exec({"DROP INDEX IF EXISTS LaunchesByModel"}));
    makePage();
    EXPECT_EQ(rows("SELECT name FROM sqlite_master WHERE name='LaunchesByModel'"), QStringList({"LaunchesByModel"}));
}
