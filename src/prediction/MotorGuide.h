#pragma once

#include "flightmodel/FlightPrediction.h"
#include "flightmodel/FlightPredictor.h"
#include "prediction/CurveMotors.h"

#include <QString>

#include <chrono>
#include <optional>
#include <vector>

// One motor of the guide, flown in the rocket.
struct CMotorGuideRow
{
    qint64 motorId = 0;
    QString type;
    QString mfg;
    QString impulseClass;
    QString delays;
    std::optional<double> diameterM;
    CFlightPrediction prediction;
};

// Which rows the guide shows: of one impulse class ("G", any case), and of
// the motor mount's size, a motor within 1 mm of the mount's diameter (a
// smaller one needs an adapter; a motor of unknown diameter is not shown).
struct CMotorGuideFilter
{
    QString impulseClass; // empty: every class
    std::optional<double> mountM; // empty: every size

    [[nodiscard]] bool accepts(const CMotorGuideRow &row) const;
};

// Every catalogue motor with a curve flown in one rocket from one site, a
// slice at a time: a screen asks for the next slice from its event loop and
// shows the rows so far, so that it never blocks; the command line asks for
// all at once. Rows come in the catalogue's order.
class CMotorGuide
{
public:
    CMotorGuide(const CRocketBody &rocket, const CLaunchSite &site, std::vector<CCurveMotor> motors, int count = 1);

    // Predicts the next motors until `budget` has passed (at least one), and
    // how many it predicted; 0 once every motor is done.
    std::size_t predictFor(std::chrono::nanoseconds budget);
    void predictAll();

    bool finished() const { return m_rows.size() == m_motors.size(); }
    std::size_t total() const { return m_motors.size(); }
    const std::vector<CMotorGuideRow> &rows() const { return m_rows; }

private:
    CFlightPredictor m_predictor;
    std::vector<CCurveMotor> m_motors;
    int m_count;
    std::vector<CMotorGuideRow> m_rows;
};

// Highest apogee first; a motor that does not fly after every one that does.
void sortByApogee(std::vector<CMotorGuideRow> &rows);
