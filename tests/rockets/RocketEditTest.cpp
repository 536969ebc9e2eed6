#include "db/RecordStore.h"
#include "platform/SettingsStore.h"
#include "rockets/RecMotorsDlg.h"
#include "rockets/RocketEdit1Dlg.h"
#include "rockets/RocketEdit2Dlg.h"
#include "rockets/RocketEditSheet.h"
#include "rockets/RocketPage.h"
#include "support/TestLogbook.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

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

    CRocketPage *makePage()
    {
        auto *page = new CRocketPage({m_store,
                                      m_settings,
                                      {m_prompter, m_files},
                                      m_logbook.directory(),
                                      CRocketBrowser::Mode::Browse,
                                      &m_checklist});
        m_sheet.addPage(page);
        m_sheet.activateFirstPage();
        page->setSheetRunner([this](CPropertySheet &sheet) {
            sheet.activateFirstPage();
            ++m_sheetsRun;
            if (m_edit)
                m_edit(static_cast<CRocketEditSheet &>(sheet));
            sheet.confirm();
        });
        return page;
    }

    QStringList rows(const char *sql) { return m_logbook.rows(QString::fromUtf8(sql)); }

    CTestLogbook m_logbook;
    CRecordStore m_store;
    CSettingsStore m_settings {m_logbook.directory() + QStringLiteral("settings.ini")};
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
    QString m_checklist;
    CPropertySheet m_sheet {QStringLiteral("Rockets")};
    std::function<void(CRocketEditSheet &)> m_edit;
    int m_sheetsRun = 0;
};

template<typename T> T *field(QWidget *page, const QString &accessibleName)
{
    for (T *widget : page->findChildren<T *>()) {
        if (widget->accessibleName() == accessibleName)
            return widget;
    }
    return nullptr;
}

} // namespace

TEST_F(RocketEditTest, AddToAnEmptyTableStoresNoNameAndLeavesMiscNull)
{
    CRocketPage *page = makePage();
    page->OnAdd();
    EXPECT_EQ(m_sheetsRun, 1);
    // Only the Main page was shown; the Misc page never wrote its fields.
    EXPECT_EQ(rows("SELECT ID, Name, Stages IS NULL, Clustered IS NULL, Notes IS NULL FROM Rockets"),
              QStringList({"1|NoName|1|1|1"}));
    EXPECT_EQ(page->browser().view().name, QStringLiteral("NoName"));
}

TEST_F(RocketEditTest, EditWritesBothPagesExactlyAsTyped)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Rockets (ID,Name) VALUES (1,'Alpha')"}));
    ASSERT_TRUE(m_settings.WriteSetting(QLatin1String(kSettingDefaultStatus), QStringLiteral("Flying,Retired,tail")));
    CRocketPage *page = makePage();
    page->stepRocket(1);
    QStringList statusEntries;
    m_edit = [&](CRocketEditSheet &sheet) {
        CRocketEdit1Dlg *main = sheet.mainPage();
        auto *statusCombo = field<QComboBox>(main, QStringLiteral("Status"));
        for (int i = 0; i < statusCombo->count(); ++i)
            statusEntries.append(statusCombo->itemText(i));
        field<QLineEdit>(main, QStringLiteral("Name"))->setText(QStringLiteral("O'Brien's Dart"));
        field<QComboBox>(main, QStringLiteral("Model MFG"))->setEditText(QStringLiteral("Bob's"));
        statusCombo->setEditText(QStringLiteral("Retired"));
        ASSERT_TRUE(sheet.setActivePage(1));
        CRocketEdit2Dlg *misc = sheet.miscPage();
        field<QLineEdit>(misc, QStringLiteral("Weight"))->setText(QStringLiteral("35 g"));
        field<QPlainTextEdit>(misc, QStringLiteral("Notes"))->setPlainText(QStringLiteral("Don't fly\nin wind"));
        for (QCheckBox *box : misc->findChildren<QCheckBox *>())
            box->setChecked(box->text() == QLatin1String("Clustered"));
    };
    page->OnEdit();
    EXPECT_EQ(statusEntries, QStringList({"Flying", "Retired"}));
    EXPECT_EQ(rows("SELECT Name, MFG, Status, Stages, Clustered, Weight, Notes, Length FROM Rockets"),
              QStringList({"O'Brien's Dart|Bob's|Retired|0|1|35 g|Don't fly\nin wind|"}));
    // The browser shows the edited rocket again.
    EXPECT_EQ(page->browser().view().name, QStringLiteral("O'Brien's Dart"));
    EXPECT_TRUE(page->browser().view().summary.contains(QStringLiteral("Clustered Motors\n")));
    EXPECT_FALSE(page->browser().view().summary.contains(QStringLiteral("Staged")));
}

