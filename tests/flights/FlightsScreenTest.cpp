#include "charts/AltitudePlot.h"
#include "charts/BarChart.h"
#include "db/RecordStore.h"
#include "flights/DateFilterField.h"
#include "flights/FlightListModel.h"
#include "flights/FlightPageDlg.h"
#include "flights/FlightStats.h"
#include "flights/FlightStatsDlg.h"
#include "flights/FlightsDlg.h"
#include "logbook/FlightLog.h"
#include "platform/SettingsStore.h"
#include "rockets/RocketPage.h"
#include "support/LayoutAudit.h"
#include "support/MainWindowOnLogbook.h"
#include "support/ScreenDriver.h"
#include "support/TestFiles.h"
#include "support/TestLogbook.h"
#include "ui/CommandBar.h"
#include "ui/HelpBrowser.h"
#include "ui/PropertySheet.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

using namespace driver;

class FlightsScreenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_logbook.exec({
            "INSERT INTO Rockets (ID, Name) VALUES (1, 'Alpha'), (2, 'Bravo')",
            "INSERT INTO Launches (Model, Motor, MotorMfg, MotorDelay, Site, WindSpeed, Temperature, Celcius, Date, "
            "DrogueTime, Notes, Success) VALUES ('1', 'C6', 'Estes', '5', 'North Field', 5, 72, 0, '12/31/2025', "
            "'9:05', 'Perfect\nsecond line', -1)",
            "INSERT INTO Launches (Model, Motor, MotorMfg, MotorDelay, Site, WindSpeed, Temperature, Celcius, Date, "
            "DoneTime, Notes, Success) VALUES ('2', 'K480W', 'AeroTech', '14', 'South Field', 10, -5, -1, "
            "'01/02/2026', '14:30', 'Chute tangled', 0)",
            "INSERT INTO Launches (Model, Motor, MotorMfg, MotorDelay, Site, Date, Notes, Success) "
            "VALUES ('1', 'D12', 'Estes', '3', 'South Field', '06/15/2026', '', -1)",
        }));
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    }

    QString row(qint64 rowId) const
    {
        const QStringList rows = m_logbook.rows(
            QStringLiteral("SELECT Site, Date, DoneTime, Notes, Success, Temperature, Celcius FROM Launches "
                           "WHERE rowid = %1")
                .arg(rowId));
        return rows.isEmpty() ? QStringLiteral("<gone>") : rows.first();
    }

    // On the page of flight 2: Cancel and Escape change nothing, a date the log
    // cannot read is refused with the reason, Enter stores the edit, and DELETE
    // asks first.
    void editAndDelete(CFlightPageDlg &page)
    {
        const QString stored = QStringLiteral("South Field|01/02/2026|14:30|Chute tangled|0|-5|-1");
        ASSERT_EQ(row(2), stored);
        auto *notes = field<QPlainTextEdit>(&page, QStringLiteral("Notes:"));
        auto *site = field<QLineEdit>(&page, QStringLiteral("Site:"));
        auto *date = field<QLineEdit>(&page, QStringLiteral("Date:"));
        auto *result = field<QComboBox>(&page, QStringLiteral("Result:"));
        ASSERT_TRUE(notes && site && date && result);
        QPushButton *ok = page.editButtons()->button(QDialogButtonBox::Ok);
        QPushButton *cancel = page.editButtons()->button(QDialogButtonBox::Cancel);

        // Cancel, and Escape while editing, change nothing and keep the page open.
        for (const auto &leave :
             std::vector<std::function<void()>> {[&] { tap(cancel); }, [&] { keyClick(site, Qt::Key_Escape); }}) {
            command(page.commandBar(), QStringLiteral("EDIT"));
            ASSERT_FALSE(site->isReadOnly());
            keyClicks(site, QStringLiteral(" East"));
            leave();
            EXPECT_TRUE(page.isVisible());
            EXPECT_FALSE(page.isEditing());
            EXPECT_EQ(site->text(), QStringLiteral("South Field"));
            EXPECT_EQ(row(2), stored);
        }

        // A date the log cannot read is refused with the reason; the fields keep what was typed.
        command(page.commandBar(), QStringLiteral("EDIT"));
        date->clear();
        keyClicks(date, QStringLiteral("13/45/2026"));
        tap(ok);
        ASSERT_EQ(m_prompter.shown().size(), 1);
        EXPECT_TRUE(m_prompter.shown().at(0).text.contains(QLatin1String("MM/DD/YYYY")));
        EXPECT_TRUE(page.isEditing());
        EXPECT_EQ(row(2), stored);

        // A day the month has not is refused with the reason, not the form.
        date->clear();
        keyClicks(date, QStringLiteral("02/30/2024"));
        tap(ok);
        ASSERT_EQ(m_prompter.shown().size(), 2);
        EXPECT_TRUE(m_prompter.shown().at(1).text.contains(QLatin1String("February 2024 has 29 days")))
            << qPrintable(m_prompter.shown().at(1).text);
        EXPECT_EQ(row(2), stored);

        date->clear();
        keyClicks(date, QStringLiteral("1/3/2026"));
        site->selectAll();
        keyClicks(site, QStringLiteral("O'Neil Park"));
        notes->selectAll();
        keyClicks(notes, QStringLiteral("Fixed"));
        result->setCurrentIndex(result->findText(QStringLiteral("Success")));
        keyClick(site, Qt::Key_Return); // Enter is OK
        EXPECT_FALSE(page.isEditing());
        EXPECT_TRUE(page.changedLog());
        EXPECT_EQ(row(2), QStringLiteral("O'Neil Park|01/03/2026|14:30|Fixed|-1|-5|-1"));

        m_prompter.clear();
        m_prompter.script({PromptAnswer::No, PromptAnswer::Yes});
        command(page.commandBar(), QStringLiteral("DELETE"));
        ASSERT_EQ(m_prompter.shown().size(), 1);
        EXPECT_EQ(m_prompter.shown().at(0).text, QStringLiteral("Delete the flight of Bravo on 01/03/2026 14:30?"));
        EXPECT_EQ(m_prompter.shown().at(0).buttons, PromptButtons::YesNoDefaultNo);
        EXPECT_NE(row(2), QStringLiteral("<gone>"));
        command(page.commandBar(), QStringLiteral("DELETE"));
        EXPECT_EQ(page.result(), QDialog::Accepted);
    }

    CTestLogbook m_logbook;
    CRecordStore m_store;
    CSettingsStore m_settings {m_logbook.directory() + QStringLiteral("settings.ini")};
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
};

