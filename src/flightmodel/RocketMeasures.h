#pragma once

#include <QLocale>
#include <QString>

// The units a flyer writes numbers in when writing no unit.
enum class EUnitSystem { Metric, Imperial };

// Imperial where the locale measures in US units, metric elsewhere (British
// flyers weigh rockets in grams).
EUnitSystem unitSystemForLocale(const QLocale &locale);

enum class EMeasure { Mass, Length };

// A measure read from a free-text field, in kg or m, or why it could not be
// read: the field and its text named, and how to write it.
struct CMeasureReading
{
    double value = 0;
    QString error;

    [[nodiscard]] bool ok() const { return error.isEmpty(); }
};

// Reads a number with its unit, or several that add up ("1 lb 4 oz", "5' 3\""),
// in any case, with or without a blank before the unit; a number may be a
// fraction ("5/8", "1 5/8", "1-5/8"). Masses: g, kg, oz, lb (and lbs, grams,
// ounces, pounds...); lengths: mm, cm, m, in, ", ft, ' (and inch, feet...).
// A lone number without a unit is in bareUnit (one of those). Anything else,
// a decimal comma included, is refused, never guessed; so is a measure of 0
// or less.
[[nodiscard]] CMeasureReading readMeasure(const QString &field, const QString &text, EMeasure measure,
                                          const QString &bareUnit);

// The rocket's Weight (without motor), a bare number in g or oz.
[[nodiscard]] CMeasureReading readRocketWeight(const QString &text, EUnitSystem units);
// The rocket's Diameter, a bare number in mm or in.
[[nodiscard]] CMeasureReading readRocketDiameter(const QString &text, EUnitSystem units);
