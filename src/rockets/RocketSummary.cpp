#include "rockets/RocketSummary.h"

#include "db/RecordStore.h"
#include "db/SqlText.h"
#include "rockets/RocketQueries.h"

#include <array>

namespace {

struct SummaryLine
{
    const char *format;
    int field;
};

// The optional lines before the flags, and those after them, in display order.
constexpr SummaryLine kLeadingLines[] = {
    {"MFG: %1\n", kRocketMfg}, {"Type: %1\n", kRocketType}, {"Recovery: %1\n", kRocketRecovery}};
constexpr SummaryLine kTrailingLines[] = {{"Status: %1\n", kRocketStatus},     {"Weight: %1\n", kRocketWeight},
                                          {"Diameter: %1\n", kRocketDiameter}, {"Length: %1\n", kRocketLength},
                                          {"CP location: %1\n", kRocketCp},    {"Launcher: %1\n", kRocketLauncher},
                                          {"MMT: %1\n", kRocketMmt},           {"Notes:\n%1\n", kRocketNotes}};

QString field(const QStringList &row, int position)
{
    return position < row.size() ? row.at(position) : QString();
}

void appendLines(QString &text, const QStringList &row, const auto &lines)
{
    for (const SummaryLine &line : lines) {
        const QString value = field(row, line.field);
        if (!value.isEmpty())
            text += QLatin1String(line.format).arg(value);
    }
}

} // namespace

QString rocketSummaryText(const QStringList &rocketRow, int launchCount)
{
    QString text;
    appendLines(text, rocketRow, kLeadingLines);
    if (isRocketFlagSet(field(rocketRow, kRocketStages)))
        text += QStringLiteral("Staged Model\n");
    if (isRocketFlagSet(field(rocketRow, kRocketClustered)))
        text += QStringLiteral("Clustered Motors\n");
    appendLines(text, rocketRow, kTrailingLines);
    text += QStringLiteral("Launched  %1 time(s)\n").arg(launchCount);
    return text;
}

QString recMotorSimpleEntry(const CRecMotorRow &row)
{
    return row.mfg + QLatin1Char(' ') + row.type + QLatin1Char('-') + row.delay;
}

QString recMotorGroupEntry(const QList<CRecMotorRow> &groupRows, bool clustered, bool withMfg)
{
    std::array<QString, 4> stages;
    for (const CRecMotorRow &row : groupRows) {
        QString piece = (withMfg ? row.mfg + QLatin1Char(' ') : QString()) + row.type + QLatin1Char('-') + row.delay;
        if (clustered && leadingInteger(row.qty) >= 2)
            piece += QLatin1Char('x') + row.qty;
        const int stage = leadingInteger(row.stage);
        if (stage < 0 || stage > 3)
            continue;
        if (!stages[stage].isEmpty())
            stages[stage] += QStringLiteral(" & ");
        stages[stage] += piece;
    }
    QString entry;
    for (int stage = 1; stage <= 3; ++stage) {
        if (!stages[stage].isEmpty())
            entry += QStringLiteral("S%1 %2 ").arg(stage).arg(stages[stage]);
    }
    return entry;
}

QList<CRecMotorRow> readRecMotorRows(CRecordStore &store, const QString &sql)
{
    QList<CRecMotorRow> rows;
    if (!store.RunSql(sql))
        return rows;
    for (store.MoveFirst(); !store.IsEOF(); store.MoveNext()) {
        rows.append({store.GetFieldText(kRecMotorType), store.GetFieldText(kRecMotorDelay),
                     store.GetFieldText(kRecMotorMfg), store.GetFieldText(kRecMotorStage),
                     store.GetFieldText(kRecMotorQty)});
    }
    return rows;
}

QStringList distinctInOrder(const QStringList &texts)
{
    QStringList distinct;
    for (const QString &text : texts) {
        if (!distinct.contains(text))
            distinct.append(text);
    }
    return distinct;
}

CRecMotorEntries readRecMotorEntries(CRecordStore &store, const QString &rocketId, bool staged, bool clustered)
{
    CRecMotorEntries result;
    if (!store.RunSql(recMotorsQuery(rocketId)))
        return result;
    if (!staged && !clustered) {
        for (store.MoveFirst(); !store.IsEOF(); store.MoveNext()) {
            result.entries.append(
                recMotorSimpleEntry({store.GetFieldText(kRecMotorType), store.GetFieldText(kRecMotorDelay),
                                     store.GetFieldText(kRecMotorMfg), QString(), QString()}));
        }
        return result;
    }
    QStringList groups;
    for (store.MoveFirst(); !store.IsEOF(); store.MoveNext())
        groups.append(store.GetFieldText(kRecMotorGroup));
    result.groups = distinctInOrder(groups);
    for (const QString &group : std::as_const(result.groups)) {
        const QList<CRecMotorRow> rows = readRecMotorRows(store, recMotorGroupQuery(rocketId, group));
        if (!rows.isEmpty())
            result.entries.append(recMotorGroupEntry(rows, clustered));
    }
    return result;
}
