#include "motors/MotorCurveStore.h"

#include "db/CurveLinks.h"
#include "db/RecordStore.h"
#include "motors/MotorCatalogueWriter.h"

#include <algorithm>
#include <charconv>

namespace {
// The shortest text that reads back as the same number: a file's "0.031" stays
// "0.031", and nothing is lost to rounding.
void appendNumber(QByteArray &text, double value)
{
    char digits[32];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    if (error == std::errc())
        text.append(digits, end - digits);
}

// "time thrust": two numbers and nothing else.
std::optional<CThrustPoint> pointOfLine(const char *at, const char *end)
{
    double values[2] = {0, 0};
    for (double &value : values) {
        while (at < end && *at == ' ')
            ++at;
        const auto [stop, error] = std::from_chars(at, end, value);
        if (error != std::errc() || (stop < end && *stop != ' '))
            return std::nullopt;
        at = stop;
    }
    while (at < end && *at == ' ')
        ++at;
    if (at != end)
        return std::nullopt;
    return CThrustPoint {values[0], values[1]};
}
} // namespace

QByteArray curvePointsText(const std::vector<CThrustPoint> &points)
{
    QByteArray text;
    text.reserve(qsizetype(points.size()) * 16);
    for (const CThrustPoint &point : points) {
        appendNumber(text, point.time);
        text.append(' ');
        appendNumber(text, point.thrust);
        text.append('\n');
    }
    return text;
}

std::vector<CThrustPoint> parseCurvePointsText(const QString &text)
{
    // Read as the import read the file's digits, so every stored point reads back.
    std::vector<CThrustPoint> points;
    const QByteArray utf8 = text.toUtf8();
    const char *at = utf8.constData();
    const char *const end = at + utf8.size();
    while (at < end) {
        const char *lineEnd = std::find(at, end, '\n');
        if (const std::optional<CThrustPoint> point = pointOfLine(at, lineEnd))
            points.push_back(*point);
        at = lineEnd + (lineEnd < end ? 1 : 0);
    }
    return points;
}

bool storeMotorCurve(CRecordStore &store, qint64 motorId, const std::vector<CThrustPoint> &points,
                     const CEngMasses &masses)
{
    return CMotorCatalogueWriter(store).addCurve(motorId, nullptr, motorFigures(points), curvePointsText(points),
                                                 masses);
}

bool loadMotorCurve(CRecordStore &store, const CCatalogueMotor &motor, std::optional<CMotorCurveRow> &curve)
{
    curve.reset();
    CSqlStatement query = store.prepareRead(
        QStringLiteral("SELECT Motors.Type, Motors.Delay, Motors.MFG, Motors.Size, Points, PropellantMass, TotalMass "
                       "FROM Motors JOIN MotorCurves ON %1 WHERE Motors.rowid = ?1")
            .arg(QLatin1String(kCurveOfMotor)));
    if (!query.isValid())
        return false;
    if (!query.bindInt64(1, motor.id))
        return store.failStatement(query);
    switch (query.step()) {
    case CSqlStatement::Step::Row:
        break;
    case CSqlStatement::Step::Done:
        return true;
    case CSqlStatement::Step::Error:
        return store.failStatement(query);
    }
    // Another program may have renumbered the rows since the list was read.
    if (CMotorValues {query.columnText(0), query.columnText(1), query.columnText(2), query.columnText(3)}
        != motor.values())
        return true;
    CMotorCurveRow row;
    row.motorId = motor.id;
    row.points = parseCurvePointsText(query.columnText(4));
    row.masses = {query.columnDouble(5), query.columnDouble(6)};
    row.figures = motorFigures(row.points);
    curve = std::move(row);
    return true;
}

std::optional<std::vector<CCatalogueMotor>> loadMotorCatalogue(CRecordStore &store)
{
    std::vector<CCatalogueMotor> motors;
    const bool whole = store.forEachRow(
        QStringLiteral("SELECT Motors.rowid, Motors.Type, Motors.Delay, Motors.MFG, Motors.Size, MotorCurves.MotorID, "
                       "Class, TotalImpulse, AverageThrust, PeakThrust, BurnTime, PropellantMass, TotalMass FROM "
                       "Motors LEFT JOIN MotorCurves ON %1 ORDER BY Motors.MFG, Motors.Type, Motors.rowid")
            .arg(QLatin1String(kCurveOfMotor)),
        [&motors](const CSqlStatement &row) {
            CCatalogueMotor motor;
            motor.id = row.columnInt64(0);
            motor.type = row.columnText(1);
            motor.delay = row.columnText(2);
            motor.mfg = row.columnText(3);
            motor.size = row.columnText(4);
            motor.hasCurve = !row.columnIsNull(5);
            if (motor.hasCurve) {
                motor.figures.impulseClass = row.columnText(6);
                motor.figures.totalImpulse = row.columnDouble(7);
                motor.figures.averageThrust = row.columnDouble(8);
                motor.figures.peakThrust = row.columnDouble(9);
                motor.figures.burnTime = row.columnDouble(10);
                motor.masses = {row.columnDouble(11), row.columnDouble(12)};
            }
            motors.push_back(std::move(motor));
        });
    // A list cut short by a failed step would look whole.
    if (!whole)
        return std::nullopt;
    return motors;
}
