#include "imageview.h"

#include <QMouseEvent>
#include <QPainter>

ImageView::ImageView(const QImage& image, QWidget* parent) : QWidget(parent), image_(image)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRegion uncovered = QRegion(rect()) - QRegion(image_.rect());
    for (const QRect& part : uncovered)
        painter.fillRect(part, Qt::black);
    painter.drawImage(0, 0, image_);
}

void ImageView::mousePressEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    emit pressed(position.x(), position.y());
}