std::vector<qint64> shownIds(const CFlightsDlg &flights)
{
    std::vector<qint64> ids;
    for (int row = 0; row < flights.model()->rowCount(); ++row)
        ids.push_back(flights.model()->flightAt(row)->rowId);
    return ids;
}

TEST_F(FlightsScreenTest, ListsNewestFirstAndNarrowsAsTheFlyerChooses)
{
    CFlightsDlg flights(m_store, m_settings, {m_prompter, m_files});
    flights.show();
    EXPECT_EQ(shownIds(flights), (std::vector<qint64> {3, 2, 1}));
    const QModelIndex notes = flights.model()->index(2, CFlightListModel::Notes);
    EXPECT_EQ(notes.data().toString(), QStringLiteral("Perfect"));
    EXPECT_EQ(flights.model()->index(2, CFlightListModel::When).data().toString(), QStringLiteral("2025-12-31 9:05"));
    QLineEdit *search = field<QLineEdit>(&flights, QStringLiteral("Search:"));
    ASSERT_EQ(search, flights.searchField());

    struct Step
    {
        const char *what;
        std::function<void()> act;
        std::vector<qint64> shown;
    };
    const auto pick = [](QComboBox *box, const char *text) { choose(box, box->findText(QLatin1String(text))); };
    const auto searchFor = [search](const char *text) {
        search->clear();
        keyClicks(search, QLatin1String(text));
    };
    const std::vector<Step> steps = {
        {"type a motor", [&] { searchFor("k4"); }, {2}},
        {"erase to widen", [&] { keyClick(search, Qt::Key_Backspace); }, {2}},
        {"erase all", [&] { keyClick(search, Qt::Key_Backspace); }, {3, 2, 1}},
        {"type a note", [&] { searchFor("SECOND"); }, {1}},
        {"type the motor as named", [&] { searchFor("estes c6-5"); }, {1}},
        {"clear", [&] { searchFor(""); }, {3, 2, 1}},
        {"one rocket", [&] { pick(flights.rocketBox(), "Alpha"); }, {3, 1}},
        {"and a site", [&] { pick(flights.siteBox(), "South Field"); }, {3}},
        {"all rockets", [&] { pick(flights.rocketBox(), "All"); }, {3, 2}},
        {"failures", [&] { pick(flights.resultBox(), "Failure"); }, {2}},
        {"everything",
         [&] {
             pick(flights.siteBox(), "All");
             pick(flights.resultBox(), "All");
         },
         {3, 2, 1}},
        {"from the new year", [&] { keyClicks(flights.fromField()->edit(), QStringLiteral("2026-01-01")); }, {3, 2}},
        {"to its second day", [&] { keyClicks(flights.toField()->edit(), QStringLiteral("01/02/2026")); }, {2}},
    };
    for (const Step &step : steps) {
        step.act();
        EXPECT_EQ(shownIds(flights), step.shown) << step.what;
    }
    EXPECT_EQ(flights.countLine()->text(), QStringLiteral("1 of 3 flights"));
}

