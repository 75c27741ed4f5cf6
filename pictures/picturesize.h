#pragma once

#include <QSize>

// The size a picture is stretched to in a preview area: the area's width,
// or its height when the picture is taller than wide, the other side in
// proportion, cut towards zero. An empty picture gives an empty size.
QSize PreviewSize(QSize picture, QSize area);
// The size a picture is shown at: its own when it fits into `room` (any
// size fits an invalid room), otherwise the largest that fits with the
// picture's proportions kept, yet never less than one pixel either way.
QSize FittedSize(QSize picture, QSize room);
