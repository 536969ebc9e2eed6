// The prediction service over a real logbook: a rocket's inputs in the
// flyer's units, the Cd it flies with, the catalogue's motors and their
// curves, and the Cd fitted to a logged flight from its recording. Figures
// are worked out here by hand or by the closed form of a flight without drag.
#include "db/RocketDragStore.h"
#include "flightmodel/FlightPredictor.h"
#include "platform/SettingsStore.h"
#include "prediction/FlightFit.h"
#include "prediction/MeasureUnits.h"
#include "prediction/MotorPrediction.h"
#include "prediction/PredictionTestLogbook.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr double kOunce = 0.028349523125; // kg
constexpr double kInch = 0.0254; // m

TEST(PredictionService, RocketInputsAreReadInTheChosenUnitsAndRefusedInWords)
{
    CPredictionLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    logbook.addRocket(1, QStringLiteral("Metric"), QStringLiteral("85"), QStringLiteral("41"), QStringLiteral("24"));
    logbook.addRocket(2, QStringLiteral("Labelled"), QStringLiteral("1 lb 4 oz"), QStringLiteral("1.6 in"));
    logbook.addRocket(3, QStringLiteral("Heavy"), QStringLiteral("heavy"), QStringLiteral("0"),
                      QStringLiteral("BT-20"));
    logbook.addRocket(4, QStringLiteral("Twin"), QStringLiteral("1 kg"), QStringLiteral("5 cm"));
    logbook.addRocket(5, QStringLiteral("twin"), QStringLiteral("1 kg"), QStringLiteral("5 cm"));
    CRecordStore store;
    ASSERT_TRUE(store.Open(logbook.directory()));
    CRocketFlightInputs rocket;
    QString error;

    ASSERT_TRUE(loadRocketFlightInputs(store, QStringLiteral("1"), EUnitSystem::Metric, rocket, error));
    EXPECT_DOUBLE_EQ(rocket.body.massKg, 0.085);
    EXPECT_DOUBLE_EQ(rocket.body.diameterM, 0.041);
    EXPECT_DOUBLE_EQ(rocket.mountM.value_or(0), 0.024);
    ASSERT_TRUE(loadRocketFlightInputs(store, QStringLiteral("1"), EUnitSystem::Imperial, rocket, error));
    EXPECT_DOUBLE_EQ(rocket.body.massKg, 85 * kOunce);
    EXPECT_DOUBLE_EQ(rocket.body.diameterM, 41 * kInch);
    EXPECT_DOUBLE_EQ(rocket.mountM.value_or(0), 24 * kInch);
    // Written units win over the chosen ones.
    ASSERT_TRUE(loadRocketFlightInputs(store, QStringLiteral("2"), EUnitSystem::Metric, rocket, error));
    EXPECT_DOUBLE_EQ(rocket.body.massKg, 0.45359237 + 4 * kOunce);
    EXPECT_DOUBLE_EQ(rocket.body.diameterM, 1.6 * kInch);
    EXPECT_FALSE(rocket.mountM.has_value());
    EXPECT_TRUE(rocket.mountProblem.isEmpty());

    // Found, but not to be flown: each text named, nothing guessed.
    ASSERT_TRUE(loadRocketFlightInputs(store, QStringLiteral("3"), EUnitSystem::Metric, rocket, error));
    EXPECT_EQ(rocket.problems,
              QStringList({"Weight 'heavy' is not a mass: write it as 85 g or 3 oz",
                           "Diameter '0' must be more than 0: write it as 41 mm or 1.6 in"}));
    EXPECT_EQ(rocket.mountProblem, QStringLiteral("MMT 'BT-20' is not a length: write it as 41 mm or 1.6 in"));
    CCurveMotor motor;
    motor.points = {{0, 10}, {1, 10}};
    EXPECT_EQ(predictMotor(rocket, motor, 1, CLaunchSite()).error, rocket.problemText());

    EXPECT_FALSE(loadRocketFlightInputs(store, QStringLiteral("9"), EUnitSystem::Metric, rocket, error));
    EXPECT_EQ(error, QStringLiteral("No rocket is numbered 9"));

    QString id;
    ASSERT_TRUE(findRocketByName(store, QStringLiteral("metric"), id, error));
    EXPECT_EQ(id, QStringLiteral("1"));
    ASSERT_TRUE(findRocketByName(store, QStringLiteral("Twin"), id, error)); // written exactly so
    EXPECT_EQ(id, QStringLiteral("4"));
    EXPECT_FALSE(findRocketByName(store, QStringLiteral("TWIN"), id, error));
    EXPECT_EQ(error, QStringLiteral("2 rockets are named \"TWIN\" (numbers 4, 5)"));
    EXPECT_FALSE(findRocketByName(store, QStringLiteral("Nope"), id, error));
    EXPECT_EQ(error, QStringLiteral("No rocket is named \"Nope\""));
}

