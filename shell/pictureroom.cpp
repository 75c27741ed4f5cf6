#include "pictureroom.h"

#include "windowkit.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

QSize PictureRoom(const QMainWindow& window)
{
    const QSize screen = window.screen()->availableGeometry().size();
    const QMargins frame = WindowKit::FrameOf(window);
    // The bars' own wishes, which their heights become once the window is
    // laid out; before its first showing they still have Qt's first guess.
    int bars = window.menuBar()->sizeHint().height() + window.statusBar()->height();
    for (const QToolBar* toolBar : window.findChildren<QToolBar*>())
        bars += toolBar->sizeHint().height();
    return screen.shrunkBy(frame) - QSize(0, bars);
}
