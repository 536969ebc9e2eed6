// From the motor guide to the field: a motor added in the guide becomes one
// of the rocket's recommended motors, and the launch wizard's rocket page
// predicts its apogee in the air of the weather page. The apogee against a
// flight integrated here, on its own, through the standard troposphere.
#include "db/RecordStore.h"
#include "launch/NumberField.h"
#include "launch/WeatherPage.h"
#include "prediction/MotorGuideModel.h"
#include "prediction/PredictionTestLogbook.h"
#include "rockets/MotorGuideDlg.h"
#include "support/DragFlight.h"
#include "support/WizardDriver.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

using namespace wizard;

namespace {

constexpr double kMetresPerFoot = 0.3048;

struct CPredictionWizardLogbook
{
    CPredictionLogbook m_logbook;
};

// Alpha: 400 g, 41 mm, no Cd of its own (0.6); T100: 100 N for 2 s, 100 g
// loaded, no propellant mass given, so its mass stays.
class WizardPrediction : public ::testing::Test, protected CPredictionWizardLogbook, protected CWizardDriver
{
protected:
    WizardPrediction()
        : CWizardDriver(m_logbook.directory())
    { }

    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        m_logbook.addRocket(1, QStringLiteral("Alpha"), QStringLiteral("400 g"), QStringLiteral("41 mm"));
        m_logbook.addMotor(QStringLiteral("Test"), QStringLiteral("T100"), QStringLiteral("P"),
                           QStringLiteral("29x100"), 100, 2);
        // One motor at a time, neither staged nor clustered.
        ASSERT_TRUE(m_logbook.exec({"UPDATE Rockets SET Stages = '0', Clustered = '0'"}));
    }

    static double expectedFeet(double padC) { return apogeeWithDrag(100, 2, 0.5, 0.6, 0.041, padC) / kMetresPerFoot; }

    // "Predicted 12,345 ft at 35 °C": the feet and the degrees.
    static std::pair<double, QString> shown(CPropertySheet &sheet)
    {
        const QString text =
            sheet.page(CLaunchDlg::RocketPage)->findChild<QLabel *>(QStringLiteral("predictedApogee"))->text();
        const QStringList words = text.split(QLatin1Char(' '));
        if (words.size() != 6 || words.at(0) != QLatin1String("Predicted")) {
            ADD_FAILURE() << text.toStdString();
            return {0, QString()};
        }
        return {QString(words.at(1)).remove(QLatin1Char(',')).toDouble(), words.at(4)};
    }
};

} // namespace

TEST_F(WizardPrediction, MotorAddedInTheGuideIsPredictedOnTheRocketPageAtTheWeathersTemperature)
{
    // The drag case's apogee must tell 35 °C, 10 °C and 15 °C apart, or the test could not fail.
    ASSERT_GT(std::abs(expectedFeet(35) - expectedFeet(15)), expectedFeet(15) * 0.005);
    ASSERT_GT(std::abs(expectedFeet(10) - expectedFeet(15)), expectedFeet(15) * 0.002);

    CRecordStore store;
    ASSERT_TRUE(store.Open(m_logbook.directory()));
    {
        CMotorGuideDlg guide({store, m_settings, {m_prompter, m_files}, m_logbook.directory()}, QStringLiteral("1"));
        guide.show();
        ASSERT_NE(guide.model(), nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&guide] { return guide.model()->isFinished(); }, 10000));
        ASSERT_EQ(guide.table()->model()->rowCount(), 1);
        driver::tapRow(guide.table(), guide.table()->model()->index(0, 0));
        driver::press(&guide, QStringLiteral("Add to Rocket"));
    }
    ASSERT_EQ(m_logbook.rows(QStringLiteral("SELECT Type, Delay FROM RecMotors")), QStringList {"T100|P"});

    // 95 °F on the launch screen is 35 °C at the pad.
    m_launch->show();
    m_launch->temperatureField()->setValue(95);
    bool looked = false;
    logFlight([&](CPropertySheet &sheet) {
        auto *rocket = page<CRocketPage>(sheet, CLaunchDlg::RocketPage);
        driver::tap(driver::find<QToolButton>(rocket, QStringLiteral("Next rocket")));
        driver::choose(driver::find<QComboBox>(rocket, QStringLiteral("Recomended Motors:")), 1);
        auto [feet, degrees] = shown(sheet);
        EXPECT_NEAR(feet, expectedFeet(35), expectedFeet(35) * 0.001);
        EXPECT_EQ(degrees, QStringLiteral("35"));

        // 50 °F written on the weather page, and back: 10 °C.
        driver::tap(driver::find<QPushButton>(rocket, QStringLiteral("Fly It")));
        auto *weather = page<CWeatherPage>(sheet, CLaunchDlg::WeatherPage);
        driver::type(weather->temperatureField()->edit(), QStringLiteral("50"));
        driver::tab(sheet, CLaunchDlg::RocketPage);
        std::tie(feet, degrees) = shown(sheet);
        EXPECT_NEAR(feet, expectedFeet(10), expectedFeet(10) * 0.001);
        EXPECT_EQ(degrees, QStringLiteral("10"));
        looked = true;
    });
    EXPECT_TRUE(looked);
}
