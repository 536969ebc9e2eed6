#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QtCharts/QChartView>

class QBarSet;

// A chart of counts as horizontal bars, one per label, drawn top to bottom in
// the order given: as many of the first as its height lets be read, up to a
// number of bars, and its title says when that is not all of them. Every label
// keeps its own bar: labels that read alike are told apart ("Alpha (2)"), as
// the category axis would otherwise merge them. A label too long for the
// screen is elided where it is drawn only: the tooltip of its bar and the
// chart's accessible description give each label in full with its count. The
// count axis has a tick at every whole step of 1, 2, 5, 10, 20 ... that keeps
// it to a few labels.
class CBarChart : public QChartView
{
    Q_OBJECT

public:
    explicit CBarChart(QWidget *parent = nullptr);

    // part names the bars drawn when they are not all ("the %1 most flown"):
    // the title then ends ", the 8 most flown of 23".
    void setBars(const QString &title, const QList<QPair<QString, int>> &bars,
                 const QString &part = QStringLiteral("the first %1"), int maximumBars = kDefaultBars);
    // The bars drawn, top to bottom, with the labels they are drawn with.
    QList<QPair<QString, int>> drawnBars() const { return m_drawn; }

    // Tall enough for the most bars it draws to be read, and for a few when squeezed.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr int kDefaultBars = 8;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // The height of one bar with its label.
    int barHeight() const;
    int heightFor(int bars) const;
    // The most height the chart takes: its bars', and on a desktop no less than a plot's.
    int tallest() const;
    void fitBarWidth();
    // How many bars the chart's height lets be read.
    int barsThatFit() const;
    void draw(int count);

    QString m_title;
    QString m_part;
    QList<QPair<QString, int>> m_bars;
    int m_maximumBars = kDefaultBars;
    QList<QPair<QString, int>> m_drawn;
};

// The step between ticks of a count axis reaching at least largest: the
// smallest of 1, 2, 5, 10, 20, 50 ... that needs at most maximumSteps steps.
int countAxisStep(int largest, int maximumSteps = 5);
