#pragma once

#include "fieldlook.h"
#include "fieldpainter.h"
#include "texts.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <optional>

class Board;
class BevelPanel;
class ImageView;
class QLabel;

// The play-field area of the main window: the background picture at its
// top-left corner, black wherever the area is larger, and over it the framed
// field of cells that the arrow keys move about, with the end-of-game
// announcement lying on the field. It keeps the cells' size, grid and place
// its painter paints with, and tells presses on the field by their cell.
class PlayField : public QWidget {
    Q_OBJECT
public:
    explicit PlayField(QWidget* parent = nullptr);

    // The picture as shown, after any scaling.
    const QImage& Picture() const { return picture_; }
    // The field's pixels, exactly as shown.
    const QImage& Surface() const { return painter_.Surface(); }

    // Shows `picture`, converted to the field's RGB32, a point for each of its
    // pixels when it fits into `room` (in points), the most the screen
    // leaves for the area, and otherwise scaled down smoothly to fit, its
    // proportions kept; an invalid room takes any picture so. On a screen of
    // several device pixels a point, a picture larger than that shows them
    // all. The area is
    // at least the shown size; its holder sets the rest (a window wider than
    // the picture widens it). The field covers the picture until the next
    // layout.
    void SetPicture(QImage picture, QSize room = QSize());
    // Whole device pixels a point on the screen the field is shown on: a
    // picture to be shown in a room of points needs that many more pixels a
    // side to be sharp.
    int DevicePixelsAPoint() const;
    // The field's frame and the grid lines between empty cells.
    void SetShowGrid(bool on);
    // Square cells as large as fit into the area, centred on it, on a fresh
    // surface; hides the announcement.
    void LayoutField(int cols, int rows);
    // Repaints whatever of `board` the field does not show yet.
    void Paint(const Board& board);
    void SetBusy(bool busy);

    // Moves the field one step over the picture, without limit. The surface
    // is not repainted until the next Paint.
    void NudgeField(Qt::ArrowType direction);

    void ShowEndMessage(const Texts::EndTexts& texts);

signals:
    // A mouse press on a cell of the field, whatever the button.
    void cellPressed(int col, int row);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The cell under a pixel of the field; none while cells have no pixels.
    std::optional<QPoint> CellAt(QPoint pixel) const;
    void HideEndMessage();
    void PlaceGamePanel(QRect panel);

    QImage picture_;
    FieldLook look_;
    FieldPainter painter_{picture_, look_};

    ImageView* dummyImage_ = nullptr;
    BevelPanel* gamePanel_ = nullptr;
    ImageView* field_ = nullptr;
    // In the order of their look's table: each shadow under its text.
    std::array<QLabel*, 4> endLabels_{};
};
