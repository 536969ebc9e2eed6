#include "flights/FlightPrediction.h"

#include <cmath>

namespace {
QString cdNumber(double cd)
{
    return QString::number(cd, 'g', 3);
}
} // namespace

QString flightPredictionText(const CFlightCdFit &fit, EHeightUnit unit)
{
    if (!fit.ok())
        return QStringLiteral("No prediction: ") + fit.error;
    QString text;
    if (fit.prediction.flown) {
        const double predicted = fit.prediction.apogeeM;
        const double recorded = fit.flight.apogeeM;
        text = QStringLiteral("Predicted %1, recorded %2")
                   .arg(formatHeight(predicted, unit), formatHeight(recorded, unit));
        if (predicted > 0) {
            text += QStringLiteral(" (%1%2 %)")
                        .arg(recorded >= predicted ? QStringLiteral("+") : QString())
                        .arg(std::lround((recorded - predicted) / predicted * 100));
        }
    } else {
        text = QStringLiteral("Not predicted to fly: ") + fit.prediction.texts().join(QStringLiteral("; "));
    }
    text += QStringLiteral("; ") + fit.rocket.cd.text() + QLatin1Char('.');
    text += fit.fit.ok() ? QStringLiteral(" With Cd %1 the prediction meets the recording.").arg(cdNumber(fit.fit.cd))
                         : QStringLiteral(" No Cd fits: ") + fit.fit.error;
    return text;
}

QString fitCdQuestion(const CFlightCdFit &fit, EHeightUnit unit)
{
    QString question = QStringLiteral("Keep Cd %1 for %2? With it the prediction meets the recorded %3.")
                           .arg(cdNumber(fit.fit.cd), fit.rocket.name, formatHeight(fit.flight.apogeeM, unit));
    if (fit.rocket.cd.source == ECdSource::Set) {
        question +=
            QStringLiteral("\nThe rocket's own Cd of %1 stays in use while it is set.").arg(cdNumber(fit.rocket.cd.cd));
    } else {
        question += QStringLiteral("\nThe rocket's Cd becomes the median of its fitted flights.");
    }
    return question;
}
