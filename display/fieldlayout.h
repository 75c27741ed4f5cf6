#pragma once

#include <QRect>
#include <QSize>

// Square cells as large as fit into the background area, and the rectangle
// the cells take in it. A cell size of 0 (an area narrower than the columns
// or lower than the rows) gives an empty cell area.
struct FieldLayout {
    int cellSize;
    QRect cells;
};

// The cells' size is centred on the area and a frame of `frame` pixels is
// put on their top-left, so framed cells lie that far right and below the
// centre; where that would push them past the area's right or bottom edge,
// they move back just enough that every cell can be seen and clicked.
FieldLayout LayoutCells(QSize area, int cols, int rows, int frame = 0);
