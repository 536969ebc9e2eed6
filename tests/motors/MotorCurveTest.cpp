// Thrust curves kept with the motors they belong to: read by the import,
// removed with their motor however it goes, present in older logbooks once
// opened, and true to the letter in each real motor's name.
#include "db/RecordStore.h"
#include "motors/EngHeader.h"
#include "motors/EngHeaderScanner.h"
#include "motors/MotorCurveStore.h"
#include "motors/MotorImport.h"
#include "motors/MotorTable.h"
#include "motors/RecordingProgress.h"
#include "support/TestFiles.h"
#include "support/TestLogbook.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A C6 drawn as a triangle, peak 12 N at 0.2 s and zero at 1.2 s (1.2 x 12 / 2
// = 7.2 N·s, a C), and a D12 whose data goes back in time.
const QByteArray kCurves = "; two motors\n"
                           "C6 18 70 3-5-7 0.0108 0.0231 Estes\n"
                           "0.2 12.0\n"
                           "1.2 0.0\n"
                           ";\n"
                           "D12 24 70 5 0.021 0.044 Estes\n"
                           "0.5 20.0\n"
                           "0.3 10.0\n"
                           "1.6 0.0\n";

class MotorCurves : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    }

    CMotorImportResult import(const QByteArray &bytes)
    {
        const QString path = m_files.filePath(QStringLiteral("motors.eng"));
        EXPECT_TRUE(writeTestFile(path, bytes));
        return importMotorFile(m_store, path, m_progress);
    }
    QStringList curves() const
    {
        return m_logbook.rows(QStringLiteral("SELECT Motors.Type, Class, TotalImpulse, BurnTime, PropellantMass "
                                             "FROM MotorCurves JOIN Motors ON Motors.rowid = MotorID ORDER BY 1"));
    }

    CTestLogbook m_logbook;
    CRecordStore m_store;
    QTemporaryDir m_files;
    CRecordingProgress m_progress;
};

TEST_F(MotorCurves, ImportKeepsEachGoodCurveAndCountsTheOthers)
{
    const CMotorImportResult result = import(kCurves);
    EXPECT_EQ(result.motors, 2);
    EXPECT_EQ(result.unusableCurves, 1);
    EXPECT_TRUE(result.message().contains(QStringLiteral("1 motor(s) stored without a thrust curve")));
    EXPECT_EQ(curves(), QStringList {QStringLiteral("C6|C|7.2|1.2|0.0108")});

    const std::vector<CCatalogueMotor> catalogue = loadMotorCatalogue(m_store);
    ASSERT_EQ(catalogue.size(), 2u);
    const std::optional<CMotorCurveRow> c6 = loadMotorCurve(m_store, catalogue.at(0).id);
    ASSERT_TRUE(c6.has_value());
    EXPECT_EQ(c6->points, (std::vector<CThrustPoint> {{0.2, 12.0}, {1.2, 0.0}}));
    EXPECT_DOUBLE_EQ(c6->masses.totalKg, 0.0231);
    EXPECT_FALSE(catalogue.at(1).hasCurve);
}

TEST_F(MotorCurves, GoWithTheirMotorHoweverItIsRemoved)
{
    import(kCurves + kCurves + kCurves);
    ASSERT_EQ(curves().size(), 3);
    ASSERT_TRUE(removeMotorAt(m_store, 0)); // the list's first line: a C6
    EXPECT_EQ(curves().size(), 2);
    ASSERT_TRUE(
        m_store.RunSql(QStringLiteral("DELETE FROM Motors WHERE rowid = (SELECT min(MotorID) FROM MotorCurves)")));
    EXPECT_EQ(curves().size(), 1);
    ASSERT_TRUE(removeAllMotors(m_store));
    EXPECT_TRUE(curves().isEmpty());
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT count(*) FROM MotorCurves")), QStringList {QStringLiteral("0")});
}

