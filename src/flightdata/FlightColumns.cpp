#include "flightdata/FlightColumns.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

constexpr double kMetresPerFoot = 0.3048;

// A header name taken apart: its words in lower case, and the unit it gives in
// brackets or as a last word ("Altitude (Ft-AGL)" -> altitude agl, "ft").
struct CColumnName
{
    QList<QByteArray> words;
    QByteArray unit;

    bool has(const char *word) const { return words.contains(QByteArray(word)); }
    bool hasAny(std::initializer_list<const char *> list) const
    {
        for (const char *word : list) {
            if (has(word))
                return true;
        }
        return false;
    }
    bool is(const char *word) const { return words.size() == 1 && words.front() == word; }
    QByteArray joined() const
    {
        QByteArray text;
        for (const QByteArray &word : words)
            text += (text.isEmpty() ? "" : "_") + word;
        return text;
    }
};

bool isQualifier(const QByteArray &word)
{
    return word == "agl" || word == "asl" || word == "msl";
}

bool isTimeUnit(const QByteArray &unit)
{
    static const QByteArray kUnits[] = {"s",  "sec",  "secs",        "second",      "seconds",
                                        "ms", "msec", "millisecond", "milliseconds"};
    for (const QByteArray &known : kUnits) {
        if (unit == known)
            return true;
    }
    return false;
}

std::optional<double> lengthUnit(const QByteArray &unit)
{
    static const std::pair<const char *, double> kUnits[] = {
        {"ft", kMetresPerFoot},
        {"feet", kMetresPerFoot},
        {"foot", kMetresPerFoot},
        {"'", kMetresPerFoot},
        {"m", 1.0},
        {"meter", 1.0},
        {"meters", 1.0},
        {"metre", 1.0},
        {"metres", 1.0},
        {"km", 1000.0},
        {"kilometer", 1000.0},
        {"kilometers", 1000.0},
        {"kilometre", 1000.0},
        {"kilometres", 1000.0},
    };
    for (const auto &[name, metres] : kUnits) {
        if (unit == name)
            return metres;
    }
    return std::nullopt;
}

std::optional<double> speedUnit(const QByteArray &unit)
{
    static const std::pair<const char *, double> kUnits[] = {
        {"m/s", 1.0},
        {"mps", 1.0},
        {"ft/s", kMetresPerFoot},
        {"fps", kMetresPerFoot},
        {"feet/s", kMetresPerFoot},
        {"km/h", 1 / 3.6},
        {"kph", 1 / 3.6},
        {"mph", 0.44704},
    };
    for (const auto &[name, metres] : kUnits) {
        if (unit == name)
            return metres;
    }
    return std::nullopt;
}

