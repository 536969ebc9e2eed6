#pragma once

#include "flights/FlightStats.h"

#include <QDialog>

class CBarChart;
class QTabWidget;
class QTableView;

// The record of a set of flights: one tab each for rockets, motors, sites,
// years and months, each a small bar chart of the most flown above a table of all.
class CFlightStatsDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CFlightStatsDlg(const CFlightStats &stats, QWidget *parent = nullptr);

    QTabWidget *tabs() const { return m_tabs; }
    // The table and the chart of a tab, by its title ("Rockets", "Motors", ...).
    QTableView *table(const QString &tab) const;
    CBarChart *chart(const QString &tab) const;

private:
    QTabWidget *m_tabs = nullptr;
};
