#pragma once

#include <QString>

// Fills a new logbook in the storage directory with a few rockets, recommended
// motors, motors and flights, so that every screen has something to show.
[[nodiscard]] bool createSampleLogbook(const QString &storageDirectory);
