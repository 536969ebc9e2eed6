#include "rockets/RocketImage.h"

#include "rockets/DecodedImage.h"

#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

CImageFit fitRocketImage(int width, int height, QSize box)
{
    CImageFit fit;
    if (width <= 0 || height <= 0 || box.isEmpty())
        return fit;
    const float scale = std::min(float(box.width()) / float(width), float(box.height()) / float(height));
    const float drawnWidth = scale * float(width);
    const float drawnHeight = scale * float(height);
    fit.width = int(drawnWidth);
    fit.height = int(drawnHeight);
    fit.x = std::max(1, int((float(box.width()) - drawnWidth) * 0.5f));
    fit.y = std::max(1, int((float(box.height()) - drawnHeight) * 0.5f));
    return fit;
}

QImage defaultRocketPicture()
{
    QImage image(60, 65, QImage::Format_RGB32);
    image.fill(QColor(0xdd, 0xe8, 0xf4));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Launch rail and ground.
    painter.fillRect(QRect(0, 58, 60, 7), QColor(0x6b, 0x8e, 0x4e));
    painter.setPen(QPen(QColor(0x55, 0x55, 0x55), 1));
    painter.drawLine(QPointF(40.5, 8), QPointF(40.5, 58));
    // Body tube, nose cone and fins of an upright rocket.
    const QColor body(0xf0, 0xf0, 0xf0);
    const QColor trim(0xc0, 0x30, 0x30);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    painter.setBrush(body);
    painter.drawRect(QRectF(25.5, 20.5, 10, 30));
    QPainterPath nose;
    nose.moveTo(25.5, 20.5);
    nose.quadTo(30.5, 4, 35.5, 20.5);
    nose.closeSubpath();
    painter.setBrush(trim);
    painter.drawPath(nose);
    QPainterPath fins;
    fins.moveTo(25.5, 40.5);
    fins.lineTo(18.5, 53.5);
    fins.lineTo(25.5, 50.5);
    fins.closeSubpath();
    fins.moveTo(35.5, 40.5);
    fins.lineTo(42.5, 53.5);
    fins.lineTo(35.5, 50.5);
    fins.closeSubpath();
    painter.drawPath(fins);
    painter.fillRect(QRectF(26, 30, 9, 3), trim);
    // Exhaust.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xf5, 0xa6, 0x23));
    painter.drawEllipse(QRectF(27.5, 51, 6, 6));
    return image;
}

QImage rocketPicture(const QString &storageDirectory, const QString &imageName, QSize area)
{
    const QString path = storageDirectory + imageName;
    if (imageName.isEmpty() || !QFileInfo(path).isFile())
        return defaultRocketPicture();
    CDecodedImage decoded;
    if (!decoded.load(path))
        return defaultRocketPicture();
    // The box keeps the handheld's one-pixel border inside the area.
    const QSize size = area.expandedTo(QSize(kPictureAreaWidth, kPictureAreaHeight));
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const CImageFit fit = fitRocketImage(decoded.width(), decoded.height(), size - QSize(2, 2));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    decoded.draw(painter, fit.x, fit.y, fit.width, fit.height);
    return picture;
}
