#pragma once

#include <QString>

// The fixed texts of the main window and the about box.

inline constexpr char kVersionLabel[] = "BETA V0.2";
inline constexpr char kWelcomeText[] = "Welcome to Tarvel!";

// The credits shown under the welcome text unless the user turned them off.
QString bannerText();

// The longer credits of the about box.
QString aboutText();
