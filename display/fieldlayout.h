#pragma once

#include <QRect>
#include <QSize>

// Square cells as large as fit into the background area, and the rectangle
// of the cell area centred on it. A cell size of 0 (an area narrower than
// the columns or lower than the rows) gives an empty cell area.
struct FieldLayout {
    int cellSize;
    QRect cells;
};

FieldLayout LayoutCells(QSize area, int cols, int rows);

// The size a picture is stretched to in a preview area: the area's width,
// or its height when the picture is taller than wide, the other side in
// proportion, cut towards zero.
QSize PreviewSize(QSize picture, QSize area);
// The size a picture is shown at: its own when it fits into `room` (any
// size fits an invalid room), otherwise the largest that fits with the
// picture's proportions kept, yet never less than one pixel either way.
QSize FittedSize(QSize picture, QSize room);
