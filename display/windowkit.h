#pragma once

#include <QColor>
#include <QFont>
#include <QMargins>
#include <QPalette>
#include <QRect>
#include <QString>

class QApplication;
class QPushButton;
class QWidget;

// What every window of the game shares: its font, its border, how it comes
// to the front and where it opens, and how its controls are coloured.
namespace WindowKit {

// The windows are designed in "MS Sans Serif" of 11 pixels (and their big
// texts in Arial); fonts with the same metrics stand in for them.
QFont DesignFont();
void UseDesignFont(QApplication& app);

// Gives one of the game's own windows the look it is designed in, whatever
// the desktop's colours and font: light panels with dark text in every colour
// role its controls draw with, and the design font. Both are set on the window
// itself, as a platform theme may set the application's font and colours
// after start; its controls inherit them, the message boxes it opens (windows
// of their own) do not and follow the desktop.
void UseDesignLook(QWidget& window);

// A fixed border with a title and a close button, but no minimise or
// maximise; `type` Qt::Window makes it a window of its own rather than a
// dialog of another window.
Qt::WindowFlags DialogFlags(Qt::WindowType type = Qt::Dialog);

// Shows the window if it is hidden and brings it to the front. At its first
// showing it opens centred over `openOver`, later where the player left it.
void ShowInFront(QWidget& window, const QWidget* openOver = nullptr);

// The border the window manager draws around the window. Before a window
// is first shown it is not known yet; the border of `like`, a window the
// same desktop decorates, stands in for it.
QMargins FrameOf(const QWidget& window, const QWidget* like = nullptr);

// Moves the window, border included, to the centre of the window `over`
// (of its screen while it is hidden), or of the free area of the screen of
// `like`, a window the desktop decorates alike; the top-left corner stays on
// that screen.
void CenterOver(QWidget& window, const QWidget& over);
void CenterOnScreen(QWidget& window, const QWidget* like = nullptr);

void SetColor(QWidget* widget, QPalette::ColorRole role, const QColor& color);

// Which push button Enter clicks: by default only the one marked as
// default, so a key meant for an edit field never runs a command; in a
// window without edit fields, the button that has the focus, as on Windows.
enum class EnterClicks { DefaultButton, FocusedButton };
QPushButton* Button(QWidget* parent, const char* name, const QString& caption, QRect geometry,
                    EnterClicks enter = EnterClicks::DefaultButton);

} // namespace WindowKit
