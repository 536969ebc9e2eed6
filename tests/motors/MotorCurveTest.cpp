// Thrust curves kept with the motors they belong to: read by the import as the
// files write them, removed and changed with their motor however that is done,
// and still with their own motor after another program rebuilds the logbook.
#include "db/RecordStore.h"
#include "motordata/EngHeader.h"
#include "motors/MotorCurveStore.h"
#include "motors/MotorImport.h"
#include "motors/MotorTable.h"
#include "motors/RecordingProgress.h"
#include "support/RecordingReporter.h"
#include "support/TestFiles.h"
#include "support/TestLogbook.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

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

// Runs statements on the logbook file as another program would.
bool outside(const QString &file, const char *sql)
{
    sqlite3 *db = nullptr;
    const bool done = sqlite3_open(file.toUtf8().constData(), &db) == SQLITE_OK
        && sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return done;
}

// The first value a query gives, read as another program would.
QString outsideValue(const QString &file, const char *sql)
{
    sqlite3 *db = nullptr;
    sqlite3_stmt *statement = nullptr;
    QString value = QStringLiteral("<failed>");
    if (sqlite3_open(file.toUtf8().constData(), &db) == SQLITE_OK
        && sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW)
        value = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return value;
}

// A motor of a thrust-curve file as a few lines of plain reading see it: lines
// split at their line feeds, comments and blank lines passed over; a line
// whose first field is not a number is a header, every other line a point.
struct CReadByHand
{
    QString type;
    int points = 0;
    double lastTime = 0;
    double lastThrust = 0;
};

std::vector<CReadByHand> readByHand(const QByteArray &bytes)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    std::vector<CReadByHand> motors;
    QString text = QString::fromUtf8(bytes);
    text.remove(QChar(0xFEFF));
    for (const QString &raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.section(QLatin1Char(';'), 0, 0).trimmed();
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split(blanks);
        bool number = false;
        fields.first().toDouble(&number);
        if (!number)
            motors.push_back({fields.first()});
        else if (!motors.empty()) {
            ++motors.back().points;
            motors.back().lastTime = fields.value(0).toDouble();
            motors.back().lastThrust = fields.value(1).toDouble();
        }
    }
    return motors;
}

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
    std::vector<CCatalogueMotor> catalogue()
    {
        std::optional<std::vector<CCatalogueMotor>> motors = loadMotorCatalogue(m_store);
        EXPECT_TRUE(motors.has_value()) << m_store.lastError().toStdString();
        return motors.value_or(std::vector<CCatalogueMotor>());
    }
    // Each motor's type, and the peak of the curve shown for it ("-" for none).
    QStringList shownPeaks()
    {
        QStringList shown;
        for (const CCatalogueMotor &motor : catalogue()) {
            std::optional<CMotorCurveRow> curve;
            EXPECT_TRUE(loadMotorCurve(m_store, motor, curve)) << qPrintable(m_store.lastError());
            shown.append(motor.type + QLatin1Char(' ')
                         + (curve ? QString::number(curve->figures.peakThrust) : QStringLiteral("-")));
        }
        return shown;
    }

    CTestLogbook m_logbook;
    CRecordingReporter m_reporter;
    CRecordStore m_store {&m_reporter};
    QTemporaryDir m_files;
    CRecordingProgress m_progress;
};

// Motors M1 ... M6 whose curves peak at 10, 20 ... 60 N, and two motors of the
// same values whose curves peak at 7 and 9 N.
QByteArray peakedMotors()
{
    QByteArray text;
    for (int i = 1; i <= 6; ++i)
        text += "M" + QByteArray::number(i) + " 18 70 5 0 0 Estes\n0.5 " + QByteArray::number(10 * i) + "\n1 0\n";
    text += "T1 18 70 5 0 0 Twin\n0.5 7\n1 0\nT1 18 70 5 0 0 Twin\n0.5 9\n1 0\n";
    return text;
}
const QStringList kPeaksAfterRemovals = {"M1 10", "M3 30", "M5 50", "M6 60", "T1 7", "T1 9"};

TEST_F(MotorCurves, ImportKeepsEachGoodCurveAndNamesTheOthers)
{
    const CMotorImportResult result = import(kCurves);
    EXPECT_EQ(result.motors, 2);
    EXPECT_EQ(result.message(),
              "Motors Extracted =2\nD12 (line 6) was stored without its thrust curve: its time goes back at 0.3 s.");
    EXPECT_EQ(curves(), QStringList {QStringLiteral("C6|C|7.2|1.2|0.0108")});

    const std::vector<CCatalogueMotor> motors = catalogue();
    ASSERT_EQ(motors.size(), 2u);
    std::optional<CMotorCurveRow> c6;
    ASSERT_TRUE(loadMotorCurve(m_store, motors.at(0), c6));
    ASSERT_TRUE(c6.has_value());
    EXPECT_EQ(c6->points, (std::vector<CThrustPoint> {{0.2, 12.0}, {1.2, 0.0}}));
    EXPECT_DOUBLE_EQ(c6->masses.totalKg, 0.0231);
    EXPECT_FALSE(motors.at(1).hasCurve);
}

