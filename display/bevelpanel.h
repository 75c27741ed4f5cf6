#pragma once

#include <QWidget>

// A panel whose frame is an outer raised and an inner lowered bevel of one
// pixel each, or no frame at all.
class BevelPanel : public QWidget {
public:
    explicit BevelPanel(QWidget* parent = nullptr);

    // 2 with the frame, 0 without.
    int FrameWidth() const { return framed_ ? 2 : 0; }
    void SetFramed(bool framed);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool framed_ = true;
};
