#include "flightmodel/RocketMeasures.h"

#include <cmath>
#include <optional>
#include <vector>

namespace {
struct CUnit
{
    const char *name;
    EMeasure measure;
    double si; // kg or m in one of it
};

constexpr double kOunce = 0.028349523125;
constexpr double kPound = 0.45359237;
constexpr double kInch = 0.0254;
constexpr double kFoot = 0.3048;

constexpr CUnit kUnits[] = {
    {"g", EMeasure::Mass, 0.001},
    {"gram", EMeasure::Mass, 0.001},
    {"grams", EMeasure::Mass, 0.001},
    {"kg", EMeasure::Mass, 1},
    {"kgs", EMeasure::Mass, 1},
    {"kilogram", EMeasure::Mass, 1},
    {"kilograms", EMeasure::Mass, 1},
    {"oz", EMeasure::Mass, kOunce},
    {"ounce", EMeasure::Mass, kOunce},
    {"ounces", EMeasure::Mass, kOunce},
    {"lb", EMeasure::Mass, kPound},
    {"lbs", EMeasure::Mass, kPound},
    {"pound", EMeasure::Mass, kPound},
    {"pounds", EMeasure::Mass, kPound},
    {"mm", EMeasure::Length, 0.001},
    {"millimetre", EMeasure::Length, 0.001},
    {"millimetres", EMeasure::Length, 0.001},
    {"millimeter", EMeasure::Length, 0.001},
    {"millimeters", EMeasure::Length, 0.001},
    {"cm", EMeasure::Length, 0.01},
    {"centimetre", EMeasure::Length, 0.01},
    {"centimetres", EMeasure::Length, 0.01},
    {"centimeter", EMeasure::Length, 0.01},
    {"centimeters", EMeasure::Length, 0.01},
    {"m", EMeasure::Length, 1},
    {"metre", EMeasure::Length, 1},
    {"metres", EMeasure::Length, 1},
    {"meter", EMeasure::Length, 1},
    {"meters", EMeasure::Length, 1},
    {"in", EMeasure::Length, kInch},
    {"inch", EMeasure::Length, kInch},
    {"inches", EMeasure::Length, kInch},
    {"\"", EMeasure::Length, kInch},
    {"''", EMeasure::Length, kInch},
    {"ft", EMeasure::Length, kFoot},
    {"foot", EMeasure::Length, kFoot},
    {"feet", EMeasure::Length, kFoot},
    {"'", EMeasure::Length, kFoot},
};

const CUnit *findUnit(const QString &name)
{
    for (const CUnit &unit : kUnits) {
        if (name == QLatin1String(unit.name))
            return &unit;
    }
    return nullptr;
}

// One number and the unit written after it (empty for none).
struct CTerm
{
    double number = 0;
    QString unit;
};

// Walks the text a term at a time; empty on anything it cannot read.
class CTermReader
{
public:
    explicit CTermReader(const QString &text)
        : m_text(text.toLower())
    { }

    std::optional<std::vector<CTerm>> terms()
    {
        std::vector<CTerm> terms;
        skipBlanks();
        while (m_at < m_text.size()) {
            const std::optional<double> number = readNumber();
            if (!number)
                return std::nullopt;
            skipBlanks();
            terms.push_back({*number, readUnit()});
            skipBlanks();
        }
        return terms;
    }

private:
    bool atDigit(qsizetype at) const { return at < m_text.size() && m_text.at(at).isDigit(); }

    void skipBlanks()
    {
        while (m_at < m_text.size() && m_text.at(m_at).isSpace())
            ++m_at;
    }

    // Digits, with a decimal point or not.
    std::optional<double> readDecimal()
    {
        const qsizetype start = m_at;
        while (atDigit(m_at) || (m_at < m_text.size() && m_text.at(m_at) == QLatin1Char('.')))
            ++m_at;
        bool number = false;
        const double value = m_text.mid(start, m_at - start).toDouble(&number);
        if (!number || !std::isfinite(value))
            return std::nullopt;
        return value;
    }

    // A whole number of digits, then "/" and another, at `at`: the fraction and where it ends.
    std::optional<std::pair<double, qsizetype>> fractionAt(qsizetype at) const
    {
        qsizetype end = at;
        while (atDigit(end))
            ++end;
        if (end == at || end >= m_text.size() || m_text.at(end) != QLatin1Char('/'))
            return std::nullopt;
        qsizetype below = end + 1;
        while (atDigit(below))
            ++below;
        const double numerator = m_text.mid(at, end - at).toDouble();
        const double denominator = m_text.mid(end + 1, below - end - 1).toDouble();
        if (below == end + 1 || !(denominator > 0) || !std::isfinite(numerator))
            return std::nullopt;
        return std::make_pair(numerator / denominator, below);
    }

