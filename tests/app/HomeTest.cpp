// The main window as the desktop home, on the 1280x800 reference screen, on a
// logbook the test fills and reads back with its own SQL.
#include "app/BannerText.h"
#include "app/HomeView.h"
#include "charts/AltitudePlot.h"
#include "db/RecordStore.h"
#include "flights/FlightListModel.h"
#include "flights/FlightListPane.h"
#include "flights/FlightPageView.h"
#include "launch/GetDataDlg.h"
#include "launch/LaunchDlg.h"
#include "logbook/FlightLog.h"
#include "rockets/MotorGuideDlg.h"
#include "rockets/RocketListPane.h"
#include "support/LayoutAudit.h"
#include "support/MainWindowOnLogbook.h"
#include "support/TestFiles.h"
#include "support/WizardDriver.h"
#include "ui/CommandBar.h"

#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSemaphore>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using namespace driver;

class HomeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_logbook.exec({
            "INSERT INTO Rockets (ID, Name, Stages, Clustered) VALUES (1, 'Alpha', '0', '0'), (2, 'Bravo', '0', '0')",
            "INSERT INTO Launches (Model, Motor, MotorMfg, MotorDelay, Site, Date, DrogueTime, Notes, Success) "
            "VALUES ('1', 'C6', 'Estes', '5', 'North Field', '12/31/2025', '9:05', 'Perfect', -1), "
            "('2', 'K480W', 'AeroTech', '14', 'South Field', '01/02/2026', '14:30', 'Chute tangled on the way down', "
            "0), "
            "('1', 'D12', 'Estes', '3', 'Far Away Sod Farm', '06/15/2026', '', 'Straight', -1)",
        }));
        m_settings.setDefaultStorageDirectory(m_logbook.directory());
    }

    std::unique_ptr<CTarvelDlg> shownHome()
    {
        auto window = std::make_unique<CTarvelDlg>(m_settings, CUiServices {m_prompter, m_files}, m_reporter);
        if (!showOnReferenceScreen(window.get(), ReferenceScreen::Desktop))
            return nullptr;
        EXPECT_NE(window->home(), nullptr);
        return window;
    }

    static bool listed(CTarvelDlg &window, std::size_t flights)
    {
        return QTest::qWaitFor([&] {
            CFlightListPane *pane = window.home()->flightList();
            return !pane->isPartial() && pane->model()->flights().size() == flights;
        });
    }

    static std::vector<qint64> shownIds(const CFlightListModel &model)
    {
        std::vector<qint64> ids;
        for (int row = 0; row < model.rowCount(); ++row)
            ids.push_back(model.flightAt(row)->rowId);
        return ids;
    }

    CTestLogbook m_logbook;
    CSettingsStore m_settings {m_logbook.directory() + QStringLiteral("settings.ini")};
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
    CRecordingReporter m_reporter;
};