TEST_F(RocketEditTest, AddOpensTheFirstTempNewInNameOrder)
{
    ASSERT_TRUE(m_logbook.exec(
        {"INSERT INTO Rockets (ID,Name) VALUES (1,'TempNew')", "INSERT INTO Rockets (ID,Name) VALUES (2,'Zulu')"}));
    CRocketPage *page = makePage();
    m_edit = [](CRocketEditSheet &sheet) {
        field<QLineEdit>(sheet.mainPage(), QStringLiteral("Name"))->setText(QStringLiteral("Edited"));
    };
    page->OnAdd();
    // The older TempNew row was edited; the new one keeps its name.
    EXPECT_EQ(rows("SELECT ID, Name FROM Rockets ORDER BY ID"), QStringList({"1|Edited", "2|Zulu", "3|TempNew"}));
}

TEST_F(RocketEditTest, DeleteWithoutLaunchesAsksTwiceAndRenumbers)
{
    ASSERT_TRUE(m_logbook.exec({
        "INSERT INTO Rockets (ID,Name) VALUES (1,'A')",
        "INSERT INTO Rockets (ID,Name) VALUES (2,'B')",
        "INSERT INTO Rockets (ID,Name) VALUES (3,'C')",
        "INSERT INTO RecMotors (RocketID,Type) VALUES (2,'B6')",
        "INSERT INTO RecMotors (RocketID,Type) VALUES (3,'C6')",
        "INSERT INTO Launches (Model) VALUES ('3')",
    }));
    CRocketPage *page = makePage();
    page->stepRocket(1);
    page->stepRocket(1);
    ASSERT_EQ(page->browser().view().name, QStringLiteral("B"));
    m_prompter.script({PromptAnswer::Yes});
    page->OnDelete();
    ASSERT_EQ(m_prompter.shown().size(), 2);
    EXPECT_EQ(m_prompter.shown().at(0).text, QStringLiteral("Delete the current Rocket?"));
    EXPECT_EQ(m_prompter.shown().at(0).caption, QStringLiteral("Warning"));
    EXPECT_EQ(m_prompter.shown().at(1).caption, QStringLiteral("Info"));
    EXPECT_EQ(rows("SELECT ID, Name FROM Rockets ORDER BY ID"), QStringList({"1|A", "2|C"}));
    EXPECT_EQ(rows("SELECT RocketID, Type FROM RecMotors"), QStringList({"2|C6"}));
    EXPECT_EQ(rows("SELECT Model FROM Launches"), QStringList({"2"}));
    EXPECT_TRUE(page->browser().view().empty);
    EXPECT_EQ(page->browser().position(), -1);
}