// On a log of a few more flights than the screen shows first (dates in both
// forms, many alike, some unreadable; times in any of the three columns), the
// newest come first in the whole log's order; the rest follow without losing
// the chosen flight, and a search typed meanwhile narrows the whole log.
TEST_F(FlightsScreenTest, ShowsTheNewestFlightsFirstThenTheWholeLog)
{
    ASSERT_TRUE(m_logbook.exec({
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 227) "
        "INSERT INTO Launches (Model, Motor, MotorMfg, Site, Date, DrogueTime, MainTime, DoneTime, Notes, Success) "
        "SELECT 1 + i % 2, 'B6', 'Estes', 'North Field', CASE WHEN i % 20 = 0 THEN 'someday' "
        "WHEN i % 7 = 1 THEN printf('2024-%02d-%02d', 1 + i % 3, 1 + i % 5) "
        "ELSE printf('%d/%d/2024', 1 + i % 3, 1 + i % 5) END, "
        "CASE i % 4 WHEN 0 THEN (8 + i % 3) || ':0' || (i % 2) WHEN 1 THEN 'late' ELSE '' END, "
        "CASE i % 4 WHEN 1 THEN '10:00' ELSE '' END, CASE i % 4 WHEN 2 THEN '9:01' ELSE '' END, "
        "CASE WHEN i % 10 = 0 THEN 'tumbled' ELSE 'straight' END, -1 FROM n",
        // The oldest flight of all: its site is known only once the whole log is read.
        "INSERT INTO Launches (Model, Site, Date, Notes, Success) VALUES ('1', 'Old Pasture', 'someday', 'tumbled', 0)",
    }));
    CFlightLog log(m_store);
    std::vector<CFlightEntry> all = log.load();
    ASSERT_GT(all.size(), CFlightsDlg::kFirstRows);
    sortNewestFirst(all);
    std::vector<qint64> newest;
    std::vector<qint64> tumbled;
    for (const CFlightEntry &flight : all) {
        if (newest.size() < CFlightsDlg::kFirstRows)
            newest.push_back(flight.rowId);
        if (flight.notes == QLatin1String("tumbled"))
            tumbled.push_back(flight.rowId);
    }
    const auto whole = [&](const CFlightsDlg &flights) {
        return QTest::qWaitFor([&] { return flights.model()->flights().size() == all.size(); });
    };

    CFlightsDlg flights(m_store, m_settings, {m_prompter, m_files});
    flights.show();
    EXPECT_EQ(shownIds(flights), newest);
    EXPECT_EQ(flights.siteBox()->findText(QStringLiteral("Old Pasture")), -1);
    const QModelIndex chosen = flights.model()->index(3, CFlightListModel::Notes);
    tapRow(flights.list(), chosen);
    ASSERT_EQ(flights.list()->currentIndex().row(), 3);
    ASSERT_TRUE(whole(flights));
    std::vector<qint64> shown = shownIds(flights);
    ASSERT_EQ(shown.size(), all.size());
    EXPECT_EQ(std::vector<qint64>(shown.begin(), shown.begin() + std::ptrdiff_t(newest.size())), newest);
    const CFlightEntry *current = flights.model()->flightAt(flights.list()->currentIndex().row());
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->rowId, newest[3]);
    EXPECT_GE(flights.siteBox()->findText(QStringLiteral("Old Pasture")), 0);
    EXPECT_EQ(flights.countLine()->text(), QStringLiteral("%1 flights").arg(all.size()));

    CFlightsDlg searched(m_store, m_settings, {m_prompter, m_files});
    searched.show();
    keyClicks(searched.searchField(), QStringLiteral("TUMBLED"));
    ASSERT_TRUE(whole(searched));
    EXPECT_EQ(shownIds(searched), tumbled);
    EXPECT_EQ(searched.countLine()->text(), QStringLiteral("%1 of %2 flights").arg(tumbled.size()).arg(all.size()));
    EXPECT_TRUE(m_prompter.shown().isEmpty());
}

