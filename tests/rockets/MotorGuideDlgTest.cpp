// The motor guide screen on a logbook whose motors the test writes: it fills
// from the event loop, sorts and filters as the flyer asks, and adds the
// chosen motor to the rocket's recommended motors, which the rocket page then
// offers. Apogees against the closed form of flights without drag.
#include "rockets/MotorGuideDlg.h"

#include "db/RecordStore.h"
#include "db/RocketDragStore.h"
#include "platform/SettingsStore.h"
#include "prediction/MotorGuideModel.h"
#include "prediction/PredictionTestLogbook.h"
#include "rockets/RocketPage.h"
#include "support/LayoutAudit.h"
#include "support/ScreenDriver.h"
#include "ui/PropertySheet.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using driver::find;

namespace {

constexpr double kMetresPerFoot = 0.3048;

// Alpha: 400 g without motor, Cd 0, a 29 mm mount. Motors weigh 100 g loaded
// (M60 200 g) and give no propellant mass: T100 100 N for 2 s, plugged; T20
// 20 N for 1 s, 3-5-7; M60 60 N for 3 s in 38 mm; X1 without a curve.
class MotorGuideDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        m_logbook.addRocket(1, QStringLiteral("Alpha"), QStringLiteral("400 g"), QStringLiteral("41 mm"),
                            QStringLiteral("29 mm"));
        m_logbook.addMotor(QStringLiteral("Test"), QStringLiteral("T100"), QStringLiteral("P"),
                           QStringLiteral("29x100"), 100, 2);
        m_logbook.addMotor(QStringLiteral("Test"), QStringLiteral("T20"), QStringLiteral("3-5-7"),
                           QStringLiteral("29x100"), 20, 1);
        m_logbook.addMotor(QStringLiteral("Big"), QStringLiteral("M60"), QStringLiteral("6"), QStringLiteral("38x200"),
                           60, 3, 0.2);
        m_logbook.addMotor(QStringLiteral("Test"), QStringLiteral("X1"), QStringLiteral("5"), QStringLiteral("29x100"));
        // One motor at a time, neither staged nor clustered.
        ASSERT_TRUE(m_logbook.exec({"UPDATE Rockets SET Stages = '0', Clustered = '0'"}));
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
        ASSERT_TRUE(CRocketDragStore(m_store).storeCd(1, 0));
    }

    CRocketEditContext context() { return {m_store, m_settings, {m_prompter, m_files}, m_logbook.directory()}; }

    static void waitFilled(const CMotorGuideDlg &guide)
    {
        ASSERT_NE(guide.model(), nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&guide] { return guide.model()->isFinished(); }, 10000));
    }
    // The texts of one column, top to bottom, as the table shows them.
    static QStringList column(const CMotorGuideDlg &guide, int column)
    {
        QStringList texts;
        const QAbstractItemModel *shown = guide.table()->model();
        for (int row = 0; row < shown->rowCount(); ++row)
            texts.append(shown->index(row, column).data().toString());
        return texts;
    }
    static void chooseRow(CMotorGuideDlg &guide, const QString &type)
    {
        const int row = int(column(guide, CMotorGuideModel::Motor).indexOf(type));
        ASSERT_GE(row, 0) << type.toStdString();
        guide.table()->setFocus();
        driver::tapRow(guide.table(), guide.table()->model()->index(row, CMotorGuideModel::Motor));
    }
    QStringList rows(const char *sql) { return m_logbook.rows(QString::fromUtf8(sql)); }

    CPredictionLogbook m_logbook;
    CRecordStore m_store;
    CSettingsStore m_settings {m_logbook.directory() + QStringLiteral("settings.ini")};
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
};

} // namespace

