// The motor screens through their real widgets: Default Motors and the
// filtered removal, with scripted message boxes and file choices.
#include "charts/ThrustCurvePlot.h"
#include "db/RecordStore.h"
#include "motors/DefaultMotorsDlg.h"
#include "motors/MotorCurveStore.h"
#include "motors/MotorFilterDlg.h"
#include "motors/MotorLineModel.h"
#include "support/LayoutAudit.h"
#include "support/ScreenDriver.h"
#include "support/TestFiles.h"
#include "support/TestLogbook.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"
#include "ui/StatusWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>

namespace {
using namespace driver;

// Lines of a list are counted from 0, the first under the header.
void selectRow(QWidget &dialog, int row)
{
    auto *list = dialog.findChild<QTreeView *>();
    ASSERT_NE(list, nullptr);
    tapRow(list, list->model()->index(row, 0));
}

class MotorScreens : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
        ASSERT_TRUE(m_logbook.exec({"INSERT INTO Motors VALUES (1, 'C6', '5', 'Estes', '18x70')",
                                    "INSERT INTO Motors VALUES (2, 'C6', '5', 'Estes', '18x70')",
                                    "INSERT INTO Motors VALUES (3, 'A8', '3', 'Estes', '18x70')",
                                    "INSERT INTO Motors VALUES (4, 'F40', '7', 'AeroTech', '29x124')"}));
        m_home.show();
    }
    QStringList types() const { return m_logbook.rows(QStringLiteral("SELECT Type FROM Motors ORDER BY rowid")); }

    CTestLogbook m_logbook;
    CRecordStore m_store;
    QWidget m_home;
    CStatusWindow m_status {&m_home};
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
    CUiServices m_ui {m_prompter, m_files};
};
} // namespace

TEST_F(MotorScreens, ListAddAndRefusal)
{
    CDefaultMotorsDlg dialog(m_store, m_status, m_ui, QString());
    dialog.show();
    EXPECT_EQ(m_status.parentWidget(), &dialog);
    EXPECT_TRUE(m_status.isHidden());
    // Maker, then type order, each line reported as it was loaded.
    EXPECT_EQ(
        dialog.model().lines(),
        QStringList({"AeroTech\tF40\t7\t29x124", "Estes\tA8\t3\t18x70", "Estes\tC6\t5\t18x70", "Estes\tC6\t5\t18x70"}));
    EXPECT_EQ(m_status.progressText(), "Loading Motor\n4 of 4");

    type(field(&dialog, QStringLiteral("MFG")), QStringLiteral("Estes"));
    type(field(&dialog, QStringLiteral("Type")), QStringLiteral("D12"));
    press(&dialog, QStringLiteral("ADD"));
    EXPECT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().first().text, "Please enter more motor data");
    EXPECT_EQ(types().size(), 4);

    type(field(&dialog, QStringLiteral("Delay")), QStringLiteral("0-3"));
    type(field(&dialog, QStringLiteral("Size")), QStringLiteral("O'Neil"));
    press(&dialog, QStringLiteral("ADD"));
    EXPECT_TRUE(types().contains(QStringLiteral("D12")));
    EXPECT_TRUE(dialog.model().lines().contains(QStringLiteral("Estes\tD12\t0-3\tO'Neil")));
    // The reload empties the inputs, and a selection does not fill them.
    selectRow(dialog, 2);
    EXPECT_EQ(field<QLineEdit>(&dialog, QStringLiteral("Type"))->text(), "");
    EXPECT_EQ(field<QComboBox>(&dialog, QStringLiteral("MFG"))->currentText(), "");
    EXPECT_EQ(dialog.selectedIndex(), 2);
}