// A flight's recording, named by a path from before the storage directory
// moved, shows its apogee in the list and its plot and comparison on its page.
TEST_F(FlightsScreenTest, RecordingShowsItsApogeeInTheListAndItsPlotOnThePage)
{
    QByteArray recording = "time_s,altitude_m\n";
    for (int i = 0; i <= 400; ++i) {
        const double t = i * 0.1; // up to 300 m at 10 s, then down at 10 m/s
        recording +=
            QByteArray::number(t) + ',' + QByteArray::number(t <= 10 ? 3 * t * (20 - t) : 300 - 10 * (t - 10)) + '\n';
    }
    ASSERT_TRUE(writeTestFile(m_logbook.directory() + QStringLiteral("alpha.csv"), recording));
    ASSERT_TRUE(m_settings.WriteSetting(QLatin1String(kSettingAltitudeUnit), QStringLiteral("m")));
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO RecMotors (RocketID, Type, MFG, Alt) VALUES (1, 'C6', 'Estes', 320)",
                                "UPDATE Launches SET AltFileName = '/gone/alpha.csv' WHERE rowid = 1"}));

    CFlightsDlg flights(m_store, m_settings, {m_prompter, m_files});
    flights.show();
    const int alpha = flights.model()->rowOf(1);
    EXPECT_EQ(flights.model()->index(alpha, CFlightListModel::Apogee).data().toString(), QStringLiteral("300 m"));
    EXPECT_FALSE(flights.model()->index(flights.model()->rowOf(2), CFlightListModel::Apogee).data().isValid());

    CFlightLog log(m_store);
    CFlightPageDlg page(log, 1, m_settings, {m_prompter, m_files});
    page.show();
    EXPECT_EQ(page.recordingText()->text(),
              QStringLiteral("Apogee: 300 m\nExpected 320 m, reached 300 m (-6 %)\n"
                             "The recording ends in the air: it holds no landing."));
    EXPECT_TRUE(page.plot()->isVisible());
    // On a desktop the page opens with every field in sight and a plot tall
    // enough for its titles and labels to read whole.
    if (showOnReferenceScreen(&page, ReferenceScreen::Desktop)) {
        EXPECT_GE(page.plot()->height(), 240);
        EXPECT_EQ(auditDesktopFit(&page), QStringList());
        // The fields scroll only where the screen is too low for them all.
        const int room = page.screen()->availableGeometry().height();
        for (const QScrollArea *area : page.findChildren<QScrollArea *>()) {
            if (area->verticalScrollBar()->maximum() > 0) {
                EXPECT_GE(page.frameGeometry().height(), room - 1);
            }
        }
    }
    CFlightPageDlg without(log, 2, m_settings, {m_prompter, m_files});
    without.show();
    EXPECT_FALSE(without.plot()->isVisible());
}

// A recording found but not readable says why where its plot would be; a
// rocket's expected altitude that cannot be read is said to be so, not taken
// for none.
TEST_F(FlightsScreenTest, RecordingOrExpectationThatCannotBeReadSaysWhy)
{
    const QString notes = m_logbook.directory() + QStringLiteral("notes.csv");
    ASSERT_TRUE(writeTestFile(notes, "not a recording at all\n"));
    ASSERT_TRUE(m_logbook.exec({"UPDATE Launches SET AltFileName = 'notes.csv' WHERE rowid = 1"}));
    CFlightLog log(m_store);
    {
        CFlightPageDlg page(log, 1, m_settings, {m_prompter, m_files});
        page.show();
        EXPECT_TRUE(page.recordingText()->isVisible());
        EXPECT_EQ(page.recordingText()->text(),
                  QStringLiteral("The file %1 is not an altimeter recording: expected a header line with a time "
                                 "column and an altitude column.")
                      .arg(notes));
        EXPECT_FALSE(page.plot()->isVisible());
    }

    QByteArray recording = "time_s,altitude_m\n";
    for (int t = 0; t <= 20; ++t)
        recording += QByteArray::number(t) + ',' + QByteArray::number(t <= 10 ? 30 * t : 300 - 30 * (t - 10)) + '\n';
    ASSERT_TRUE(writeTestFile(notes, recording));
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(m_logbook.databaseFile().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "DROP TABLE RecMotors", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);
    CFlightPageDlg page(log, 1, m_settings, {m_prompter, m_files});
    page.show();
    EXPECT_TRUE(page.plot()->isVisible());
    EXPECT_TRUE(page.recordingText()->text().endsWith(
        QStringLiteral("\nThe expected altitude cannot be read: no such table: RecMotors")))
        << qPrintable(page.recordingText()->text());
}

