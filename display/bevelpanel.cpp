#include "bevelpanel.h"

#include <QPainter>

BevelPanel::BevelPanel(QWidget* parent) : QWidget(parent)
{
}

void BevelPanel::SetFramed(bool framed)
{
    framed_ = framed;
    update();
}

void BevelPanel::paintEvent(QPaintEvent*)
{
    if (!framed_)
        return;
    QPainter painter(this);
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    auto bevel = [&](QRect r, const QColor& topLeft, const QColor& bottomRight) {
        painter.fillRect(r.left(), r.top(), r.width(), 1, topLeft);
        painter.fillRect(r.left(), r.top(), 1, r.height(), topLeft);
        painter.fillRect(r.left() + 1, r.bottom(), r.width() - 1, 1, bottomRight);
        painter.fillRect(r.right(), r.top() + 1, 1, r.height() - 1, bottomRight);
    };
    bevel(rect(), light, dark);
    bevel(rect().adjusted(1, 1, -1, -1), dark, light);
}