TEST_F(MotorScreens, RemoveAsksAndRemoveAll)
{
    {
        CDefaultMotorsDlg dialog(m_store, m_status, m_ui, QString());
        dialog.show();
        press(&dialog, QStringLiteral("REMOVE")); // no selection: nothing happens
        EXPECT_TRUE(m_prompter.shown().isEmpty());
        EXPECT_EQ(types().size(), 4);
        // Lines 2 and 3 are the two identical C6 motors. The question's safe
        // answer is the default: Enter keeps the motor.
        selectRow(dialog, 2);
        m_prompter.script({PromptAnswer::No});
        press(&dialog, QStringLiteral("REMOVE"));
        ASSERT_EQ(m_prompter.shown().size(), 1);
        EXPECT_EQ(m_prompter.shown().last().text, "Remove this motor?\nEstes C6, delay 5, size 18x70");
        EXPECT_EQ(m_prompter.shown().last().buttons, PromptButtons::YesNoDefaultNo);
        EXPECT_EQ(types().size(), 4);
        m_prompter.script({PromptAnswer::Yes});
        press(&dialog, QStringLiteral("REMOVE"));
        EXPECT_EQ(types(), QStringList({"C6", "A8", "F40"}));
        EXPECT_EQ(dialog.model().lines().size(), 3);
        EXPECT_EQ(dialog.selectedIndex(), -1);
        press(&dialog, QStringLiteral("REMOVE"));
        EXPECT_EQ(m_prompter.shown().size(), 2);
        EXPECT_EQ(types().size(), 3);

        m_prompter.script({PromptAnswer::No});
        menuEntry(&dialog, QStringLiteral("Remove All"));
        EXPECT_EQ(types().size(), 3);
        m_prompter.script({PromptAnswer::Yes});
        menuEntry(&dialog, QStringLiteral("Remove All"));
        EXPECT_EQ(m_prompter.shown().last().text, "Remove All Motors?");
        EXPECT_TRUE(types().isEmpty());
        EXPECT_TRUE(dialog.model().lines().isEmpty());
    }
    // The status window goes back to its owner with the dialog.
    EXPECT_EQ(m_status.parentWidget(), &m_home);
}

// The catalogue changes under the open list, as a command-line import or
// another program changes it: REMOVE takes the motor that was selected or
// none, tells why when none, and the list then shows the logbook.
TEST_F(MotorScreens, RemoveAfterTheCatalogueChangedElsewhere)
{
    CDefaultMotorsDlg dialog(m_store, m_status, m_ui, QString());
    dialog.show();
    m_prompter.setFallback(PromptAnswer::Yes);
    auto lineOf = [&](const char *line) { return int(dialog.model().lines().indexOf(QLatin1String(line))); };

    // Motors that sort before the selected one arrive: the A8 still goes, and only it.
    selectRow(dialog, lineOf("Estes\tA8\t3\t18x70"));
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Motors (Type, Delay, MFG, Size) VALUES ('B4', '4', 'Apogee', '')",
                                "INSERT INTO Motors (Type, Delay, MFG, Size) VALUES ('A3', '2', 'Estes', '13x45')"}));
    press(&dialog, QStringLiteral("REMOVE"));
    EXPECT_EQ(types(), QStringList({"C6", "C6", "F40", "B4", "A3"}));

    // The selected motor was removed elsewhere: nothing else goes, and the list is read again.
    selectRow(dialog, lineOf("AeroTech\tF40\t7\t29x124"));
    ASSERT_TRUE(m_logbook.exec({"DELETE FROM Motors WHERE Type = 'F40'"}));
    press(&dialog, QStringLiteral("REMOVE"));
    EXPECT_EQ(m_prompter.shown().last().text,
              "AeroTech F40, delay 7, size 29x124 is no longer in the logbook: "
              "another program has removed it. The list is read again.");
    EXPECT_EQ(types(), QStringList({"C6", "C6", "B4", "A3"}));
    EXPECT_EQ(dialog.model().lines(),
              QStringList({"Apogee\tB4\t4\t", "Estes\tA3\t2\t13x45", "Estes\tC6\t5\t18x70", "Estes\tC6\t5\t18x70"}));

    // Another program rebuilt the logbook: the rows are numbered anew, closing
    // the gaps, and the selected line's number now holds another motor, which stays.
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Motors (Type, Delay, MFG, Size) VALUES ('Z9', '9', 'Zed', '')"}));
    dialog.loadList();
    selectRow(dialog, lineOf("Apogee\tB4\t4\t"));
    m_store.Close();
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(m_logbook.databaseFile().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "VACUUM", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);
    ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    press(&dialog, QStringLiteral("REMOVE"));
    EXPECT_EQ(m_prompter.shown().last().text,
              "Apogee B4, delay 4 was changed in the logbook by another program since "
              "the list was read, so nothing was removed. The list is read again.");
    EXPECT_EQ(types(), QStringList({"C6", "C6", "B4", "A3", "Z9"}));
    // Chosen again from the new list, it goes.
    selectRow(dialog, lineOf("Apogee\tB4\t4\t"));
    press(&dialog, QStringLiteral("REMOVE"));
    EXPECT_EQ(types(), QStringList({"C6", "C6", "A3", "Z9"}));
    EXPECT_EQ(dialog.model().lines(),
              QStringList({"Estes\tA3\t2\t13x45", "Estes\tC6\t5\t18x70", "Estes\tC6\t5\t18x70", "Zed\tZ9\t9\t"}));
}

