#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

// The controls of the dialogs, placed by pixel as the dialogs are drawn;
// their push buttons come from the window kit.
namespace FormWidgets {

// A label in the dialog's font, bold or not, in the given text colour.
QLabel* Label(QWidget* parent, const QString& text, QRect geometry, bool bold = false,
              const QColor& color = Qt::black, const char* name = nullptr);
QLineEdit* Edit(QWidget* parent, const char* name, QRect geometry);
// A panel of a fixed height; inside a group box with a bold caption, its
// buttons and edit fields are not bold.
QWidget* Panel(QWidget* parent, const char* name, int height);
// A group box whose caption alone is bold.
QGroupBox* BoldGroupBox(QWidget* parent, const char* name, const QString& caption, QRect geometry);

} // namespace FormWidgets
