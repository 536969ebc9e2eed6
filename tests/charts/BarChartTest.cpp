// Bar charts read back from their own Qt Charts objects: the categories on
// the axis, the values of the bars and the ticks of the count axis.
#include "charts/BarChart.h"

#include "support/LayoutAudit.h"
#include "ui/FormFactor.h"

#include <QDialog>
#include <QTest>
#include <QVBoxLayout>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSet>
#include <QtCharts/QHorizontalBarSeries>
#include <QtCharts/QValueAxis>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using CBars = QList<QPair<QString, int>>;

// The bars as drawn, top to bottom: the axis lists its categories bottom up.
CBars barsOnTheAxis(CBarChart &chart)
{
    auto *axis = qobject_cast<QBarCategoryAxis *>(chart.chart()->axes(Qt::Vertical).value(0));
    auto *series = qobject_cast<QHorizontalBarSeries *>(chart.chart()->series().value(0));
    if (!axis || !series || series->barSets().size() != 1) {
        ADD_FAILURE() << "no category axis or bar series";
        return {};
    }
    const QBarSet *set = series->barSets().at(0);
    CBars bars;
    for (qsizetype i = axis->count() - 1; i >= 0; --i)
        bars.append({axis->at(i), int(set->at(i))});
    return bars;
}

// Every tick of the count axis, from its range and tick count.
QList<double> ticks(CBarChart &chart)
{
    auto *axis = qobject_cast<QValueAxis *>(chart.chart()->axes(Qt::Horizontal).value(0));
    if (!axis || axis->tickType() != QValueAxis::TicksFixed || axis->tickCount() < 2) {
        ADD_FAILURE() << "no count axis of fixed ticks";
        return {};
    }
    QList<double> values;
    for (int i = 0; i < axis->tickCount(); ++i)
        values.append(axis->min() + i * (axis->max() - axis->min()) / (axis->tickCount() - 1));
    return values;
}

TEST(BarChart, CountAxisStepsAreWholeAndFew)
{
    // The smallest of 1, 2, 5, 10, 20 ... of which five steps reach the largest count.
    const std::pair<int, int> steps[] = {{0, 1},  {3, 1},  {5, 1},   {6, 2},      {10, 2},
                                         {11, 5}, {25, 5}, {26, 10}, {1000, 200}, {1001, 500}};
    for (const auto &[largest, step] : steps)
        EXPECT_EQ(countAxisStep(largest), step) << largest;
}

// Labels that read alike, or alike once shortened, each keep their bar and
// their full text; the ticks fall on whole counts.
TEST(BarChart, EveryLabelKeepsItsBarAndItsFullName)
{
    const QString longName = QStringLiteral("Estes Alpha III with the payload section and a streamer");
    const CBars bars = {{QStringLiteral("Estes Alpha III"), 7},
                        {QStringLiteral("Estes Alpha III Deluxe"), 5},
                        {longName, 3},
                        {QStringLiteral("Bravo"), 2},
                        {QStringLiteral("Bravo"), 1}};
    CBarChart chart;
    chart.resize(500, 400);
    chart.setBars(QStringLiteral("Flights per rocket"), bars);
    chart.show();

    CBars expected = bars;
    expected[4].first = QStringLiteral("Bravo (2)");
    EXPECT_EQ(barsOnTheAxis(chart), expected);
    EXPECT_EQ(chart.drawnBars(), expected);
    EXPECT_EQ(chart.chart()->title(), QStringLiteral("Flights per rocket"));
    // 7 flights: steps of 2 up to 8.
    EXPECT_EQ(ticks(chart), QList<double>({0, 2, 4, 6, 8}));

    // The full text of a bar, and of every bar, where a reader finds it.
    auto *series = qobject_cast<QHorizontalBarSeries *>(chart.chart()->series().value(0));
    ASSERT_NE(series, nullptr);
    emit series->hovered(true, 2, series->barSets().at(0)); // bottom up: the third from the bottom
    EXPECT_EQ(chart.toolTip(), longName + QStringLiteral(": 3"));
    for (const auto &[label, count] : expected)
        EXPECT_TRUE(chart.accessibleDescription().contains(QStringLiteral("%1: %2").arg(label).arg(count)))
            << qPrintable(label);

    // On a narrow screen the long name is shortened where it is drawn, and only there.
    chart.resize(240, 400);
    chart.grab();
    EXPECT_TRUE(chart.chart()->axes(Qt::Vertical).value(0)->labelsTruncated());
    EXPECT_EQ(barsOnTheAxis(chart), expected);

    // Bars set again replace the axes: the old ones are gone, not kept unowned.
    int destroyed = 0;
    const QList<QAbstractAxis *> old = chart.chart()->axes();
    ASSERT_EQ(old.size(), 2);
    for (QAbstractAxis *axis : old)
        QObject::connect(axis, &QObject::destroyed, [&destroyed] { ++destroyed; });
    chart.setBars(QStringLiteral("Flights per rocket"), bars);
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(chart.chart()->axes().size(), 2);
}