    std::optional<double> readNumber()
    {
        if (const auto fraction = fractionAt(m_at)) {
            m_at = fraction->second;
            return fraction->first;
        }
        const qsizetype start = m_at;
        const std::optional<double> whole = readDecimal();
        if (!whole)
            return std::nullopt;
        const bool integer = !m_text.mid(start, m_at - start).contains(QLatin1Char('.'));
        // "1 5/8" or "1-5/8": a whole number and a fraction.
        qsizetype next = m_at;
        if (next < m_text.size() && m_text.at(next) == QLatin1Char('-')) {
            ++next;
        } else {
            while (next < m_text.size() && m_text.at(next).isSpace())
                ++next;
        }
        if (integer && next > m_at) {
            if (const auto fraction = fractionAt(next)) {
                m_at = fraction->second;
                return *whole + fraction->first;
            }
        }
        return whole;
    }

    QString readUnit()
    {
        const qsizetype start = m_at;
        if (m_at < m_text.size() && m_text.at(m_at) == QLatin1Char('"')) {
            ++m_at;
        } else if (m_at < m_text.size() && m_text.at(m_at) == QLatin1Char('\'')) {
            ++m_at;
            if (m_at < m_text.size() && m_text.at(m_at) == QLatin1Char('\''))
                ++m_at;
        } else {
            while (m_at < m_text.size() && m_text.at(m_at).isLetter())
                ++m_at;
            QString unit = m_text.mid(start, m_at - start);
            // "oz." and "in." as abbreviations are written.
            if (!unit.isEmpty() && m_at < m_text.size() && m_text.at(m_at) == QLatin1Char('.') && !atDigit(m_at + 1))
                ++m_at;
            return unit;
        }
        return m_text.mid(start, m_at - start);
    }

    QString m_text;
    qsizetype m_at = 0;
};

QString example(EMeasure measure)
{
    return measure == EMeasure::Mass ? QStringLiteral("write it as 85 g or 3 oz")
                                     : QStringLiteral("write it as 41 mm or 1.6 in");
}
} // namespace

EUnitSystem unitSystemForLocale(const QLocale &locale)
{
    return locale.measurementSystem() == QLocale::ImperialUSSystem ? EUnitSystem::Imperial : EUnitSystem::Metric;
}

CMeasureReading readMeasure(const QString &field, const QString &text, EMeasure measure, const QString &bareUnit)
{
    CMeasureReading reading;
    const QString shown = text.trimmed();
    if (shown.isEmpty()) {
        reading.error = QStringLiteral("%1 is empty: %2").arg(field, example(measure));
        return reading;
    }
    const QString notOne =
        QStringLiteral("%1 '%2' is not a %3: %4")
            .arg(field, shown, measure == EMeasure::Mass ? QStringLiteral("mass") : QStringLiteral("length"),
                 example(measure));
    const std::optional<std::vector<CTerm>> terms = CTermReader(shown).terms();
    if (!terms || terms->empty()) {
        reading.error = notOne;
        return reading;
    }
    double total = 0;
    for (const CTerm &term : *terms) {
        const bool bare = term.unit.isEmpty();
        if (bare && terms->size() > 1) {
            reading.error = notOne; // "1 lb 4" does not say what the 4 is
            return reading;
        }
        const CUnit *unit = findUnit(bare ? bareUnit : term.unit);
        if (!unit || unit->measure != measure) {
            reading.error = notOne;
            return reading;
        }
        total += term.number * unit->si;
    }
    if (!std::isfinite(total)) {
        reading.error = notOne;
    } else if (total <= 0) {
        reading.error = QStringLiteral("%1 '%2' must be more than 0: %3").arg(field, shown, example(measure));
    } else {
        reading.value = total;
    }
    return reading;
}

CMeasureReading readRocketWeight(const QString &text, EUnitSystem units)
{
    return readMeasure(QStringLiteral("Weight"), text, EMeasure::Mass,
                       units == EUnitSystem::Imperial ? QStringLiteral("oz") : QStringLiteral("g"));
}

CMeasureReading readRocketDiameter(const QString &text, EUnitSystem units)
{
    return readMeasure(QStringLiteral("Diameter"), text, EMeasure::Length,
                       units == EUnitSystem::Imperial ? QStringLiteral("in") : QStringLiteral("mm"));
}
