#include "flightdata/FlightColumns.h"

namespace {

struct CColumnName
{
    QByteArray base; // the name without its unit
    QByteArray unit; // lower case; empty when the name gives none
};

bool isUnit(const QByteArray &text)
{
    static const QByteArray kUnits[] = {"s", "sec", "secs",  "second", "seconds", "ms",     "ft",  "feet", "foot",
                                        "'", "m",   "meter", "meters", "metre",   "metres", "msl", "agl"};
    for (const QByteArray &unit : kUnits) {
        if (text == unit)
            return true;
    }
    return false;
}

// "Altitude (ft)", "Height [m]", "time_s", "altitude ft" -> base and unit.
CColumnName splitName(QByteArray name)
{
    name = name.trimmed().toLower();
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
        name = name.mid(1, name.size() - 2).trimmed();
    if (name.startsWith('#'))
        name = name.mid(1).trimmed();
    const qsizetype open = name.indexOf('(') >= 0 ? name.indexOf('(') : name.indexOf('[');
    if (open > 0) {
        const qsizetype close = name.indexOf(name.at(open) == '(' ? ')' : ']', open);
        const QByteArray unit = name.mid(open + 1, close < 0 ? -1 : close - open - 1).trimmed();
        return {name.left(open).trimmed(), unit};
    }
    for (const char separator : {'_', ' '}) {
        const qsizetype at = name.lastIndexOf(separator);
        if (at > 0 && isUnit(name.mid(at + 1)))
            return {name.left(at).trimmed(), name.mid(at + 1)};
    }
    return {name, {}};
}

bool isTimeName(const QByteArray &base)
{
    return base == "t" || base.startsWith("time") || base == "elapsed" || base == "elapsed time";
}

bool isAltitudeName(const QByteArray &base)
{
    return base.startsWith("altitude") || base == "alt" || base == "alt agl" || base == "agl";
}

bool isHeightName(const QByteArray &base)
{
    return base.startsWith("height");
}

double metresPerUnit(const QByteArray &unit, double fallback)
{
    if (unit.startsWith("m") && unit != "ms" && !unit.startsWith("mi"))
        return 1.0;
    if (unit.startsWith("f") || unit == "'")
        return 0.3048;
    return fallback;
}

} // namespace

CFlightColumns findFlightColumns(const QList<QByteArray> &names)
{
    CFlightColumns columns;
    int altitude = -1;
    int height = -1;
    QByteArray altitudeUnit;
    QByteArray heightUnit;
    for (int i = 0; i < names.size(); ++i) {
        const CColumnName name = splitName(names.at(i));
        if (columns.time < 0 && isTimeName(name.base)) {
            columns.time = i;
            columns.secondsPerUnit = name.unit == "ms" ? 0.001 : 1.0;
        } else if (altitude < 0 && isAltitudeName(name.base)) {
            altitude = i;
            altitudeUnit = name.unit;
        } else if (height < 0 && isHeightName(name.base)) {
            height = i;
            heightUnit = name.unit;
        } else if (columns.state < 0 && (name.base == "state_name" || name.base == "state name")) {
            columns.state = i;
        } else if (name.base.startsWith("temp") || name.base.startsWith("volt")) {
            columns.hasDeviceColumns = true;
        }
    }
    // A height is measured from the pad; an altitude may be above sea level.
    if (height >= 0) {
        columns.height = height;
        columns.heightAboveLaunch = true;
        columns.metresPerUnit = metresPerUnit(heightUnit, columns.state >= 0 ? 1.0 : 0.3048);
    } else if (altitude >= 0) {
        columns.height = altitude;
        columns.metresPerUnit = metresPerUnit(altitudeUnit, 0.3048);
    }
    return columns;
}
