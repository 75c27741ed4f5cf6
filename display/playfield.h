#pragma once

#include "fieldpainter.h"
#include "texts.h"

#include <QImage>
#include <QWidget>

#include <optional>

class Board;
class BevelPanel;
class ImageView;
class QLabel;

// The play-field area of the main window: the background picture at its
// top-left corner, black wherever the area is larger, and over it the framed
// field of cells that the arrow keys move about, with the end-of-game
// announcement lying on the field.
class PlayField : public QWidget {
    Q_OBJECT
public:
    explicit PlayField(QWidget* parent = nullptr);

    // The picture as shown, after any scaling.
    const QImage& Picture() const { return picture_; }
    // The field's pixels, exactly as shown.
    const QImage& Surface() const { return painter_.Surface(); }
    int CellSize() const { return cellSize_; }

    // Shows `picture` 1:1 when it fits into `room`, the most the screen
    // leaves for the area, and otherwise scaled down smoothly to fit, its
    // proportions kept; an invalid room takes any picture 1:1. The area takes
    // at least the shown size (a window wider than the picture widens it);
    // the field covers the picture until the next layout.
    void SetPicture(QImage picture, QSize room = QSize());
    // The field's frame and the grid lines between empty cells.
    void SetShowGrid(bool on);
    // Square cells as large as fit into the area, centred on it, on a fresh
    // surface; hides the announcement.
    void LayoutField(int cols, int rows);
    // Repaints whatever of `board` the field does not show yet.
    void Paint(const Board& board);
    void SetBusy(bool busy);

    // The cell under a pixel of the field; none while cells have no pixels.
    std::optional<QPoint> CellAt(QPoint pixel) const;
    // Moves the field one step over the picture, without limit. The surface
    // is not repainted until the next Paint.
    void NudgeField(Qt::ArrowType direction);

    void ShowEndMessage(const Texts::EndTexts& texts);

signals:
    // A mouse press on the field, whatever the button, in field pixels.
    void pressed(int x, int y);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void InitEndLabels();
    void HideEndMessage();
    void PlaceGamePanel(QRect panel);

    QImage picture_;
    FieldPainter painter_{picture_};
    int cellSize_ = 0;

    ImageView* dummyImage_ = nullptr;
    BevelPanel* gamePanel_ = nullptr;
    ImageView* field_ = nullptr;
    QLabel* endMessageLabel1_ = nullptr;
    QLabel* endMessageLabel2_ = nullptr;
    QLabel* endMessageLabel3_ = nullptr;
    QLabel* endMessageLabel4_ = nullptr;
};