// Opens at least 1024x700 with the flights newest first, every column and a
// sample of cells whole, and the chosen flight's own values on its page.
TEST_F(HomeTest, OpensLargeWithEveryColumnWholeAndTheChosenFlightsPage)
{
    auto window = shownHome();
    if (!window)
        GTEST_SKIP() << "the offscreen reference screens are not available";
    EXPECT_GE(window->width(), 1024);
    EXPECT_GE(window->height(), 700);
    EXPECT_TRUE(window->menuBar()->isVisible());
    EXPECT_FALSE(window->commandBar()->isVisible());
    ASSERT_TRUE(listed(*window, 3));

    CFlightListPane *pane = window->home()->flightList();
    // 06/15/2026, 01/02/2026, 12/31/2025 are rows 3, 2, 1.
    EXPECT_EQ(shownIds(*pane->model()), (std::vector<qint64> {3, 2, 1}));
    QTableView *list = pane->list();
    QHeaderView *header = list->horizontalHeader();
    for (int column = 0; column < CFlightListModel::ColumnCount; ++column) {
        const QString title = pane->model()->headerData(column, Qt::Horizontal).toString();
        EXPECT_LE(header->fontMetrics().horizontalAdvance(title), header->sectionSize(column)) << title.toStdString();
        EXPECT_GT(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, 0);
        EXPECT_LE(header->sectionViewportPosition(column) + header->sectionSize(column), list->viewport()->width())
            << title.toStdString() << " lies beyond the list";
    }
    for (const int column : {CFlightListModel::Rocket, CFlightListModel::Motor, CFlightListModel::Site}) {
        for (int row = 0; row < 3; ++row) {
            const QString text = pane->model()->index(row, column).data().toString();
            EXPECT_LT(list->fontMetrics().horizontalAdvance(text), list->columnWidth(column)) << text.toStdString();
        }
    }
    // The newest flight is on the page at first; a tap shows another.
    CFlightPageView *page = window->home()->flightPage();
    EXPECT_EQ(page->flight().rowId, 3);
    tapRow(list, pane->model()->index(1, CFlightListModel::Site));
    const QStringList stored =
        m_logbook.rows(QStringLiteral("SELECT Site, Date, Motor, Notes FROM Launches WHERE rowid = 2"));
    ASSERT_EQ(stored.size(), 1);
    const QStringList values = {field<QLineEdit>(page, QStringLiteral("Site:"))->text(),
                                field<QLineEdit>(page, QStringLiteral("Date:"))->text(),
                                field<QLineEdit>(page, QStringLiteral("Motor:"))->text(),
                                field<QPlainTextEdit>(page, QStringLiteral("Notes:"))->toPlainText()};
    EXPECT_EQ(values.join(QLatin1Char('|')), stored.first());
    // Nothing lies outside the window, overlaps or is cut, on either tab.
    EXPECT_EQ(auditLayout(window.get(), true), QStringList());
    window->home()->tabs()->setCurrentIndex(1);
    EXPECT_EQ(auditLayout(window.get(), true), QStringList());
    window->home()->tabs()->setCurrentIndex(0);
    // Escape on the home does not end the program.
    keyClick(list, Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->home()->record()->text(),
              QStringLiteral("3 flights, 2 successes (67%)\nFirst flight 2025-12-31, last flight 2026-06-15"));
}

// DELETE on the home's page asks, removes the flight from the logbook, the
// list and the record line, and shows the flight that took its place.
TEST_F(HomeTest, DeletingOnThePageUpdatesTheListAndTheRecord)
{
    auto window = shownHome();
    if (!window)
        GTEST_SKIP() << "the offscreen reference screens are not available";
    ASSERT_TRUE(listed(*window, 3));
    CFlightListPane *pane = window->home()->flightList();
    tapRow(pane->list(), pane->model()->index(pane->model()->rowOf(2), 0));
    CFlightPageView *page = window->home()->flightPage();
    ASSERT_EQ(page->flight().rowId, 2);
    m_prompter.script({PromptAnswer::Yes});
    command(page->commandBar(), QStringLiteral("DELETE"));
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT rowid FROM Launches ORDER BY rowid")), QStringList({"1", "3"}));
    EXPECT_EQ(shownIds(*pane->model()), (std::vector<qint64> {3, 1}));
    EXPECT_EQ(page->flight().rowId, pane->currentRowId());
    EXPECT_NE(page->flight().rowId, 0);
    // Flights 1 and 3 were both successes: 2 of 2.
    EXPECT_EQ(window->home()->record()->text(),
              QStringLiteral("2 flights, 2 successes (100%)\nFirst flight 2025-12-31, last flight 2026-06-15"));
    EXPECT_EQ(pane->countLine()->text(), QStringLiteral("2 flights"));
}

