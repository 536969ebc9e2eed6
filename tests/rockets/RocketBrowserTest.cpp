#include "rockets/RocketBrowser.h"

#include "db/RecordStore.h"
#include "support/TestLogbook.h"

#include <gtest/gtest.h>

namespace {

class RocketBrowserTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_logbook.exec({
            "INSERT INTO Rockets (ID,Name,Stages,Clustered,CheckList) VALUES "
            "(1,'Charlie','0','0','Arm,'), (2,'Alpha','0','0',NULL), (3,'Bravo',NULL,NULL,NULL)",
            "INSERT INTO RecMotors (RocketID,Type,Delay,MFG,Alt) VALUES (2,'C6','5','EST','300'), "
            "(2,'A8','3','Quest','100')",
            "INSERT INTO RecMotors (RocketID,Type,Delay,MFG,Alt,Stage,Qty,GroupID) VALUES "
            "(3,'D12','3','EST','500','1','3','4'), (3,'B6','0','Apogee','500','2','1','4')",
            "INSERT INTO Launches (Model) VALUES ('2'), ('2')",
        }));
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    }

    CTestLogbook m_logbook;
    CRecordStore m_store;
};

} // namespace

TEST_F(RocketBrowserTest, StepsWrapAroundTheNameOrderedList)
{
    CRocketBrowser browser(m_store, CRocketBrowser::Mode::Browse);
    const QStringList names = browser.fillNameList();
    EXPECT_EQ(names, QStringList({"Alpha", "Bravo", "Charlie"}));
    EXPECT_TRUE(browser.showCurrent().empty);

    EXPECT_EQ(browser.step(1, names.size()).name, QStringLiteral("Alpha"));
    EXPECT_EQ(browser.step(-1, names.size()).name, QStringLiteral("Charlie"));
    EXPECT_EQ(browser.view().checklist, QStringLiteral("Arm,"));
    EXPECT_EQ(browser.view().rocketId, QStringLiteral("1"));
    EXPECT_EQ(browser.step(1, names.size()).name, QStringLiteral("Alpha"));
    EXPECT_EQ(browser.view().summary, QStringLiteral("Launched  2 time(s)\n"));
    EXPECT_EQ(browser.view().motorEntries, QStringList({"Quest A8-3", "EST C6-5"}));
    EXPECT_EQ(browser.view().motorEntryIndex, -1);
    EXPECT_EQ(browser.view().motorMfg, QStringLiteral("Manufacturer"));
}

TEST_F(RocketBrowserTest, ChosenMotorShowsItsDetails)
{
    CRocketBrowser browser(m_store, CRocketBrowser::Mode::Browse);
    browser.chooseName(0);
    browser.chooseMotorEntry(1);
    const CRocketView &alpha = browser.showCurrent();
    EXPECT_EQ(alpha.motorText, QStringLiteral("EST C6-5"));
    EXPECT_EQ(QStringList({alpha.motorMfg, alpha.motorDelay, alpha.motorAlt}), QStringList({"EST", "5", "300"}));

    // Bravo has null flags, so it counts as staged and clustered: the first row
    // of the group in Type order gives the details.
    browser.chooseName(1);
    browser.chooseMotorEntry(0);
    const CRocketView &bravo = browser.showCurrent();
    EXPECT_EQ(bravo.motorEntries, QStringList({"S1 D12-3x3 S2 B6-0 "}));
    EXPECT_EQ(QStringList({bravo.motorMfg, bravo.motorDelay, bravo.motorAlt}), QStringList({"Apogee", "0", "500"}));

    // A choice that does not fit the entries clears the details.
    browser.chooseMotorEntry(5);
    EXPECT_EQ(browser.showCurrent().motorMfg, QStringLiteral("Manufacturer"));
    EXPECT_TRUE(browser.view().motorDelay.isEmpty());
}

TEST(RocketBrowser, EmptyCatalogueStaysEmptyWhicheverWayItSteps)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    CRecordStore store;
    ASSERT_TRUE(store.Open(logbook.directory()));
    CRocketBrowser browser(store, CRocketBrowser::Mode::Browse);
    EXPECT_TRUE(browser.fillNameList().isEmpty());
    for (int delta : {1, -1, -1, 1}) {
        const CRocketView &view = browser.step(delta, 0);
        EXPECT_TRUE(view.empty);
        EXPECT_EQ(view.rocketId, QStringLiteral("0"));
        EXPECT_TRUE(view.summary.isEmpty() && view.motorEntries.isEmpty());
    }
}

// A saved filter is run only as the one reading statement it starts with.
TEST_F(RocketBrowserTest, FilterThatWouldWriteChangesNothing)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Queries (Name,Query) VALUES ('Wipe', "
                                "'SELECT * FROM Rockets; DELETE FROM Rockets')"}));
    CRocketBrowser browser(m_store, CRocketBrowser::Mode::Browse);
    const QStringList filters = browser.fillFilterList();
    const qsizetype wipe = filters.indexOf(QStringLiteral("Wipe"));
    ASSERT_GE(wipe, 0);
    browser.chooseFilter(int(wipe));
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT count(*) FROM Rockets")), QStringList {"3"});
}