// What the logbook refuses is told; ADD keeps what was typed to try again.
TEST_F(MotorScreens, RefusalsAreToldAndAddKeepsWhatWasTyped)
{
    CDefaultMotorsDlg dialog(m_store, m_status, m_ui, QString());
    dialog.show();
    ASSERT_TRUE(m_logbook.exec(
        {"CREATE TRIGGER Full BEFORE INSERT ON Motors BEGIN SELECT RAISE(ABORT, 'no room for motors'); END",
         "CREATE TRIGGER Kept BEFORE DELETE ON Motors BEGIN SELECT RAISE(ABORT, 'motors are kept'); END"}));
    type(field(&dialog, QStringLiteral("MFG")), QStringLiteral("Estes"));
    type(field(&dialog, QStringLiteral("Type")), QStringLiteral("D12"));
    type(field(&dialog, QStringLiteral("Delay")), QStringLiteral("5"));
    press(&dialog, QStringLiteral("ADD"));
    EXPECT_EQ(m_prompter.shown().last().caption, "Error");
    EXPECT_EQ(m_prompter.shown().last().text, "The motor was not added: no room for motors.");
    EXPECT_EQ(field<QLineEdit>(&dialog, QStringLiteral("Type"))->text(), "D12");
    EXPECT_EQ(field<QComboBox>(&dialog, QStringLiteral("MFG"))->currentText(), "Estes");

    m_prompter.setFallback(PromptAnswer::Yes);
    selectRow(dialog, 0);
    press(&dialog, QStringLiteral("REMOVE"));
    EXPECT_EQ(m_prompter.shown().last().text, "The motor was not removed: motors are kept.");
    EXPECT_EQ(dialog.model().lines().size(), 4);
    menuEntry(&dialog, QStringLiteral("Remove All"));
    EXPECT_EQ(m_prompter.shown().last().text, "The motors were not removed: motors are kept.");
    EXPECT_EQ(dialog.model().lines().size(), 4);
    EXPECT_EQ(types().size(), 4);

    // Once the logbook takes motors again, what was typed is added as it stands.
    ASSERT_TRUE(m_logbook.exec({"DROP TRIGGER Full"}));
    press(&dialog, QStringLiteral("ADD"));
    EXPECT_TRUE(types().contains(QStringLiteral("D12")));
}

// A catalogue that cannot be read is said to be so, not shown as empty.
TEST_F(MotorScreens, UnreadableCatalogueIsTold)
{
    ASSERT_TRUE(m_logbook.exec({"ALTER TABLE Motors RENAME COLUMN MFG TO Maker"}));
    CDefaultMotorsDlg dialog(m_store, m_status, m_ui, QString());
    dialog.show();
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().last().caption, "Error");
    EXPECT_EQ(m_prompter.shown().last().text, "The motor catalogue cannot be read: no such column: Motors.MFG.");
    EXPECT_TRUE(dialog.model().lines().isEmpty());
}

