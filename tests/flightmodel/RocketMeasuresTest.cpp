// A rocket's Weight and Diameter as flyers type them, read in kg and m by the
// exact definitions of the units (1 oz = 28.349523125 g, 1 lb = 453.59237 g,
// 1 in = 25.4 mm), and what cannot be read refused by name.
#include "flightmodel/RocketMeasures.h"

#include <gtest/gtest.h>

namespace {
double weight(const char *text, EUnitSystem units = EUnitSystem::Metric)
{
    const CMeasureReading reading = readRocketWeight(QString::fromUtf8(text), units);
    EXPECT_TRUE(reading.ok()) << text << ": " << reading.error.toStdString();
    return reading.value;
}

double diameter(const char *text, EUnitSystem units = EUnitSystem::Metric)
{
    const CMeasureReading reading = readRocketDiameter(QString::fromUtf8(text), units);
    EXPECT_TRUE(reading.ok()) << text << ": " << reading.error.toStdString();
    return reading.value;
}
} // namespace

TEST(RocketMeasures, MassesInEveryUnitAndBareNumbersInTheChosenOne)
{
    EXPECT_DOUBLE_EQ(weight("85 g"), 0.085);
    EXPECT_DOUBLE_EQ(weight("85g"), 0.085);
    EXPECT_DOUBLE_EQ(weight(" 1.2 KG "), 1.2);
    EXPECT_DOUBLE_EQ(weight("3 oz"), 3 * 0.028349523125);
    EXPECT_DOUBLE_EQ(weight("3.5 oz."), 3.5 * 0.028349523125);
    EXPECT_DOUBLE_EQ(weight("2 lbs"), 2 * 0.45359237);
    EXPECT_DOUBLE_EQ(weight("1 lb 4 oz"), 0.45359237 + 4 * 0.028349523125);
    EXPECT_DOUBLE_EQ(weight("1 1/2 lb"), 1.5 * 0.45359237);
    EXPECT_DOUBLE_EQ(weight(".5 kilograms"), 0.5);
    EXPECT_DOUBLE_EQ(weight("85"), 0.085);
    EXPECT_DOUBLE_EQ(weight("3", EUnitSystem::Imperial), 3 * 0.028349523125);
    EXPECT_DOUBLE_EQ(weight("85 g", EUnitSystem::Imperial), 0.085); // a written unit wins
}

TEST(RocketMeasures, LengthsInEveryUnitAndBareNumbersInTheChosenOne)
{
    EXPECT_DOUBLE_EQ(diameter("41 mm"), 0.041);
    EXPECT_DOUBLE_EQ(diameter("4.1cm"), 0.041);
    EXPECT_DOUBLE_EQ(diameter("0.098 m"), 0.098);
    EXPECT_DOUBLE_EQ(diameter("1.64 in"), 1.64 * 0.0254);
    EXPECT_DOUBLE_EQ(diameter("2.6\""), 2.6 * 0.0254);
    EXPECT_DOUBLE_EQ(diameter("1 5/8 inches"), 1.625 * 0.0254);
    EXPECT_DOUBLE_EQ(diameter("1-5/8\""), 1.625 * 0.0254);
    EXPECT_DOUBLE_EQ(diameter("5/8 in"), 0.625 * 0.0254);
    EXPECT_DOUBLE_EQ(diameter("41"), 0.041);
    EXPECT_DOUBLE_EQ(diameter("1.64", EUnitSystem::Imperial), 1.64 * 0.0254);
    EXPECT_EQ(unitSystemForLocale(QLocale(QLocale::English, QLocale::UnitedStates)), EUnitSystem::Imperial);
    EXPECT_EQ(unitSystemForLocale(QLocale(QLocale::English, QLocale::UnitedKingdom)), EUnitSystem::Metric);
    EXPECT_EQ(unitSystemForLocale(QLocale(QLocale::German, QLocale::Germany)), EUnitSystem::Metric);
}

TEST(RocketMeasures, WhatIsNotAMeasureIsNamedNeverGuessed)
{
    EXPECT_EQ(readRocketWeight(QStringLiteral("heavy"), EUnitSystem::Metric).error,
              QStringLiteral("Weight 'heavy' is not a mass: write it as 85 g or 3 oz"));
    EXPECT_EQ(readRocketDiameter(QStringLiteral("wide"), EUnitSystem::Imperial).error,
              QStringLiteral("Diameter 'wide' is not a length: write it as 41 mm or 1.6 in"));
    EXPECT_EQ(readRocketWeight(QStringLiteral("  "), EUnitSystem::Metric).error,
              QStringLiteral("Weight is empty: write it as 85 g or 3 oz"));
    EXPECT_EQ(readRocketWeight(QStringLiteral("0 g"), EUnitSystem::Metric).error,
              QStringLiteral("Weight '0 g' must be more than 0: write it as 85 g or 3 oz"));
    // A length for a mass, a decimal comma or a thousands comma, a number
    // without its unit beside one with, two points, no number, overflow.
    for (const char *text : {"85 mm", "2,5 g", "1,200 g", "1 lb 4", "85 gg", "1.2.3 g", "g", "-5 g", "1e3 g", "85/0 g",
                             "NaN", "inf g", "1 g 5 mm"}) {
        const CMeasureReading reading = readRocketWeight(QString::fromUtf8(text), EUnitSystem::Metric);
        EXPECT_FALSE(reading.ok()) << text;
        EXPECT_TRUE(reading.error.startsWith(QStringLiteral("Weight '"))) << text;
    }
    EXPECT_FALSE(readRocketWeight(QString(400, QLatin1Char('9')) + QStringLiteral(" kg"), EUnitSystem::Metric).ok());
    EXPECT_FALSE(readRocketDiameter(QStringLiteral("3 oz"), EUnitSystem::Metric).ok());
}
