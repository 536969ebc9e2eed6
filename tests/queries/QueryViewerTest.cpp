#include "db/RecordStore.h"
#include "queries/QueryBuilderDlg.h"
#include "queries/QueryDlg.h"
#include "queries/SortListCtrl.h"
#include "support/LayoutAudit.h"
#include "support/ScreenDriver.h"
#include "support/TestLogbook.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {
class QueryViewerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_logbook.exec({
            "INSERT INTO Rockets (ID, Name, MFG, Type) VALUES (1, 'Zephyr', 'EST', 'Sport')",
            "INSERT INTO Rockets (ID, Name, MFG, Type) VALUES (2, 'Alpha', 'QST', 'Scale')",
            "INSERT INTO Queries (Name, Query) VALUES ('A names', 'SELECT Name FROM Rockets ORDER BY Name')",
            "INSERT INTO Queries (Name, Query) VALUES ('B none', 'SELECT Name FROM Rockets WHERE ID = 99')",
            "INSERT INTO Queries (Name, Query) VALUES ('C two', 'SELECT Name, MFG FROM Rockets ORDER BY ID')",
            "INSERT INTO Queries (Name, Query) VALUES ('D wipe', 'DELETE FROM Rockets')",
            "INSERT INTO Queries (Name, Query) VALUES ('E broken', 'SELEC nothing')",
        }));
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    }

    static QStringList row(const CSortListCtrl &list, int r)
    {
        QStringList texts;
        for (int c = 0; c < list.columnCount(); ++c)
            texts.append(list.itemText(r, c));
        return texts;
    }

    CTestLogbook m_logbook;
    CRecordStore m_store;
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
    CUiServices m_ui {m_prompter, m_files};
};
} // namespace

TEST_F(QueryViewerTest, ShowsOneColumnPerFieldAndNoneForAnEmptyResult)
{
    CQueryDlg viewer(m_store, m_ui);
    ASSERT_EQ(viewer.queryBox()->count(), 5);
    EXPECT_EQ(viewer.resultList()->columnCount(), 0); // nothing chosen yet
    viewer.queryBox()->setCurrentIndex(2);
    emit viewer.queryBox()->activated(2);
    EXPECT_EQ(viewer.queryLabel()->text(), QStringLiteral("SELECT Name, MFG FROM Rockets ORDER BY ID"));
    EXPECT_EQ(viewer.queryBox()->currentIndex(), -1); // back to "Queries"
    CSortListCtrl &list = *viewer.resultList();
    ASSERT_EQ(list.columnCount(), 2);
    EXPECT_EQ(list.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("MFG"));
    ASSERT_EQ(list.itemCount(), 2);
    EXPECT_EQ(row(list, 0), QStringList({"Zephyr", "EST"}));
    EXPECT_EQ(row(list, 1), QStringList({"Alpha", "QST"}));

    viewer.selectQuery(1);
    EXPECT_EQ(list.columnCount(), 0);
    EXPECT_EQ(list.itemCount(), 0);
    EXPECT_EQ(viewer.queryLabel()->text(), QStringLiteral("SELECT Name FROM Rockets WHERE ID = 99"));
}

// Opened empty on a desktop, the window widens for the columns of the query
// the flyer then chooses, as far as the screen allows.
TEST_F(QueryViewerTest, AWindowOpenedEmptyGrowsToShowEveryColumnChosen)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Queries (Name, Query) VALUES ('F wide', 'SELECT Name AS RocketName, "
                                "MFG AS Manufacturer, Type AS RocketType, ID AS Identifier, Name AS NameAgain, "
                                "MFG AS MakerAgain, Type AS TypeAgain FROM Rockets')"}));
    CQueryDlg viewer(m_store, m_ui);
    if (!showOnReferenceScreen(&viewer, ReferenceScreen::Desktop))
        GTEST_SKIP() << "the desktop reference screen is not available";
    const int opened = viewer.width();
    QComboBox &box = *viewer.queryBox();
    box.setFocus();
    driver::keyClick(&box, Qt::Key_F4);
    driver::keyClick(box.view(), Qt::Key_End);
    driver::keyClick(box.view(), Qt::Key_Return);
    ASSERT_EQ(viewer.resultList()->columnCount(), 7);
    EXPECT_TRUE(QTest::qWaitFor([&] { return auditDesktopFit(&viewer).isEmpty(); }))
        << auditDesktopFit(&viewer).join(QLatin1Char('\n')).toStdString();
    EXPECT_GT(viewer.width(), opened);
    EXPECT_TRUE(viewer.screen()->availableGeometry().contains(viewer.frameGeometry()));
}

