#include "shots/SampleLogbook.h"

#include "db/RecordStore.h"
#include "db/Schema.h"
#include "db/StoreTransaction.h"
#include "queries/SavedQueries.h"

#include <QStringList>

#include <iterator>

namespace {
// One INSERT per row, each value bound as the text it is; intoColumns is
// "Table (Column, ...)".
template<typename Rows> bool insertRows(CRecordStore &store, const char *intoColumns, const Rows &rows)
{
    QStringList places;
    for (qsizetype i = 1; i <= std::begin(rows)->size(); ++i)
        places.append(QStringLiteral("?%1").arg(i));
    CSqlStatement insert = store.prepareWrite(QStringLiteral("INSERT INTO %1 VALUES (%2)")
                                                  .arg(QLatin1String(intoColumns), places.join(QStringLiteral(", "))));
    if (!insert.isValid())
        return false;
    for (const QStringList &row : rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (!insert.bindText(int(i) + 1, row.at(i)))
                return store.failBind(insert);
        }
        if (!store.runWrite(insert))
            return false;
    }
    return true;
}
} // namespace

bool createSampleLogbook(const QString &storageDirectory)
{
    if (!CreateDatabase(storageDirectory))
        return false;
    CRecordStore store;
    if (!store.Open(storageDirectory))
        return false;
    CStoreTransaction transaction(store);

    const QStringList rockets[] = {
        {"1", "Alpha III", "Estes", "Sport", "", "Fins glued,Chute packed,Igniter in,", "Parachute", "Rod", "0", "0",
         "Flying", "First rocket of the season.", "35 g", "30 cm", "2.5 cm", "20 cm", "18 mm"},
        {"2", "Big Bertha", "Estes", "Sport", "", "Wadding,Chute,Igniter,", "Parachute", "Rod", "0", "0", "Flying",
         "Slow, high flights.", "62 g", "61 cm", "4.2 cm", "45 cm", "24 mm"},
        {"3", "Comanche-3", "Estes", "Multi-stage", "", "Stages taped,Chute,Igniter,", "Streamer", "Rod", "1", "1",
         "Building", "Three stages; keep the field clear.", "58 g", "86 cm", "2.5 cm", "62 cm", "18 mm"},
        {"4", "O'Brien's Dart", "Home built", "Scale", "", "", "Streamer", "Rail", "0", "0", "Retired",
         "Fins need epoxy.", "120 g", "54 cm", "3.3 cm", "40 cm", "29 mm"},
    };
    const QStringList recMotors[] = {
        {"1", "A8", "3", "Estes", "90", "1", "1", "0"},  {"1", "B6", "4", "Estes", "180", "1", "1", "0"},
        {"2", "C6", "5", "Estes", "210", "1", "1", "0"}, {"3", "C6", "0", "Estes", "0", "1", "3", "1"},
        {"3", "B6", "0", "Estes", "0", "2", "1", "2"},   {"3", "A8", "5", "Estes", "310", "3", "1", "3"},
    };
    const QStringList motors[] = {
        {"A8", "3", "Estes", "18mm"},  {"B6", "4", "Estes", "18mm"},     {"C6", "5", "Estes", "18mm"},
        {"D12", "5", "Estes", "24mm"}, {"F40", "7", "AeroTech", "29mm"}, {"G64", "10", "AeroTech", "29mm"},
    };
    const QStringList launches[] = {
        {"1", "Parachute", "A8", "Estes", "3", "Miller Field", "5", "NW", "68", "0", "04/12/2026", "", "14:07:20",
         "14:07:41", "Straight boost.", "-1", ""},
        {"2", "Parachute", "C6", "Estes", "5", "Miller Field", "8", "W", "20", "-1", "05/03/2026", "", "10:15:02",
         "10:16:10", "Fin's epoxy held.", "-1", "bertha.flt"},
        {"1", "Parachute", "B6", "Estes", "4", "Club Range", "12", "SW", "72", "0", "06/21/2026", "", "", "",
         "Chute tangled.", "0", ""},
    };
    const bool ok = insertRows(store,
                               "Rockets (ID, Name, MFG, Type, Image, CheckList, Recovery, Launcher, Stages, "
                               "Clustered, Status, Notes, Weight, Length, Diameter, CP, MMT)",
                               rockets)
        && insertRows(store, "RecMotors (RocketID, Type, Delay, MFG, Alt, Stage, Qty, GroupID)", recMotors)
        && insertRows(store, "Motors (Type, Delay, MFG, Size)", motors)
        && insertRows(store,
                      "Launches (Model, Recovery, Motor, MotorMfg, MotorDelay, Site, WindSpeed, WindDirection, "
                      "Temperature, Celcius, Date, DrogueTime, MainTime, DoneTime, Notes, Success, AltFileName)",
                      launches)
        && addDefaultQueries(store);
    return ok && transaction.commit();
}
