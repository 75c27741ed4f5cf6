#include "formwidgets.h"

#include "windowkit.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace FormWidgets {

QLabel* Label(QWidget* parent, const QString& text, QRect geometry, bool bold, const QColor& color, const char* name)
{
    auto* label = new QLabel(text, parent);
    if (name)
        label->setObjectName(name);
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    label->setGeometry(geometry);
    WindowKit::SetColor(label, QPalette::WindowText, color);
    return label;
}

QLineEdit* Edit(QWidget* parent, const char* name, QRect geometry)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    return edit;
}

QWidget* Panel(QWidget* parent, const char* name, int height)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->setFixedHeight(height);
    QFont font = panel->font();
    font.setBold(false);
    panel->setFont(font);
    return panel;
}

QGroupBox* BoldGroupBox(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    // Every child sets its own font, so only the caption is bold.
    QFont font = box->font();
    font.setBold(true);
    box->setFont(font);
    box->setGeometry(geometry);
    return box;
}

} // namespace FormWidgets
