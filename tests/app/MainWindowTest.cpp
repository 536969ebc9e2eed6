#include "app/AboutDlg.h"
#include "app/BannerText.h"
#include "app/PromptStoreReporter.h"
#include "app/TarvelApp.h"
#include "app/TarvelDlg.h"
#include "db/RecordStore.h"
#include "db/Schema.h"
#include "support/LayoutAudit.h"
#include "support/ScreenDriver.h"
#include "ui/CommandBar.h"
#include "ui/FormFactor.h"
#include "ui/HelpBrowser.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { m_settings.setDefaultStorageDirectory(m_dir.path() + QStringLiteral("/storage/")); }

    std::unique_ptr<CTarvelDlg> mainWindow()
    {
        return std::make_unique<CTarvelDlg>(m_settings, CUiServices {m_prompter, m_files}, m_reporter);
    }

    void keysOpenMenusAndHelp(ReferenceScreen screen);

    QString label(CTarvelDlg &window, const char *name) const
    {
        auto *found = window.findChild<QLabel *>(QLatin1String(name));
        return found ? found->text() : QStringLiteral("<missing>");
    }

    QTemporaryDir m_dir;
    CSettingsStore m_settings {m_dir.filePath(QStringLiteral("Tarvel.ini"))};
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
    QList<int> m_exits;
    CPromptStoreReporter m_reporter {m_prompter, nullptr, [this](int status) { m_exits.append(status); }};
};

TEST_F(MainWindowTest, FirstStartCreatesTheLogbookInTheStorageDirectory)
{
    CTarvelApp app(m_settings, CUiServices {m_prompter, m_files}, {});
    ASSERT_TRUE(app.prepare());
    const QString logbook = m_dir.path() + QStringLiteral("/storage/TarvelDB.CDB");
    ASSERT_TRUE(QFile::exists(logbook));
    EXPECT_TRUE(QFile::exists(m_settings.fileName()));

    // The next start finds both and changes neither; every screen can open the store.
    CRecordStore store;
    ASSERT_TRUE(store.Open(m_dir.path() + QStringLiteral("/storage/")));
    ASSERT_TRUE(store.RunSql(QStringLiteral("INSERT INTO Queries (Name, Query) VALUES ('kept', 'x')")));
    store.Close();
    ASSERT_TRUE(app.prepare());
    auto window = mainWindow();
    auto opened = window->openStore();
    ASSERT_NE(opened, nullptr);
    ASSERT_TRUE(opened->RunSql(QStringLiteral("SELECT Name FROM Queries")));
    EXPECT_EQ(opened->GetFieldText(0), QStringLiteral("kept"));
    EXPECT_TRUE(m_prompter.shown().isEmpty());
}

// The window and its About box fit every reference screen; screen readers read the banner itself.
TEST_F(MainWindowTest, ShowsVersionWelcomeAndBanner)
{
    auto window = mainWindow();
    auto *banner = window->findChild<QLabel *>(QStringLiteral("bannerLabel"));
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(banner)->text(QAccessible::Name), bannerText());

    QString skipped;
    EXPECT_EQ(auditOnReferenceScreens(window.get(), &skipped), QStringList());
    CAboutDlg about(window.get());
    EXPECT_EQ(auditOnReferenceScreens(&about, &skipped), QStringList());
    if (!skipped.isEmpty())
        GTEST_SKIP() << skipped.toStdString();
}

TEST_F(MainWindowTest, RemembersWhereItWasOnTheDesktop)
{
    auto window = mainWindow();
    if (!showOnReferenceScreen(window.get(), ReferenceScreen::Desktop))
        GTEST_SKIP() << "the offscreen reference screens are not available";
    const QRect moved(300, 200, 500, 420);
    window->setGeometry(moved);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    driver::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier); // closes it, like the caption's OK
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);

    auto again = mainWindow();
    ASSERT_TRUE(showOnReferenceScreen(again.get(), ReferenceScreen::Desktop));
    EXPECT_EQ(again->geometry(), moved);
    // On the phone it fills the screen and leaves the desktop place alone.
    ASSERT_TRUE(showOnReferenceScreen(again.get(), ReferenceScreen::Phone));
    EXPECT_EQ(again->geometry(), referenceScreen(ReferenceScreen::Phone)->geometry());
    again->reject();
    EXPECT_EQ(windowGeometryFromText(m_settings.ReadSetting(QStringLiteral("Main Window Geometry"))), moved);
}

TEST_F(MainWindowTest, BannerSettingHidesAndShowsTheBanner)
{
    CMainSettings main;
    ASSERT_TRUE(m_settings.loadMainSettings(main));
    ASSERT_TRUE(m_settings.WriteSetting(QLatin1String(kSettingDisplayBanner), QStringLiteral("NO")));
    auto window = mainWindow();
    EXPECT_EQ(label(*window, "bannerLabel"), QString());
    window->setDisplayBanner(true); // after Options, without a restart
    EXPECT_EQ(label(*window, "bannerLabel"), bannerText());
}

