#include "fieldlayout.h"

#include <algorithm>

FieldLayout LayoutCells(QSize area, int cols, int rows)
{
    const int cell = std::max(0, std::min(area.width() / std::max(cols, 1), area.height() / std::max(rows, 1)));
    const QSize size(cols * cell, rows * cell);
    return {cell, QRect(QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2), size)};
}

QSize PreviewSize(QSize picture, QSize area)
{
    // Integer arithmetic cuts the exact quotient, where a floating one may
    // fall just short.
    const int w = picture.width();
    const int h = picture.height();
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
