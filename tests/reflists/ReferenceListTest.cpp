// The reference lists: their stored text, and the Defaults screen that edits
// them and saves them when it goes.
#include "reflists/ReferenceList.h"

#include "platform/SettingsStore.h"
#include "reflists/DefaultsDlg.h"
#include "support/LayoutAudit.h"
#include "support/ScreenDriver.h"
#include "support/TestFiles.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"
#include "ui/StatusWindow.h"
#include "ui/TouchSize.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

TEST(ReferenceListText, SplitKeepsOnlyCommaEndedItems)
{
    EXPECT_EQ(splitReferenceList(QStringLiteral("A,B")), QStringList({"A"}));
    EXPECT_EQ(splitReferenceList(QStringLiteral("A,,B,")), QStringList({"A", "", "B"}));
    EXPECT_EQ(splitReferenceList(QStringLiteral("Big, bad,")), QStringList({"Big", " bad"}));
    // The top blank entry is left out; an entry that would pass the limit, and all after it.
    EXPECT_EQ(joinReferenceList({"", "", "A", "B"}, 199), ",A,B,");
    EXPECT_EQ(joinReferenceList({"A", "", "B"}, 199), "A,,B,");
    EXPECT_EQ(joinReferenceList({""}, 199), "");
    EXPECT_EQ(joinReferenceList({"", "abc", "defg", "hi"}, 9), "abc,defg,");
}

namespace {
class DefaultsScreen : public ::testing::Test
{
protected:
    void SetUp() override { m_home.show(); }
    // MOTORS opens no screen here: the main window's test drives it.
    std::unique_ptr<CDefaultsDlg> open()
    {
        auto dialog = std::make_unique<CDefaultsDlg>(m_status, m_settings, m_ui, CDefaultsDlg::MotorsScreen());
        dialog->show();
        return dialog;
    }
    QString stored(const char *name) const { return m_settings.ReadSetting(QLatin1String(name)); }
    // Types into the list's box and presses its ADD button.
    static void add(CDefaultsDlg &dialog, ReferenceListKind kind, const QString &text)
    {
        const char *const labels[] = {"Default Model Status", "Default Model MFGs", "Default Model Type"};
        const QString description = QStringLiteral("Add to ") + QLatin1String(labels[int(kind)]);
        dialog.listBox(kind)->setEditText(text);
        for (auto *button : dialog.findChildren<QPushButton *>()) {
            if (button->text() == QLatin1String("ADD") && button->accessibleDescription() == description)
                driver::tap(button);
        }
    }

    QTemporaryDir m_settingsDir;
    CSettingsStore m_settings {m_settingsDir.filePath(QStringLiteral("settings.ini"))};
    QWidget m_home;
    CStatusWindow m_status {&m_home};
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
    CUiServices m_ui {m_prompter, m_files};
};
} // namespace

TEST_F(DefaultsScreen, AddRemoveAndDefaultReplace)
{
    {
        auto dialog = open();
        QComboBox *status = dialog->listBox(ReferenceListKind::Status);
        dialog->onAdd(ReferenceListKind::Status);
        EXPECT_EQ(m_prompter.shown().last().text, "Please enter a Status");
        for (const char *text : {"Flying", "Big, bad", "flying", "Flying"}) {
            add(*dialog, ReferenceListKind::Status, QLatin1String(text));
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

        // The built-in lists replace what was there, in sorted order; No keeps the list.
        add(*dialog, ReferenceListKind::Mfgs, QStringLiteral("Mine"));
        m_prompter.script({PromptAnswer::Yes, PromptAnswer::Yes, PromptAnswer::No});
        dialog->onLoadDefault(ReferenceListKind::Mfgs);
        dialog->onLoadDefault(ReferenceListKind::Types);
        dialog->onLoadDefault(ReferenceListKind::Status);
        EXPECT_EQ(dialog->entries(ReferenceListKind::Mfgs), QStringList({"", "EST", "LOC", "NCR", "PML"}));
    }
    EXPECT_EQ(stored(kSettingDefaultStatus), "Big, bad,flying,Flying,");
    EXPECT_EQ(stored(kSettingDefaultModelMfgs), "EST,LOC,NCR,PML,");
    EXPECT_EQ(stored(kSettingDefaultModelTypes), "Experimental,Scale,Sport,");
}

TEST_F(DefaultsScreen, UnchangedListsAreNotWrittenBack)
{
    // Typed by hand, without quotes: the file's reader sees lists, not texts.
    const QByteArray typed = "[General]\nDefault Status=Active,Retired,\nDefault Model Types=A,,B,\n"
                             "Default Model MFGs=A,B\n";
    ASSERT_TRUE(writeTestFile(m_settings.fileName(), typed));
    {
        auto dialog = open();
        EXPECT_EQ(dialog->entries(ReferenceListKind::Status), QStringList({"", "Active", "Retired"}));
        EXPECT_EQ(dialog->entries(ReferenceListKind::Types), QStringList({"", "", "A", "B"}));
        EXPECT_EQ(dialog->entries(ReferenceListKind::Mfgs), QStringList({"", "A"}));
        dialog->reject();
    }
    EXPECT_EQ(readTestFile(m_settings.fileName()), typed);

    add(*open(), ReferenceListKind::Mfgs, "EST"); // the screen goes, and saves, at the semicolon
    EXPECT_EQ(stored(kSettingDefaultModelMfgs), "A,EST,");
    EXPECT_EQ(stored(kSettingDefaultStatus), "Active,Retired,");
    EXPECT_EQ(stored(kSettingDefaultModelTypes), "A,,B,");
}

TEST_F(DefaultsScreen, ListThatCannotBeSavedIsTold)
{
    ASSERT_TRUE(writeTestFile(m_settingsDir.filePath(QStringLiteral("plain")), "not a folder"));
    CSettingsStore blocked(m_settingsDir.filePath(QStringLiteral("plain/settings.ini")));
    {
        CDefaultsDlg dialog(m_status, blocked, m_ui, CDefaultsDlg::MotorsScreen());
        dialog.show();
        add(dialog, ReferenceListKind::Status, QStringLiteral("Flying"));
        EXPECT_TRUE(m_prompter.shown().isEmpty());
    }
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().first().caption, QStringLiteral("Error"));
    EXPECT_EQ(m_prompter.shown().first().text,
              QStringLiteral("The setting Default Status could not be saved in ") + blocked.fileName());
}