// The flights window and the statistics it opens come back at the size the
// flyer left them, kept in the settings file beside the other settings.
TEST_F(FlightsScreenTest, FlightsAndStatsReopenAtTheSizeTheFlyerLeft)
{
    const CUiServices ui {m_prompter, m_files, &m_settings};
    QSize left;
    QSize statsLeft;
    {
        CFlightsDlg flights(m_store, m_settings, ui);
        if (!showOnReferenceScreen(&flights, ReferenceScreen::Desktop))
            GTEST_SKIP() << "the desktop reference screen is not available";
        left = flights.size() + QSize(120, 90);
        flights.resize(left);
        ASSERT_TRUE(QTest::qWaitFor([&] { return flights.size() == left; }));
        EXPECT_TRUE(onModal<CFlightStatsDlg>([&] { command(flights.commandBar(), QStringLiteral("STATS")); },
                                             [&](CFlightStatsDlg &stats) {
                                                 statsLeft = stats.size() + QSize(0, 50);
                                                 stats.resize(statsLeft);
                                                 EXPECT_TRUE(
                                                     QTest::qWaitFor([&] { return stats.size() == statsLeft; }));
                                                 stats.close();
                                             }));
        flights.close();
    }
    const QSettings file(m_settings.fileName(), QSettings::IniFormat);
    EXPECT_EQ(file.value(QStringLiteral("Window flightsDialog Desktop")).toString().section(QLatin1Char(';'), 0, 0),
              QStringLiteral("%1,%2").arg(left.width()).arg(left.height()));
    // The statistics take no settings of their own: they keep theirs in the flights window's.
    EXPECT_EQ(file.value(QStringLiteral("Window flightStats Desktop")).toString().section(QLatin1Char(';'), 0, 0),
              QStringLiteral("%1,%2").arg(statsLeft.width()).arg(statsLeft.height()));

    CFlightsDlg again(m_store, m_settings, ui);
    ASSERT_TRUE(showOnReferenceScreen(&again, ReferenceScreen::Desktop));
    EXPECT_EQ(again.size(), left);
}

TEST_F(FlightsScreenTest, EveryFlightScreenFitsTheDesktopTheHandheldAndThePhone)
{
    CFlightLog log(m_store);
    CFlightsDlg flights(m_store, m_settings, {m_prompter, m_files});
    CFlightPageDlg page(log, 2, m_settings, {m_prompter, m_files});
    CFlightStatsDlg stats(computeFlightStats(log.load()));
    for (QDialog *screen :
         {static_cast<QDialog *>(&flights), static_cast<QDialog *>(&page), static_cast<QDialog *>(&stats)}) {
        QString skipped;
        const QStringList faults = auditOnReferenceScreens(screen, &skipped);
        if (!skipped.isEmpty())
            GTEST_SKIP() << skipped.toStdString();
        EXPECT_TRUE(faults.isEmpty()) << qPrintable(screen->objectName()) << "\n"
                                      << faults.join(QLatin1Char('\n')).toStdString();
        screen->hide();
    }
}

TEST_F(FlightsScreenTest, StatsCountTheFlightsShown)
{
    CFlightsDlg flights(m_store, m_settings, {m_prompter, m_files});
    flights.show();
    keyClicks(flights.searchField(), QStringLiteral("estes"));
    QStringList rockets;
    QList<QPair<QString, int>> bars;
    EXPECT_TRUE(
        onModal<CFlightStatsDlg>([&] { command(flights.commandBar(), QStringLiteral("STATS")); },
                                 [&](CFlightStatsDlg &stats) {
                                     const QAbstractItemModel *table = stats.table(QStringLiteral("Rockets"))->model();
                                     for (int row = 0; row < table->rowCount(); ++row)
                                         rockets.append(table->index(row, 0).data().toString() + QLatin1Char('|')
                                                        + table->index(row, 1).data().toString() + QLatin1Char('|')
                                                        + table->index(row, 4).data().toString());
                                     bars = stats.chart(QStringLiteral("Sites"))->drawnBars();
                                 }));
    EXPECT_EQ(rockets, QStringList({"Alpha|2|2026-06-15"}));
    EXPECT_EQ(bars, (QList<QPair<QString, int>> {{"North Field", 1}, {"South Field", 1}}));
}

