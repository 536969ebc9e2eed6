#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The picture area of the rocket page and the box a picture is fitted into.
inline constexpr int kPictureAreaWidth = 105;
inline constexpr int kPictureAreaHeight = 217;
inline constexpr int kPictureBoxWidth = 103;
inline constexpr int kPictureBoxHeight = 215;

// Where a width x height picture is drawn inside a box (the handheld's 103 x 215
// unless a larger screen gives more room): scaled by the smaller of the two
// ratios (single precision), sizes truncated, centred, and at least one pixel
// in from the edge.
struct CImageFit
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

CImageFit fitRocketImage(int width, int height, QSize box = QSize(kPictureBoxWidth, kPictureBoxHeight));

// The program's own 60 x 65 placeholder for a rocket without a picture.
QImage defaultRocketPicture();

// What the picture area shows for a rocket: the named file of the storage
// directory fitted into a 105 x 217 image, or the placeholder when there is no
// name, no file or a file that cannot be decoded. A larger area (never a
// smaller one) fits the picture into the room a larger screen gives it.
QImage rocketPicture(const QString &storageDirectory, const QString &imageName,
                     QSize area = QSize(kPictureAreaWidth, kPictureAreaHeight));
