#include "launch/WindRose.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {
// The rule's coordinates start one pixel left of and 24 above the frame.
constexpr QPoint kRuleOrigin(-1, -24);
// Given room, the picture is shown at up to this many times its size.
constexpr int kPreferredScale = 2;
} // namespace

CWindRose::CWindRose(const CCompassGeometry &geometry, QWidget *parent)
    : QWidget(parent)
    , m_geometry(geometry)
{
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(QStringLiteral("Wind rose"));
    resize(baseSize());
}

QSize CWindRose::baseSize() const
{
    return {m_geometry.width + 1, m_geometry.height + 24};
}

QSize CWindRose::minimumSizeHint() const
{
    return baseSize();
}

QSize CWindRose::sizeHint() const
{
    return baseSize() * kPreferredScale;
}

int CWindRose::heightForWidth(int width) const
{
    return int(std::lround(double(width) * baseSize().height() / baseSize().width()));
}

double CWindRose::scale() const
{
    const QSize base = baseSize();
    return std::max(1e-3, std::min(double(width()) / base.width(), double(height()) / base.height()));
}

QRect CWindRose::frameRect() const
{
    const QSize size = (QSizeF(baseSize()) * scale()).toSize();
    QRect frame(QPoint(0, 0), size);
    frame.moveCenter(rect().center());
    return frame;
}

QPoint CWindRose::compassPoint(const QPoint &position) const
{
    const QPointF inFrame = QPointF(position - frameRect().topLeft()) / scale();
    return QPoint(int(std::floor(inFrame.x())), int(std::floor(inFrame.y()))) + kRuleOrigin;
}

QPoint CWindRose::positionOf(const QPoint &compassPoint) const
{
    // The middle of the scaled pixel, so that the way back gives the same point.
    const QPointF inFrame = (QPointF(compassPoint - kRuleOrigin) + QPointF(0.5, 0.5)) * scale();
    return frameRect().topLeft() + QPoint(int(std::floor(inFrame.x())), int(std::floor(inFrame.y())));
}

void CWindRose::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect frame = frameRect();
    painter.fillRect(frame, Qt::white);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.drawRect(QRectF(frame).adjusted(0.5, 0.5, -0.5, -0.5));
    // Drawn in the rule's own units, scaled to the frame.
    painter.translate(frame.topLeft());
    painter.scale(scale(), scale());
    const QSize base = baseSize();
    const QPointF centre =
        QPointF((m_geometry.west + m_geometry.east) / 2.0, (m_geometry.north + m_geometry.south) / 2.0)
        - QPointF(kRuleOrigin);
    // Arms reach to just short of the frame, leaving room for the letters.
    const qreal longArm =
        std::min({centre.x(), base.width() - centre.x(), centre.y(), base.height() - centre.y()}) - 12;
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
