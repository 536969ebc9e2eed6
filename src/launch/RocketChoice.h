#pragma once

#include <QString>

// The rocket and motor the wizard's first page shows, in the form the flight
// takes them.
struct CRocketChoice
{
    bool rocketShown = false; // false: the catalogue is empty, or no rocket is stepped to
    QString rocketId; // Rockets.ID as text, "0" for none
    QString name;
    QString checklist; // the rocket's checklist text
    QString expectedAltitude; // as typed for the chosen motor
    QString motor;
    QString motorMfg; // empty while no motor is chosen
    QString motorDelay;
};