TEST_F(MotorGuideDlgTest, FillsWithEveryCurvedMotorHighestApogeeFirstAndSortsByHeader)
{
    ASSERT_TRUE(m_settings.WriteSetting(QLatin1String(kSettingAltitudeUnit), QStringLiteral("m")));
    CMotorGuideDlg guide(context(), QStringLiteral("1"));
    // The window opens before any motor is flown: they fly from its event loop.
    ASSERT_NE(guide.model(), nullptr);
    EXPECT_FALSE(guide.model()->isFinished());
    EXPECT_EQ(guide.table()->model()->rowCount(), 0);
    guide.show();
    waitFilled(guide);
    // Closed-form apogees, highest first: the motor without a curve is not flown.
    struct Expected
    {
        QString type;
        double apogee;
    };
    std::vector<Expected> expected {{QStringLiteral("T100"), CClosedFormFlight {100, 2, 0.5}.apogee()},
                                    {QStringLiteral("T20"), CClosedFormFlight {20, 1, 0.5}.apogee()},
                                    {QStringLiteral("M60"), CClosedFormFlight {60, 3, 0.6}.apogee()}};
    std::sort(expected.begin(), expected.end(),
              [](const Expected &a, const Expected &b) { return a.apogee > b.apogee; });
    const QStringList types = column(guide, CMotorGuideModel::Motor);
    const QStringList apogees = column(guide, CMotorGuideModel::Apogee);
    ASSERT_EQ(types.size(), 3);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(types.at(qsizetype(i)), expected[i].type);
        QString metres = apogees.at(qsizetype(i));
        metres.remove(QLatin1Char(',')).remove(QStringLiteral(" m"));
        EXPECT_NEAR(metres.toDouble(), expected[i].apogee, expected[i].apogee * 0.001 + 0.5) << i;
    }
    // T100 is plugged: its result says so; T20's nearest delay to its 3.08 s optimum is 3 s.
    const int plugged = int(types.indexOf(QStringLiteral("T100")));
    EXPECT_TRUE(column(guide, CMotorGuideModel::Result).at(plugged).contains(QStringLiteral("Plugged")));
    EXPECT_EQ(column(guide, CMotorGuideModel::NearestDelay).at(types.indexOf(QStringLiteral("T20"))),
              QStringLiteral("3 s"));

    // A tap on the Motor header sorts by name, a second tap the other way.
    QHeaderView *header = guide.table()->horizontalHeader();
    const QPoint motorHeader(header->sectionViewportPosition(CMotorGuideModel::Motor) + 4, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, motorHeader);
    QStringList byName = column(guide, CMotorGuideModel::Motor);
    QStringList ascending {QStringLiteral("M60"), QStringLiteral("T100"), QStringLiteral("T20")};
    QStringList descending {QStringLiteral("T20"), QStringLiteral("T100"), QStringLiteral("M60")};
    EXPECT_TRUE(byName == ascending || byName == descending) << byName.join(',').toStdString();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, motorHeader);
    EXPECT_EQ(column(guide, CMotorGuideModel::Motor), byName == ascending ? descending : ascending);
}

TEST_F(MotorGuideDlgTest, FiltersByClassAndByTheMotorMount)
{
    CMotorGuideDlg guide(context(), QStringLiteral("1"));
    guide.show();
    waitFilled(guide);
    // The classes the catalogue gives: T20 20 N·s "F"; T100 200 and M60 180 N·s "H".
    auto *classes = find<QComboBox>(&guide, QStringLiteral("Class"));
    ASSERT_NE(classes, nullptr);
    const int f = classes->findText(QStringLiteral("F"));
    ASSERT_GT(f, 0);
    driver::choose(classes, f);
    EXPECT_EQ(column(guide, CMotorGuideModel::Motor), QStringList {QStringLiteral("T20")});
    driver::choose(classes, classes->findText(QStringLiteral("H")));
    QStringList heavy = column(guide, CMotorGuideModel::Motor);
    heavy.sort();
    EXPECT_EQ(heavy, QStringList({QStringLiteral("M60"), QStringLiteral("T100")}));

    // The 29 mm mount leaves out the 38 mm M60.
    auto *fits = find<QCheckBox>(&guide, QStringLiteral("Fits the mount"));
    ASSERT_NE(fits, nullptr);
    EXPECT_EQ(fits->text(), QStringLiteral("Fits the 29 mm mount"));
    driver::tap(fits);
    EXPECT_EQ(column(guide, CMotorGuideModel::Motor), QStringList {QStringLiteral("T100")});
    driver::choose(classes, 0);
    QStringList fitting = column(guide, CMotorGuideModel::Motor);
    fitting.sort();
    EXPECT_EQ(fitting, QStringList({QStringLiteral("T100"), QStringLiteral("T20")}));
}

