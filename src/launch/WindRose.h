#pragma once

#include "launch/WindCompass.h"

#include <QFrame>

// The wind-rose picture: a compass star with N, E, S and W in a bordered frame
// that covers exactly the area where a tap counts, the star centred on the
// middle band. Taps go through it to the screen beneath, which applies the rule.
class CWindRose : public QFrame
{
    Q_OBJECT

public:
    explicit CWindRose(const CCompassGeometry &geometry, QWidget *parent = nullptr);

    // A position in this frame as the compass rule sees it.
    QPoint compassPoint(const QPoint &framePosition) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    CCompassGeometry m_geometry;
};