TEST(PredictionService, UnitsComeFromTheSettingElseTheLocale)
{
    QTemporaryDir dir;
    CSettingsStore settings(dir.filePath(QStringLiteral("Tarvel.ini")));
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale germany(QLocale::German, QLocale::Germany);
    EXPECT_EQ(readUnitSystem(settings, us), EUnitSystem::Imperial);
    EXPECT_EQ(readUnitSystem(settings, germany), EUnitSystem::Metric);
    ASSERT_TRUE(settings.WriteSetting(QLatin1String(kSettingMeasureUnits), QStringLiteral("imperial")));
    EXPECT_EQ(readUnitSystem(settings, germany), EUnitSystem::Imperial);
    // Typed by hand: any case and blanks; a word it does not know is the locale's.
    // (Files of their own: the process keeps one parsed copy of each.)
    CSettingsStore typed(dir.filePath(QStringLiteral("typed.ini")));
    ASSERT_TRUE(writeTestFile(typed.fileName(), "[General]\nMeasure%20Units= Metric \n"));
    EXPECT_EQ(readUnitSystem(typed, us), EUnitSystem::Metric);
    CSettingsStore unknown(dir.filePath(QStringLiteral("unknown.ini")));
    ASSERT_TRUE(writeTestFile(unknown.fileName(), "[General]\nMeasure%20Units=furlongs\n"));
    EXPECT_EQ(readUnitSystem(unknown, us), EUnitSystem::Imperial);
}

// The rocket's own Cd where the flyer set one, else the median of its fits,
// else 0.6; the guide the flyer set, else 1 m; each prediction says which Cd.
TEST(PredictionService, TheCdFlownIsTheFlyersThenTheFittedMedianThenTheDefault)
{
    CPredictionLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    logbook.addRocket(1, QStringLiteral("Alpha"), QStringLiteral("85 g"), QStringLiteral("41 mm"));
    logbook.addRocket(2, QStringLiteral("Beta"), QStringLiteral("85 g"), QStringLiteral("41 mm"));
    CRecordStore store;
    ASSERT_TRUE(store.Open(logbook.directory()));
    CRocketFlightInputs rocket;
    QString error;
    const auto load = [&](const char *id) {
        EXPECT_TRUE(loadRocketFlightInputs(store, QLatin1String(id), EUnitSystem::Metric, rocket, error));
    };

    load("2");
    EXPECT_EQ(rocket.body.cd, 0.6);
    EXPECT_EQ(rocket.body.guideM, 1.0);
    EXPECT_EQ(rocket.cd.text(), QStringLiteral("Cd 0.6 (default)"));

    CRocketDragStore drag(store);
    ASSERT_TRUE(drag.storeFittedCd(1, 10, 0.9));
    load("1");
    EXPECT_EQ(rocket.cd.text(), QStringLiteral("Cd 0.9 (fitted to 1 flight)"));
    // 0.5, 0.9 and 0.62: the middle one.
    ASSERT_TRUE(drag.storeFittedCd(1, 11, 0.5) && drag.storeFittedCd(1, 12, 0.62));
    load("1");
    EXPECT_EQ(rocket.body.cd, 0.62);
    EXPECT_EQ(rocket.cd.text(), QStringLiteral("Cd 0.62 (median of 3 fitted flights)"));

    ASSERT_TRUE(drag.storeCd(1, 0.45) && drag.storeGuide(1, 2.5));
    load("1");
    EXPECT_EQ(rocket.body.cd, 0.45);
    EXPECT_EQ(rocket.body.guideM, 2.5);
    EXPECT_EQ(rocket.cd.fittedFlights, 3);
    EXPECT_EQ(rocket.cd.text(), QStringLiteral("Cd 0.45 (set for the rocket)"));
    load("2");
    EXPECT_EQ(rocket.cd.text(), QStringLiteral("Cd 0.6 (default)"));
}

// The line the recommended-motors page and the wizard show: 336 m is 1,102 ft.
TEST(PredictionService, TheSummaryNamesApogeeDelaysGuideSpeedAndTheCd)
{
    CFlightPrediction flight;
    flight.flown = true;
    flight.apogeeM = 336;
    flight.apogeeS = 7.24;
    flight.optimalDelayS = 5.06;
    flight.delayS = 5;
    flight.guideSpeedMps = 14.44;
    flight.warnings.push_back({EFlightWarning::LowGuideSpeed, QStringLiteral("Leaves the guide at 14.4 m/s")});
    const CCdChoice fitted {0.52, ECdSource::Fitted, 3};
    EXPECT_EQ(predictionSummary(flight, fitted, EHeightUnit::Feet),
              QStringLiteral("Apogee 1,102 ft at 7.2 s; optimal delay 5.1 s, nearest 5 s; off the guide at 14.4 m/s; "
                             "Cd 0.52 (median of 3 fitted flights); Leaves the guide at 14.4 m/s"));
    flight.delayS.reset();
    EXPECT_TRUE(predictionSummary(flight, {}, EHeightUnit::Metres)
                    .startsWith(QStringLiteral("Apogee 336 m at 7.2 s; optimal delay 5.1 s, none available; ")));
    CFlightPrediction refused;
    refused.error = QStringLiteral("The rocket's mass must be more than 0 kg, not 0");
    EXPECT_EQ(predictionSummary(refused, fitted, EHeightUnit::Feet), refused.error);
}

