#include "rockets/RecMotorsDlg.h"

#include "db/RecordStore.h"
#include "motors/MotorCurveStore.h"
#include "platform/SettingsStore.h"
#include "rockets/RocketEditSheet.h"
#include "support/ScreenDriver.h"
#include "support/TestLogbook.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

using driver::find;

namespace {

// The Motors page of an edit sheet, reached by its tab and driven by its widgets.
class RecMotorsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_logbook.exec({
            "INSERT INTO Rockets (ID,Name,Stages,Clustered) VALUES "
            "(1,'Simple','0','0'), (2,'Cluster','0','1'), (3,'Staged','1','0')",
            "INSERT INTO Motors (Type,Delay,MFG) VALUES ('C6','5','Estes'), ('A8','3','Quest'), ('B6','4','Estes')",
        }));
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    }

    CRecMotorsDlg *open(const char *rocketId)
    {
        m_sheet = std::make_unique<CRocketEditSheet>(
            CRocketEditContext {m_store, m_settings, {m_prompter, m_files}, m_logbook.directory()},
            QString::fromLatin1(rocketId));
        m_sheet->show();
        driver::tab(*m_sheet, 3);
        EXPECT_EQ(m_sheet->activeIndex(), 3);
        m_page = m_sheet->motorsPage();
        return m_page;
    }

    // Catalogue motors in Type order after the blank entry: 1 A8, 2 B6, 3 C6.
    void chooseMotor(int entry) { driver::choose(find<QComboBox>(m_page, QStringLiteral("Motor")), entry); }
    void type(const char *field, const char *text)
    {
        const QString name = QString::fromLatin1(field);
        QWidget *edit = find<QLineEdit>(m_page, name);
        if (auto *combo = find<QComboBox>(m_page, name))
            edit = combo;
        driver::type(edit, QString::fromLatin1(text));
    }
    void command(const char *text) { driver::command(m_page, QString::fromLatin1(text)); }
    void addToCluster() { driver::tap(find<QPushButton>(m_page, QStringLiteral("Add to cluster"))); }
    QListWidget *list(const char *name) { return find<QListWidget>(m_page, QString::fromLatin1(name)); }
    void tapLine(const char *listName, int row)
    {
        QListWidget *widget = list(listName);
        ASSERT_LT(row, widget->count());
        driver::tapRow(widget, widget->model()->index(row, 0));
    }
    QStringList lines(const char *listName)
    {
        QStringList texts;
        for (int i = 0; i < list(listName)->count(); ++i)
            texts.append(list(listName)->item(i)->text());
        return texts;
    }
    QStringList rows(const char *sql) { return m_logbook.rows(QString::fromUtf8(sql)); }

    CTestLogbook m_logbook;
    CRecordStore m_store;
    CSettingsStore m_settings {m_logbook.directory() + QStringLiteral("settings.ini")};
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
    std::unique_ptr<CRocketEditSheet> m_sheet;
    CRecMotorsDlg *m_page = nullptr;
};

constexpr char kRecommended[] = "Recommended Motors List";
constexpr char kPending[] = "Motor Cluster";

} // namespace

TEST_F(RecMotorsTest, SimpleRocketAddsChecksAndRemovesSingleMotors)
{
    open("1");
    command("ADD");
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().first().text, QStringLiteral("Please enter more motor data"));
    EXPECT_TRUE(rows("SELECT * FROM RecMotors").isEmpty());

    // Choosing a catalogue motor fills type, maker and delay.
    chooseMotor(2);
    type("Expected Altitude", "120");
    command("ADD");
    type("MFG", "O'Brien");
    type("Motor", "D12");
    type("Delay", "7");
    command("ADD");
    EXPECT_EQ(rows("SELECT RocketID, Type, Delay, MFG, Alt FROM RecMotors ORDER BY Type"),
              QStringList({"1|B6|4|Estes|120", "1|D12|7|O'Brien|120"}));
    EXPECT_EQ(lines(kRecommended), QStringList({"Estes\tB6-4", "O'Brien\tD12-7"}));

    // REMOVE without a line chosen does nothing.
    command("REMOVE");
    EXPECT_EQ(rows("SELECT Type FROM RecMotors").size(), 2);

    // UPDATE replaces the chosen recommendation with what the fields hold; a
    // refused one changes nothing.
    tapLine(kRecommended, 0);
    type("Delay", "6");
    command("UPDATE");
    EXPECT_EQ(rows("SELECT Type, Delay FROM RecMotors ORDER BY Type"), QStringList({"B6|6", "D12|7"}));
    tapLine(kRecommended, 0);
    type("Delay", "");
    command("UPDATE");
    EXPECT_EQ(m_prompter.shown().size(), 2);
    EXPECT_EQ(rows("SELECT Type, Delay FROM RecMotors ORDER BY Type"), QStringList({"B6|6", "D12|7"}));
}