TEST_F(MotorScreens, LoadFromFileOneOrSeveralFilesAndDropped)
{
    QTemporaryDir folder;
    const QString good = folder.filePath(QStringLiteral("good.eng"));
    const QString bad = folder.filePath(QStringLiteral("bad.eng"));
    const QString csv = folder.filePath(QStringLiteral("more.CSV"));
    ASSERT_TRUE(writeTestFile(good, "; c\nG64 29 124 4-7 0.06 0.12 AT\n1 1\n"));
    ASSERT_TRUE(writeTestFile(bad, "; nothing\n"));
    ASSERT_TRUE(writeTestFile(csv, "\"Type\",\"MFG\"\n\"D12\",\"Estes\"\n"));

    CDefaultMotorsDlg dialog(m_store, m_status, m_ui, folder.path());
    dialog.show();
    m_files.script({QString(), good, bad});
    menuEntry(&dialog, QStringLiteral("Load From File")); // cancelled
    EXPECT_TRUE(m_prompter.shown().isEmpty());
    menuEntry(&dialog, QStringLiteral("Load From File"));
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().last().caption, "Success");
    EXPECT_EQ(m_prompter.shown().last().text, "Motors Extracted =1");
    EXPECT_EQ(m_prompter.shown().last().icon, PromptIcon::None);
    EXPECT_EQ(dialog.model().lines().first(), "AT\tG64\t4-7\t29x124");
    EXPECT_TRUE(m_status.isHidden());

    menuEntry(&dialog, QStringLiteral("Load From File"));
    EXPECT_EQ(m_prompter.shown().last().caption, "Error");
    EXPECT_EQ(m_prompter.shown().last().text, "Nothing loaded from file");
    EXPECT_FALSE(m_status.isHidden()); // left up until the next list load
    EXPECT_EQ(m_files.requests().first().filter, "Motor Files (*.eng);;CSV Files (*.csv)");

    // Several files in one choice: each is imported and named in one summary,
    // and a failed one does not keep the others out.
    m_files.scriptFiles({good, bad, folder.filePath(QStringLiteral("gone.eng")), csv});
    menuEntry(&dialog, QStringLiteral("Load From File"));
    ASSERT_EQ(m_prompter.shown().size(), 3);
    EXPECT_EQ(m_prompter.shown().last().caption, "Error");
    EXPECT_EQ(m_prompter.shown().last().text,
              "good.eng: Motors Extracted =1\nbad.eng: Nothing loaded from file\n"
              "gone.eng: could not be read: No such file or directory.\nmore.CSV: Motors Extracted =1");
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT Type FROM Motors WHERE ID IS NULL ORDER BY rowid")),
              QStringList({"G64", "G64", "D12"}));
    EXPECT_EQ(dialog.model().lines().size(), 7);

    // Files dropped on the screen: only motor files are taken, after the drop ends.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(good), QUrl::fromLocalFile(folder.filePath(QStringLiteral("notes.txt"))),
                  QUrl::fromLocalFile(csv)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(types().size(), 7);
    EXPECT_TRUE(QTest::qWaitFor([&] { return types().size() == 9; })) << types().size();
    EXPECT_EQ(m_prompter.shown().last().caption, "Success");
    EXPECT_EQ(m_prompter.shown().last().text, "good.eng: Motors Extracted =1\nmore.CSV: Motors Extracted =1");
    EXPECT_EQ(dialog.model().lines().size(), 9);

    // Nothing but other files: the drop is refused.
    QMimeData other;
    other.setUrls({QUrl::fromLocalFile(folder.filePath(QStringLiteral("notes.txt")))});
    QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &other, Qt::LeftButton, Qt::NoModifier);
    refused.setAccepted(false);
    QApplication::sendEvent(&dialog, &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST_F(MotorScreens, ChosenMotorShowsItsCurveAndFigures)
{
    // 0.5 s up to 100 N, held to 1 s, down to nothing at 1.5 s: 100 N·s over 1.5 s, a G.
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("g.eng"));
    ASSERT_TRUE(writeTestFile(path, "G64 29 124 4-7 0.06 0.12 AT\n0.5 100\n1.0 100\n1.5 0\n"));
    CDefaultMotorsDlg dialog(m_store, m_status, m_ui, folder.path());
    dialog.show();
    m_files.script({path});
    menuEntry(&dialog, QStringLiteral("Load From File"));
    ASSERT_EQ(dialog.model().lines().first(), "AT\tG64\t4-7\t29x124");
    auto cell = [&](int row, int column) { return dialog.model().index(row, column).data().toString(); };
    EXPECT_EQ(QStringList({cell(0, 4), cell(0, 5), cell(0, 6)}), QStringList({"G", "100.0", "66.7"}));
    EXPECT_EQ(QStringList({cell(1, 4), cell(1, 5), cell(1, 6)}), QStringList({"", "", ""}));
    EXPECT_EQ(dialog.model().headerData(5, Qt::Horizontal).toString(), QString::fromUtf8("Impulse (N·s)"));

    auto *list = dialog.findChild<QTreeView *>();
    ASSERT_TRUE(showOnReferenceScreen(&dialog, ReferenceScreen::Desktop));
    EXPECT_FALSE(list->isColumnHidden(5));
    tapRow(list, list->model()->index(0, 1));
    ASSERT_EQ(dialog.selectedIndex(), 0);
    const CThrustCurvePlot &plot = dialog.plot();
    EXPECT_TRUE(plot.isVisible());
    EXPECT_EQ(plot.figuresText(),
              "Class G: 100.0 N·s, average 66.7 N, peak 100.0 N, burn 1.50 s, propellant 0.060 kg, total 0.120 kg");
    EXPECT_EQ(plot.drawnPoints(), 4); // ignition at zero thrust added
    EXPECT_EQ(plot.peakMark(), QPointF(0.5, 100));
    EXPECT_NEAR(plot.averageLine(), 100.0 / 1.5, 1e-9);

    // The arrow key moves to a motor without a curve: the plot goes.
    keyClick(list, Qt::Key_Down);
    EXPECT_EQ(dialog.selectedIndex(), 1);
    EXPECT_FALSE(plot.isVisible());
    EXPECT_TRUE(plot.figuresText().isEmpty());

    ASSERT_TRUE(showOnReferenceScreen(&dialog, ReferenceScreen::Compact));
    EXPECT_TRUE(list->isColumnHidden(4));
    EXPECT_FALSE(list->isColumnHidden(3));

    // Back on the motor with a curve, every screen shows it whole. The handheld
    // keeps its list in sight and shows the figures without the plot.
    keyClick(list, Qt::Key_Up);
    ASSERT_EQ(dialog.selectedIndex(), 0);
    QString skipped;
    EXPECT_EQ(auditOnReferenceScreens(&dialog, &skipped), QStringList());
    if (!skipped.isEmpty())
        GTEST_SKIP() << skipped.toStdString();
    for (const ReferenceScreen screen :
         {ReferenceScreen::Desktop, ReferenceScreen::Compact, ReferenceScreen::Phone, ReferenceScreen::Compact}) {
        ASSERT_TRUE(showOnReferenceScreen(&dialog, screen));
        const bool plotShown = screen != ReferenceScreen::Compact;
        EXPECT_TRUE(QTest::qWaitFor([&] { return plot.isVisible() == plotShown; })) << int(screen);
        EXPECT_GE(list->viewport()->height(), 4 * list->sizeHintForRow(0));
        const QList<QLabel *> figures = dialog.findChildren<QLabel *>();
        EXPECT_TRUE(std::any_of(figures.begin(), figures.end(), [&](const QLabel *label) {
            return label->isVisible() && label->text() == plot.figuresText();
        }));
    }
}

