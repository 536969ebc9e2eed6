#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QtCharts/QChartView>

class QBarSet;

// A small chart of counts as horizontal bars, one per label, drawn top to
// bottom in the order given. Only the first bars that fit are drawn, so the
// chart stays readable on a small screen; the table beside it has the rest.
class CBarChart : public QChartView
{
    Q_OBJECT

public:
    explicit CBarChart(QWidget *parent = nullptr);

    void setBars(const QString &title, const QList<QPair<QString, int>> &bars, int maximumBars = 8);
    // The bars drawn, top to bottom.
    QList<QPair<QString, int>> drawnBars() const { return m_drawn; }

private:
    QList<QPair<QString, int>> m_drawn;
};
