// The Motors page's prediction: the chosen motor flown in the rocket, in
// words, and Predict filling the expected altitude. Figures against the closed
// form of a flight without drag at constant mass (the rocket's Cd set to 0,
// the motors' files giving no propellant mass).
#include "db/RecordStore.h"
#include "db/RocketDragStore.h"
#include "platform/SettingsStore.h"
#include "prediction/PredictionTestLogbook.h"
#include "rockets/RecMotorsDlg.h"
#include "rockets/RocketEditSheet.h"
#include "support/ScreenDriver.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <memory>

using driver::find;

namespace {

constexpr double kMetresPerFoot = 0.3048;

// Alpha: 400 g without motor, Cd 0. Motors of 100 g loaded: T100 (100 N for
// 2 s, plugged), T20 (20 N for 1 s, 3-5-7), X1 without a curve. Heavy's
// weight cannot be read.
class RecMotorsPredict : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        m_logbook.addRocket(1, QStringLiteral("Alpha"), QStringLiteral("400 g"), QStringLiteral("41 mm"));
        m_logbook.addRocket(2, QStringLiteral("Heavy"), QStringLiteral("heavy"), QStringLiteral("41 mm"));
        m_logbook.addMotor(QStringLiteral("Test"), QStringLiteral("T100"), QStringLiteral("P"),
                           QStringLiteral("29x100"), 100, 2);
        m_logbook.addMotor(QStringLiteral("Test"), QStringLiteral("T20"), QStringLiteral("3-5-7"),
                           QStringLiteral("29x100"), 20, 1);
        m_logbook.addMotor(QStringLiteral("Test"), QStringLiteral("X1"), QStringLiteral("5"), QStringLiteral("29x100"));
        // One motor at a time, neither staged nor clustered.
        ASSERT_TRUE(m_logbook.exec({"UPDATE Rockets SET Stages = '0', Clustered = '0'"}));
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
        ASSERT_TRUE(CRocketDragStore(m_store).storeCd(1, 0));
    }

    void open(const char *rocketId)
    {
        m_sheet = std::make_unique<CRocketEditSheet>(
            CRocketEditContext {m_store, m_settings, {m_prompter, m_files}, m_logbook.directory()},
            QString::fromLatin1(rocketId));
        m_sheet->show();
        driver::tab(*m_sheet, 3);
        m_page = m_sheet->motorsPage();
    }

    // The catalogue in Type order after the blank entry: 1 T100, 2 T20, 3 X1.
    void chooseMotor(int entry) { driver::choose(find<QComboBox>(m_page, QStringLiteral("Motor")), entry); }
    QString prediction() const { return find<QPlainTextEdit>(m_page, QStringLiteral("Prediction"))->toPlainText(); }
    QLineEdit *altitude() const { return find<QLineEdit>(m_page, QStringLiteral("Expected Altitude")); }
    void predict() { driver::press(m_page, QStringLiteral("Predict")); }

    CPredictionLogbook m_logbook;
    CRecordStore m_store;
    CSettingsStore m_settings {m_logbook.directory() + QStringLiteral("settings.ini")};
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
    std::unique_ptr<CRocketEditSheet> m_sheet;
    CRecMotorsDlg *m_page = nullptr;
};

} // namespace

