#include "flightmodel/FlightPrediction.h"

#include <algorithm>

bool CFlightPrediction::has(EFlightWarning kind) const
{
    return std::any_of(warnings.begin(), warnings.end(),
                       [kind](const CFlightWarning &warning) { return warning.kind == kind; });
}

QStringList CFlightPrediction::texts() const
{
    if (!error.isEmpty())
        return {error};
    QStringList list;
    for (const CFlightWarning &warning : warnings)
        list.append(warning.text);
    return list;
}
