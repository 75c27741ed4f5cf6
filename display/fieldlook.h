#pragma once

#include <QPoint>

// Everything a painted cell depends on besides its own content and the
// picture: the play field owns it, its painter paints with it and the draw
// state remembers what the surface was painted with.
struct FieldLook {
    int cellSize = 0;
    // The sunken grid between empty cells, and the field's frame.
    bool showGrid = true;
    // Where the surface's point (0, 0) lies on the background picture.
    QPoint offset;
    // Device pixels a point, on the screen the field is shown on: the cells
    // keep their design in points, each point a block of device pixels, and
    // the picture under empty cells shows every device pixel it has.
    int ratio = 1;
};