TEST_F(MotorGuideDlgTest, AddsTheChosenMotorWithItsAltitudeAndNearestDelay)
{
    CMotorGuideDlg guide(context(), QStringLiteral("1"));
    guide.show();
    waitFilled(guide);
    driver::press(&guide, QStringLiteral("Add to Rocket"));
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_TRUE(rows("SELECT * FROM RecMotors").isEmpty());

    chooseRow(guide, QStringLiteral("T20"));
    driver::press(&guide, QStringLiteral("Add to Rocket"));
    chooseRow(guide, QStringLiteral("T100"));
    driver::press(&guide, QStringLiteral("Add to Rocket"));
    // A second Add of the same motor and delay is refused, naming it.
    driver::press(&guide, QStringLiteral("Add to Rocket"));
    ASSERT_EQ(m_prompter.shown().size(), 2);
    EXPECT_TRUE(m_prompter.shown().at(1).text.contains(QStringLiteral("Test T100-P is already")));
    EXPECT_EQ(guide.added(), 2);
    const QStringList stored = rows("SELECT RocketID, Type, MFG, Delay, Alt FROM RecMotors ORDER BY Type");
    ASSERT_EQ(stored.size(), 2);
    // Feet, the default unit; T20's optimal delay 3.08 s, nearest 3; the plugged T100 keeps "P".
    const QStringList t100 = stored.at(0).split(QLatin1Char('|'));
    const QStringList t20 = stored.at(1).split(QLatin1Char('|'));
    EXPECT_EQ(t100.mid(0, 4), QStringList({"1", "T100", "Test", "P"}));
    EXPECT_EQ(t20.mid(0, 4), QStringList({"1", "T20", "Test", "3"}));
    const double t100Feet = CClosedFormFlight {100, 2, 0.5}.apogee() / kMetresPerFoot;
    EXPECT_NEAR(t100.at(4).toDouble(), t100Feet, t100Feet * 0.001);
    EXPECT_NEAR(t20.at(4).toDouble(), (CClosedFormFlight {20, 1, 0.5}.apogee() / kMetresPerFoot), 1);
}

TEST_F(MotorGuideDlgTest, RocketThatCannotFlySaysWhyAndAddsNothing)
{
    m_logbook.addRocket(2, QStringLiteral("Heavy"), QStringLiteral("heavy"), QStringLiteral("41 mm"));
    CMotorGuideDlg guide(context(), QStringLiteral("2"));
    guide.show();
    EXPECT_EQ(guide.model(), nullptr);
    const QString said = guide.findChild<QLabel *>(QStringLiteral("guideRocket"))->text();
    EXPECT_TRUE(said.contains(QStringLiteral("'heavy'"))) << said.toStdString();
    EXPECT_FALSE(find<QPushButton>(&guide, QStringLiteral("Add to Rocket"))->isEnabled());
}

TEST_F(MotorGuideDlgTest, RocketPageOpensTheGuideAndOffersWhatItAdded)
{
    CPropertySheet sheet {QStringLiteral("Rockets")};
    auto *page = new CRocketPage(
        {m_store, m_settings, {m_prompter, m_files}, m_logbook.directory(), CRocketBrowser::Mode::Browse, nullptr});
    sheet.addPage(page);
    sheet.show();
    auto *motors = find<QComboBox>(page, QStringLiteral("Recomended Motors:"));
    ASSERT_NE(motors, nullptr);
    const int before = motors->count();
    const bool opened = driver::onModal<CMotorGuideDlg>([page] { driver::press(page, QStringLiteral("Motor Guide")); },
                                                        [this](CMotorGuideDlg &guide) {
                                                            waitFilled(guide);
                                                            chooseRow(guide, QStringLiteral("T20"));
                                                            driver::press(&guide, QStringLiteral("Add to Rocket"));
                                                        });
    ASSERT_TRUE(opened);
    EXPECT_EQ(rows("SELECT Type, Delay FROM RecMotors"), QStringList {QStringLiteral("T20|3")});
    ASSERT_EQ(motors->count(), before + 1);
    bool offered = false;
    for (int i = 0; i < motors->count(); ++i)
        offered = offered || motors->itemText(i).contains(QStringLiteral("T20"));
    EXPECT_TRUE(offered);
}

TEST_F(MotorGuideDlgTest, FitsTheHandheldAPhoneAndADesktop)
{
    CMotorGuideDlg guide(context(), QStringLiteral("1"));
    waitFilled(guide);
    QString skipped;
    const QStringList faults = auditOnReferenceScreens(&guide, &skipped);
    if (!skipped.isEmpty())
        GTEST_SKIP() << skipped.toStdString();
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}
