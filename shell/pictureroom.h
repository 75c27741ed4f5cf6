#pragma once

#include <QSize>

class QMainWindow;

// The largest picture the window can show with all of itself on the screen:
// the screen's free area less the window's frame, menu bar, tool bar and
// status bar. Before the window is first shown its frame is not known yet,
// so a usual one is allowed for.
QSize PictureRoom(const QMainWindow& window);
