#include "pictureroom.h"

#include "windowkit.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>

namespace {

// A Wayland desktop tells a window nothing of its panels (the free area is
// the whole output), so room is left for the usual ones: a top bar of 32
// points, a dock or task bar of 44 (a GNOME or Plasma desktop's own).
constexpr int WaylandPanels = 48;
// Nor is the window's own title bar known before its first showing; Qt's
// own decoration takes 3, 30, 3 and 3 points, a desktop's may take more, which
// is taken once it is seen.
constexpr QMargins WaylandTitleBar(4, 36, 4, 4);

} // namespace

QSize PictureRoom(const QMainWindow& window)
{
    QSize screen = window.screen()->availableGeometry().size();
    QMargins frame = WindowKit::FrameOf(window);
    if (QGuiApplication::platformName().startsWith("wayland")) {
        screen.rheight() -= WaylandPanels;
        frame = QMargins(std::max(frame.left(), WaylandTitleBar.left()), std::max(frame.top(), WaylandTitleBar.top()),
                         std::max(frame.right(), WaylandTitleBar.right()),
                         std::max(frame.bottom(), WaylandTitleBar.bottom()));
    }
    // The bars' own wishes, which their heights become once the window is
    // laid out; before its first showing they still have Qt's first guess.
    int bars = window.menuBar()->sizeHint().height() + window.statusBar()->height();
    for (const QToolBar* toolBar : window.findChildren<QToolBar*>())
        bars += toolBar->sizeHint().height();
    return screen.shrunkBy(frame) - QSize(0, bars);
}
