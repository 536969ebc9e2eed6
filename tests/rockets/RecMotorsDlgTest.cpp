#include "rockets/RecMotorsDlg.h"

#include "db/RecordStore.h"
#include "platform/SettingsStore.h"
#include "rockets/RocketEditSheet.h"
#include "support/TestLogbook.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The Motors page of an edit sheet, shown the way the sheet shows it.
class RecMotorsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_logbook.exec({
            "INSERT INTO Rockets (ID,Name,Stages,Clustered) VALUES (1,'Simple','0','0')",
            "INSERT INTO Rockets (ID,Name,Stages,Clustered) VALUES (2,'Cluster','0','1')",
            "INSERT INTO Rockets (ID,Name,Stages,Clustered) VALUES (3,'Staged','1','0')",
            "INSERT INTO Motors (Type,Delay,MFG) VALUES ('C6','5','Estes')",
            "INSERT INTO Motors (Type,Delay,MFG) VALUES ('A8','3','Quest')",
            "INSERT INTO Motors (Type,Delay,MFG) VALUES ('B6','4','Estes')",
        }));
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    }

    CRecMotorsDlg *open(const char *rocketId)
    {
        m_sheet = std::make_unique<CRocketEditSheet>(
            CRocketEditContext {m_store, m_settings, {m_prompter, m_files}, m_logbook.directory()},
            QString::fromLatin1(rocketId));
        m_sheet->show();
        EXPECT_TRUE(m_sheet->setActivePage(3));
        return m_sheet->motorsPage();
    }

    void type(CRecMotorsDlg *page, const char *name, const QString &text)
    {
        for (QLineEdit *edit : page->findChildren<QLineEdit *>()) {
            if (edit->accessibleName() == QLatin1String(name))
                edit->setText(text);
        }
        for (QComboBox *combo : page->findChildren<QComboBox *>()) {
            if (combo->accessibleName() == QLatin1String(name))
                combo->setEditText(text);
        }
    }

    QStringList rows(const char *sql) { return m_logbook.rows(QString::fromUtf8(sql)); }

    CTestLogbook m_logbook;
    CRecordStore m_store;
    CSettingsStore m_settings {m_logbook.directory() + QStringLiteral("settings.ini")};
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
    std::unique_ptr<CRocketEditSheet> m_sheet;
};

} // namespace

TEST_F(RecMotorsTest, SimpleRocketAddsChecksAndRemovesSingleMotors)
{
    CRecMotorsDlg *page = open("1");
    EXPECT_FALSE(page->findChild<QPushButton *>()->isVisible() && page->isStaged());
    page->OnAdd();
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().first().text, QStringLiteral("Please enter more motor data"));
    EXPECT_TRUE(rows("SELECT * FROM RecMotors").isEmpty());

    // Choosing a catalogue motor (after the blank entry) fills type, maker and delay.
    page->onMotorChosen(2);
    type(page, "Expected Altitude", QStringLiteral("120"));
    page->OnAdd();
    type(page, "MFG", QStringLiteral("O'Brien"));
    type(page, "Motor", QStringLiteral("D12"));
    type(page, "Delay", QStringLiteral("7"));
    page->OnAdd();
    EXPECT_EQ(rows("SELECT RocketID, Type, Delay, MFG, Alt FROM RecMotors ORDER BY Type"),
              QStringList({"1|B6|4|Estes|120", "1|D12|7|O'Brien|120"}));
    EXPECT_EQ(page->recommendationLines(), QStringList({"Estes\tB6-4", "O'Brien\tD12-7"}));

    // REMOVE without a selection does nothing; with one it removes that row.
    page->OnRemove();
    EXPECT_EQ(rows("SELECT Type FROM RecMotors").size(), 2);
    page->onRecommendationChosen(1);
    page->OnRemove();
    EXPECT_EQ(rows("SELECT Type FROM RecMotors"), QStringList({"B6"}));
    EXPECT_EQ(page->recommendationLines(), QStringList({"Estes\tB6-4"}));

    // UPDATE replaces the chosen recommendation with what the fields hold.
    page->onRecommendationChosen(0);
    type(page, "Delay", QStringLiteral("6"));
    page->OnUpdate();
    EXPECT_EQ(rows("SELECT Type, Delay FROM RecMotors"), QStringList({"B6|6"}));
}

