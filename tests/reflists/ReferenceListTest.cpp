// The reference lists: their stored text, and the Defaults screen that edits
// them and saves them when it goes.
#include "reflists/ReferenceList.h"

#include "db/RecordStore.h"
#include "platform/SettingsStore.h"
#include "reflists/DefaultsDlg.h"
#include "support/TestLogbook.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"
#include "ui/StatusWindow.h"

#include <QComboBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ReferenceListText, SplitKeepsOnlyCommaEndedItems)
{
    EXPECT_EQ(splitReferenceList(QStringLiteral("A,B")), QStringList({"A"}));
    EXPECT_EQ(splitReferenceList(QStringLiteral("A,,B,")), QStringList({"A", "", "B"}));
    EXPECT_TRUE(splitReferenceList(QString()).isEmpty());
    EXPECT_EQ(splitReferenceList(QStringLiteral("Big, bad,")), QStringList({"Big", " bad"}));
}

TEST(ReferenceListText, JoinLeavesOutTopBlankAndKeepsWholeItems)
{
    EXPECT_EQ(joinReferenceList({"", "", "A", "B"}, 199), ",A,B,");
    EXPECT_EQ(joinReferenceList({"A", "", "B"}, 199), "A,,B,");
    EXPECT_EQ(joinReferenceList({""}, 199), "");
    EXPECT_EQ(joinReferenceList({"", "abc", "defg", "hi"}, 9), "abc,defg,");
}

namespace {
class DefaultsScreen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
        m_home.show();
    }
    std::unique_ptr<CDefaultsDlg> open()
    {
        auto dialog = std::make_unique<CDefaultsDlg>(m_store, m_status, m_logbook.directory(), m_settings, m_ui);
        dialog->show();
        return dialog;
    }
    QString stored(const char *name) const { return m_settings.ReadSetting(QLatin1String(name)); }

    CTestLogbook m_logbook;
    CRecordStore m_store;
    QTemporaryDir m_settingsDir;
    CSettingsStore m_settings {m_settingsDir.filePath(QStringLiteral("settings.ini"))};
    QWidget m_home;
    CStatusWindow m_status {&m_home};
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
    CUiServices m_ui {m_prompter, m_files};
};
} // namespace

TEST_F(DefaultsScreen, BuiltInDefaultsAreSavedInSortedOrder)
{
    {
        auto dialog = open();
        EXPECT_EQ(dialog->entries(ReferenceListKind::Mfgs), QStringList({""}));
        m_prompter.script({PromptAnswer::Yes, PromptAnswer::Yes, PromptAnswer::No});
        dialog->onLoadDefault(ReferenceListKind::Mfgs);
        dialog->onLoadDefault(ReferenceListKind::Types);
        dialog->onLoadDefault(ReferenceListKind::Status);
        EXPECT_EQ(m_prompter.shown().at(0).text, "Load Default Manufacturers?");
        EXPECT_EQ(m_prompter.shown().at(2).text, "Load Default Status?");
        EXPECT_EQ(dialog->entries(ReferenceListKind::Mfgs), QStringList({"", "EST", "LOC", "NCR", "PML"}));
    }
    EXPECT_EQ(stored(kSettingDefaultModelMfgs), "EST,LOC,NCR,PML,");
    EXPECT_EQ(stored(kSettingDefaultModelTypes), "Experimental,Scale,Sport,");
    EXPECT_EQ(stored(kSettingDefaultStatus), "");
}

TEST_F(DefaultsScreen, StoredTextsReadAndSaveBack)
{
    m_settings.WriteSetting(QLatin1String(kSettingDefaultStatus), QStringLiteral("A,B"));
    m_settings.WriteSetting(QLatin1String(kSettingDefaultModelTypes), QStringLiteral("A,,B,"));
    {
        auto dialog = open();
        EXPECT_EQ(dialog->entries(ReferenceListKind::Status), QStringList({"", "A"}));
        EXPECT_EQ(dialog->entries(ReferenceListKind::Types), QStringList({"", "", "A", "B"}));
    }
    EXPECT_EQ(stored(kSettingDefaultStatus), "A,");
    EXPECT_EQ(stored(kSettingDefaultModelTypes), ",A,B,");
}

TEST_F(DefaultsScreen, AddRemoveAndDefaultReplace)
{
    {
        auto dialog = open();
        QComboBox *status = dialog->listBox(ReferenceListKind::Status);
        dialog->onAdd(ReferenceListKind::Status);
        EXPECT_EQ(m_prompter.shown().last().text, "Please enter a Status");
        EXPECT_EQ(m_prompter.shown().last().caption, "Error");
        for (const char *text : {"Flying", "Big, bad", "flying", "Flying"}) {
            status->setEditText(QLatin1String(text));
            dialog->onAdd(ReferenceListKind::Status);
            EXPECT_EQ(status->currentText(), "");
        }
        EXPECT_EQ(dialog->entries(ReferenceListKind::Status),
                  QStringList({"", "Big, bad", "Flying", "flying", "Flying"}));

        dialog->onRemove(ReferenceListKind::Status); // no selection: nothing goes
        EXPECT_EQ(status->count(), 5);
        status->setCurrentIndex(2);
        dialog->onRemove(ReferenceListKind::Status);
        EXPECT_EQ(dialog->entries(ReferenceListKind::Status), QStringList({"", "Big, bad", "flying", "Flying"}));
        status->setCurrentIndex(0); // the blank entry too
        dialog->onRemove(ReferenceListKind::Status);

        QComboBox *mfgs = dialog->listBox(ReferenceListKind::Mfgs);
        mfgs->setEditText(QStringLiteral("Mine"));
        dialog->onAdd(ReferenceListKind::Mfgs);
        m_prompter.script({PromptAnswer::Yes});
        dialog->onLoadDefault(ReferenceListKind::Mfgs);
        EXPECT_FALSE(dialog->entries(ReferenceListKind::Mfgs).contains(QStringLiteral("Mine")));
    }
    EXPECT_EQ(stored(kSettingDefaultStatus), "Big, bad,flying,Flying,");
    EXPECT_EQ(splitReferenceList(stored(kSettingDefaultStatus)), QStringList({"Big", " bad", "flying", "Flying"}));
    EXPECT_EQ(stored(kSettingDefaultModelMfgs), "EST,LOC,NCR,PML,");
}

TEST_F(DefaultsScreen, NeverShownSavesNothing)
{
    m_settings.WriteSetting(QLatin1String(kSettingDefaultStatus), QStringLiteral("Kept,"));
    {
        CDefaultsDlg dialog(m_store, m_status, m_logbook.directory(), m_settings, m_ui);
    }
    EXPECT_EQ(stored(kSettingDefaultStatus), "Kept,");
}
