#pragma once

#include "launch/RocketChoice.h"

#include <functional>

class CPropertyPage;
class CRecordStore;

// The wizard's first page, where the flyer steps to a rocket and picks its
// motor. The program makes it of the rocket catalogue's own page, so the launch
// screen needs none of the catalogue's screens: it adds the page to its sheet
// and reads the choice.
struct CRocketStep
{
    CPropertyPage *page = nullptr; // handed to the sheet, which owns it
    std::function<CRocketChoice()> choice; // what the page shows now
};

// Builds the page on the flight's open logbook; flyIt runs when the flyer
// takes the rocket shown ("Fly It"); temperatureC gives the weather's
// temperature at the pad in °C, which the page predicts the flight in.
using CRocketStepMaker =
    std::function<CRocketStep(CRecordStore &store, std::function<void()> flyIt, std::function<double()> temperatureC)>;
