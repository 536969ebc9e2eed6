#include "checklists/ChecklistPage.h"
#include "checklists/ChecklistSetup.h"
#include "db/RecordStore.h"
#include "platform/SettingsStore.h"
#include "support/TestLogbook.h"
#include "ui/PropertySheet.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QCheckBox>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

class ChecklistSetupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_logbook.exec({"INSERT INTO Rockets (ID, Name, CheckList) VALUES (1, 'Alpha', 'A,B,C,')"}));
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
        m_setup = new CChecklistSetup(m_store, m_settings, {m_prompter, m_files},
                                      QStringLiteral("Select * FROM Rockets WHERE ID='1'"));
        m_other = new CPropertyPage(QStringLiteral("Other"));
        m_sheet.addPage(m_other);
        m_sheet.addPage(m_setup);
        m_sheet.activateFirstPage();
    }

    QLineEdit *label(int row) { return m_setup->findChildren<QLineEdit *>().at(row); }
    QCheckBox *enabled(int row) { return m_setup->findChildren<QCheckBox *>().at(row); }
    QString stored() { return m_logbook.rows(QStringLiteral("SELECT CheckList FROM Rockets")).value(0); }

    CTestLogbook m_logbook;
    CRecordStore m_store;
    CSettingsStore m_settings {m_logbook.directory() + QStringLiteral("settings.ini")};
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
    CPropertySheet m_sheet {QString()};
    CChecklistSetup *m_setup = nullptr;
    CPropertyPage *m_other = nullptr;
};

} // namespace

TEST_F(ChecklistSetupTest, LoadsTheRowsAndStoresThemBackWithoutCommas)
{
    ASSERT_TRUE(m_sheet.setActivePage(1));
    EXPECT_TRUE(enabled(2)->isChecked());
    EXPECT_EQ(label(2)->text(), QStringLiteral("C"));
    EXPECT_FALSE(enabled(3)->isChecked());
    EXPECT_TRUE(label(3)->text().isEmpty());

    enabled(1)->setChecked(false);
    label(2)->setText(QStringLiteral("Motor, igniter"));
    enabled(4)->setChecked(true);
    ASSERT_TRUE(m_sheet.setActivePage(0));
    EXPECT_EQ(stored(), QStringLiteral("A,Motor igniter,,"));

    // Back on the page, the disabled row has closed up.
    ASSERT_TRUE(m_sheet.setActivePage(1));
    EXPECT_EQ(label(1)->text(), QStringLiteral("Motor igniter"));
    EXPECT_FALSE(enabled(2)->isChecked());
}

TEST_F(ChecklistSetupTest, DefaultsKeepTheirCommasAndAnEmptyDefaultChangesNothing)
{
    ASSERT_TRUE(m_sheet.setActivePage(1));
    m_setup->setToDefaults();
    EXPECT_EQ(label(0)->text(), QStringLiteral("A"));

    label(0)->setText(QStringLiteral("Motor, igniter"));
    m_setup->setAsDefaults();
    EXPECT_EQ(m_settings.ReadSetting(QLatin1String(kSettingDefaultChecklist)), QStringLiteral("Motor, igniter,B,C,"));
    m_setup->setToDefaults();
    EXPECT_EQ(label(0)->text(), QStringLiteral("Motor"));
    EXPECT_EQ(label(1)->text(), QStringLiteral(" igniter"));
    EXPECT_EQ(label(2)->text(), QStringLiteral("B"));
}

TEST_F(ChecklistSetupTest, TooLongDefaultIsRefusedWithAMessage)
{
    ASSERT_TRUE(m_sheet.setActivePage(1));
    for (int i = 0; i < 8; ++i) {
        enabled(i)->setChecked(true);
        label(i)->setText(QString(30, QLatin1Char('a' + i)));
    }
    m_setup->setAsDefaults();
    EXPECT_TRUE(m_settings.ReadSetting(QLatin1String(kSettingDefaultChecklist)).isEmpty());
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().first().caption, QStringLiteral("Error"));
}

TEST_F(ChecklistSetupTest, QueryThatCannotRunKeepsThePageInactive)
{
    CPropertySheet sheet {QString()};
    auto *broken =
        new CChecklistSetup(m_store, m_settings, {m_prompter, m_files}, QStringLiteral("Select * FROM NoSuchTable"));
    sheet.addPage(new CPropertyPage(QStringLiteral("First")));
    sheet.addPage(broken);
    sheet.activateFirstPage();
    EXPECT_FALSE(sheet.setActivePage(1));
    EXPECT_EQ(sheet.activeIndex(), 0);
}

TEST(ChecklistPage, ShowsTheStepsOfItsSourceAndKeepsTicks)
{
    QString checklist = QStringLiteral("Arm,,Clear,");
    CPropertySheet sheet {QString()};
    auto *page = new CChecklistPage(checklist);
    sheet.addPage(new CPropertyPage(QStringLiteral("Rocket")));
    sheet.addPage(page);
    sheet.show();
    ASSERT_TRUE(sheet.setActivePage(1));
    EXPECT_TRUE(page->box(0)->isVisible());
    EXPECT_EQ(page->box(0)->text(), QStringLiteral("Arm"));
    EXPECT_FALSE(page->box(1)->isVisible());
    EXPECT_EQ(page->box(2)->text(), QStringLiteral("Clear"));
    EXPECT_FALSE(page->box(3)->isVisible());

    page->box(2)->setChecked(true);
    ASSERT_TRUE(sheet.setActivePage(0));
    EXPECT_TRUE(page->isTicked(2));
    checklist.clear();
    ASSERT_TRUE(sheet.setActivePage(1));
    for (int i = 0; i < CChecklistPage::kBoxes; ++i)
        EXPECT_FALSE(page->box(i)->isVisible()) << i;
    EXPECT_TRUE(page->box(2)->isChecked());
}
