#include "prediction/RocketFlightInputs.h"

#include "db/RecordStore.h"
#include "db/RocketDragStore.h"
#include "db/SqlText.h"
#include "flightmodel/CdFit.h"

#include <QRegularExpression>

#include <vector>

namespace {
// Two decimals at most, as a flyer writes a Cd: "0.6", "0.45".
QString cdNumber(double cd)
{
    return QString::number(cd, 'f', 2).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}
} // namespace

QString CCdChoice::text() const
{
    switch (source) {
    case ECdSource::Set:
        return QStringLiteral("Cd %1 (set for the rocket)").arg(cdNumber(cd));
    case ECdSource::Fitted:
        return fittedFlights == 1
            ? QStringLiteral("Cd %1 (fitted to 1 flight)").arg(cdNumber(cd))
            : QStringLiteral("Cd %1 (median of %2 fitted flights)").arg(cdNumber(cd)).arg(fittedFlights);
    case ECdSource::Given:
        return QStringLiteral("Cd %1 (given)").arg(cdNumber(cd));
    case ECdSource::Default:
        break;
    }
    return QStringLiteral("Cd %1 (default)").arg(cdNumber(cd));
}

CCdChoice chooseCd(std::optional<double> own, std::span<const double> fitted)
{
    CCdChoice choice;
    const CCdMedian median = medianCd(fitted);
    choice.fittedFlights = median.flights;
    if (own) {
        choice.cd = *own;
        choice.source = ECdSource::Set;
    } else if (median.flights > 0) {
        choice.cd = median.cd;
        choice.source = ECdSource::Fitted;
    }
    return choice;
}

bool loadRocketFlightInputs(CRecordStore &store, const QString &rocketId, EUnitSystem units,
                            CRocketFlightInputs &inputs, QString &error)
{
    inputs = CRocketFlightInputs();
    const int number = leadingInteger(rocketId);
    if (number <= 0) {
        error = QStringLiteral("No rocket is numbered \"%1\"").arg(rocketId);
        return false;
    }
    CSqlStatement query = store.prepareRead(
        QStringLiteral("SELECT ID, Name, Weight, Diameter, MMT FROM Rockets WHERE ID = ?1 ORDER BY rowid LIMIT 1"));
    if (!query.isValid()) {
        error = store.lastError();
        return false;
    }
    if (!query.bindInt64(1, number)) {
        error = query.lastError();
        return false;
    }
    const CSqlStatement::Step step = query.step();
    if (step != CSqlStatement::Step::Row) {
        error = step == CSqlStatement::Step::Done ? QStringLiteral("No rocket is numbered %1").arg(number)
                                                  : query.lastError();
        return false;
    }
    inputs.rocketId = query.columnText(0);
    inputs.rocketNumber = number;
    inputs.name = query.columnText(1);
    const CMeasureReading weight = readRocketWeight(query.columnText(2), units);
    const CMeasureReading diameter = readRocketDiameter(query.columnText(3), units);
    for (const CMeasureReading *reading : {&weight, &diameter}) {
        if (!reading->ok())
            inputs.problems.append(reading->error);
    }
    inputs.body.massKg = weight.value;
    inputs.body.diameterM = diameter.value;
    const QString mount = query.columnText(4).trimmed();
    if (!mount.isEmpty()) {
        const CMeasureReading reading =
            readMeasure(QStringLiteral("MMT"), mount, EMeasure::Length,
                        units == EUnitSystem::Imperial ? QStringLiteral("in") : QStringLiteral("mm"));
        if (reading.ok())
            inputs.mountM = reading.value;
        else
            inputs.mountProblem = reading.error;
    }

    CRocketDragStore dragStore(store);
    CRocketDrag drag;
    if (!dragStore.load(number, drag)) {
        error = dragStore.lastError();
        return false;
    }
    std::vector<double> fitted;
    for (const CFittedCd &fit : drag.fitted)
        fitted.push_back(fit.cd);
    inputs.cd = chooseCd(drag.cd, fitted);
    inputs.body.cd = inputs.cd.cd;
    inputs.guideSet = drag.guideM.has_value();
    inputs.body.guideM = drag.guideM.value_or(kDefaultGuideM);
    return true;
}

bool findRocketByName(CRecordStore &store, const QString &name, QString &rocketId, QString &error)
{
    std::vector<std::pair<QString, QString>> rockets; // number, name
    const bool read = store.forEachRow(
        QStringLiteral("SELECT ID, Name FROM Rockets ORDER BY Name, rowid"),
        [&rockets](const CSqlStatement &row) { rockets.emplace_back(row.columnText(0), row.columnText(1)); });
    if (!read) {
        error = store.lastError();
        return false;
    }
    for (Qt::CaseSensitivity sensitivity : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        QStringList found;
        for (const auto &[number, rocketName] : rockets) {
            if (rocketName.compare(name.trimmed(), sensitivity) == 0)
                found.append(number);
        }
        if (found.size() == 1) {
            rocketId = found.first();
            return true;
        }
        if (found.size() > 1) {
            error = QStringLiteral("%1 rockets are named \"%2\" (numbers %3)")
                        .arg(found.size())
                        .arg(name, found.join(QStringLiteral(", ")));
            return false;
        }
    }
    error = QStringLiteral("No rocket is named \"%1\"").arg(name);
    return false;
}