TEST_F(QueryViewerTest, ABrokenQuerySaysWhyUnderTheList)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Queries (Name, Query) VALUES ('F overflow', "
                                "'SELECT abs(-9223372036854775807 - 1) FROM Rockets')"}));
    CQueryDlg viewer(m_store, m_ui);
    viewer.show();
    QLabel &line = *viewer.errorLine();
    viewer.selectQuery(0);
    EXPECT_TRUE(line.isHidden());

    // SQLite's own reason, on the screen rather than in a box; the list stays empty.
    viewer.selectQuery(4);
    EXPECT_EQ(viewer.resultList()->columnCount(), 0);
    EXPECT_TRUE(line.isVisible());
    EXPECT_TRUE(line.text().contains(QStringLiteral("near \"SELEC\": syntax error"))) << line.text().toStdString();
    EXPECT_TRUE(m_prompter.shown().isEmpty());

    // A statement that prepares but fails while running is reported too.
    viewer.selectQuery(5);
    EXPECT_EQ(viewer.resultList()->columnCount(), 0);
    EXPECT_TRUE(line.isVisible());
    EXPECT_FALSE(line.text().isEmpty());

    // The next good query clears the line.
    viewer.selectQuery(2);
    EXPECT_EQ(viewer.resultList()->itemCount(), 2);
    EXPECT_TRUE(line.isHidden());
}

TEST_F(QueryViewerTest, TheDropDownShowsWholeNamesAndEndsAtTheWindowsEdge)
{
    for (int i = 0; i < 48; ++i) {
        ASSERT_TRUE(m_store.RunSql(QStringLiteral("INSERT INTO Queries (Name, Query) VALUES ('Q%1', 'SELECT 1')")
                                       .arg(i, 2, 10, QLatin1Char('0'))));
    }
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Queries (Name, Query) VALUES "
                                "('Every flight of the season at the northern field, by date', 'SELECT 1')"}));
    CQueryDlg viewer(m_store, m_ui);
    QComboBox &box = *viewer.queryBox();
    ASSERT_EQ(box.count(), 54);
    for (ReferenceScreen screen : {ReferenceScreen::Desktop, ReferenceScreen::Compact}) {
        if (!showOnReferenceScreen(&viewer, screen))
            GTEST_SKIP() << "the offscreen reference screens are not available";
        driver::keyClick(&box, Qt::Key_F4);
        QWidget *popup = box.view()->window();
        ASSERT_TRUE(popup->isVisible());
        const int boxBottom = box.mapToGlobal(QPoint(0, box.height())).y();
        const int windowBottom = viewer.mapToGlobal(QPoint(0, viewer.height())).y();
        EXPECT_LE(popup->height(), windowBottom - boxBottom);
        // Room for more than a handful of names: the cap is the window, not a fixed count.
        EXPECT_GT(popup->height(), (windowBottom - boxBottom) / 2);
        // The longest name in full where the screen has room for it, never past the screen.
        const int longest = box.view()->sizeHintForColumn(0);
        EXPECT_GE(box.view()->viewport()->width(), std::min(longest, viewer.screen()->geometry().width() - 40));
        EXPECT_LE(popup->width(), viewer.screen()->geometry().width());
        box.hidePopup();
    }
}

TEST_F(QueryViewerTest, RefusesAQueryThatWouldChangeTheLogbook)
{
    CQueryDlg viewer(m_store, m_ui);
    viewer.selectQuery(0);
    viewer.selectQuery(3);
    EXPECT_EQ(viewer.resultList()->columnCount(), 0);
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_TRUE(m_prompter.shown().at(0).text.contains(QStringLiteral("D wipe")));
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT count(*) FROM Rockets")), QStringList({"2"}));
}

TEST_F(QueryViewerTest, KeepsTheSortAcrossRefreshes)
{
    CQueryDlg viewer(m_store, m_ui);
    viewer.selectQuery(2);
    viewer.resultList()->sortOnColumn(0);
    EXPECT_EQ(row(*viewer.resultList(), 0), QStringList({"Alpha", "QST"}));
    viewer.selectQuery(0);
    viewer.selectQuery(2); // ORDER BY ID would put Zephyr first
    EXPECT_EQ(row(*viewer.resultList(), 0), QStringList({"Alpha", "QST"}));
}

TEST_F(QueryViewerTest, AfterTheBuilderRemovesTheChosenQueryShowsTheOneNowThere)
{
    CQueryDlg viewer(m_store, m_ui);
    // QUERIES, where the first line is removed; the builder runs modally, so it
    // is acted on once its loop has started.
    viewer.show();
    auto removeFirstInBuilder = [&] {
        return driver::onModal<CQueryBuilderDlg>(
            [&] { driver::command(viewer.commandBar(), QStringLiteral("QUERIES")); },
            [](CQueryBuilderDlg &builder) {
                driver::tapRow(builder.queryList(), builder.queryList()->model()->index(0, 0));
                driver::command(builder.commandBar(), QStringLiteral("REMOVE"));
                driver::press(&builder, QStringLiteral("Close"));
            });
    };
    viewer.selectQuery(4);
    ASSERT_TRUE(removeFirstInBuilder());
    EXPECT_EQ(viewer.queryBox()->count(), 4);
    // Position 4 is past the end now: nothing new, and the label is empty.
    EXPECT_TRUE(viewer.queryLabel()->text().isEmpty());

    viewer.selectQuery(0);
    ASSERT_TRUE(removeFirstInBuilder());
    // "C two" has moved up to position 0.
    EXPECT_EQ(viewer.queryLabel()->text(), QStringLiteral("SELECT Name, MFG FROM Rockets ORDER BY ID"));
    EXPECT_EQ(viewer.resultList()->columnCount(), 2);
}