TEST_F(MotorCurves, GoWithTheirMotorHoweverItIsRemovedOrChanged)
{
    import(kCurves + kCurves + kCurves);
    ASSERT_EQ(curves().size(), 3);
    const CCatalogueMotor first = catalogue().front(); // a C6
    ASSERT_EQ(removeMotor(m_store, first.id, first.values()), MotorRemoval::Removed);
    EXPECT_EQ(curves().size(), 2);
    ASSERT_TRUE(
        m_store.RunSql(QStringLiteral("DELETE FROM Motors WHERE rowid = (SELECT min(MotorID) FROM MotorCurves)")));
    EXPECT_EQ(curves().size(), 1);
    // A motor changed by a saved query keeps its curve under its new values.
    ASSERT_TRUE(m_store.RunSql(QStringLiteral("UPDATE Motors SET MFG = 'Estes Industries' WHERE Type = 'C6'")));
    EXPECT_EQ(shownPeaks(), QStringList({"D12 -", "D12 -", "D12 -", "C6 12"}));
    ASSERT_TRUE(removeAllMotors(m_store));
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT count(*) FROM MotorCurves")), QStringList {QStringLiteral("0")});
}

// Each real motor file gives its motor, and the curve stored for it has as
// many points as the file's data lines, ending on the file's last point, with
// or without a final line feed. Motors named by their impulse letter
// ("K400C", "1281K360") integrate to an impulse in that letter's range, which
// makers name by its nominal value: widened by 5 % either way.
TEST_F(MotorCurves, RealMotorFilesGiveTheirCurvesPointForPoint)
{
    const QDir folder(QStringLiteral(TARVEL_SHARED_TESTDATA "/eng/rocketpy"));
    if (!folder.exists())
        GTEST_SKIP() << "the shared motor files are not here: " << qPrintable(folder.path());
    const QStringList names = folder.entryList({QStringLiteral("*.eng")}, QDir::Files);
    ASSERT_GE(names.size(), 60);
    int withoutFinalLineFeed = 0;
    for (const QString &name : names) {
        const QByteArray bytes = readTestFile(folder.filePath(name));
        withoutFinalLineFeed += bytes.endsWith('\n') ? 0 : 1;
        const std::vector<CReadByHand> byHand = readByHand(bytes);
        const CMotorImportResult result = importMotorFile(m_store, folder.filePath(name), m_progress);
        if (byHand.empty()) { // thrust data without any header line
            EXPECT_EQ(result.outcome, CMotorImportResult::Outcome::NothingLoaded) << qPrintable(name);
            continue;
        }
        ASSERT_EQ(byHand.size(), 1u) << qPrintable(name);
        ASSERT_EQ(result.motors, 1) << qPrintable(name) << qPrintable(result.message());
        EXPECT_EQ(result.curvesNotKept, 0) << qPrintable(result.message());
        CCatalogueMotor stored;
        for (const CCatalogueMotor &motor : catalogue())
            stored = motor.id > stored.id ? motor : stored;
        EXPECT_EQ(stored.type, byHand.front().type) << qPrintable(name);
        std::optional<CMotorCurveRow> curve;
        ASSERT_TRUE(loadMotorCurve(m_store, stored, curve)) << qPrintable(name);
        ASSERT_TRUE(curve.has_value()) << qPrintable(name);
        ASSERT_EQ(int(curve->points.size()), byHand.front().points) << qPrintable(name);
        EXPECT_EQ(curve->points.back(), (CThrustPoint {byHand.front().lastTime, byHand.front().lastThrust}))
            << qPrintable(name);
    }
    EXPECT_GE(withoutFinalLineFeed, 50); // the case that matters is there

    static const QRegularExpression letter(QStringLiteral("^\\d*([A-O])\\d"));
    int checked = 0;
    QStringList otherLetter;
    for (const CCatalogueMotor &motor : catalogue()) {
        const QRegularExpressionMatch match = letter.match(motor.type);
        if (!motor.hasCurve || !match.hasMatch())
            continue;
        const double top = 2.5 * std::pow(2.0, match.captured(1).at(0).unicode() - 'A');
        EXPECT_GT(motor.figures.totalImpulse, top / 2 * 0.95) << qPrintable(motor.type);
        EXPECT_LE(motor.figures.totalImpulse, top * 1.05) << qPrintable(motor.type);
        if (motor.figures.impulseClass != match.captured(1))
            otherLetter.append(motor.type);
        ++checked;
    }
    EXPECT_GT(checked, 50);
    // The M1939W's points add up to 10,369 N·s by the trapezoid rule (summed
    // by hand from its file), just past the M range's 10,240: an N by impulse.
    EXPECT_EQ(otherLetter, QStringList {"M1939W"});

    // Headers split as their makers wrote them, trailing blanks and all.
    const QStringList values = m_logbook.rows(QStringLiteral("SELECT Type, Delay, MFG, Size FROM Motors"));
    for (const char *motor : {"L995-RL|0|CTI|75x486", "K710-BB|0|AMW/ProX|54x491", "K400C|14|AT|54x359",
                              "K490-GR|16-15-14-13-12-11-10-9-8-7-6|CTI|54x488"})
        EXPECT_TRUE(values.contains(QLatin1String(motor))) << motor;
}

