#pragma once

#include <QString>

#include <functional>

class CPropertyPage;
class CRecordStore;

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

// The wizard's first page, where the flyer steps to a rocket and picks its
// motor. The rocket catalogue builds it, so the launch screen needs none of
// the catalogue's screens: it adds the page to its sheet and reads the choice.
struct CRocketStep
{
    CPropertyPage *page = nullptr; // handed to the sheet, which owns it
    std::function<CRocketChoice()> choice; // what the page shows now
};

// Builds the page on the flight's open logbook; flyIt runs when the flyer
// takes the rocket shown ("Fly It").
using CRocketStepMaker = std::function<CRocketStep(CRecordStore &store, std::function<void()> flyIt)>;