// The menu bar offers what the command bar does, the very same actions, with
// the same names, mnemonics and keys.
TEST_F(HomeTest, MenuBarHoldsTheCommandBarsEntries)
{
    auto window = shownHome();
    if (!window)
        GTEST_SKIP() << "the offscreen reference screens are not available";
    const auto entries = [](const QList<QAction *> &actions) {
        QStringList lines;
        for (QAction *action : actions)
            lines.append(action->isSeparator() ? QStringLiteral("-")
                                               : action->text() + QLatin1Char(' ') + action->shortcut().toString());
        return lines;
    };
    QStringList bar;
    QList<QAction *> barActions;
    for (auto *button : window->commandBar()->findChildren<QToolButton *>()) {
        if (button->objectName() == QLatin1String("qt_toolbar_ext_button"))
            continue;
        bar.append(button->text());
        if (button->menu()) {
            bar.append(entries(button->menu()->actions()));
            for (QAction *action : button->menu()->actions())
                barActions.append(action->isSeparator() ? nullptr : action);
        }
    }
    QStringList menus;
    QList<QAction *> menuActions;
    for (QAction *item : window->menuBar()->actions()) {
        menus.append(item->text());
        if (item->menu()) {
            menus.append(entries(item->menu()->actions()));
            for (QAction *action : item->menu()->actions())
                menuActions.append(action->isSeparator() ? nullptr : action);
        }
    }
    EXPECT_EQ(menus, bar);
    EXPECT_EQ(menus,
              QStringList({"&Data", "About ", "-", "Flights ", "Queries ", "Rockets ", "Viewer ", "&EDIT", "Options ",
                           "Defaults ", "&LAUNCH", "?"}));
    EXPECT_EQ(menuActions, barActions);
    // Alt and the underlined letter open a menu of the bar, wherever the keyboard is.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    for (QAction *item : window->menuBar()->actions()) {
        if (!item->menu())
            continue;
        bool shown = false;
        const QMetaObject::Connection watch =
            QObject::connect(item->menu(), &QMenu::aboutToShow, [&] { shown = true; });
        const QChar letter = item->text().at(item->text().indexOf(QLatin1Char('&')) + 1);
        keyClick(window->home()->flightList()->searchField(), Qt::Key(letter.toUpper().unicode()), Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return shown; })) << item->text().toStdString();
        QObject::disconnect(watch);
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    }
    // The toolbar's buttons are named by their labels; the motor guide's place is kept empty.
    QStringList tools;
    for (QAction *action : window->toolBar()->actions()) {
        if (QWidget *button = window->toolBar()->widgetForAction(action); button && !action->isSeparator())
            tools.append(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name));
    }
    EXPECT_EQ(tools,
              QStringList({"Log a Flight", "New Rocket", "Import Motors", "Add Altimeter Data", "Motor Guide"}));
}

// A flight logged through the wizard from the toolbar is in the logbook and at
// once in the home's list.
TEST_F(HomeTest, FlightLoggedFromTheToolbarAppearsInTheList)
{
    auto window = shownHome();
    if (!window)
        GTEST_SKIP() << "the offscreen reference screens are not available";
    ASSERT_TRUE(listed(*window, 3));
    QAction *log = nullptr;
    for (QAction *action : window->toolBar()->actions())
        log = action->text() == QLatin1String("Log a Flight") ? action : log;
    ASSERT_NE(log, nullptr);
    const bool opened = onModal<CLaunchDlg>(
        [&] { log->trigger(); },
        [&](CLaunchDlg &launch) {
            launch.setSheetRunner([](CPropertySheet &sheet) {
                sheet.show();
                auto *rocket = qobject_cast<CRocketPage *>(sheet.page(CLaunchDlg::RocketPage));
                EXPECT_NE(rocket, nullptr);
                if (!rocket)
                    return sheet.result();
                tap(find<QToolButton>(rocket, QStringLiteral("Next rocket"))); // Alpha, the first by name
                tap(find<QPushButton>(rocket, QStringLiteral("Fly It")));
                for (const char *step : {"NEXT", "NEXT", "LAUNCH", "Success", "DONE"}) {
                    if (QPushButton *button = find<QPushButton>(sheet.activePage(), QLatin1String(step)))
                        tap(button);
                }
                return sheet.result();
            });
            launch.OnLogFlight();
            launch.reject();
        });
    ASSERT_TRUE(opened);
    const QStringList rows =
        m_logbook.rows(QStringLiteral("SELECT rowid, Model, Success FROM Launches WHERE rowid > 3"));
    ASSERT_EQ(rows, QStringList({"4|1|-1"}))
        << qPrintable(m_prompter.shown().isEmpty() ? QString() : m_prompter.shown().first().text);
    ASSERT_TRUE(listed(*window, 4));
    EXPECT_GE(window->home()->flightList()->model()->rowOf(4), 0);
}