TEST(PredictionService, MotorsAreFoundByTypeAndMakerOrRefusedInWords)
{
    CPredictionLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    logbook.addMotor(QStringLiteral("Test"), QStringLiteral("T100"), QStringLiteral("P"), QStringLiteral("29x100"), 100,
                     2);
    // The same motor listed again for another delay, without a curve of its own.
    logbook.addMotor(QStringLiteral("Test"), QStringLiteral("T100"), QStringLiteral("5"), QStringLiteral("29x100"));
    logbook.addMotor(QStringLiteral("Estes"), QStringLiteral("C6"), QStringLiteral("3-5"), QStringLiteral("18x70"), 6,
                     1.5);
    logbook.addMotor(QStringLiteral("Quest"), QStringLiteral("C6"), QStringLiteral("5"), QStringLiteral("18x70"), 6,
                     1.6);
    logbook.addMotor(QStringLiteral("Test"), QStringLiteral("X1"), QStringLiteral("4"), QStringLiteral("24x70"));
    CRecordStore store;
    ASSERT_TRUE(store.Open(logbook.directory()));
    QString error;

    const std::optional<CCurveMotor> t100 = findCurveMotor(store, QStringLiteral(" t100"), QString(), error);
    ASSERT_TRUE(t100) << error.toStdString();
    EXPECT_EQ(t100->name(), QStringLiteral("Test T100"));
    EXPECT_EQ(t100->delay, QStringLiteral("P-5"));
    EXPECT_EQ(t100->points, (std::vector<CThrustPoint> {{0, 100}, {2, 100}}));
    EXPECT_DOUBLE_EQ(t100->diameterM().value_or(0), 0.029);
    EXPECT_EQ(t100->masses.totalKg, 0.1);

    EXPECT_FALSE(findCurveMotor(store, QStringLiteral("C6"), QString(), error));
    EXPECT_EQ(error, QStringLiteral("Several makers sell C6 (Estes, Quest): name the maker"));
    const std::optional<CCurveMotor> c6 = findCurveMotor(store, QStringLiteral("C6"), QStringLiteral("quest"), error);
    ASSERT_TRUE(c6);
    EXPECT_EQ(c6->points.back().time, 1.6);

    EXPECT_FALSE(findCurveMotor(store, QStringLiteral("X1"), QString(), error));
    EXPECT_EQ(error, QStringLiteral("The motor Test X1 has no thrust curve: import its .eng file"));
    EXPECT_FALSE(findCurveMotor(store, QStringLiteral("Z9"), QStringLiteral("Test"), error));
    EXPECT_EQ(error, QStringLiteral("No motor Test Z9 is in the catalogue"));

    QString listError;
    const auto all = loadCurveMotors(store, listError);
    ASSERT_TRUE(all);
    QStringList names;
    for (const CCurveMotor &motor : *all)
        names.append(motor.name());
    EXPECT_EQ(names, QStringList({"Estes C6", "Quest C6", "Test T100"}));
}

