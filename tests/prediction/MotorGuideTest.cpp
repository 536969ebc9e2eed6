// The motor guide over a logbook's catalogue: every motor with a curve flown
// in the rocket, a slice at a time, filtered by class and by the motor mount,
// and shown as a table that fills from the event loop. Apogees against the
// closed form of flights without drag.
#include "db/RocketDragStore.h"
#include "prediction/MotorGuideModel.h"
#include "prediction/PredictionTestLogbook.h"
#include "prediction/RocketFlightInputs.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Alpha: 400 g, Cd 0 set by the flyer, a 29 mm mount. Each motor weighs 100 g
// loaded (Big M60 200 g) and gives no propellant mass, so the mass is constant.
class MotorGuide : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        m_logbook.addRocket(1, QStringLiteral("Alpha"), QStringLiteral("400 g"), QStringLiteral("41 mm"),
                            QStringLiteral("29 mm"));
        m_logbook.addMotor(QStringLiteral("Test"), QStringLiteral("T100"), QStringLiteral("P"),
                           QStringLiteral("29x100"), 100, 2);
        m_logbook.addMotor(QStringLiteral("Test"), QStringLiteral("T50"), QStringLiteral("P"), QStringLiteral("29x100"),
                           50, 2);
        m_logbook.addMotor(QStringLiteral("Big"), QStringLiteral("M60"), QStringLiteral("P"), QStringLiteral("38x200"),
                           60, 3, 0.2);
        m_logbook.addMotor(QStringLiteral("Test"), QStringLiteral("X1"), QStringLiteral("P"), QStringLiteral("29x100"));
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
        CRocketDragStore drag(m_store);
        ASSERT_TRUE(drag.storeCd(1, 0));
        QString error;
        ASSERT_TRUE(loadRocketFlightInputs(m_store, QStringLiteral("1"), EUnitSystem::Metric, m_rocket, error));
        const auto motors = loadCurveMotors(m_store, error);
        ASSERT_TRUE(motors) << error.toStdString();
        m_motors = *motors;
    }

    CMotorGuide guide() const { return CMotorGuide(m_rocket.body, CLaunchSite(), m_motors); }

    // Apogee of each motor without drag, by name.
    static double closedFormApogee(const QString &type)
    {
        if (type == QLatin1String("T100"))
            return CClosedFormFlight {100, 2, 0.5}.apogee();
        if (type == QLatin1String("T50"))
            return CClosedFormFlight {50, 2, 0.5}.apogee();
        return CClosedFormFlight {60, 3, 0.6}.apogee();
    }

    CPredictionLogbook m_logbook;
    CRecordStore m_store;
    CRocketFlightInputs m_rocket;
    std::vector<CCurveMotor> m_motors;
};

TEST_F(MotorGuide, EveryMotorWithACurveFliesAsTheClosedFormSays)
{
    CMotorGuide motors = guide();
    ASSERT_EQ(motors.total(), 3u); // X1 has no curve
    // A slice is at least one motor, however short the time it is given.
    EXPECT_EQ(motors.predictFor(std::chrono::nanoseconds(0)), 1u);
    EXPECT_FALSE(motors.finished());
    motors.predictAll();
    ASSERT_TRUE(motors.finished());
    EXPECT_EQ(motors.predictFor(std::chrono::milliseconds(5)), 0u);

    std::vector<CMotorGuideRow> rows = motors.rows();
    for (const CMotorGuideRow &row : rows) {
        ASSERT_TRUE(row.prediction.flown) << row.type.toStdString();
        EXPECT_NEAR(row.prediction.apogeeM, closedFormApogee(row.type), 0.001 * closedFormApogee(row.type))
            << row.type.toStdString();
    }
    sortByApogee(rows);
    QStringList order;
    for (const CMotorGuideRow &row : rows)
        order.append(row.type);
    // 7,758 m, 4,138 m and 1,839 m by the closed form.
    EXPECT_EQ(order, QStringList({"T100", "M60", "T50"}));
}

TEST_F(MotorGuide, FiltersByClassAndByTheMotorMount)
{
    CMotorGuide motors = guide();
    motors.predictAll();
    const auto shown = [&](const CMotorGuideFilter &filter) {
        QStringList types;
        for (const CMotorGuideRow &row : motors.rows()) {
            if (filter.accepts(row))
                types.append(row.type);
        }
        return types;
    };
    EXPECT_EQ(shown({}), QStringList({"M60", "T100", "T50"}));
    EXPECT_EQ(shown({QStringLiteral("h"), std::nullopt}), QStringList({"M60", "T100"}));
    ASSERT_TRUE(m_rocket.mountM);
    EXPECT_EQ(shown({QString(), m_rocket.mountM}), QStringList({"T100", "T50"}));
    EXPECT_EQ(shown({QStringLiteral("H"), m_rocket.mountM}), QStringList({"T100"}));
    // Within a millimetre is the mount's size; 2 mm off is not.
    EXPECT_EQ(shown({QString(), 0.0299}), QStringList({"T100", "T50"}));
    EXPECT_EQ(shown({QString(), 0.031}), QStringList());
}

TEST_F(MotorGuide, TheTableFillsFromTheEventLoopAndFilters)
{
    m_logbook.addMotor(QStringLiteral("Weak"), QStringLiteral("W1"), QStringLiteral("P"), QStringLiteral("29x100"), 2,
                       2);
    QString error;
    m_motors = *loadCurveMotors(m_store, error);
    CMotorGuideModel model(guide(), EHeightUnit::Metres);
    QSignalSpy finished(&model, &CMotorGuideModel::finished);
    model.start();
    // Nothing is predicted before the event loop runs: the screen is shown first.
    EXPECT_EQ(model.rowCount(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.headerData(CMotorGuideModel::Apogee, Qt::Horizontal).toString(), QStringLiteral("Apogee"));

    for (int row = 0; row < model.rowCount(); ++row) {
        const QString type = model.index(row, CMotorGuideModel::Motor).data().toString();
        const QVariant apogee = model.index(row, CMotorGuideModel::Apogee).data(CMotorGuideModel::SortRole);
        const QString result = model.index(row, CMotorGuideModel::Result).data().toString();
        if (type == QLatin1String("W1")) {
            // 2 N never lifts 0.5 kg (4.9 N): no figures, and the reason.
            EXPECT_EQ(apogee.toDouble(), -1);
            EXPECT_EQ(model.index(row, CMotorGuideModel::Apogee).data().toString(), QString());
            EXPECT_TRUE(result.startsWith(QStringLiteral("Never lifts off"))) << result.toStdString();
            continue;
        }
        EXPECT_NEAR(apogee.toDouble(), closedFormApogee(type), 0.001 * closedFormApogee(type)) << type.toStdString();
        EXPECT_TRUE(model.index(row, CMotorGuideModel::Apogee).data().toString().endsWith(QStringLiteral(" m")));
    }

    model.setFilter({QString(), m_rocket.mountM});
    ASSERT_EQ(model.rowCount(), 3);
    QStringList types;
    for (int row = 0; row < model.rowCount(); ++row)
        types.append(model.rowAt(row).type);
    EXPECT_EQ(types, QStringList({"T100", "T50", "W1"}));
}

} // namespace
