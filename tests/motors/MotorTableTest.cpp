// The motor list and its edits, and the filter statements, without widgets.
#include "motors/MotorTable.h"

#include "db/RecordStore.h"
#include "motors/MotorFilter.h"
#include "support/TestLogbook.h"

#include <gtest/gtest.h>

namespace {
class MotorTable : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    }
    QStringList motors() const
    {
        return m_logbook.rows(QStringLiteral("SELECT ID, Type, Delay, MFG FROM Motors ORDER BY ID"));
    }

    CTestLogbook m_logbook;
    CRecordStore m_store;
};
} // namespace

// REMOVE goes by the rowid and the values the list showed: another program
// may have added, removed, changed or renumbered motors since it was read.
TEST_F(MotorTable, RemoveTakesOnlyTheMotorThatWasShown)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Motors VALUES (1, 'C6', '5', 'Estes', '')",
                                "INSERT INTO Motors VALUES (2, 'C6', '5', 'Estes', '')",
                                "INSERT INTO Motors VALUES (3, 'A8', '3', 'Estes', NULL)"}));
    const CMotorValues c6 {"C6", "5", "Estes", ""};
    // Two identical motors: each rowid is its own motor, removed once.
    EXPECT_EQ(removeMotor(m_store, 2, c6), MotorRemoval::Removed);
    EXPECT_EQ(motors(), QStringList({"1|C6|5|Estes", "3|A8|3|Estes"}));
    EXPECT_EQ(removeMotor(m_store, 2, c6), MotorRemoval::Gone);
    // A row that now holds another motor is left alone.
    EXPECT_EQ(removeMotor(m_store, 3, c6), MotorRemoval::Changed);
    ASSERT_TRUE(m_logbook.exec({"UPDATE Motors SET Delay = '7' WHERE ID = 1"}));
    EXPECT_EQ(removeMotor(m_store, 1, c6), MotorRemoval::Changed);
    EXPECT_EQ(motors(), QStringList({"1|C6|7|Estes", "3|A8|3|Estes"}));
    // A size never written reads as empty, as the list shows it.
    EXPECT_EQ(removeMotor(m_store, 3, {"A8", "3", "Estes", ""}), MotorRemoval::Removed);
    EXPECT_EQ(motors(), QStringList({"1|C6|7|Estes"}));

    // The logbook refuses: said so, and nothing goes.
    ASSERT_TRUE(m_logbook.exec(
        {"CREATE TRIGGER KeepMotors BEFORE DELETE ON Motors BEGIN SELECT RAISE(ABORT, 'motors are kept'); END"}));
    EXPECT_EQ(removeMotor(m_store, 1, {"C6", "7", "Estes", ""}), MotorRemoval::Failed);
    EXPECT_EQ(m_store.lastError(), QStringLiteral("motors are kept"));
    EXPECT_FALSE(removeAllMotors(m_store));
    EXPECT_EQ(motors(), QStringList({"1|C6|7|Estes"}));
}

TEST_F(MotorTable, AddNeedsTypeDelayAndMakerAndKeepsApostrophes)
{
    EXPECT_FALSE(addMotor(m_store, {"C6", "", "Estes", "18x70"}));
    EXPECT_FALSE(addMotor(m_store, {"", "5", "Estes", ""}));
    EXPECT_FALSE(addMotor(m_store, {"C6", "5", "", ""}));
    EXPECT_TRUE(motors().isEmpty());
    EXPECT_TRUE(addMotor(m_store, {"C6", "5", "Estes", ""}));
    EXPECT_TRUE(addMotor(m_store, {"O'Neil's", "3-5", "Bob's", "18x70"}));
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT Type, Delay, MFG, Size FROM Motors ORDER BY rowid")),
              QStringList({"C6|5|Estes|", "O'Neil's|3-5|Bob's|18x70"}));
}

// Each filled field narrows the rows, a ticked NOT box turns its field around,
// a NOT box beside an empty field adds nothing, and an apostrophe matches itself.
TEST_F(MotorTable, FilterSelectsAndDeletesTheRowsItsFieldsDescribe)
{
    for (const CMotorValues &motor : std::initializer_list<CMotorValues> {{"C6", "5", "Estes", "18x70"},
                                                                          {"A8", "3", "Estes", "18x70"},
                                                                          {"A10", "3T", "AeroTech", "13x45"},
                                                                          {"F40", "4-7", "AeroTech", "29x124"},
                                                                          {"C6", "5", "Bob's", ""},
                                                                          {"C6", "5", "Bobs", ""}})
        ASSERT_TRUE(addMotor(m_store, motor));
    auto selected = [&](const CMotorFilter &filter) {
        QStringList types;
        EXPECT_TRUE(m_store.RunSql(motorFilterSelect(filter)));
        for (m_store.MoveFirst(); !m_store.IsEOF(); m_store.MoveNext())
            types.append(m_store.GetFieldText(1) + QLatin1Char('/') + m_store.GetFieldText(3));
        return types;
    };
    CMotorFilter notEstes;
    notEstes.type = QStringLiteral("A");
    notEstes.mfg = QStringLiteral("EST");
    notEstes.notMfg = true;
    EXPECT_EQ(selected(notEstes), QStringList {"A10/AeroTech"});
    CMotorFilter sized;
    sized.size = QStringLiteral("18");
    sized.mfg = QStringLiteral("Estes");
    sized.notType = true;
    EXPECT_EQ(selected(sized), QStringList({"C6/Estes", "A8/Estes"}));
    CMotorFilter notDelay;
    notDelay.delay = QStringLiteral("3");
    notDelay.notDelay = true;
    notDelay.mfg = QStringLiteral("Aero");
    EXPECT_EQ(selected(notDelay), QStringList {"F40/AeroTech"});

    CMotorFilter apostrophe;
    apostrophe.mfg = QStringLiteral("Bob's");
    EXPECT_EQ(selected(apostrophe), QStringList {"C6/Bob's"});
    ASSERT_TRUE(m_store.RunSql(motorFilterDelete(apostrophe)));
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT MFG FROM Motors WHERE MFG LIKE 'Bob%'")), QStringList({"Bobs"}));
}
