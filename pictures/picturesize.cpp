#include "picturesize.h"

QSize PreviewSize(QSize picture, QSize area)
{
    // Integer arithmetic cuts the exact quotient, where a floating one may
    // fall just short.
    const int w = picture.width();
    const int h = picture.height();
    if (w <= 0 || h <= 0)
        return {0, 0};
    if (h > w)
        return {int(qint64(w) * area.height() / h), area.height()};
    return {area.width(), int(qint64(h) * area.width() / w)};
}

QSize FittedSize(QSize picture, QSize room)
{
    if (!room.isValid() || (picture.width() <= room.width() && picture.height() <= room.height()))
        return picture;
    return picture.scaled(room, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}