// The list must show the rows in the order REMOVE uses, also after an ADD, and
// the line reached by the arrow keys is the one chosen.
TEST_F(RecMotorsTest, RemoveDeletesTheLineThatWasTappedAfterAnAdd)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO RecMotors (RocketID,Type,Delay,MFG) VALUES (1,'C6','5','Estes')"}));
    open("1");
    chooseMotor(1); // A8 sorts before C6
    command("ADD");
    ASSERT_EQ(list(kRecommended)->count(), 2);
    tapLine(kRecommended, 0);
    driver::keyClick(list(kRecommended), Qt::Key_Down);
    ASSERT_EQ(list(kRecommended)->currentRow(), 1);
    const QString chosen = list(kRecommended)->item(1)->text();
    EXPECT_TRUE(chosen.endsWith(QLatin1Char('-') + find<QLineEdit>(m_page, QStringLiteral("Delay"))->text()));
    command("REMOVE");
    const QStringList left = rows("SELECT MFG || '\t' || Type || '-' || Delay FROM RecMotors");
    ASSERT_EQ(left.size(), 1);
    EXPECT_NE(left.first(), chosen);
    EXPECT_EQ(lines(kRecommended), left);
}

TEST_F(RecMotorsTest, ClusterNeedsMoreThanOneMotorAndGetsAFreeGroup)
{
    ASSERT_TRUE(m_logbook.exec({
        "INSERT INTO RecMotors (RocketID,Type,GroupID) VALUES (1,'X','1'), (3,'Y','2')",
        "INSERT INTO RecMotors (RocketID,Type,Qty,GroupID,Stage) VALUES (2,'Z','2','5','1'), (2,'Z','2','6','1')",
    }));
    open("2");
    EXPECT_TRUE(find<QLineEdit>(m_page, QStringLiteral("Qty"))->isVisible());
    EXPECT_FALSE(find<QPushButton>(m_page, QStringLiteral("Stage"))->isVisible());
    command("ADD"); // nothing typed, nothing pending: nothing happens
    EXPECT_TRUE(m_prompter.shown().isEmpty());

    chooseMotor(3);
    addToCluster();
    EXPECT_EQ(lines(kPending), QStringList({"Estes\tC6-5x1"}));
    command("ADD");
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().first().text,
              QStringLiteral("This is a clustered model\nPlease enter more than one motor"));
    EXPECT_EQ(lines(kPending).size(), 1);

    // Removing the pending motor asks first.
    m_prompter.script({PromptAnswer::Yes});
    tapLine(kPending, 0);
    EXPECT_EQ(m_prompter.shown().size(), 2);
    EXPECT_TRUE(lines(kPending).isEmpty());

    // A motor typed but not added to the cluster is the one meant: with a
    // quantity of three it is a cluster of its own.
    m_prompter.clear();
    chooseMotor(3);
    type("Qty", "3");
    type("Expected Altitude", "400");
    command("ADD");
    EXPECT_TRUE(m_prompter.shown().isEmpty());
    // Four rows in all, so groups start at 5, past the rocket's own 5 and 6.
    EXPECT_EQ(rows("SELECT Type, Qty, GroupID, Alt FROM RecMotors WHERE RocketID=2 AND Type='C6'"),
              QStringList({"C6|3|7|400"}));
    EXPECT_TRUE(lines(kPending).isEmpty());
    EXPECT_EQ(lines(kRecommended), QStringList({"S1 Estes C6-5x3 ", "S1  Z-x2 ", "S1  Z-x2 "}));
}

TEST_F(RecMotorsTest, StagedRocketNeedsTwoEntriesAndAGroupCanBeEditedAgain)
{
    open("3");
    QPushButton *stage = find<QPushButton>(m_page, QStringLiteral("Stage"));
    EXPECT_TRUE(stage->isVisible());
    chooseMotor(1);
    addToCluster();
    command("ADD");
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().first().text,
              QStringLiteral("This is a staged model\nPlease enter more than one stage"));

    // Two entries both in stage 1 are accepted: only the count is checked.
    chooseMotor(3);
    addToCluster();
    command("ADD");
    EXPECT_EQ(lines(kRecommended), QStringList({"S1 Quest A8-3 & Estes C6-5 "}));

    for (const char *shown : {"2", "3", "1", "2"}) {
        driver::tap(stage);
        EXPECT_EQ(stage->text(), QLatin1String(shown));
    }

    // Choosing the group loads it into the pending list. Cut down to one entry
    // it is refused and stays whole; UPDATE stores it as it then stands.
    tapLine(kRecommended, 0);
    EXPECT_EQ(lines(kPending), QStringList({"S1 Quest\tA8-3", "S1 Estes\tC6-5"}));
    m_prompter.script({PromptAnswer::Yes});
    tapLine(kPending, 0);
    ASSERT_EQ(lines(kPending), QStringList({"S1 Estes\tC6-5"}));
    command("UPDATE");
    EXPECT_EQ(m_prompter.shown().last().text,
              QStringLiteral("This is a staged model\nPlease enter more than one stage"));
    EXPECT_EQ(rows("SELECT Type, Stage FROM RecMotors WHERE RocketID=3 ORDER BY Type"), QStringList({"A8|1", "C6|1"}));
    chooseMotor(2);
    addToCluster();
    command("UPDATE");
    EXPECT_EQ(rows("SELECT Type, Stage FROM RecMotors WHERE RocketID=3 ORDER BY Stage, Type"),
              QStringList({"C6|1", "B6|2"}));
    EXPECT_EQ(rows("SELECT DISTINCT GroupID FROM RecMotors WHERE RocketID=3").size(), 1);
    tapLine(kRecommended, 0);
    command("REMOVE");
    EXPECT_TRUE(rows("SELECT * FROM RecMotors WHERE RocketID=3").isEmpty());
    EXPECT_TRUE(lines(kRecommended).isEmpty());
}