TEST_F(FlightsScreenTest, PageEditsWithOkCancelAndDeletesAfterAsking)
{
    CFlightsDlg flights(m_store, m_settings, {m_prompter, m_files});
    flights.show();
    flights.list()->setFocus();
    flights.list()->setCurrentIndex(flights.model()->index(1, 0));
    qint64 opened = 0;
    EXPECT_TRUE(onModal<CFlightPageDlg>([&] { keyClick(flights.list(), Qt::Key_Return); },
                                        [&](CFlightPageDlg &page) {
                                            opened = page.flight().rowId;
                                            editAndDelete(page);
                                        }));
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT rowid FROM Launches ORDER BY rowid")), QStringList({"1", "3"}));
    EXPECT_EQ(shownIds(flights), (std::vector<qint64> {3, 1}));
}

TEST(FlightsCommands, MainWindowAndRocketBrowserOpenTheFlights)
{
    CMainWindowOnLogbook app;
    ASSERT_TRUE(app.logbook.isValid());
    ASSERT_TRUE(app.logbook.exec({"INSERT INTO Rockets (ID, Name) VALUES (1, 'Alpha'), (2, 'Bravo')",
                                  "INSERT INTO Launches (Model, Date, Success) VALUES ('2', '05/01/2026', -1), "
                                  "('1', '05/02/2026', -1), ('2', '05/03/2026', 0)"}));

    // The Data menu's Flights shows every flight; on the rocket browser, FLIGHTS
    // and a tap on the summary's "Launched" line show the shown rocket's.
    std::vector<std::vector<qint64>> seen;
    const auto collect = [&](const std::function<void()> &act) {
        EXPECT_TRUE(onModal<CFlightsDlg>(act, [&](CFlightsDlg &flights) { seen.push_back(shownIds(flights)); }));
    };
    collect([&] { menuEntry(app.main.commandBar(), QStringLiteral("Flights")); });
    EXPECT_TRUE(onModal<CPropertySheet>(
        [&] { menuEntry(app.main.commandBar(), QStringLiteral("Rockets")); },
        [&](CPropertySheet &sheet) {
            auto *page = qobject_cast<CRocketPage *>(sheet.page(0));
            ASSERT_NE(page, nullptr);
            for (int step = 0; step < 2 && page->browser().view().name != QLatin1String("Bravo"); ++step)
                tap(find<QToolButton>(page, QStringLiteral("Next rocket")));
            collect([&] { command(page->commandBar(), QStringLiteral("FLIGHTS")); });
            page->toggleImage(); // the summary in place of the picture
            auto *summary = page->findChild<QPlainTextEdit *>(QStringLiteral("summary"));
            QTextBlock launched = summary->document()->begin();
            while (launched.isValid() && !launched.text().startsWith(QLatin1String("Launched")))
                launched = launched.next();
            ASSERT_TRUE(launched.isValid());
            const QTextCursor cursor(launched);
            collect([&] { mouseClick(summary->viewport(), summary->cursorRect(cursor).center()); });
            sheet.confirm();
        }));
    EXPECT_EQ(seen, (std::vector<std::vector<qint64>> {{3, 2, 1}, {3, 1}, {3, 1}}));
    EXPECT_TRUE(app.reporter.fatal.isEmpty());
}