QList<QByteArray> splitWords(const QByteArray &text, const char *separators)
{
    QList<QByteArray> words;
    QByteArray word;
    for (const char c : text) {
        if (strchr(separators, c)) {
            if (!word.isEmpty())
                words.append(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.isEmpty())
        words.append(word);
    return words;
}

CColumnName parseName(QByteArray name)
{
    name = name.trimmed().toLower();
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
        name = name.mid(1, name.size() - 2).trimmed();
    if (name.startsWith('#'))
        name = name.mid(1).trimmed();
    CColumnName parsed;
    QByteArray base = name;
    const qsizetype round = name.indexOf('(');
    const qsizetype square = name.indexOf('[');
    const qsizetype open = round < 0 ? square : (square < 0 ? round : qMin(round, square));
    if (open > 0) {
        const qsizetype close = name.indexOf(name.at(open) == '(' ? ')' : ']', open);
        base = name.left(open);
        // "ft-agl", "m agl": the unit and where it is measured from.
        for (const QByteArray &part : splitWords(name.mid(open + 1, close < 0 ? -1 : close - open - 1), " -_")) {
            if (isQualifier(part))
                parsed.words.append(part);
            else
                parsed.unit += (parsed.unit.isEmpty() ? "" : " ") + part;
        }
    }
    parsed.words = splitWords(base, " _-.") + parsed.words;
    if (parsed.unit.isEmpty() && parsed.words.size() > 1
        && (lengthUnit(parsed.words.back()) || isTimeUnit(parsed.words.back()))) {
        parsed.unit = parsed.words.takeLast();
    }
    return parsed;
}

bool isTimeName(const CColumnName &name)
{
    return name.has("time") || name.is("t") || name.is("ts") || name.is("elapsed");
}

// How well a name fits the height of the flight; none for a column that is not one.
std::optional<int> heightScore(const CColumnName &name)
{
    if (name.hasAny({"inertial", "gps", "pressure", "press", "max", "min", "target", "expected", "apogee"}))
        return std::nullopt;
    int score = 0;
    if (name.has("height"))
        score = 40;
    else if (name.has("altitude") || name.has("alt") || name.is("agl"))
        score = 30;
    else
        return std::nullopt;
    if (name.has("agl"))
        score += 5;
    if (name.has("asl") || name.has("msl"))
        score -= 5;
    // The device's raw heights, where it also writes its own smoothed ones.
    if (name.hasAny({"filt", "filtered", "smoothed"}))
        score -= 2;
    return score;
}

std::optional<int> speedScore(const CColumnName &name)
{
    if (!name.hasAny({"speed", "velocity", "veloc", "vel", "fveloc"}))
        return std::nullopt;
    // Horizontal, downrange and crossrange speeds, and the wind's, are not the climb.
    if (name.hasAny({"dr", "cr", "x", "y", "z", "east", "north", "horizontal", "lateral", "gps", "air", "wind"}))
        return std::nullopt;
    int score = 10;
    if (name.hasAny({"up", "vertical", "vert"}))
        score += 2;
    // The device's smoothed speed, where it also writes its raw one.
    if (name.hasAny({"fveloc", "filt", "filtered"}))
        score += 1;
    return score;
}

// Which device family a header shows; the units it implies follow from it.
QString formatOf(const QList<CColumnName> &names, const CFlightColumns &columns)
{
    const auto any = [&names](const auto &test) { return std::any_of(names.begin(), names.end(), test); };
    if (any([](const CColumnName &name) { return name.is("bilba"); }))
        return QStringLiteral("Raven");
    if (any([](const CColumnName &name) { return name.has("flight") && name.has("time"); })
        && any([](const CColumnName &name) { return name.has("baro") && name.has("altitude"); }))
        return QStringLiteral("Blue Raven");
    if (columns.events >= 0 && any([](const CColumnName &name) { return name.is("voltages"); }))
        return QStringLiteral("RRC3");
    if (columns.time >= 0 && names.at(columns.time).is("ts"))
        return QStringLiteral("CATS");
    if (columns.time >= 0 && names.at(columns.time).is("t")
        && any([](const CColumnName &name) { return name.is("fveloc") || name.joined() == "filt_alt"; }))
        return QStringLiteral("Eggtimer");
    return QString();
}

} // namespace

int CFlightColumns::lastColumn() const
{
    return std::max(
        {time, height, state, events, speed, launchFlag, drogueFlag, mainFlag, landingFlag, apogeeFlag, pressure});
}

CFlightColumns findFlightColumns(const QList<QByteArray> &header)
{
    CFlightColumns columns;
    QList<CColumnName> names;
    for (const QByteArray &text : header)
        names.append(parseName(text));

    int heightBest = -1000;
    int speedBest = -1000;
    for (int i = 0; i < names.size(); ++i) {
        const CColumnName &name = names.at(i);
        const QByteArray joined = name.joined();
        if (const auto score = heightScore(name); score && *score > heightBest) {
            heightBest = *score;
            columns.height = i;
        } else if (const auto fit = speedScore(name); fit && *fit > speedBest) {
            speedBest = *fit;
            columns.speed = i;
        } else if ((name.has("pressure") || name.has("press")) && !name.has("increasing")) {
            columns.pressure = columns.pressure < 0 ? i : columns.pressure;
        } else if (joined == "state_name") {
            columns.state = i;
        } else if (joined == "events" || joined == "event") {
            columns.events = i;
        } else if (joined == "liftoff" || joined == "launch") {
            columns.launchFlag = i;
        } else if (joined == "apo_fired" || joined == "drogue_fired" || joined == "drogue") {
            columns.drogueFlag = i;
        } else if (joined == "main_fired" || joined == "main") {
            columns.mainFlag = i;
        } else if (joined == "landed" || joined == "landing") {
            columns.landingFlag = i;
        } else if (joined == "apogee") {
            columns.apogeeFlag = i;
        } else if (name.words.value(0).startsWith("temp") || name.words.value(0).startsWith("volt")) {
            columns.hasDeviceColumns = true;
        }
    }
    // Where every channel has its own time column, the height's is the last
    // one before it; a wall-clock "Time" before "Flight_Time_(s)" is passed over.
    for (int i = 0; i < names.size(); ++i) {
        if (isTimeName(names.at(i)) && (columns.time < 0 || (columns.height >= 0 && i < columns.height)))
            columns.time = i;
    }
    columns.format = formatOf(names, columns);
    if (columns.format != QLatin1String("Eggtimer"))
        columns.apogeeFlag = -1; // elsewhere a flag without a height

    if (columns.time >= 0) {
        const QByteArray &unit = names.at(columns.time).unit;
        const bool milliseconds = unit.startsWith("ms") || unit.startsWith("milli")
            || (unit.isEmpty() && columns.format == QLatin1String("Eggtimer"));
        columns.secondsPerUnit = milliseconds ? 0.001 : 1.0;
    }
    if (columns.height >= 0) {
        const CColumnName &name = names.at(columns.height);
        const bool metric = columns.format == QLatin1String("CATS");
        if (name.unit.isEmpty()) {
            columns.metresPerUnit = metric ? 1.0 : kMetresPerFoot;
            columns.unitFromPressure = columns.pressure >= 0
                && (columns.format == QLatin1String("RRC3") || (columns.format.isEmpty() && !columns.hasDeviceColumns));
        } else if (const auto metres = lengthUnit(name.unit))
            columns.metresPerUnit = *metres;
        else
            columns.unknownUnit = name.unit;
        // Above sea level only where the header says so, or where a plain
        // table's altitude may be either.
        const bool sea = name.has("asl") || name.has("msl");
        const bool plain =
            columns.format.isEmpty() && !columns.hasDeviceColumns && !name.has("height") && !name.has("agl");
        columns.heightAboveLaunch = !sea && !plain;
    }
    if (columns.speed >= 0) {
        const QByteArray &unit = names.at(columns.speed).unit;
        const auto metres = speedUnit(unit);
        columns.speedMetresPerUnit = metres ? *metres : columns.metresPerUnit;
        columns.speedInHeightUnit = !metres;
        if (!unit.isEmpty() && !metres)
            columns.speed = -1; // a speed in a unit not known is not used
    }
    return columns;
}

EDeviceEvent deviceEventOf(const QByteArray &word)
{
    const QByteArray event = word.trimmed().toLower();
    if (event == "boost" || event == "launch" || event == "liftoff")
        return EDeviceEvent::Launch;
    if (event == "drogue")
        return EDeviceEvent::Drogue;
    if (event == "main")
        return EDeviceEvent::Main;
    if (event == "landed" || event == "landing")
        return EDeviceEvent::Landing;
    return EDeviceEvent::None;
}
