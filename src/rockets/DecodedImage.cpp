#include "rockets/DecodedImage.h"

#include <QImageReader>
#include <QPainter>

bool CDecodedImage::load(const QString &path)
{
    QImageReader reader(path);
    // Pictures over 10000 pixels a side are refused: no rocket photo is that
    // large, and a hostile header must not ask for gigabytes.
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > 10000 || size.height() > 10000)) {
        m_image = QImage();
        return false;
    }
    m_image = reader.read();
    return !m_image.isNull();
}

void CDecodedImage::draw(QPainter &painter, int x, int y, int width, int height) const
{
    if (m_image.isNull())
        return;
    if (width == -1 && height == -1)
        painter.drawImage(QPoint(x, y), m_image);
    else
        painter.drawImage(QRect(x, y, width, height), m_image);
}
