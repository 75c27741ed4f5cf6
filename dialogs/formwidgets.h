#pragma once

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The controls of the dialogs, placed by pixel as the dialogs are drawn.
namespace FormWidgets {

void SetColor(QWidget* widget, QPalette::ColorRole role, const QColor& color);
// A label in the dialog's font, bold or not, in the given text colour.
QLabel* Label(QWidget* parent, const QString& text, QRect geometry, bool bold = false,
              const QColor& color = Qt::black, const char* name = nullptr);
// A push button that never becomes the default on its own: Enter presses
// nothing but a button marked as default, so a key meant for an edit field
// never saves or loads a game.
QPushButton* Button(QWidget* parent, const char* name, const QString& caption, QRect geometry);
QLineEdit* Edit(QWidget* parent, const char* name, QRect geometry);
// A panel of a fixed height; inside a group box with a bold caption, its
// buttons and edit fields are not bold.
QWidget* Panel(QWidget* parent, const char* name, int height);
// A group box whose caption alone is bold.
QGroupBox* BoldGroupBox(QWidget* parent, const char* name, const QString& caption, QRect geometry);

} // namespace FormWidgets