// A chart too low for all its bars draws the first that can be read and says
// so in its title; given its height back, it draws them all.
TEST(BarChart, DrawsTheBarsItsHeightLetsBeRead)
{
    CBars bars;
    for (int i = 0; i < 12; ++i)
        bars.append({QStringLiteral("Site %1").arg(i + 1), 40 - i});
    CBarChart chart;
    chart.setBars(QStringLiteral("Flights per site"), bars, QStringLiteral("the %1 most flown"), 8);
    chart.resize(400, chart.minimumSizeHint().height());
    chart.show();
    const CBars few = barsOnTheAxis(chart);
    ASSERT_GE(few.size(), 3);
    ASSERT_LT(few.size(), 8);
    EXPECT_EQ(few, bars.mid(0, few.size()));
    EXPECT_EQ(chart.chart()->title(), QStringLiteral("Flights per site, the %1 most flown of 12").arg(few.size()));
    chart.grab(); // lays the labels out
    EXPECT_FALSE(chart.chart()->axes(Qt::Vertical).value(0)->labelsTruncated());

    chart.resize(400, chart.sizeHint().height());
    chart.grab();
    EXPECT_EQ(barsOnTheAxis(chart), bars.mid(0, 8));
    EXPECT_EQ(chart.chart()->title(), QStringLiteral("Flights per site, the 8 most flown of 12"));
    EXPECT_FALSE(chart.chart()->axes(Qt::Vertical).value(0)->labelsTruncated());
    // 40 flights: steps of 10.
    EXPECT_EQ(ticks(chart), QList<double>({0, 10, 20, 30, 40}));
    for (const double tick : ticks(chart))
        EXPECT_EQ(tick, std::round(tick));
}

// Two bars on a desktop: a chart as tall as the other plots, its bars no
// thicker than a label's line; on the handheld no taller than its bars need.
TEST(BarChart, AsTallAsAPlotOnADesktopAndSizedToItsBarsOnTheHandheld)
{
    QDialog window;
    auto *chart = new CBarChart(&window);
    chart->setBars(QStringLiteral("Flights per rocket"), {{QStringLiteral("Alpha"), 3}, {QStringLiteral("Bertha"), 1}});
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(chart);
    applyFormFactor(&window);
    if (!showOnReferenceScreen(&window, ReferenceScreen::Desktop))
        GTEST_SKIP() << "the desktop reference screen is not available";
    EXPECT_TRUE(QTest::qWaitFor([&] { return chart->height() >= 240; })) << chart->height();
    auto *series = qobject_cast<QHorizontalBarSeries *>(chart->chart()->series().value(0));
    ASSERT_NE(series, nullptr);
    // Half the height each; a line of small text is under 40 px.
    EXPECT_LE(series->barWidth() * chart->height() / 2, 40);
    EXPECT_EQ(auditDesktopFit(&window), QStringList());

    ASSERT_TRUE(showOnReferenceScreen(&window, ReferenceScreen::Compact));
    EXPECT_TRUE(QTest::qWaitFor([&] { return chart->maximumHeight() < 240; })) << chart->maximumHeight();
}

} // namespace