// A curve that cannot be read is told where its figures would be, not shown
// as a motor without one.
TEST_F(MotorScreens, CurveThatCannotBeReadIsToldNotTakenForNone)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("g.eng"));
    ASSERT_TRUE(writeTestFile(path, "G64 29 124 4-7 0.06 0.12 AT\n0.5 100\n1.0 100\n1.5 0\n"));
    CDefaultMotorsDlg dialog(m_store, m_status, m_ui, folder.path());
    dialog.show();
    m_files.script({path});
    menuEntry(&dialog, QStringLiteral("Load From File"));
    ASSERT_EQ(dialog.model().lines().first(), "AT\tG64\t4-7\t29x124");
    // Another program takes the curves away once the list is read.
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(m_logbook.databaseFile().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "DROP TABLE MotorCurves", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);
    selectRow(dialog, 1);
    selectRow(dialog, 0);
    ASSERT_EQ(dialog.selectedIndex(), 0);
    EXPECT_TRUE(dialog.plot().figuresText().isEmpty());
    const QList<QLabel *> labels = dialog.findChildren<QLabel *>();
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [&dialog](const QLabel *label) {
        return label->isVisibleTo(&dialog)
            && label->text() == QLatin1String("The thrust curve cannot be read: no such table: MotorCurves.");
    }));
}