TEST_F(RecMotorsPredict, ChosenMotorShowsItsFlightAndWarningsInTheFlyersUnit)
{
    ASSERT_TRUE(m_settings.WriteSetting(QLatin1String(kSettingAltitudeUnit), QStringLiteral("m")));
    open("1");
    chooseMotor(2);
    // T20 on 0.5 kg: a = 20/0.5 - g for 1 s, then a coast of v²/2g.
    const CClosedFormFlight flight {20, 1, 0.5};
    const double guideSpeed = std::sqrt(2 * flight.acceleration() * 1.0);
    const QString text = prediction();
    const QRegularExpressionMatch figures =
        QRegularExpression(QStringLiteral("Apogee ([0-9,]+) m at ([0-9.]+) s; optimal delay ([0-9.]+) s, nearest "
                                          "([0-9]+) s; off the guide at ([0-9.]+) m/s"))
            .match(text);
    ASSERT_TRUE(figures.hasMatch()) << text.toStdString();
    EXPECT_NEAR(figures.captured(1).remove(QLatin1Char(',')).toDouble(), flight.apogee(), 0.6);
    EXPECT_NEAR(figures.captured(2).toDouble(), flight.apogeeTime(), 0.051);
    EXPECT_NEAR(figures.captured(3).toDouble(), flight.apogeeTime() - 1, 0.051);
    EXPECT_EQ(figures.captured(4), QStringLiteral("3"));
    EXPECT_NEAR(figures.captured(5).toDouble(), guideSpeed, 0.051);
    // 20 N on 4.9 N of weight, off the guide at 7.8 m/s: both warned of.
    EXPECT_TRUE(text.contains(QStringLiteral("Thrust-to-weight"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("under 15 m/s"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Cd 0 (set for the rocket)"))) << text.toStdString();

    chooseMotor(1);
    EXPECT_TRUE(prediction().contains(QStringLiteral("Plugged motor"))) << prediction().toStdString();
    chooseMotor(3);
    EXPECT_TRUE(prediction().contains(QStringLiteral("X1 has no thrust curve"))) << prediction().toStdString();
    // A motor typed rather than chosen is predicted as well; one not in the catalogue says so.
    driver::type(find<QComboBox>(m_page, QStringLiteral("Motor")), QStringLiteral("Z9"));
    EXPECT_TRUE(prediction().contains(QStringLiteral("No motor"))) << prediction().toStdString();
}

TEST_F(RecMotorsPredict, UnreadableWeightIsNamedAndPredictFillsNothing)
{
    open("2");
    chooseMotor(1);
    EXPECT_TRUE(prediction().contains(QStringLiteral("'heavy'"))) << prediction().toStdString();
    predict();
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_TRUE(m_prompter.shown().first().text.contains(QStringLiteral("'heavy'")));
    EXPECT_TRUE(altitude()->text().isEmpty());
}

TEST_F(RecMotorsPredict, PredictFillsTheAltitudeAndAsksBeforeReplacingAWrittenOne)
{
    open("1");
    chooseMotor(1);
    // Feet, the default unit: T100's apogee to a foot, stored by ADD.
    const double feet = CClosedFormFlight {100, 2, 0.5}.apogee() / kMetresPerFoot;
    predict();
    EXPECT_TRUE(m_prompter.shown().isEmpty());
    EXPECT_NEAR(altitude()->text().toDouble(), feet, feet * 0.001);
    driver::command(m_page, QStringLiteral("ADD"));
    const QStringList stored = m_logbook.rows(QStringLiteral("SELECT Type, Alt FROM RecMotors"));
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored.first(), QStringLiteral("T100|") + altitude()->text());

    // What Predict wrote it replaces without asking when another motor is chosen.
    chooseMotor(2);
    predict();
    EXPECT_TRUE(m_prompter.shown().isEmpty());
    EXPECT_NEAR(altitude()->text().toDouble(), (CClosedFormFlight {20, 1, 0.5}.apogee() / kMetresPerFoot), 1);

    // A written value stays unless the flyer says Yes; No is the default.
    driver::type(altitude(), QStringLiteral("120"));
    m_prompter.script({PromptAnswer::No});
    predict();
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().first().buttons, PromptButtons::YesNoDefaultNo);
    EXPECT_TRUE(m_prompter.shown().first().text.contains(QStringLiteral("120")));
    EXPECT_EQ(altitude()->text(), QStringLiteral("120"));
    m_prompter.script({PromptAnswer::Yes});
    predict();
    EXPECT_NEAR(altitude()->text().toDouble(), (CClosedFormFlight {20, 1, 0.5}.apogee() / kMetresPerFoot), 1);
}
