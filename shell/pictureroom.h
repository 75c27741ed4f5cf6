#pragma once

#include <QSize>

class QMainWindow;

// The largest picture the window can show with all of itself on the screen:
// the screen's free area less the window's frame, menu bar, tool bar and
// status bar. The same before the window's first showing as after it, so a
// picture at start-up is shown as large as one chosen later. On Wayland,
// which tells no free area, room is left for a desktop's panels as well.
QSize PictureRoom(const QMainWindow& window);
