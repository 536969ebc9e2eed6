#include "launch/WindRose.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {
// The rule's coordinates start one pixel left of and 24 above the frame.
constexpr QPoint kRuleOrigin(-1, -24);
} // namespace

CWindRose::CWindRose(const CCompassGeometry &geometry, QWidget *parent)
    : QFrame(parent)
    , m_geometry(geometry)
{
    setFrameShape(QFrame::Box);
    setFixedSize(geometry.width + 1, geometry.height + 24);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(QStringLiteral("Wind rose"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
}

QPoint CWindRose::compassPoint(const QPoint &framePosition) const
{
    return framePosition + kRuleOrigin;
}

void CWindRose::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre =
        QPointF((m_geometry.west + m_geometry.east) / 2.0, (m_geometry.north + m_geometry.south) / 2.0)
        - QPointF(kRuleOrigin);
    // Arms reach to just short of the frame, leaving room for the letters.
    const qreal longArm = std::min({centre.x(), width() - centre.x(), centre.y(), height() - centre.y()}) - 12;
    const qreal shortArm = longArm / 4;
    QPainterPath star;
    star.moveTo(centre + QPointF(0, -longArm));
    star.lineTo(centre + QPointF(shortArm, -shortArm));
    star.lineTo(centre + QPointF(longArm, 0));
    star.lineTo(centre + QPointF(shortArm, shortArm));
    star.lineTo(centre + QPointF(0, longArm));
    star.lineTo(centre + QPointF(-shortArm, shortArm));
    star.lineTo(centre + QPointF(-longArm, 0));
    star.lineTo(centre + QPointF(-shortArm, -shortArm));
    star.closeSubpath();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::black);
    painter.drawPath(star);
    QFont font = painter.font();
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    const qreal letter = 12;
    const qreal reach = longArm + letter / 2 + 1;
    auto drawLetter = [&](const QPointF &at, const QString &text) {
        painter.drawText(QRectF(at.x() - letter / 2, at.y() - letter / 2, letter, letter), Qt::AlignCenter, text);
    };
    drawLetter(centre + QPointF(0, -reach), QStringLiteral("N"));
    drawLetter(centre + QPointF(0, reach), QStringLiteral("S"));
    drawLetter(centre + QPointF(-reach, 0), QStringLiteral("W"));
    drawLetter(centre + QPointF(reach, 0), QStringLiteral("E"));
}