TEST_F(RecMotorsTest, ClusterNeedsMoreThanOneMotorAndGetsAFreeGroup)
{
    ASSERT_TRUE(m_logbook.exec({
        "INSERT INTO RecMotors (RocketID,Type,GroupID) VALUES (1,'X','1')",
        "INSERT INTO RecMotors (RocketID,Type,GroupID) VALUES (3,'Y','2')",
        "INSERT INTO RecMotors (RocketID,Type,Qty,GroupID,Stage) VALUES (2,'Z','2','3','1')",
        "INSERT INTO RecMotors (RocketID,Type,Qty,GroupID,Stage) VALUES (2,'Z','2','4','1')",
    }));
    CRecMotorsDlg *page = open("2");
    EXPECT_TRUE(page->isClustered());
    EXPECT_FALSE(page->isStaged());
    page->OnAdd(); // nothing pending: nothing happens
    EXPECT_TRUE(m_prompter.shown().isEmpty());

    page->onMotorChosen(3); // C6, in Type order after the blank entry
    page->onAddToCluster();
    EXPECT_EQ(page->pendingLines(), QStringList({"Estes\tC6-5x1"}));
    page->OnAdd();
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().first().text,
              QStringLiteral("This is a clustered model\nPlease enter more than one motor"));
    EXPECT_EQ(page->pending().size(), 1);

    // Removing the pending motor asks first.
    m_prompter.script({PromptAnswer::Yes});
    page->onPendingChosen(0);
    EXPECT_TRUE(page->pending().isEmpty());

    page->onMotorChosen(3); // C6, in Type order after the blank entry
    type(page, "Qty", QStringLiteral("3"));
    type(page, "Expected Altitude", QStringLiteral("400"));
    page->onAddToCluster();
    page->OnAdd();
    // Four rows in all, so groups start at 5; the rocket's own 3 and 4 are below anyway.
    EXPECT_EQ(rows("SELECT Type, Qty, GroupID, Alt FROM RecMotors WHERE RocketID=2 AND Type='C6'"),
              QStringList({"C6|3|5|400"}));
    EXPECT_TRUE(page->pending().isEmpty());
    EXPECT_EQ(page->recommendationLines(), QStringList({"S1 Estes C6-5x3 ", "S1  Z-x2 ", "S1  Z-x2 "}));
}

TEST_F(RecMotorsTest, GroupNumbersSkipThoseTheRocketUses)
{
    ASSERT_TRUE(m_logbook.exec({
        "INSERT INTO RecMotors (RocketID,Type,Qty,GroupID,Stage) VALUES (2,'Z','2','2','1')",
        "INSERT INTO RecMotors (RocketID,Type,Qty,GroupID,Stage) VALUES (2,'Z','2','3','1')",
    }));
    EXPECT_EQ(allocateRecMotorGroup(m_store, QStringLiteral("2")), QStringLiteral("4"));
    EXPECT_EQ(allocateRecMotorGroup(m_store, QStringLiteral("1")), QStringLiteral("3"));
}

TEST_F(RecMotorsTest, StagedRocketNeedsTwoEntriesAndAGroupCanBeEditedAgain)
{
    CRecMotorsDlg *page = open("3");
    EXPECT_TRUE(page->isStaged());
    page->onMotorChosen(1);
    page->onAddToCluster();
    page->OnAdd();
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().first().text,
              QStringLiteral("This is a staged model\nPlease enter more than one stage"));

    // Two entries both in stage 1 are accepted: only the count is checked.
    page->onMotorChosen(3);
    page->onAddToCluster();
    page->OnAdd();
    EXPECT_EQ(page->recommendationLines(), QStringList({"S1 Quest A8-3 & Estes C6-5 "}));

    page->onStageButton();
    page->onStageButton();
    page->onStageButton();
    EXPECT_EQ(page->currentStage(), 1);
    page->onStageButton();
    EXPECT_EQ(page->currentStage(), 2);

    // Choosing the group loads it into the pending list; UPDATE stores it again.
    page->onRecommendationChosen(0);
    EXPECT_EQ(page->pendingLines(), QStringList({"S1 Quest\tA8-3", "S1 Estes\tC6-5"}));
    page->onMotorChosen(2);
    page->onAddToCluster();
    page->OnUpdate();
    EXPECT_EQ(rows("SELECT Type, Stage FROM RecMotors WHERE RocketID=3 ORDER BY Stage, Type"),
              QStringList({"A8|1", "C6|1", "B6|2"}));
    EXPECT_EQ(rows("SELECT DISTINCT GroupID FROM RecMotors WHERE RocketID=3").size(), 1);
    page->onRecommendationChosen(0);
    page->OnRemove();
    EXPECT_TRUE(rows("SELECT * FROM RecMotors WHERE RocketID=3").isEmpty());
    EXPECT_TRUE(page->recommendationLines().isEmpty());
}

TEST_F(RecMotorsTest, FlagsChangedOnTheMiscPageTakeEffectOnActivation)
{
    CRecMotorsDlg *page = open("1");
    EXPECT_FALSE(page->isClustered());
    ASSERT_TRUE(m_logbook.exec({"UPDATE Rockets SET Clustered='1' WHERE ID=1"}));
    ASSERT_TRUE(m_sheet->setActivePage(0));
    ASSERT_TRUE(m_sheet->setActivePage(3));
    EXPECT_TRUE(page->isClustered());
}