TEST_F(RocketEditTest, DeleteWithLaunchesAsksAThirdTimeAndNoKeepsEverything)
{
    ASSERT_TRUE(m_logbook.exec({
        "INSERT INTO Rockets (ID,Name) VALUES (1,'A')",
        "INSERT INTO Rockets (ID,Name) VALUES (2,'B')",
        "INSERT INTO Launches (Model) VALUES ('1')",
        "INSERT INTO Launches (Model) VALUES ('2')",
    }));
    CRocketPage *page = makePage();
    page->stepRocket(1);
    m_prompter.script({PromptAnswer::Yes, PromptAnswer::Ok, PromptAnswer::No});
    page->OnDelete();
    ASSERT_EQ(m_prompter.shown().size(), 3);
    EXPECT_EQ(m_prompter.shown().at(2).text,
              QStringLiteral("There are Launch records associated with this rocket\n"
                             "these will also be removed.\nContinue?"));
    EXPECT_EQ(rows("SELECT ID FROM Rockets ORDER BY ID"), QStringList({"1", "2"}));
    EXPECT_EQ(rows("SELECT Model FROM Launches ORDER BY Model").size(), 2);

    m_prompter.clear();
    m_prompter.script({PromptAnswer::Yes, PromptAnswer::Ok, PromptAnswer::Yes});
    page->OnDelete();
    EXPECT_EQ(rows("SELECT ID, Name FROM Rockets"), QStringList({"1|B"}));
    EXPECT_EQ(rows("SELECT Model FROM Launches"), QStringList({"1"}));

    // Answering No to the first question deletes nothing.
    page->stepRocket(1);
    m_prompter.clear();
    m_prompter.script({PromptAnswer::No});
    page->OnDelete();
    EXPECT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(rows("SELECT ID FROM Rockets"), QStringList({"1"}));
}

TEST_F(RocketEditTest, DeleteThatFailsHalfwayLeavesTheLogbookAsItWas)
{
    ASSERT_TRUE(m_logbook.exec({
        "INSERT INTO Rockets (ID,Name) VALUES (1,'A')",
        "INSERT INTO Rockets (ID,Name) VALUES (2,'B')",
        "INSERT INTO RecMotors (RocketID,Type) VALUES (1,'A8')",
        "INSERT INTO RecMotors (RocketID,Type) VALUES (2,'B6')",
        "INSERT INTO Launches (Model) VALUES ('1')",
        // The launches of a deleted rocket cannot be removed.
        "CREATE TRIGGER keep_launches BEFORE DELETE ON Launches BEGIN SELECT RAISE(ABORT, 'kept'); END",
    }));
    CRocketPage *page = makePage();
    page->stepRocket(1);
    m_prompter.script({PromptAnswer::Yes, PromptAnswer::Ok, PromptAnswer::Yes});
    page->OnDelete();
    EXPECT_EQ(m_prompter.shown().last().caption, QStringLiteral("Error"));
    EXPECT_EQ(rows("SELECT ID, Name FROM Rockets ORDER BY ID"), QStringList({"1|A", "2|B"}));
    EXPECT_EQ(rows("SELECT RocketID FROM RecMotors ORDER BY RocketID"), QStringList({"1", "2"}));
    EXPECT_EQ(rows("SELECT Model FROM Launches"), QStringList({"1"}));
}

TEST_F(RocketEditTest, BrowsePageKeepsTheOwnersChecklistCurrent)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Rockets (ID,Name,CheckList) VALUES (1,'A','Arm,Clear,')",
                                "INSERT INTO Rockets (ID,Name) VALUES (2,'B')"}));
    CRocketPage *page = makePage();
    page->stepRocket(1);
    EXPECT_EQ(m_checklist, QStringLiteral("Arm,Clear,"));
    page->stepRocket(1);
    EXPECT_TRUE(m_checklist.isEmpty());
    EXPECT_TRUE(page->isImageShown());
    page->toggleImage();
    EXPECT_FALSE(page->isImageShown());
}

TEST_F(RocketEditTest, RocketThatDisappearedIsNeitherEditedNorDeleted)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Rockets (ID,Name) VALUES (1,'A')"}));
    CRocketPage *page = makePage();
    page->stepRocket(1);
    ASSERT_TRUE(m_logbook.exec({"DELETE FROM Rockets"}));
    page->OnEdit();
    page->OnDelete();
    EXPECT_EQ(m_sheetsRun, 0);
    EXPECT_TRUE(m_prompter.shown().isEmpty());
}

TEST_F(RocketEditTest, OpeningThePageAddsMissingIndexes)
{
    ASSERT_TRUE(m_logbook.exec({"DROP INDEX IF EXISTS LaunchesByModel"}));
    ASSERT_TRUE(
        m_logbook.rows(QStringLiteral("SELECT name FROM sqlite_master WHERE name='LaunchesByModel'")).isEmpty());
    makePage();
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT name FROM sqlite_master WHERE name='LaunchesByModel'")),
              QStringList({"LaunchesByModel"}));
}
