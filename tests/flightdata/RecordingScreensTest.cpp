// A recording as the flyer meets it: chosen in "Get Data", named on a flight in
// the logbook, and read again on the flight's page. Both screens say the
// apogee measured, the apogee the device states and how the recording ends.
#include "charts/AltitudePlot.h"
#include "db/RecordStore.h"
#include "flights/FlightPageDlg.h"
#include "launch/GetDataDlg.h"
#include "logbook/FlightLog.h"
#include "platform/SettingsStore.h"
#include "support/ScreenDriver.h"
#include "support/TestFiles.h"
#include "support/TestLogbook.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

// A PerfectFlite download: its summary states 990 ft; the samples, 20 a
// second, sit at -10 ft on the pad (as its pad read), climb 10 ft a sample to
// 1,000 ft, fall 10 ft a sample back to the pad's level and lie there 5 s.
QByteArray perfectfliteRecording()
{
    QByteArray text = "Apogee: 990' AGL\nGround Elevation: 225' MSL\n\nTime,Altitude,Velocity,Temperature,Voltage\n";
    int feet = -10;
    int i = 0;
    const auto sample = [&]() {
        text += QByteArray::number(i++ * 0.05, 'f', 2) + "," + QByteArray::number(feet) + ",0,70,9.0\n";
    };
    for (int pad = 0; pad < 40; ++pad)
        sample();
    while (feet < 1000) {
        feet += 10;
        sample();
    }
    while (feet > -10) {
        feet -= 10;
        sample();
    }
    for (int ground = 0; ground < 100; ++ground)
        sample();
    return text;
}

// A headerless StratoLogger export cut off at 700 ft, 100 ft a sample up.
QByteArray climbingRecording()
{
    QByteArray text;
    for (int i = 0; i <= 7; ++i)
        text += QByteArray::number(i * 0.1, 'f', 1) + "\t" + QByteArray::number(100 * i) + "\n";
    return text;
}

class RecordingScreensTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_logbook.exec({
            "INSERT INTO Rockets (ID, Name) VALUES (1, 'Alpha')",
            "INSERT INTO RecMotors (RocketID, Type, MFG, Alt) VALUES (1, 'G80', 'AeroTech', 1000)",
            "INSERT INTO Launches (Model, Motor, MotorMfg, MotorDelay, Site, Date, Notes, Success) "
            "VALUES ('1', 'G80', 'AeroTech', '7', 'North Field', '05/01/2026', '', -1)",
        }));
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    }

    // "Get Data" run as the flyer runs it: Select file, read the preview, OK.
    QString chooseInGetData(const QString &path, QString &preview)
    {
        CGetDataDlg dialog(m_files, EHeightUnit::Feet);
        dialog.setExpectedAltitude(1000.0);
        dialog.show();
        m_files.script({path});
        driver::tap(dialog.selectButton());
        preview = dialog.previewText()->text();
        EXPECT_TRUE(dialog.plot()->isVisible());
        driver::tap(dialog.okButton());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        return dialog.fileName();
    }

    CTestLogbook m_logbook;
    CRecordStore m_store;
    CSettingsStore m_settings {m_logbook.directory() + QStringLiteral("settings.ini")};
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
};

TEST_F(RecordingScreensTest, GetDataPreviewAndFlightPageSayTheApogeesAndHowTheRecordingEnds)
{
    const QString path = m_logbook.directory() + QStringLiteral("FLIGHT01.pf2");
    ASSERT_TRUE(writeTestFile(path, perfectfliteRecording()));
    // The heights as the device recorded them: 1,000 ft, not 1,010 above its first sample.
    const QString expected = QStringLiteral("Apogee: 1,000 ft\nApogee stated by the device: 990 ft\n"
                                            "Expected 1,000 ft, reached 1,000 ft (0 %)\n"
                                            "The recording ends on the ground.");
    QString preview;
    const QString chosen = chooseInGetData(path, preview);
    EXPECT_EQ(preview, expected);
    ASSERT_EQ(m_files.requests().size(), 1);
    EXPECT_EQ(m_files.requests().front().filter,
              QStringLiteral("Altimeter recordings (*.csv *.txt *.pf2 *.flt);;Image Files (*.flt);;All Files (*.*)"));
    EXPECT_EQ(chosen, path);

    // The name kept on the flight, as the launch wizard stores it.
    CRecordStore writer;
    ASSERT_TRUE(writer.Open(m_logbook.directory()));
    ASSERT_TRUE(writer.RunSql(QStringLiteral("UPDATE Launches SET AltFileName = '%1' WHERE rowid = 1").arg(chosen)));
    writer.Close();
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT AltFileName FROM Launches")), QStringList({path}));

    CFlightLog log(m_store);
    CFlightPageDlg page(log, 1, m_settings, {m_prompter, m_files});
    page.show();
    EXPECT_EQ(page.recordingText()->text(), expected);
    EXPECT_TRUE(page.plot()->isVisible());
}

TEST_F(RecordingScreensTest, RecordingCutOffClimbingIsToldOnBothScreens)
{
    const QString path = m_logbook.directory() + QStringLiteral("FLIGHT02.txt");
    ASSERT_TRUE(writeTestFile(path, climbingRecording()));
    const QString expected = QStringLiteral("Apogee: at least 700 ft\nExpected 1,000 ft, reached at least 700 ft\n"
                                            "The recording ends climbing: it stops before the apogee.");
    QString preview;
    chooseInGetData(path, preview);
    EXPECT_EQ(preview, expected);

    ASSERT_TRUE(m_logbook.exec({"UPDATE Launches SET AltFileName = 'FLIGHT02.txt' WHERE rowid = 1"}));
    CFlightLog log(m_store);
    CFlightPageDlg page(log, 1, m_settings, {m_prompter, m_files});
    page.show();
    EXPECT_EQ(page.recordingText()->text(), expected);
}

} // namespace