// The bar's buttons in order with their menus; screen readers find every button by name.
TEST_F(MainWindowTest, CommandBarCarriesTheMenusInOrder)
{
    auto window = mainWindow();
    QStringList buttons;
    QMap<QString, QStringList> menus;
    for (auto *button : window->commandBar()->findChildren<QToolButton *>()) {
        if (button->objectName() == QLatin1String("qt_toolbar_ext_button"))
            continue; // the bar's own overflow button, hidden while everything fits
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(button);
        ASSERT_NE(accessible, nullptr);
        buttons.append(button->text() + QLatin1Char('/') + accessible->text(QAccessible::Name));
        for (QAction *action : button->menu() ? button->menu()->actions() : QList<QAction *>())
            menus[button->text()].append(action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    EXPECT_EQ(buttons, QStringList({"&Data/Data", "&EDIT/EDIT", "&LAUNCH/LAUNCH", "?/Help"}));
    EXPECT_EQ(menus.value(QStringLiteral("&Data")),
              QStringList({"About", "-", "Flights", "Queries", "Rockets", "Viewer"}));
    EXPECT_EQ(menus.value(QStringLiteral("&EDIT")), QStringList({"Options", "Defaults"}));
}

// On the handheld's screen the command bar's buttons open the menus; on a
// desktop the home's menu bar does. F1 and "?" show the help on both.
TEST_F(MainWindowTest, KeysOpenTheDataMenuTheHelpAndQuit)
{
    for (const ReferenceScreen screen : {ReferenceScreen::Compact, ReferenceScreen::Desktop}) {
        SCOPED_TRACE(referenceScreenInfo(screen).suffix);
        keysOpenMenusAndHelp(screen);
    }
}

void MainWindowTest::keysOpenMenusAndHelp(ReferenceScreen screen)
{
    auto window = mainWindow();
    if (!showOnReferenceScreen(window.get(), screen))
        GTEST_SKIP() << "the offscreen reference screens are not available";
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    // Reports what popped up or opened over the window, and closes it again.
    auto opened = [&](const std::function<void()> &press) {
        QString seen;
        driver::watch(press, [&] {
            QWidget *up = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                            : QApplication::activeModalWidget();
            // Closed only once it has the keyboard, which then goes back to the window.
            if (!up || QGuiApplication::focusWindow() != up->windowHandle())
                return false;
            if (auto *menu = qobject_cast<QMenu *>(up)) {
                seen = QStringLiteral("menu ") + menu->title().remove(QLatin1Char('&'));
                menu->close();
            } else if (auto *help = qobject_cast<CHelpBrowser *>(up)) {
                seen = help->windowTitle() + QStringLiteral(": ") + help->browser()->toPlainText().section('\n', 0, 0);
                help->reject();
            }
            return !seen.isEmpty();
        });
        return seen;
    };
    // A key goes to the window once the window system has given it back the
    // keyboard, a moment after a menu closes.
    const auto key = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        return [&window, key, modifiers] {
            ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == window.get(); }));
            driver::keyClick(window.get(), key, modifiers);
        };
    };
    // The menu bar's menus open on these keys too (HomeTest), but the offscreen
    // platform does not hand them the keyboard this watch waits for.
    if (screen == ReferenceScreen::Compact) {
        EXPECT_EQ(opened(key(Qt::Key_D, Qt::AltModifier)), "menu Data");
        EXPECT_EQ(opened(key(Qt::Key_E, Qt::AltModifier)), "menu EDIT");
    }
    const QString help = QStringLiteral("Help: Tarvel: Tarvel");
    EXPECT_EQ(opened(key(Qt::Key_F1)), help);
    EXPECT_EQ(opened([&] {
                  if (screen == ReferenceScreen::Compact) {
                      EXPECT_EQ(window->menuBar(), nullptr);
                      driver::command(window->commandBar(), QStringLiteral("?"));
                      return;
                  }
                  ASSERT_NE(window->menuBar(), nullptr);
                  EXPECT_FALSE(window->commandBar()->isVisible());
                  for (QAction *item : window->menuBar()->actions()) {
                      if (item->text() == QLatin1String("?"))
                          item->trigger();
                  }
              }),
              help);
}

TEST_F(MainWindowTest, MissingLogbookIsFatalAndEndsWithFailure)
{
    CMainSettings main;
    ASSERT_TRUE(m_settings.loadMainSettings(main)); // settings, but no logbook yet
    auto window = mainWindow();
    EXPECT_EQ(window->openStore(), nullptr);
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().first().icon, PromptIcon::Error);
    EXPECT_EQ(m_prompter.shown().first().text,
              QStringLiteral("The database ") + main.storageDirectory + QStringLiteral("TarvelDB.CDB does not exist!"));
    ASSERT_EQ(m_exits.size(), 1);
    EXPECT_NE(m_exits.first(), 0);
}

} // namespace
