// Flights logged through the launch wizard's real pages, then read back as a
// flyer reads them: the Flights screen, the flight's page, the statistics and
// the command line, each compared with the rows the test reads itself.
#include "charts/BarChart.h"
#include "db/RecordStore.h"
#include "flights/FlightListModel.h"
#include "flights/FlightPageDlg.h"
#include "flights/FlightStatsDlg.h"
#include "flights/FlightsDlg.h"
#include "launch/FailurePage.h"
#include "launch/GetDataDlg.h"
#include "launch/SuccessPage.h"
#include "support/CliHome.h"
#include "support/TestFiles.h"
#include "support/WizardDriver.h"
#include "ui/CommandBar.h"

#include <QDialogButtonBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QtCharts/QBarCategoryAxis>

namespace {

using namespace driver;
using namespace wizard;

class WizardToLogTest : public ::testing::Test, protected CWizardLogbook, protected CWizardDriver
{
protected:
    WizardToLogTest()
        : CWizardDriver(m_logbook.directory())
    { }

    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_logbook.exec({
            "INSERT INTO Rockets (ID,Name,Stages,Clustered) VALUES (1,'Alpha','0','0'), (2,'Bravo','0','0')",
            "INSERT INTO RecMotors (RocketID,Type,Delay,MFG,Alt) VALUES (1,'C6','5','EST','300')",
        }));
        ASSERT_TRUE(m_settings.WriteSetting(QLatin1String(kSettingAltitudeUnit), QStringLiteral("m")));
    }

    // The flights as the list shows them: rowid, date and time, rocket, motor, result.
    QStringList listed(const CFlightsDlg &flights) const
    {
        QStringList lines;
        const CFlightListModel *model = flights.model();
        for (int row = 0; row < model->rowCount(); ++row) {
            QStringList cells {QString::number(model->flightAt(row)->rowId)};
            for (const int column :
                 {CFlightListModel::When, CFlightListModel::Rocket, CFlightListModel::Motor, CFlightListModel::Result})
                cells.append(model->index(row, column).data().toString());
            lines.append(cells.join(QLatin1Char('|')));
        }
        return lines;
    }

    QStringList motorColumns() const
    {
        return m_logbook.rows(QStringLiteral("SELECT rowid, Model, Motor, MotorMfg, MotorDelay FROM Launches"));
    }

    CScriptedPrompter m_screenPrompter;
    CScriptedFileChooser m_screenFiles;
};

