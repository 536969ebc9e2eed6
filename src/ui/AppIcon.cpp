#include "ui/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
QPixmap drawRocket(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1f, 0x3b, 0x5c));
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    painter.translate(32, 32);
    painter.rotate(35);
    QPainterPath body;
    body.moveTo(0, -24);
    body.cubicTo(7, -16, 7, -6, 6, 12);
    body.lineTo(-6, 12);
    body.cubicTo(-7, -6, -7, -16, 0, -24);
    painter.setBrush(QColor(0xf2, 0xf2, 0xf2));
    painter.drawPath(body);

    painter.setBrush(QColor(0xd9, 0x48, 0x2b));
    QPainterPath fins;
    fins.moveTo(-6, 4);
    fins.lineTo(-13, 16);
    fins.lineTo(-6, 13);
    fins.moveTo(6, 4);
    fins.lineTo(13, 16);
    fins.lineTo(6, 13);
    painter.drawPath(fins);
    painter.drawEllipse(QPointF(0, -8), 3, 3);

    painter.setBrush(QColor(0xff, 0xb3, 0x1a));
    QPainterPath flame;
    flame.moveTo(-4, 13);
    flame.quadTo(0, 28, 4, 13);
    painter.drawPath(flame);
    return pixmap;
}
} // namespace

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(drawRocket(size));
    return icon;
}