TEST_F(MotorScreens, FilterRemovesOnlyWhatWasShownOrAsksWithTheCount)
{
    CMotorFilterDlg dialog(m_store, m_ui);
    dialog.show();
    auto notBox = [&](const char *field) {
        for (QCheckBox *box : dialog.findChildren<QCheckBox *>()) {
            if (box->accessibleDescription() == QStringLiteral("NOT ") + QLatin1String(field))
                return box;
        }
        return static_cast<QCheckBox *>(nullptr);
    };
    type(field(&dialog, QStringLiteral("Type")), QStringLiteral("6"));
    press(&dialog, QStringLiteral("Test Query"));
    EXPECT_EQ(dialog.model().lines(), QStringList({"Estes\tC6\t5\t18x70", "Estes\tC6\t5\t18x70"}));

    // Ticking NOT after the test turns the removal onto the motors not shown: it
    // asks, saying how many would go, and No keeps them all.
    tap(notBox("Type"));
    m_prompter.script({PromptAnswer::No});
    press(&dialog, QStringLiteral("REMOVE"));
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().last().caption, "Warning");
    EXPECT_EQ(m_prompter.shown().last().text, "SQL not tested\n2 motors will be removed\nContinue?");
    EXPECT_EQ(types(), QStringList({"C6", "C6", "A8", "F40"}));

    // Tested as it stands, the removal takes exactly the listed motors, unasked.
    press(&dialog, QStringLiteral("Test Query"));
    EXPECT_EQ(dialog.model().lines(), QStringList({"AeroTech\tF40\t7\t29x124", "Estes\tA8\t3\t18x70"}));
    press(&dialog, QStringLiteral("REMOVE"));
    ASSERT_EQ(m_prompter.shown().size(), 2);
    EXPECT_EQ(m_prompter.shown().last().caption, "Complete");
    EXPECT_EQ(m_prompter.shown().last().text, "Removed\n2\nmotors");
    EXPECT_EQ(types(), QStringList({"C6", "C6"}));

    // A changed text must be tested again; Yes goes ahead with the count it named.
    tap(notBox("Type"));
    type(field(&dialog, QStringLiteral("Size")), QStringLiteral("18"));
    m_prompter.script({PromptAnswer::Yes});
    press(&dialog, QStringLiteral("REMOVE"));
    EXPECT_EQ(m_prompter.shown().at(2).text, "SQL not tested\n2 motors will be removed\nContinue?");
    EXPECT_EQ(m_prompter.shown().last().text, "Removed\n2\nmotors");
    EXPECT_TRUE(types().isEmpty());
}

TEST_F(MotorScreens, FilterListSortsAndEmptyFilterDoesNothing)
{
    CMotorFilterDlg dialog(m_store, m_ui);
    dialog.show();
    type(field(&dialog, QStringLiteral("Size")), QStringLiteral("x"));
    press(&dialog, QStringLiteral("Test Query"));
    EXPECT_EQ(dialog.model().lines().first(), "AeroTech\tF40\t7\t29x124");
    EXPECT_EQ(dialog.model().lines().at(1), "Estes\tA8\t3\t18x70");

    type(field(&dialog, QStringLiteral("Size")), QString());
    press(&dialog, QStringLiteral("Test Query"));
    EXPECT_TRUE(dialog.model().lines().isEmpty());
    press(&dialog, QStringLiteral("REMOVE"));
    EXPECT_EQ(m_prompter.shown().last().text, "Removed\n0\nmotors");
    EXPECT_EQ(types().size(), 4);
}