// Alpha on its recommended motor with a recording, Bravo without a motor; then
// Bravo's motor typed on its page in the other form. Everywhere the motor is
// named once, one motor in the statistics, and Alpha's page compares the
// recording with the altitude its motor was expected to reach.
TEST_F(WizardToLogTest, EveryFlightAppearsOnceWithItsMotorOnceEverywhere)
{
    QTemporaryDir downloads;
    const QString recording = downloads.filePath(QStringLiteral("FLIGHT1.csv"));
    // Up to 400 m at 10 s (4t(20 - t)), down at 8 m/s to the ground at 60 s, then 10 s still on it.
    QByteArray samples = "Time (s),Height [m]\n";
    for (int i = 0; i <= 700; ++i) {
        const double t = i * 0.1;
        const double height = t <= 10 ? 4 * t * (20 - t) : std::max(0.0, 400 - 8 * (t - 10));
        samples += QByteArray::number(t, 'f', 1) + ',' + QByteArray::number(height, 'f', 2) + '\n';
    }
    ASSERT_TRUE(writeTestFile(recording, samples));

    m_launch->siteBox()->setEditText(QStringLiteral("North Field"));
    m_files.script({recording});
    logFlight([this](CPropertySheet &sheet) {
        walkToOutcome(sheet, 0, 1, "Success");
        auto *success = page<CSuccessPage>(sheet, CLaunchDlg::SuccessPage);
        tap(success->altimeterBox());
        success->setDataDialogRunner([](CGetDataDlg &dialog) {
            dialog.OnSelectFile();
            dialog.OnOk();
            return dialog.result();
        });
        press(sheet, "DONE");
    });
    m_now = at(15, 30, 0);
    logFlight([this](CPropertySheet &sheet) {
        walkToOutcome(sheet, 1, 0, "Failure");
        type(page<CFailurePage>(sheet, CLaunchDlg::FailurePage)->notesField(), QStringLiteral("Shredded fin"));
        press(sheet, "DONE");
    });
    ASSERT_TRUE(m_prompter.shown().isEmpty());
    // As the launch screen has always stored them: the entry "EST C6-5" with
    // its maker and delay beside it; no motor at all.
    ASSERT_EQ(motorColumns(), QStringList({"1|1|EST C6-5|EST|5", "2|2|||"}));

    CRecordStore store;
    ASSERT_TRUE(store.Open(m_logbook.directory()));
    // The flight screens read the settings the launch screen was given, as the main window hands one to both.
    CFlightsDlg flights(store, m_settings, {m_screenPrompter, m_screenFiles});
    flights.show();
    EXPECT_EQ(listed(flights),
              QStringList({"2|2001-03-13 15:30|Bravo||Failure", "1|2001-03-13 14:06|Alpha|EST C6-5|Success"}));

    // Bravo's motor typed on its page, type, maker and delay each in its field.
    flights.list()->setCurrentIndex(flights.model()->index(flights.model()->rowOf(2), 0));
    EXPECT_TRUE(onModal<CFlightPageDlg>([&] { command(flights.commandBar(), QStringLiteral("OPEN")); },
                                        [](CFlightPageDlg &page) {
                                            command(page.commandBar(), QStringLiteral("EDIT"));
                                            for (const auto &[field, text] :
                                                 {std::pair {"Motor:", "C6"}, std::pair {"Motor MFG:", "EST"},
                                                  std::pair {"Delay:", "5"}}) {
                                                QLineEdit *edit = find<QLineEdit>(&page, QLatin1String(field));
                                                ASSERT_NE(edit, nullptr) << field;
                                                type(edit, QLatin1String(text));
                                            }
                                            tap(page.editButtons()->button(QDialogButtonBox::Ok));
                                            EXPECT_FALSE(page.isEditing());
                                        }));
    EXPECT_EQ(motorColumns(), QStringList({"1|1|EST C6-5|EST|5", "2|2|C6|EST|5"}));
    EXPECT_EQ(listed(flights),
              QStringList({"2|2001-03-13 15:30|Bravo|EST C6-5|Failure", "1|2001-03-13 14:06|Alpha|EST C6-5|Success"}));

    // Alpha's page: the motor in its parts, the recording against RecMotors' 300 m.
    flights.list()->setCurrentIndex(flights.model()->index(flights.model()->rowOf(1), 0));
    EXPECT_TRUE(onModal<CFlightPageDlg>([&] { command(flights.commandBar(), QStringLiteral("OPEN")); },
                                        [](CFlightPageDlg &page) {
                                            QStringList parts;
                                            for (const char *field : {"Motor:", "Motor MFG:", "Delay:"})
                                                parts.append(find<QLineEdit>(&page, QLatin1String(field))->text());
                                            EXPECT_EQ(parts, QStringList({"C6", "EST", "5"}));
                                            EXPECT_EQ(page.recordingText()->text(),
                                                      QStringLiteral("Apogee: 400 m\nExpected 300 m, reached 400 m "
                                                                     "(+33 %)\nThe recording ends on the ground."));
                                        }));
    // Untouched, the wizard's row keeps its own form.
    EXPECT_EQ(motorColumns().value(0), QStringLiteral("1|1|EST C6-5|EST|5"));

    // One motor in the statistics, its bar named as the list names it.
    EXPECT_TRUE(
        onModal<CFlightStatsDlg>([&] { command(flights.commandBar(), QStringLiteral("STATS")); },
                                 [](CFlightStatsDlg &stats) {
                                     const QAbstractItemModel *motors = stats.table(QStringLiteral("Motors"))->model();
                                     ASSERT_EQ(motors->rowCount(), 1);
                                     EXPECT_EQ(motors->index(0, 0).data().toString(), QStringLiteral("EST C6-5"));
                                     EXPECT_EQ(motors->index(0, 1).data().toInt(), 2);
                                     auto *axis = qobject_cast<QBarCategoryAxis *>(
                                         stats.chart(QStringLiteral("Motors"))->chart()->axes(Qt::Vertical).value(0));
                                     ASSERT_NE(axis, nullptr);
                                     EXPECT_EQ(axis->categories(), QStringList({"EST C6-5"}));
                                     EXPECT_EQ(stats.summary()->text(),
                                               QStringLiteral("2 flights, 1 success (50%)\nFirst flight "
                                                              "2001-03-13, last flight 2001-03-13"));
                                 }));

    // The command line: each flight once, its motor in parts, one motor counted.
    CCliHome cli;
    ASSERT_TRUE(cli.isValid());
    cli.useStorageDirectory(m_logbook.directory());
    const CCliHome::CResult json =
        cli.run({QStringLiteral("flights"), QStringLiteral("--format"), QStringLiteral("json")});
    ASSERT_EQ(json.status, 0) << qPrintable(json.err);
    QStringList flown;
    for (const auto &flight : QJsonDocument::fromJson(json.out).array()) {
        const QJsonObject object = flight.toObject();
        QStringList fields;
        for (const char *key : {"id", "rocket", "motor", "mfg", "delay"})
            fields.append(object.value(QLatin1String(key)).toVariant().toString());
        flown.append(fields.join(QLatin1Char('|')));
    }
    EXPECT_EQ(flown, QStringList({"2|Bravo|C6|EST|5", "1|Alpha|C6|EST|5"}));
    const CCliHome::CResult text =
        cli.run({QStringLiteral("flights"), QStringLiteral("--rocket"), QStringLiteral("alpha")});
    EXPECT_EQ(text.status, 0) << qPrintable(text.err);
    EXPECT_EQ(text.out.count("EST"), 1) << text.out.constData();
    const CCliHome::CResult stats =
        cli.run({QStringLiteral("stats"), QStringLiteral("--format"), QStringLiteral("json")});
    ASSERT_EQ(stats.status, 0) << qPrintable(stats.err);
    const QJsonArray motors = QJsonDocument::fromJson(stats.out).object().value(QStringLiteral("motors")).toArray();
    ASSERT_EQ(motors.size(), 1);
    EXPECT_EQ(motors.at(0).toObject().value(QStringLiteral("motor")).toString(), QStringLiteral("EST C6-5"));
    EXPECT_EQ(motors.at(0).toObject().value(QStringLiteral("flights")).toInt(), 2);
}

} // namespace