// A group another program wrote with its stages as loose text loads into the
// pending list the way "Add to cluster" writes an entry: the stage as a number.
TEST_F(RecMotorsTest, LoadedGroupNamesItsStagesAsAddedEntriesDo)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO RecMotors (RocketID,Type,Delay,MFG,Stage,Qty,GroupID) VALUES "
                                "(3,'A8','3','Quest',' 1','1','7'), (3,'C6','5','Estes','02','1','7')"}));
    open("3");
    tapLine(kRecommended, 0);
    EXPECT_EQ(lines(kPending), QStringList({"S1 Quest\tA8-3", "S2 Estes\tC6-5"}));
}

TEST_F(RecMotorsTest, FlagsChangedOnTheMiscPageTakeEffectOnActivation)
{
    ASSERT_TRUE(m_logbook.exec({
        "INSERT INTO RecMotors (RocketID,Type,Delay,MFG,Stage,Qty,GroupID) VALUES "
        "(1,'A8','3','Quest','1','2','9'), (1,'C6','5','Estes','1','1','9')",
    }));
    open("1");
    EXPECT_FALSE(find<QLineEdit>(m_page, QStringLiteral("Qty"))->isVisible());
    EXPECT_EQ(lines(kRecommended).size(), 2);
    ASSERT_TRUE(m_logbook.exec({"UPDATE Rockets SET Clustered='1' WHERE ID=1"}));
    driver::tab(*m_sheet, 0);
    driver::tab(*m_sheet, 3);
    EXPECT_TRUE(find<QLineEdit>(m_page, QStringLiteral("Qty"))->isVisible());
    // The list now shows the group, and REMOVE takes the whole of it.
    EXPECT_EQ(lines(kRecommended), QStringList({"S1 Quest A8-3x2 & Estes C6-5 "}));
    tapLine(kRecommended, 0);
    command("REMOVE");
    EXPECT_TRUE(rows("SELECT * FROM RecMotors WHERE RocketID=1").isEmpty());
}

TEST_F(RecMotorsTest, TheMotorNamedShowsItsClassAndTotalImpulse)
{
    // C6 (rowid 1): a triangle of 17.64 N over one second, 8.82 N·s. A J motor of
    // 50 + 1,200 N·s. B6 was typed in without a curve.
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Motors (Type,Delay,MFG) VALUES ('K550W','6','AeroTech')"}));
    ASSERT_TRUE(storeMotorCurve(m_store, 1, {{0.5, 17.64}, {1, 0}}, {}));
    ASSERT_TRUE(storeMotorCurve(m_store, 4, {{0.1, 1000}, {1.3, 1000}, {1.3, 0}}, {}));
    open("1");
    auto *thrust = m_page->findChild<QLabel *>(QStringLiteral("motorThrust"));
    ASSERT_NE(thrust, nullptr);
    chooseMotor(3);
    EXPECT_EQ(thrust->text(), QStringLiteral("C, 8.82 N\u00b7s"));
    chooseMotor(4);
    EXPECT_EQ(thrust->text(), QStringLiteral("J, 1,250 N\u00b7s"));
    chooseMotor(2);
    EXPECT_EQ(thrust->text(), QStringLiteral("no curve"));

    // Typed in any case, the catalogue motor is found; one it does not hold shows nothing.
    type("Motor", "c6");
    EXPECT_EQ(thrust->text(), QStringLiteral("C, 8.82 N\u00b7s")); // the B6's maker, Estes, stays
    type("MFG", "quest");
    EXPECT_EQ(thrust->text(), QString());

    // A recommendation chosen from the list names its motor too.
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO RecMotors (RocketID,Type,Delay,MFG) VALUES (1,'K550W','6','AeroTech')"}));
    open("1");
    tapLine(kRecommended, 0);
    EXPECT_EQ(m_page->findChild<QLabel *>(QStringLiteral("motorThrust"))->text(), QStringLiteral("J, 1,250 N\u00b7s"));
}
