#pragma once

#include <QWidget>

// Shows a picture 1:1 at its top-left corner, black where the widget is
// larger. On a high-density screen the picture is enlarged by whole device
// pixels without smoothing, so every pixel stays sharp. Every mouse press,
// whatever the button, is reported; the second press of a double-click
// comes as one too (QWidget's own double-click handling passes it on).
class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(const QImage& image, QWidget* parent = nullptr);

signals:
    void pressed(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const QImage& image_;
};