TEST_F(DefaultsScreen, NeverShownSavesNothing)
{
    ASSERT_TRUE(m_settings.WriteSetting(QLatin1String(kSettingDefaultStatus), QStringLiteral("Kept,")));
    {
        CDefaultsDlg dialog(m_status, m_settings, m_ui, CDefaultsDlg::MotorsScreen());
    }
    EXPECT_EQ(stored(kSettingDefaultStatus), "Kept,");
}

TEST_F(DefaultsScreen, EntryThatDoesNotFitIsRefusedByName)
{
    QStringList added;
    {
        auto dialog = open();
        for (int i = 10; i < 40; ++i) {
            const QString maker = QStringLiteral("Maker number %1").arg(i); // 15 characters and a comma
            add(*dialog, ReferenceListKind::Mfgs, maker);
            if (m_prompter.shown().isEmpty())
                added.append(maker);
        }
        ASSERT_EQ(added.size(), 12); // 12 x 16 = 192; a thirteenth would make 208
        EXPECT_TRUE(m_prompter.shown().first().text.startsWith("Maker number 22 does not fit"));
        EXPECT_EQ(dialog->entries(ReferenceListKind::Mfgs).mid(1), added);
    }
    EXPECT_EQ(splitReferenceList(stored(kSettingDefaultModelMfgs)), added);
}

TEST_F(DefaultsScreen, DropDownsStayInsideTheWindow)
{
    QString many;
    for (int i = 0; i < 45; ++i)
        many += QStringLiteral("T%1,").arg(i, 2, 10, QLatin1Char('0'));
    for (const char *name : {kSettingDefaultStatus, kSettingDefaultModelMfgs, kSettingDefaultModelTypes})
        ASSERT_TRUE(m_settings.WriteSetting(QLatin1String(name), many));
    auto dialog = open();
    for (ReferenceListKind kind : {ReferenceListKind::Status, ReferenceListKind::Mfgs, ReferenceListKind::Types}) {
        QComboBox *box = dialog->listBox(kind);
        ASSERT_EQ(box->count(), 46);
        const int room = dialog->height() - box->mapTo(dialog.get(), QPoint(0, box->height())).y();
        const int rowHeight = box->view()->sizeHintForRow(0);
        EXPECT_GE(box->maxVisibleItems(), 1);
        EXPECT_LE(box->maxVisibleItems() * rowHeight, std::max(room, rowHeight));
    }
}

TEST_F(DefaultsScreen, FitsEveryScreenAndClosesKeepingTheLists)
{
    ASSERT_TRUE(m_settings.WriteSetting(QLatin1String(kSettingDefaultModelMfgs),
                                        QStringLiteral("Cesaroni Technology Incorporated,Public Missiles Ltd,EST,")));
    {
        auto dialog = open();
        QString skipped;
        EXPECT_EQ(auditOnReferenceScreens(dialog.get(), &skipped), QStringList());
        if (!skipped.isEmpty())
            GTEST_SKIP() << skipped.toStdString();
        ASSERT_TRUE(showOnReferenceScreen(dialog.get(), ReferenceScreen::Phone));
        for (QWidget *control : dialog->findChildren<QWidget *>()) {
            if (qobject_cast<QAbstractButton *>(control) || qobject_cast<QComboBox *>(control)) {
                EXPECT_GE(control->height(), kMinimumTouchSize) << control->metaObject()->className();
            }
        }
        add(*dialog, ReferenceListKind::Status, QStringLiteral("Flying"));
        driver::command(dialog->findChild<CCommandBar *>(), QStringLiteral("Close"));
        EXPECT_FALSE(dialog->isVisible());
    }
    EXPECT_EQ(stored(kSettingDefaultStatus), "Flying,");

    // Escape closes too, and keeps what was added.
    {
        auto dialog = open();
        add(*dialog, ReferenceListKind::Types, QStringLiteral("Sport"));
        driver::keyClick(dialog->listBox(ReferenceListKind::Types), Qt::Key_Escape);
        EXPECT_FALSE(dialog->isVisible());
    }
    EXPECT_EQ(stored(kSettingDefaultModelTypes), "Sport,");
}