// The seam of the flight page: a logged flight with its recording, fitted;
// the fit kept for the rocket and flown by its next prediction.
TEST(PredictionService, CdFittedToALoggedFlightComesBackAndIsFlownNext)
{
    CPredictionLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    logbook.addRocket(1, QStringLiteral("Alpha"), QStringLiteral("400 g"), QStringLiteral("41 mm"));
    logbook.addMotor(QStringLiteral("Test"), QStringLiteral("T100"), QStringLiteral("P"), QStringLiteral("29x100"), 100,
                     2);
    // The flight was at 86 °F: the fit must fly in air of 30 °C.
    CFlightInput atCd07;
    atCd07.rocket = {0.4, 0.041, 0.7, 1.0};
    atCd07.site = {0, 30};
    atCd07.stages = {CMotorLoad {{{0, 100}, {2, 100}}, 0, 0.1, QStringLiteral("P"), 1}};
    const double apogee = predictFlight(atCd07).apogeeM;
    ASSERT_GT(apogee, 100);
    const QString recording = logbook.directory() + QStringLiteral("flight.csv");
    ASSERT_TRUE(writeTestFile(recording, recordingTo(apogee)));

    CRecordStore store;
    ASSERT_TRUE(store.Open(logbook.directory()));
    ASSERT_TRUE(store.RunSql(QStringLiteral("INSERT INTO Launches (rowid, Model, Motor, MotorMfg, MotorDelay, "
                                            "Temperature, Celcius, AltFileName) VALUES (7, '1', 'Test T100-P', "
                                            "'Test', 'P', 86, 0, '%1')")
                                 .arg(recording)));
    const CFlightCdFit fit = fitCdToFlight(store, 7, EUnitSystem::Metric);
    ASSERT_TRUE(fit.ok()) << fit.error.toStdString();
    ASSERT_TRUE(fit.fit.ok()) << fit.fit.error.toStdString();
    EXPECT_NEAR(fit.fit.cd, 0.7, 0.001);
    EXPECT_NEAR(fit.flight.apogeeM, apogee, 1e-6);
    EXPECT_NEAR(fit.site.temperatureC, 30, 1e-9);
    EXPECT_EQ(fit.rocket.cd.text(), QStringLiteral("Cd 0.6 (default)"));
    // At the default Cd of 0.6 the rocket was predicted higher than it flew.
    EXPECT_GT(fit.prediction.apogeeM, apogee);

    QString error;
    ASSERT_TRUE(keepFittedCd(store, fit, error)) << error.toStdString();
    CRocketFlightInputs rocket;
    ASSERT_TRUE(loadRocketFlightInputs(store, QStringLiteral("1"), EUnitSystem::Metric, rocket, error));
    EXPECT_EQ(rocket.cd.text(), QStringLiteral("Cd 0.7 (fitted to 1 flight)"));
    const std::optional<CCurveMotor> motor = findCurveMotor(store, QStringLiteral("T100"), QString(), error);
    ASSERT_TRUE(motor);
    EXPECT_NEAR(predictMotor(rocket, *motor, 1, {0, 30}).apogeeM, apogee, 0.01 * apogee);
    store.Close();
    const QStringList kept =
        logbook.rows(QStringLiteral("SELECT FlightID, RocketID, round(Cd, 3) FROM RocketFittedCds"));
    EXPECT_EQ(kept, QStringList {"7|1|0.7"});
}

TEST(PredictionService, FlightsThatCannotBeFittedSayWhy)
{
    CPredictionLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    logbook.addRocket(1, QStringLiteral("Alpha"), QStringLiteral("400 g"), QStringLiteral("41 mm"));
    logbook.addMotor(QStringLiteral("Test"), QStringLiteral("T100"), QStringLiteral("P"), QStringLiteral("29x100"), 100,
                     2);
    const QString climbing = logbook.directory() + QStringLiteral("climbing.csv");
    ASSERT_TRUE(writeTestFile(climbing, "Time (s),Height (m)\n0,0\n0.5,0\n1,0\n1.5,20\n2,60\n2.5,110\n"));
    CRecordStore store;
    ASSERT_TRUE(store.Open(logbook.directory()));
    ASSERT_TRUE(store.RunSql(
        QStringLiteral("INSERT INTO Launches (rowid, Model, Motor, MotorMfg, AltFileName) VALUES (1, '1', 'T100', "
                       "'Test', ''), (2, '0', 'T100', 'Test', ''), (3, '1', 'T100', 'Test', '%1'), (4, '1', 'S1 "
                       "T100-Px2 S2 T100-P', 'Test', '%1'), (5, '1', 'T100', 'Test', '%2')")
            .arg(logbook.directory() + QStringLiteral("gone.csv"), climbing)));

    EXPECT_EQ(fitCdToFlight(store, 1, EUnitSystem::Metric).error,
              QStringLiteral("Flight 1 has no altimeter recording"));
    EXPECT_EQ(fitCdToFlight(store, 2, EUnitSystem::Metric).error, QStringLiteral("Flight 2 names no rocket"));
    EXPECT_EQ(fitCdToFlight(store, 3, EUnitSystem::Metric).error,
              QStringLiteral("The recording %1 of flight 3 is not there").arg(logbook.directory() + "gone.csv"));
    EXPECT_TRUE(fitCdToFlight(store, 4, EUnitSystem::Metric).error.contains(QStringLiteral("staged or clustered")));
    EXPECT_EQ(fitCdToFlight(store, 5, EUnitSystem::Metric).error,
              QStringLiteral("The recording %1 ends still climbing: its apogee is not known").arg(climbing));
    EXPECT_EQ(fitCdToFlight(store, 99, EUnitSystem::Metric).error, QStringLiteral("No flight 99 is in the log"));
    store.Close();
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT count(*) FROM RocketFittedCds")), QStringList {"0"});
}

} // namespace