TEST_F(MotorCurves, AnOlderLogbookGainsTheTableWhenOpened)
{
    m_store.Close();
    ASSERT_TRUE(m_logbook.exec({"DROP TRIGGER MotorCurvesGoWithTheirMotor", "DROP TABLE MotorCurves",
                                "INSERT INTO Motors (Type, Delay, MFG, Size) VALUES ('B4', '4', 'Estes', '18x70')"}));
    ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    EXPECT_EQ(import(kCurves).motors, 2);
    EXPECT_EQ(curves().size(), 1);
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT Type FROM Motors ORDER BY rowid")),
              (QStringList {QStringLiteral("B4"), QStringLiteral("C6"), QStringLiteral("D12")}));
}

// Each real motor whose name carries its impulse letter ("K400C", "1281K360")
// integrates to an impulse in that letter's range; makers name a motor by its
// nominal impulse, so the range is widened by 5 % either way (a real M1939W
// delivers 10,368 N·s, just past the M range). Every file gives its motor, and
// every stored curve reads back as exactly the points of its file.
TEST_F(MotorCurves, RealMotorsFallInTheClassTheirNameStates)
{
    const QDir folder(QStringLiteral(TARVEL_SHARED_TESTDATA "/eng/rocketpy"));
    if (!folder.exists())
        GTEST_SKIP() << "the shared motor files are not here: " << qPrintable(folder.path());
    for (const QString &name : folder.entryList({QStringLiteral("*.eng")}, QDir::Files)) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        CEngHeaderScanner scanner;
        scanner.feed(bytes.constData(), bytes.size());
        const CMotorImportResult result = importMotorFile(m_store, file.fileName(), m_progress);
        if (name == QLatin1String("Cesaroni_M1101.eng")) {
            // Thrust data behind a byte-order mark, without any header line.
            EXPECT_EQ(result.outcome, CMotorImportResult::Outcome::NothingLoaded);
            continue;
        }
        ASSERT_EQ(result.motors, 1) << qPrintable(name);
        const qint64 last = m_logbook.rows(QStringLiteral("SELECT max(rowid) FROM Motors")).value(0).toLongLong();
        const std::optional<CMotorCurveRow> stored = loadMotorCurve(m_store, last);
        const CEngCurve &curve = scanner.curves().back();
        if (stored)
            EXPECT_EQ(stored->points, curve.points) << qPrintable(name);
        else
            EXPECT_FALSE(curve.readable && thrustCurveProblem(curve.points).isEmpty()) << qPrintable(name);
    }
    static const QRegularExpression letter(QStringLiteral("^\\d*([A-O])\\d"));
    int checked = 0;
    int sameLetter = 0;
    for (const CCatalogueMotor &motor : loadMotorCatalogue(m_store)) {
        const QRegularExpressionMatch match = letter.match(motor.type);
        if (!motor.hasCurve || !match.hasMatch())
            continue;
        const double top = 2.5 * std::pow(2.0, match.captured(1).at(0).unicode() - 'A');
        EXPECT_GT(motor.figures.totalImpulse, top / 2 * 0.95) << qPrintable(motor.type);
        EXPECT_LE(motor.figures.totalImpulse, top * 1.05) << qPrintable(motor.type);
        sameLetter += motor.figures.impulseClass == match.captured(1) ? 1 : 0;
        ++checked;
    }
    EXPECT_GT(checked, 50);
    EXPECT_GE(sameLetter, checked - 2);

    // Headers split as their makers wrote them, trailing blanks and all.
    const QStringList stored = m_logbook.rows(QStringLiteral("SELECT Type, Delay, MFG, Size FROM Motors"));
    for (const char *motor : {"L995-RL|0|CTI|75x486", "K710-BB|0|AMW/ProX|54x491", "K400C|14|AT|54x359",
                              "K490-GR|16-15-14-13-12-11-10-9-8-7-6|CTI|54x488"})
        EXPECT_TRUE(stored.contains(QLatin1String(motor))) << motor;
    for (const QString &row : stored) {
        const QStringList values = row.split(QLatin1Char('|'));
        EXPECT_FALSE(values.at(2).isEmpty() || values.at(2).contains(QLatin1Char(' '))) << qPrintable(row);
        EXPECT_FALSE(values.at(0).isEmpty() || isThrustDataLine(values.at(0))) << qPrintable(row);
    }
}

} // namespace
