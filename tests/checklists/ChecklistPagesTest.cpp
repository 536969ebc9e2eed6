#include "checklists/ChecklistPage.h"
#include "checklists/ChecklistSetup.h"
#include "db/RecordStore.h"
#include "launch/LaunchDlg.h"
#include "platform/SettingsStore.h"
#include "rockets/RocketPage.h"
#include "support/RecordingSounds.h"
#include "support/ScreenDriver.h"
#include "support/TestFiles.h"
#include "support/TestLogbook.h"
#include "support/WizardDriver.h"
#include "ui/PropertySheet.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>
#include <sqlite3.h>

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
        m_sheet.show();
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
    EXPECT_EQ(label(2)->text(), QStringLiteral("C"));
    EXPECT_FALSE(enabled(3)->isChecked());

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
    driver::command(m_setup, QStringLiteral("Set To Defaults"));
    EXPECT_EQ(label(0)->text(), QStringLiteral("A"));

    label(0)->setText(QStringLiteral("Motor, igniter"));
    driver::command(m_setup, QStringLiteral("Set As Defaults"));
    EXPECT_EQ(m_settings.ReadSetting(QLatin1String(kSettingDefaultChecklist)), QStringLiteral("Motor, igniter,B,C,"));
    driver::command(m_setup, QStringLiteral("Set To Defaults"));
    EXPECT_EQ(label(0)->text(), QStringLiteral("Motor"));
    EXPECT_EQ(label(1)->text(), QStringLiteral(" igniter"));
    EXPECT_EQ(label(2)->text(), QStringLiteral("B"));
}

TEST_F(ChecklistSetupTest, SetAsDefaultsTellsWhyNothingWasSaved)
{
    ASSERT_TRUE(m_sheet.setActivePage(1));
    for (int i = 0; i < 8; ++i) {
        enabled(i)->setChecked(true);
        label(i)->setText(QString(30, QLatin1Char('a' + i)));
    }
    driver::command(m_setup, QStringLiteral("Set As Defaults"));
    EXPECT_TRUE(m_settings.ReadSetting(QLatin1String(kSettingDefaultChecklist)).isEmpty());
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().first().caption, QStringLiteral("Error"));
    EXPECT_TRUE(m_prompter.shown().first().text.contains(QLatin1String("199")));

    // A short checklist that cannot be saved names the settings file instead.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(writeTestFile(dir.filePath(QStringLiteral("plain")), "not a folder"));
    CSettingsStore blocked(dir.filePath(QStringLiteral("plain/settings.ini")));
    CPropertySheet sheet {QString()};
    auto *setup = new CChecklistSetup(m_store, blocked, {m_prompter, m_files},
                                      QStringLiteral("Select * FROM Rockets WHERE ID='1'"));
    sheet.addPage(setup);
    sheet.show();
    m_prompter.clear();
    driver::command(setup, QStringLiteral("Set As Defaults"));
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().first().caption, QStringLiteral("Error"));
    EXPECT_TRUE(m_prompter.shown().first().text.contains(blocked.fileName()));
    EXPECT_FALSE(m_prompter.shown().first().text.contains(QLatin1String("199")));
}

// While another program holds the logbook's write lock the checklist is not
// saved: the page stays, with what was typed, and says why; once the lock
// is gone, leaving the page saves it.
TEST_F(ChecklistSetupTest, RefusedWriteKeepsThePageAndSaysWhy)
{
    ASSERT_TRUE(m_sheet.setActivePage(1));
    label(0)->setText(QStringLiteral("Arm"));
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(m_logbook.databaseFile().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    m_store.setBusyTimeout(50);
    EXPECT_FALSE(m_sheet.setActivePage(0));
    EXPECT_EQ(m_sheet.activeIndex(), 1);
    EXPECT_EQ(label(0)->text(), QStringLiteral("Arm"));
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().first().caption, QStringLiteral("Error"));
    EXPECT_EQ(m_prompter.shown().first().text,
              QStringLiteral("The checklist could not be saved: another program is writing to the logbook %1: try "
                             "again when it has finished")
                  .arg(m_logbook.databaseFile()));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(stored(), QStringLiteral("A,B,C,"));
    EXPECT_TRUE(m_sheet.setActivePage(0));
    EXPECT_EQ(stored(), QStringLiteral("Arm,B,C,"));
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

TEST(ChecklistPage, ShowsTheStepsOfItsSourceAndKeepsTicksForThem)
{
    QString checklist = QStringLiteral("Arm,,Clear,");
    CPropertySheet sheet {QString()};
    auto *page = new CChecklistPage(checklist);
    sheet.addPage(new CPropertyPage(QStringLiteral("Rocket")));
    sheet.addPage(page);
    sheet.show();
    ASSERT_TRUE(sheet.setActivePage(1));
    EXPECT_FALSE(page->box(1)->isVisible());
    EXPECT_EQ(page->stepLabel(2)->text(), QStringLiteral("Clear"));
    // A tap on the step's text ticks its box.
    driver::tap(page->stepLabel(2));
    EXPECT_TRUE(page->box(2)->isChecked());

    // Another checklist starts unticked.
    checklist.clear();
    ASSERT_TRUE(sheet.setActivePage(0));
    ASSERT_TRUE(sheet.setActivePage(1));
    for (int i = 0; i < CChecklistPage::kBoxes; ++i)
        EXPECT_FALSE(page->box(i)->isVisible()) << i;
    EXPECT_FALSE(page->isTicked(2));
}

// Both rockets carry the same steps: ticks made for one were not done for the other.
TEST(ChecklistPage, WizardTicksAreClearedWhenAnotherRocketIsFlown)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    ASSERT_TRUE(logbook.exec(
        {"INSERT INTO Rockets (ID,Name,CheckList) VALUES (1,'Alpha','Arm,Clear,'), (2,'Bravo','Arm,Clear,')"}));
    CSettingsStore settings(logbook.directory() + QStringLiteral("settings.ini"));
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    CRecordingSounds sounds;
    CLaunchDlg launch(wizard::launchContext(settings, {prompter, files}, sounds, logbook.directory()));
    QList<bool> ticksAfterReturn;
    launch.setSheetRunner([&](CPropertySheet &sheet) {
        sheet.show();
        auto *rocket = qobject_cast<CRocketPage *>(sheet.page(CLaunchDlg::RocketPage));
        auto *checklist = qobject_cast<CChecklistPage *>(sheet.page(CLaunchDlg::ChecklistPage));
        const auto fly = [&] {
            driver::tap(driver::find<QToolButton>(rocket, QStringLiteral("Next rocket")));
            driver::tap(driver::find<QPushButton>(rocket, QStringLiteral("Fly It")));
            driver::tab(sheet, CLaunchDlg::ChecklistPage);
        };
        fly();
        driver::tap(checklist->box(0));
        driver::tap(checklist->box(1));
        EXPECT_TRUE(checklist->box(0)->isChecked() && checklist->box(1)->isChecked());
        driver::tab(sheet, CLaunchDlg::RocketPage);
        fly();
        EXPECT_EQ(rocket->browser().view().name, QStringLiteral("Bravo"));
        for (int i = 0; i < 2; ++i)
            ticksAfterReturn.append(checklist->box(i)->isChecked());
        return int(QDialog::Rejected);
    });
    launch.OnLogFlight();
    EXPECT_EQ(ticksAfterReturn, QList<bool>({false, false}));
}