// The Rockets tab lists the catalogue by name with the chosen rocket's summary;
// EDIT opens the Rockets screens, and what changed there is listed after.
TEST_F(HomeTest, RocketsTabSummarisesAndOpensTheRocketScreens)
{
    auto window = shownHome();
    if (!window)
        GTEST_SKIP() << "the offscreen reference screens are not available";
    window->home()->tabs()->setCurrentIndex(1);
    CRocketListPane *rockets = window->home()->rocketList();
    QStringList names;
    for (int row = 0; row < rockets->list()->count(); ++row)
        names.append(rockets->list()->item(row)->text());
    EXPECT_EQ(names, m_logbook.rows(QStringLiteral("SELECT Name FROM Rockets ORDER BY Name")));
    rockets->list()->setCurrentRow(1);
    const QString launches = m_logbook.rows(QStringLiteral("SELECT count(*) FROM Launches WHERE Model = '2'")).first();
    EXPECT_TRUE(rockets->summary()->toPlainText().contains(QStringLiteral("Launched  %1 time(s)").arg(launches)))
        << rockets->summary()->toPlainText().toStdString();
    EXPECT_TRUE(onModal<CPropertySheet>([&] { tap(rockets->editButton()); },
                                        [&](CPropertySheet &sheet) {
                                            ASSERT_TRUE(m_logbook.exec(
                                                {"INSERT INTO Rockets (ID, Name) VALUES (3, 'Charlie')"}));
                                            sheet.confirm();
                                        }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return rockets->list()->count() == 3; }));
    EXPECT_EQ(rockets->list()->item(2)->text(), QStringLiteral("Charlie"));
}

// The toolbar's Motor Guide flies the motors in the rocket chosen in the
// Rockets list, and asks for a rocket when none is chosen.
TEST_F(HomeTest, MotorGuideFromTheToolbarFliesTheChosenRocket)
{
    auto window = shownHome();
    if (!window)
        GTEST_SKIP() << "the offscreen reference screens are not available";
    window->home()->tabs()->setCurrentIndex(1);
    CRocketListPane *rockets = window->home()->rocketList();
    const QList<QListWidgetItem *> bravo = rockets->list()->findItems(QStringLiteral("Bravo"), Qt::MatchExactly);
    ASSERT_EQ(bravo.size(), 1);
    rockets->list()->setCurrentItem(bravo.first());
    QWidget *button = window->toolBar()->widgetForAction(window->motorGuideAction());
    ASSERT_NE(button, nullptr);
    QString rocketLine;
    EXPECT_TRUE(onModal<CMotorGuideDlg>([&] { tap(button); },
                                        [&](CMotorGuideDlg &guide) {
                                            for (const QLabel *label : guide.findChildren<QLabel *>())
                                                rocketLine += label->text() + QLatin1Char('\n');
                                            QTest::keyClick(&guide, Qt::Key_Escape);
                                        }));
    EXPECT_TRUE(rocketLine.contains(QStringLiteral("Bravo"))) << rocketLine.toStdString();
    EXPECT_FALSE(rocketLine.contains(QStringLiteral("Alpha"))) << rocketLine.toStdString();

    rockets->list()->setCurrentRow(-1);
    const qsizetype before = m_prompter.shown().size();
    tap(button);
    ASSERT_EQ(m_prompter.shown().size(), before + 1);
    EXPECT_EQ(m_prompter.shown().last().text, QStringLiteral("Choose the rocket to fly in the Rockets list first."));
}

// Add Altimeter Data keeps a recording with the chosen flight: a copy in the
// storage directory, named on the flight, and its apogee and plot on the page.
TEST_F(HomeTest, AltimeterDataFromTheToolbarIsKeptWithTheChosenFlight)
{
    ASSERT_TRUE(m_settings.WriteSetting(QLatin1String(kSettingAltitudeUnit), QStringLiteral("m")));
    QTemporaryDir downloads;
    const QString source = downloads.filePath(QStringLiteral("FLIGHT1.csv"));
    // Up to 400 m at 10 s (4t(20 - t)), then down at 8 m/s to the ground at 60 s.
    QByteArray samples = "Time (s),Height [m]\n";
    for (int i = 0; i <= 700; ++i) {
        const double t = i * 0.1;
        const double height = t <= 10 ? 4 * t * (20 - t) : std::max(0.0, 400 - 8 * (t - 10));
        samples += QByteArray::number(t, 'f', 1) + ',' + QByteArray::number(height, 'f', 2) + '\n';
    }
    ASSERT_TRUE(writeTestFile(source, samples));

    auto window = shownHome();
    if (!window)
        GTEST_SKIP() << "the offscreen reference screens are not available";
    ASSERT_TRUE(listed(*window, 3));
    CFlightListPane *pane = window->home()->flightList();
    tapRow(pane->list(), pane->model()->index(pane->model()->rowOf(1), 0));
    QAction *add = nullptr;
    for (QAction *action : window->toolBar()->actions())
        add = action->text() == QLatin1String("Add Altimeter Data") ? action : add;
    ASSERT_NE(add, nullptr);
    m_files.script({source});
    EXPECT_TRUE(onModal<CGetDataDlg>([&] { add->trigger(); },
                                     [](CGetDataDlg &dialog) {
                                         dialog.OnSelectFile();
                                         dialog.OnOk();
                                     }));
    const QStringList stored = m_logbook.rows(QStringLiteral("SELECT AltFileName FROM Launches WHERE rowid = 1"));
    ASSERT_EQ(stored.size(), 1);
    EXPECT_TRUE(stored.first().startsWith(m_logbook.directory())) << stored.first().toStdString();
    QFile copy(stored.first());
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), samples);
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT count(*) FROM Launches WHERE AltFileName <> ''")),
              QStringList({"1"}));
    CFlightPageView *page = window->home()->flightPage();
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->flight().rowId == 1 && page->plot()->isVisible(); }));
    EXPECT_TRUE(page->recordingText()->text().startsWith(QStringLiteral("Apogee: 400 m")))
        << page->recordingText()->text().toStdString();
}