TEST_F(MotorScreens, DefaultMotorsFitsEveryScreenWithWholeDesignations)
{
    // Many short lines, then the longest values last, past the rows measured exactly.
    for (int i = 0; i < 120; ++i)
        ASSERT_TRUE(
            m_store.RunSql(QStringLiteral("INSERT INTO Motors VALUES (%1, 'B6', '4', 'Estes', '18x70')").arg(10 + i)));
    ASSERT_TRUE(m_store.RunSql(QStringLiteral("INSERT INTO Motors VALUES (200, 'M2245IM-P Imax', '6-10-14', "
                                              "'Zephyr Cesaroni Technology', '98x702 (6G XL)')")));
    CDefaultMotorsDlg dialog(m_store, m_status, m_ui, QString());
    auto *list = dialog.findChild<QTreeView *>();
    ASSERT_FALSE(list->isHeaderHidden());
    ASSERT_EQ(dialog.model().lines().last(), "Zephyr Cesaroni Technology\tM2245IM-P Imax\t6-10-14\t98x702 (6G XL)");

    QString skipped;
    EXPECT_EQ(auditOnReferenceScreens(&dialog, &skipped), QStringList());
    m_status.showProgress(QStringLiteral("Loading Motor\n12 of 125"));
    EXPECT_EQ(auditOnReferenceScreens(&dialog, &skipped), QStringList());
    if (!skipped.isEmpty())
        GTEST_SKIP() << skipped.toStdString();

    // OK closes it, and so does Escape.
    ASSERT_TRUE(showOnReferenceScreen(&dialog, ReferenceScreen::Phone));
    command(dialog.findChild<CCommandBar *>(), QStringLiteral("OK"));
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_TRUE(showOnReferenceScreen(&dialog, ReferenceScreen::Desktop));
    keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(MotorScreens, FilterByClassTakesOnlyMotorsWithThatCurveAndTheirCurves)
{
    // The first C6 has a 10 N·s curve (class C), the A8 2.5 N·s (A), the F40 80 N·s (F);
    // the second C6 was typed in and has none.
    ASSERT_TRUE(storeMotorCurve(m_store, 1, {{0.5, 20}, {1, 0}}, {}));
    ASSERT_TRUE(storeMotorCurve(m_store, 3, {{0.5, 5}, {1, 0}}, {}));
    ASSERT_TRUE(storeMotorCurve(m_store, 4, {{1, 80}, {2, 0}}, {}));
    CMotorFilterDlg dialog(m_store, m_ui);
    dialog.show();
    auto *classEdit = field<QLineEdit>(&dialog, QStringLiteral("Class"));
    ASSERT_NE(classEdit, nullptr);
    QCheckBox *notClass = nullptr;
    for (QCheckBox *box : dialog.findChildren<QCheckBox *>()) {
        if (box->accessibleDescription() == QLatin1String("NOT Class"))
            notClass = box;
    }
    ASSERT_NE(notClass, nullptr);

    keyClicks(classEdit, QStringLiteral("c"));
    press(&dialog, QStringLiteral("Test Query"));
    EXPECT_EQ(dialog.model().lines(), QStringList({"Estes\tC6\t5\t18x70"}));

    // NOT a class is another class: the motor without a curve stays out of it.
    tap(notClass);
    press(&dialog, QStringLiteral("Test Query"));
    EXPECT_EQ(dialog.model().lines(), QStringList({"AeroTech\tF40\t7\t29x124", "Estes\tA8\t3\t18x70"}));
    // Combined with a text field, each narrows the other.
    type(field(&dialog, QStringLiteral("MFG")), QStringLiteral("Estes"));
    m_prompter.script({PromptAnswer::No});
    press(&dialog, QStringLiteral("REMOVE"));
    EXPECT_EQ(m_prompter.shown().last().text, "SQL not tested\n1 motor will be removed\nContinue?");
    EXPECT_EQ(types(), QStringList({"C6", "C6", "A8", "F40"}));

    press(&dialog, QStringLiteral("Test Query"));
    EXPECT_EQ(dialog.model().lines(), QStringList({"Estes\tA8\t3\t18x70"}));
    press(&dialog, QStringLiteral("REMOVE"));
    EXPECT_EQ(m_prompter.shown().last().text, "Removed\n1\nmotors");
    EXPECT_EQ(types(), QStringList({"C6", "C6", "F40"}));
    // The curve went with its motor; the others stay.
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT MotorID, Class FROM MotorCurves ORDER BY MotorID")),
              QStringList({"1|C", "4|F"}));
}