// VACUUM renumbers the rows of a table without its own key, and the motors
// removed earlier leave gaps to close; every curve still shows with its own
// motor, identical twins in their order, and nothing is reported.
TEST_F(MotorCurves, StayWithTheirMotorsWhenAnotherProgramVacuumsTheLogbook)
{
    import(peakedMotors());
    ASSERT_TRUE(m_store.RunSql(QStringLiteral("DELETE FROM Motors WHERE Type IN ('M2', 'M4')")));
    ASSERT_EQ(shownPeaks(), kPeaksAfterRemovals);
    m_store.Close();

    ASSERT_TRUE(outside(m_logbook.databaseFile(), "VACUUM"));
    // The renumbering happened: by rowid alone, curves would now be off their motors.
    ASSERT_NE(outsideValue(m_logbook.databaseFile(),
                           "SELECT count(*) FROM MotorCurves JOIN Motors ON Motors.rowid = MotorID WHERE "
                           "MotorCurves.Type IS NOT Motors.Type"),
              QStringLiteral("0"));

    ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    EXPECT_EQ(shownPeaks(), kPeaksAfterRemovals);
    EXPECT_TRUE(m_reporter.problems.isEmpty()) << m_reporter.problems.join(QLatin1Char('\n')).toStdString();
}

// The same with a dump and a restore through the sqlite3 shell, which writes
// the rows without their rowids.
TEST_F(MotorCurves, StayWithTheirMotorsThroughADumpAndRestore)
{
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (shell.isEmpty())
        GTEST_SKIP() << "no sqlite3 shell to dump and restore with";
    import(peakedMotors());
    ASSERT_TRUE(m_store.RunSql(QStringLiteral("DELETE FROM Motors WHERE Type IN ('M2', 'M4')")));
    m_store.Close();

    QProcess dump;
    dump.start(shell, {m_logbook.databaseFile(), QStringLiteral(".dump")});
    ASSERT_TRUE(dump.waitForFinished(60000));
    const QByteArray script = dump.readAllStandardOutput();
    ASSERT_TRUE(script.contains("INSERT INTO Motors VALUES")) << script.left(400).toStdString();
    const QString restored = m_files.filePath(QStringLiteral("restored.CDB"));
    QProcess restore;
    restore.start(shell, {restored});
    ASSERT_TRUE(restore.waitForStarted());
    restore.write(script);
    restore.closeWriteChannel();
    ASSERT_TRUE(restore.waitForFinished(60000));
    ASSERT_EQ(restore.exitCode(), 0) << restore.readAllStandardError().toStdString();
    ASSERT_TRUE(QFile::remove(m_logbook.databaseFile()));
    ASSERT_TRUE(QFile::rename(restored, m_logbook.databaseFile()));

    ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    EXPECT_EQ(shownPeaks(), kPeaksAfterRemovals);
    EXPECT_TRUE(m_reporter.problems.isEmpty()) << m_reporter.problems.join(QLatin1Char('\n')).toStdString();
}

// A curve whose motor another program removed without the trigger that would
// have taken it along: never shown for another motor, told once, and kept.
TEST_F(MotorCurves, CurveWithoutItsMotorIsToldOnceAndNeverShownForAnother)
{
    import(peakedMotors());
    m_store.Close();
    ASSERT_TRUE(outside(m_logbook.databaseFile(),
                        "DROP TRIGGER MotorCurvesLeaveWithTheirMotor; "
                        "DELETE FROM Motors WHERE Type = 'M3'; VACUUM"));
    ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    EXPECT_EQ(m_reporter.problems,
              QStringList {"Warning|Another program has changed the motor catalogue: 1 thrust curve(s) no longer "
                           "belong to any motor in it, and are not shown (Estes M3)."});
    EXPECT_EQ(shownPeaks(), QStringList({"M1 10", "M2 20", "M4 40", "M5 50", "M6 60", "T1 7", "T1 9"}));
    m_store.Close();
    ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    EXPECT_EQ(m_reporter.problems.size(), 1);
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT Type, PeakThrust FROM MotorCurves WHERE MotorID < 0")),
              QStringList {"M3|30.0"});
}

} // namespace
