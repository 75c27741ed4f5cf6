#include "imageview.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

ImageView::ImageView(const QImage& image, QWidget* parent) : QWidget(parent), image_(image)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRegion uncovered = QRegion(rect()) - QRegion(QRect(QPoint(0, 0), image_.deviceIndependentSize().toSize()));
    for (const QRect& part : uncovered)
        painter.fillRect(part, Qt::black);
    painter.drawImage(0, 0, image_);
}

void ImageView::mousePressEvent(QMouseEvent* event)
{
    // The point whose device pixels were pressed: on a dense screen a press
    // falls between points, and rounding would give a stone's last device
    // pixels to its neighbour.
    const QPointF position = event->position();
    emit pressed(int(std::floor(position.x())), int(std::floor(position.y())));
}
