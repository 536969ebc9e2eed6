#pragma once

#include "flights/FlightStats.h"

#include <QDialog>

class CBarChart;
class QLabel;
class QTabWidget;
class QTableView;

// The record of a set of flights: a summary of them all (flights, successes,
// rate, first and last flight), then one tab each for rockets, motors, sites,
// years and months, each a bar chart of the most flown (of the latest years and
// months) above a table of all.
class CFlightStatsDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CFlightStatsDlg(const CFlightStats &stats, QWidget *parent = nullptr);

    QTabWidget *tabs() const { return m_tabs; }
    // The table and the chart of a tab, by its title ("Rockets", "Motors", ...).
    QTableView *table(const QString &tab) const;
    CBarChart *chart(const QString &tab) const;
    QLabel *summary() const { return m_summary; }
    // On a desktop, tall enough for the chart of every tab to draw all its bars.
    QSize sizeHint() const override;

private:
    QTabWidget *m_tabs = nullptr;
    QLabel *m_summary = nullptr;
};
