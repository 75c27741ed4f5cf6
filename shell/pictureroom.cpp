#include "pictureroom.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

namespace {

// A title bar and thin borders, as most desktops draw them.
constexpr QSize UsualFrame(16, 40);

} // namespace

QSize PictureRoom(const QMainWindow& window)
{
    const QSize screen = window.screen()->availableGeometry().size();
    const QSize frame = window.isVisible() ? window.frameGeometry().size() - window.geometry().size() : UsualFrame;
    int bars = window.menuBar()->sizeHint().height() + window.statusBar()->height();
    for (const QToolBar* toolBar : window.findChildren<QToolBar*>())
        bars += toolBar->height();
    return screen - frame - QSize(0, bars);
}
