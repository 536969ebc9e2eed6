// The renumbering of the rockets after one is deleted: CRecordStore::Reindex.
#include "db/RecordStore.h"
#include "db/RocketDragTables.h"
#include "db/SqlText.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QStringList>

#include <algorithm>

namespace {

struct CReference
{
    qint64 rowId;
    QString text;
};

// A reference that names no rocket at all: blank, "0" or no number; the
// launch wizard stores a flight without a rocket that way.
bool namesNoRocket(const QString &text)
{
    return leadingInteger(text) <= 0;
}

} // namespace

bool CRecordStore::Reindex()
{
    discardResult();
    if (!m_db.isOpen() || !beginTransaction())
        return false;
    // Every failure records its reason first; the rollback keeps it, and
    // should the rollback fail too, its own reason is the one told.
    const auto abandon = [this](bool) {
        rollbackTransaction();
        return false;
    };
    // The rows of a table's rocket-number column, read whole first, so the rows
    // being rewritten are not the rows being walked.
    const auto readColumn = [this](const char *table, const char *column, const char *order, QList<CReference> &rows) {
        CSqlStatement walk = m_db.prepare(QStringLiteral("SELECT rowid, %1 FROM %2 %3")
                                              .arg(QLatin1String(column), QLatin1String(table), QLatin1String(order)));
        if (!walk.isValid())
            return failDatabase();
        CSqlStatement::Step step = CSqlStatement::Step::Error;
        while ((step = walk.step()) == CSqlStatement::Step::Row)
            rows.append({walk.columnInt64(0), walk.columnText(1)});
        return step == CSqlStatement::Step::Done || failStatement(walk);
    };
    const auto write = [this](const char *table, const char *column, const QList<QPair<qint64, QString>> &changes) {
        CSqlStatement update = m_db.prepare(
            QStringLiteral("UPDATE %2 SET %1 = ?1 WHERE rowid = ?2").arg(QLatin1String(column), QLatin1String(table)));
        if (!update.isValid())
            return failDatabase();
        for (const auto &[rowId, value] : changes) {
            update.reset();
            if (!update.bindText(1, value) || !update.bindInt64(2, rowId) || !update.run())
                return failWrite(update.error());
        }
        return true;
    };

    // New number of each old number: position in name order, 1-based. Two
    // rockets sharing an old number leave it with the later one's position.
    QList<CReference> rockets;
    if (!readColumn("Rockets", "ID", "ORDER BY Name", rockets))
        return abandon(false);
    QHash<int, int> renumbered;
    for (qsizetype position = 1; position <= rockets.size(); ++position) {
        if (const int old = leadingInteger(rockets.at(position - 1).text); old > 0)
            renumbered.insert(old, int(position));
    }
    QList<QPair<qint64, QString>> changes;
    for (qsizetype position = 1; position <= rockets.size(); ++position) {
        const CReference &rocket = rockets.at(position - 1);
        const int old = leadingInteger(rocket.text);
        const QString number = QString::number(old > 0 ? renumbered.value(old) : int(position));
        if (rocket.text != number)
            changes.append({rocket.rowId, number});
    }
    if (!write("Rockets", "ID", changes))
        return abandon(false);
    if (CSqlError failure; !renumberRocketDrag(m_db, renumbered, failure))
        return abandon(failWrite(failure));

    // A recommended motor or a flight whose rocket is gone keeps its number,
    // so that it stays together and is still listed under it. A number that
    // now belongs to another rocket would hand it to that rocket: it moves to
    // a number above every rocket's and every other reference's.
    QList<CReference> recMotors;
    QList<CReference> launches;
    if (!readColumn("RecMotors", "RocketID", "", recMotors) || !readColumn("Launches", "Model", "", launches))
        return abandon(false);
    int highest = int(rockets.size());
    for (const QList<CReference> *rows : {&recMotors, &launches}) {
        for (const CReference &reference : *rows)
            highest = std::max(highest, leadingInteger(reference.text));
    }
    QMap<int, int> moved; // an orphan's old number -> the number it moves to
    int orphanFlights = 0;
    QMap<QString, QString> orphanLabels; // the flights' numbers after, and before where they moved
    for (QList<CReference> *rows : {&recMotors, &launches}) {
        changes.clear();
        for (const CReference &reference : std::as_const(*rows)) {
            if (namesNoRocket(reference.text))
                continue;
            const int old = leadingInteger(reference.text);
            QString number;
            if (renumbered.contains(old)) {
                number = QString::number(renumbered.value(old));
            } else if (old <= rockets.size()) {
                if (!moved.contains(old))
                    moved.insert(old, ++highest);
                number = QString::number(moved.value(old));
            } else {
                number = reference.text;
            }
            if (rows == &launches && !renumbered.contains(old)) {
                ++orphanFlights;
                orphanLabels.insert(number.trimmed(), number == reference.text ? QString() : reference.text.trimmed());
            }
            if (reference.text != number)
                changes.append({reference.rowId, number});
        }
        if (!write(rows == &launches ? "Launches" : "RecMotors", rows == &launches ? "Model" : "RocketID", changes))
            return abandon(false);
    }
    if (!commitTransaction())
        return abandon(false);

    // Told once, after the renumbering is stored, in the words of the flight log.
    if (orphanFlights > 0) {
        QStringList labels;
        for (auto it = orphanLabels.begin(); it != orphanLabels.end(); ++it) {
            labels.append(it.value().isEmpty()
                              ? QStringLiteral("\"Rocket %1\"").arg(it.key())
                              : QStringLiteral("\"Rocket %1\" (until now \"Rocket %2\", a number another rocket "
                                               "now has)")
                                    .arg(it.key(), it.value()));
        }
        const bool one = orphanFlights == 1;
        report(QStringLiteral("Info"),
               QStringLiteral("%1 %2 to no rocket in the catalogue. %3 in the flight log, listed under %4.")
                   .arg(one ? QStringLiteral("1 flight") : QStringLiteral("%1 flights").arg(orphanFlights),
                        one ? QStringLiteral("belongs") : QStringLiteral("belong"),
                        one ? QStringLiteral("It stays") : QStringLiteral("They stay"),
                        labels.join(QStringLiteral(", "))));
    }
    return true;
}