TEST_F(HomeTest, BannerHeadsTheHomeUntilTheOptionTurnsItOff)
{
    ASSERT_TRUE(m_settings.WriteSetting(QLatin1String(kSettingDisplayBanner), QStringLiteral("NO")));
    auto window = shownHome();
    if (!window)
        GTEST_SKIP() << "the offscreen reference screens are not available";
    QLabel *header = window->home()->header();
    EXPECT_FALSE(header->isVisible());
    window->setDisplayBanner(true); // what Options does, without a restart
    EXPECT_TRUE(header->isVisible());
    // Every line of the banner is in it, in order.
    QString rest = header->text();
    for (const QString &line : bannerText().split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype at = rest.indexOf(line.trimmed());
        ASSERT_GE(at, 0) << line.toStdString();
        rest = rest.mid(at + line.trimmed().size());
    }
    window->setDisplayBanner(false);
    EXPECT_FALSE(header->isVisible());
}

// While a long log is read, the search field takes what is typed, and what is
// listed (the newest flights, then the whole log) is narrowed by it: with the
// newest read at once (the Flights screen) or on the reading thread too (the home).
TEST(HomeLoading, SearchTakesInputWhileTheLogIsRead)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    ASSERT_TRUE(logbook.exec({
        "INSERT INTO Rockets (ID, Name) VALUES (1, 'Alpha')",
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
        "INSERT INTO Launches (Model, Date, Notes, Success) SELECT 1, printf('%02d/%02d/%d', 1 + i % 12, 1 + i % 28, "
        "2000 + i / 200), CASE WHEN i % 7 = 0 THEN 'tumbled' ELSE 'straight' END, -1 FROM n",
    }));
    const int tumbled =
        logbook.rows(QStringLiteral("SELECT count(*) FROM Launches WHERE Notes = 'tumbled'")).first().toInt();
    CRecordStore store;
    ASSERT_TRUE(store.Open(logbook.directory()));
    CFlightLog log(store);
    CSettingsStore settings(logbook.directory() + QStringLiteral("settings.ini"));
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    for (const bool background : {false, true}) {
        SCOPED_TRACE(background ? "newest on the reading thread" : "newest at once");
        CFlightListPane pane(log, settings, {prompter, files});
        QSemaphore held;
        pane.loader().setBeforeRead([&held] { held.acquire(); });
        if (background)
            pane.openInBackground();
        else
            pane.open();
        pane.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return pane.loader().isReading(); }));
        keyClicks(pane.searchField(), QStringLiteral("tumbled"));
        EXPECT_EQ(pane.searchField()->text(), QStringLiteral("tumbled"));
        EXPECT_TRUE(pane.loader().isReading());
        EXPECT_TRUE(pane.countLine()->text().startsWith(
            QLatin1String(background ? "Reading the logbook" : "Reading 3000 flights")))
            << pane.countLine()->text().toStdString();
        EXPECT_EQ(pane.model()->rowCount() > 0, !background);
        for (int row = 0; row < pane.model()->rowCount(); ++row)
            EXPECT_EQ(pane.model()->flightAt(row)->notes, QStringLiteral("tumbled"));
        held.release();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !pane.isPartial(); }));
        EXPECT_EQ(pane.model()->rowCount(), tumbled);
        EXPECT_EQ(pane.countLine()->text(), QStringLiteral("%1 of 3000 flights").arg(tumbled));
    }
    EXPECT_TRUE(prompter.shown().isEmpty());
}

} // namespace
