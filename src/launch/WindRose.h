#pragma once

#include "launch/WindCompass.h"

#include <QWidget>

// The wind-rose picture: a compass star with N, E, S and W in a bordered frame
// that covers exactly the area where a tap counts, the star centred on the
// middle band. The frame keeps the counted area's proportions and grows with the
// room it is given, centred in it; the tap rule scales with it. Taps go through
// it to the screen beneath, which applies the rule.
class CWindRose : public QWidget
{
    Q_OBJECT

public:
    explicit CWindRose(const CCompassGeometry &geometry, QWidget *parent = nullptr);

    // A position in this widget as the compass rule sees it, and back.
    QPoint compassPoint(const QPoint &position) const;
    QPoint positionOf(const QPoint &compassPoint) const;
    // Where the frame is drawn: the counted area at the largest scale that fits.
    QRect frameRect() const;

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The frame at scale 1, as the rule's constants describe it.
    QSize baseSize() const;
    double scale() const;

    CCompassGeometry m_geometry;
};