// Every field of the Flights screen and of a flight's page is announced by
// the label beside it: its name is the label's text, and the label is its
// labelled-by relation, which is how a Linux screen reader names a drop-down.
TEST_F(FlightsScreenTest, EveryFieldIsNamedByItsLabel)
{
    CFlightsDlg flights(m_store, m_settings, {m_prompter, m_files});
    CFlightLog log(m_store);
    CFlightPageDlg page(log, 1, m_settings, {m_prompter, m_files});
    for (QDialog *screen : {static_cast<QDialog *>(&flights), static_cast<QDialog *>(&page)}) {
        screen->show();
        int labelled = 0;
        for (QLabel *label : screen->findChildren<QLabel *>()) {
            if (!label->buddy())
                continue;
            ++labelled;
            QWidget *field = label->buddy();
            EXPECT_EQ(field->accessibleName(), label->text());
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(field);
            ASSERT_NE(accessible, nullptr);
            if (qobject_cast<QComboBox *>(field)) {
                bool relation = false;
                for (const auto &[other, kind] : accessible->relations(QAccessible::Label))
                    relation = relation || other->text(QAccessible::Name) == label->text();
                EXPECT_TRUE(relation) << qPrintable(label->text());
            } else {
                EXPECT_EQ(accessible->text(QAccessible::Name), label->text());
            }
        }
        EXPECT_GE(labelled, screen == &flights ? 6 : 16) << qPrintable(screen->objectName());
    }
}

// Headers sort, the chosen flight staying chosen; a search or filter that
// still lists the chosen flight keeps it chosen.
TEST_F(FlightsScreenTest, HeadersSortAndTheChosenFlightStaysChosen)
{
    CFlightsDlg flights(m_store, m_settings, {m_prompter, m_files});
    flights.show();
    QHeaderView *header = flights.list()->horizontalHeader();
    const auto clickHeader = [&](int column) {
        mouseClick(
            header->viewport(),
            QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2));
    };
    const auto chosen = [&] {
        const CFlightEntry *flight = flights.model()->flightAt(flights.list()->currentIndex().row());
        return flight ? flight->rowId : 0;
    };
    flights.list()->setCurrentIndex(flights.model()->index(flights.model()->rowOf(2), 0));

    // Alpha's two flights (newest first among them) before Bravo's, then the other way round.
    clickHeader(CFlightListModel::Rocket);
    EXPECT_EQ(shownIds(flights), (std::vector<qint64> {3, 1, 2}));
    EXPECT_EQ(chosen(), 2);
    clickHeader(CFlightListModel::Rocket);
    EXPECT_EQ(shownIds(flights), (std::vector<qint64> {2, 3, 1}));
    clickHeader(CFlightListModel::Motor); // "AeroTech K480W-14", "Estes C6-5", "Estes D12-3"
    EXPECT_EQ(shownIds(flights), (std::vector<qint64> {2, 1, 3}));
    clickHeader(CFlightListModel::When);
    EXPECT_EQ(shownIds(flights), (std::vector<qint64> {1, 2, 3}));
    EXPECT_EQ(chosen(), 2);

    keyClicks(flights.searchField(), QStringLiteral("field"));
    EXPECT_EQ(chosen(), 2);
    flights.resultBox()->setCurrentIndex(flights.resultBox()->findText(QStringLiteral("Failure")));
    EXPECT_EQ(shownIds(flights), (std::vector<qint64> {2}));
    EXPECT_EQ(chosen(), 2);
}

// The date filters start at "Any" and go back to it; a date is typed or
// chosen from a calendar opening on this month; one that is no day is said to
// be none and narrows nothing.
TEST_F(FlightsScreenTest, DateFiltersHaveARealAnyDate)
{
    CFlightsDlg flights(m_store, m_settings, {m_prompter, m_files});
    flights.show();
    QLineEdit *from = flights.fromField()->edit();
    EXPECT_TRUE(from->text().isEmpty());
    EXPECT_EQ(from->placeholderText(), QStringLiteral("Any"));
    EXPECT_FALSE(flights.fromField()->date().isValid());

    keyClicks(from, QStringLiteral("2026-01-01"));
    EXPECT_EQ(shownIds(flights), (std::vector<qint64> {3, 2}));
    // The clear button, where it is drawn at the field's right end, goes back to Any.
    QToolButton *clear = nullptr;
    for (QToolButton *button : from->findChildren<QToolButton *>()) {
        if (button->isVisible())
            clear = button;
    }
    ASSERT_NE(clear, nullptr);
    tap(clear);
    EXPECT_TRUE(from->text().isEmpty());
    EXPECT_EQ(shownIds(flights), (std::vector<qint64> {3, 2, 1}));
    EXPECT_EQ(flights.countLine()->text(), QStringLiteral("3 flights"));

    tap(flights.toField()->calendarButton());
    QCalendarWidget *calendar = flights.toField()->calendar();
    ASSERT_NE(calendar, nullptr);
    ASSERT_TRUE(calendar->isVisible());
    EXPECT_EQ(QDate(calendar->yearShown(), calendar->monthShown(), 1),
              QDate(QDate::currentDate().year(), QDate::currentDate().month(), 1));
    calendar->setSelectedDate(QDate(2026, 1, 2));
    emit calendar->activated(calendar->selectedDate());
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(flights.toField()->edit()->text(), QStringLiteral("2026-01-02"));
    EXPECT_EQ(shownIds(flights), (std::vector<qint64> {2, 1}));

    flights.toField()->edit()->selectAll();
    keyClicks(flights.toField()->edit(), QStringLiteral("2024-02-30"));
    EXPECT_EQ(shownIds(flights), (std::vector<qint64> {3, 2, 1}));
    EXPECT_EQ(flights.countLine()->text(),
              QStringLiteral("3 flights\nTo: \"2024-02-30\" is not a date: February 2024 has 29 days."));
}

