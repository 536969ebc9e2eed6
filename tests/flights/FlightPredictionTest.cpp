// The flight page of a flight with a recording: its predicted apogee against
// the recorded one, and Fit Cd keeping for the rocket the Cd that makes them
// meet, the rocket's Cd then the median of its fitted flights. Figures from a
// flight with drag integrated in the test (support/DragFlight.h).
#include "db/RecordStore.h"
#include "flights/FlightPageDlg.h"
#include "logbook/FlightLog.h"
#include "platform/SettingsStore.h"
#include "prediction/PredictionTestLogbook.h"
#include "support/DragFlight.h"
#include "support/ScreenDriver.h"
#include "support/TestFiles.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// Alpha: 400 g, 41 mm, no Cd set; T100: 100 N for 2 s, 100 g loaded, no
// propellant mass given. Flights 1 and 2 at 59 °F (15 °C) recorded 80 % and
// 70 % of the apogee at Cd 0.6; flight 3 of Heavy, whose weight cannot be read.
class FlightPrediction : public ::testing::Test
{
protected:
    static double apogee(double cd) { return apogeeWithDrag(100, 2, 0.5, cd, 0.041, 15); }

    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_settings.WriteSetting(QLatin1String(kSettingAltitudeUnit), QStringLiteral("m")));
        m_logbook.addRocket(1, QStringLiteral("Alpha"), QStringLiteral("400 g"), QStringLiteral("41 mm"));
        m_logbook.addRocket(2, QStringLiteral("Heavy"), QStringLiteral("heavy"), QStringLiteral("41 mm"));
        m_logbook.addMotor(QStringLiteral("Test"), QStringLiteral("T100"), QStringLiteral("P"),
                           QStringLiteral("29x100"), 100, 2);
        const QString dir = m_logbook.directory();
        ASSERT_TRUE(writeTestFile(dir + QStringLiteral("one.csv"), recordingTo(0.8 * apogee(0.6))));
        ASSERT_TRUE(writeTestFile(dir + QStringLiteral("two.csv"), recordingTo(0.7 * apogee(0.6))));
        ASSERT_TRUE(m_logbook.exec({
            "UPDATE Rockets SET Stages = '0', Clustered = '0'",
            "INSERT INTO Launches (rowid, Model, Motor, MotorMfg, MotorDelay, Temperature, Celcius, AltFileName) "
            "VALUES (1, '1', 'T100', 'Test', 'P', '59', '0', 'one.csv'), (2, '1', 'T100', 'Test', 'P', '59', '0', "
            "'two.csv'), (3, '2', 'T100', 'Test', 'P', '59', '0', 'one.csv'), (4, '1', 'T100', 'Test', 'P', '59', "
            "'0', '')",
        }));
        ASSERT_TRUE(m_store.Open(dir));
    }

    std::unique_ptr<CFlightPageDlg> open(qint64 rowId)
    {
        auto page = std::make_unique<CFlightPageDlg>(m_log, rowId, m_settings, CUiServices {m_prompter, m_files});
        page->show();
        return page;
    }
    // The kept fits as "flight|rocket|Cd".
    QStringList fits()
    {
        return m_logbook.rows(QStringLiteral("SELECT FlightID, RocketID, Cd FROM RocketFittedCds ORDER BY FlightID"));
    }
    static double number(const QString &text, const QString &pattern)
    {
        const QRegularExpressionMatch match = QRegularExpression(pattern).match(text);
        EXPECT_TRUE(match.hasMatch()) << text.toStdString() << " / " << pattern.toStdString();
        return match.captured(1).remove(QLatin1Char(',')).toDouble();
    }

    CPredictionLogbook m_logbook;
    CRecordStore m_store;
    CFlightLog m_log {m_store};
    CSettingsStore m_settings {m_logbook.directory() + QStringLiteral("settings.ini")};
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
};

} // namespace

TEST_F(FlightPrediction, PredictedAgainstRecordedAndFittedCdsKeptAsTheRocketsMedian)
{
    ASSERT_GT(apogee(0.6), 100);
    auto first = open(1);
    QString text = first->predictionText()->text();
    EXPECT_NEAR(number(text, QStringLiteral("Predicted ([0-9,]+) m")), apogee(0.6), apogee(0.6) * 0.001 + 0.5);
    EXPECT_NEAR(number(text, QStringLiteral("recorded ([0-9,]+) m")), 0.8 * apogee(0.6), 0.5);
    EXPECT_TRUE(text.contains(QStringLiteral("(-20 %)"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Cd 0.6 (default)"))) << text.toStdString();

    m_prompter.script({PromptAnswer::Yes});
    driver::press(first.get(), QStringLiteral("Fit Cd"));
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_TRUE(m_prompter.shown().first().text.startsWith(QStringLiteral("Keep Cd ")));
    QStringList kept = fits();
    ASSERT_EQ(kept.size(), 1);
    QStringList row = kept.first().split(QLatin1Char('|'));
    EXPECT_EQ(row.mid(0, 2), QStringList({"1", "1"}));
    const double firstCd = row.at(2).toDouble();
    // The kept Cd flies the rocket to the recorded apogee.
    EXPECT_NEAR(apogee(firstCd), 0.8 * apogee(0.6), 0.002 * apogee(0.6));
    text = first->predictionText()->text();
    EXPECT_NEAR(number(text, QStringLiteral("Cd ([0-9.]+) \\(fitted to 1 flight\\)")), firstCd,
                0.005); // shown to 2 decimals
    EXPECT_NEAR(number(text, QStringLiteral("Predicted ([0-9,]+) m")), 0.8 * apogee(0.6), 0.002 * apogee(0.6));
    first.reset();

    // No keeps nothing; Yes keeps the second flight's beside the first.
    auto second = open(2);
    m_prompter.script({PromptAnswer::No});
    driver::press(second.get(), QStringLiteral("Fit Cd"));
    EXPECT_EQ(fits().size(), 1);
    m_prompter.script({PromptAnswer::Yes});
    driver::press(second.get(), QStringLiteral("Fit Cd"));
    kept = fits();
    ASSERT_EQ(kept.size(), 2);
    const double secondCd = kept.at(1).split(QLatin1Char('|')).at(2).toDouble();
    EXPECT_GT(secondCd, firstCd); // lower apogee, more drag
    EXPECT_NEAR(apogee(secondCd), 0.7 * apogee(0.6), 0.002 * apogee(0.6));
    text = second->predictionText()->text();
    EXPECT_NEAR(number(text, QStringLiteral("Cd ([0-9.]+) \\(median of 2 fitted flights\\)")), (firstCd + secondCd) / 2,
                0.005);
}

TEST_F(FlightPrediction, FlightsThatCannotBePredictedSayWhyOrShowNothing)
{
    auto heavy = open(3);
    const QString text = heavy->predictionText()->text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("No prediction: "))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("'heavy'"))) << text.toStdString();
    EXPECT_FALSE(driver::find<QPushButton>(heavy.get(), QStringLiteral("Fit Cd"))->isEnabled());

    // Without a recording there is nothing to set a prediction against.
    auto unrecorded = open(4);
    EXPECT_FALSE(unrecorded->predictionText()->isVisible());
    EXPECT_FALSE(driver::find<QPushButton>(unrecorded.get(), QStringLiteral("Fit Cd"))->isVisible());
    EXPECT_TRUE(fits().isEmpty());
}
