#pragma once

#include <QImage>
#include <QString>

class QPainter;

// A picture file decoded into memory: BMP, JPEG, GIF and PNG.
class CDecodedImage
{
public:
    // True when the file could be decoded; a failed load leaves no picture.
    [[nodiscard]] bool load(const QString &path);
    bool isNull() const { return m_image.isNull(); }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    // Width and height both -1 draw at natural size; otherwise the picture is
    // stretched into the rectangle.
    void draw(QPainter &painter, int x, int y, int width, int height) const;

private:
    QImage m_image;
};