// Delete on the list asks first, No being the default; Yes removes that flight
// and chooses the one that took its place.
TEST_F(FlightsScreenTest, DeleteKeyAsksThenRemovesTheChosenFlight)
{
    CFlightsDlg flights(m_store, m_settings, {m_prompter, m_files});
    flights.show();
    flights.list()->setFocus();
    flights.list()->setCurrentIndex(flights.model()->index(flights.model()->rowOf(2), 0));
    m_prompter.script({PromptAnswer::No, PromptAnswer::Yes});
    keyClick(flights.list(), Qt::Key_Delete);
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().at(0).text, QStringLiteral("Delete the flight of Bravo on 01/02/2026 14:30?"));
    EXPECT_EQ(m_prompter.shown().at(0).buttons, PromptButtons::YesNoDefaultNo);
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT rowid FROM Launches ORDER BY rowid")),
              QStringList({"1", "2", "3"}));

    keyClick(flights.list(), Qt::Key_Delete);
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT rowid FROM Launches ORDER BY rowid")), QStringList({"1", "3"}));
    EXPECT_EQ(shownIds(flights), (std::vector<qint64> {3, 1}));
    EXPECT_EQ(flights.model()->flightAt(flights.list()->currentIndex().row())->rowId, 1);
}

// A flight deleted elsewhere after the list was read is said to be gone and
// the list is read again; the sites list each site once, in any case; F1 shows
// the screen's help.
TEST_F(FlightsScreenTest, AFlightDeletedElsewhereIsSaidToBeGone)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Launches (Model, Site, Date, Success) VALUES ('1', ' south field', "
                                "'07/01/2026', 0)"}));
    CFlightsDlg flights(m_store, m_settings, {m_prompter, m_files});
    flights.show();
    QStringList sites;
    for (int i = 0; i < flights.siteBox()->count(); ++i)
        sites.append(flights.siteBox()->itemText(i));
    EXPECT_EQ(sites, QStringList({"All", "North Field", "South Field"}));

    ASSERT_TRUE(m_logbook.exec({"DELETE FROM Launches WHERE rowid = 2"}));
    flights.list()->setCurrentIndex(flights.model()->index(flights.model()->rowOf(2), 0));
    EXPECT_FALSE(onModal<CFlightPageDlg>([&] { command(flights.commandBar(), QStringLiteral("OPEN")); },
                                         [](CFlightPageDlg &) {}));
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_TRUE(m_prompter.shown().at(0).text.startsWith(QLatin1String("This flight is no longer in the logbook")))
        << qPrintable(m_prompter.shown().at(0).text);
    EXPECT_EQ(shownIds(flights), (std::vector<qint64> {4, 3, 1}));

    QString help;
    QApplication::setActiveWindow(&flights);
    EXPECT_TRUE(onModal<CHelpBrowser>([&] { keyClick(flights.list(), Qt::Key_F1); },
                                      [&](CHelpBrowser &browser) {
                                          help = browser.windowTitle() + QLatin1Char('|')
                                              + browser.browser()->toPlainText().section('\n', 0, 0);
                                      }));
    EXPECT_EQ(help, QStringLiteral("Help: Flights|Flights"));

    // A page opened on a flight that is gone says so, and offers nothing to do.
    CFlightLog log(m_store);
    CFlightPageDlg page(log, 2, m_settings, {m_prompter, m_files});
    page.show();
    EXPECT_TRUE(page.goneNote()->isVisible());
    EXPECT_FALSE(page.commandBar()->isEnabled());
}

} // namespace
