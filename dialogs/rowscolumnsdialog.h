#pragma once

#include <QDialog>
#include <QImage>

class ImageView;
class QLabel;
class QPushButton;
class QScrollBar;

// The rows-and-columns dialog: two scroll bars choose the board's columns
// and rows (Board::ChoosableCols and ChoosableRows), and a preview shows
// the proportions of the resulting grid. Created once and reused; the
// caller sets the positions before every opening and reads them back
// after OK.
class RowsColumnsDialog : public QDialog {
    Q_OBJECT
public:
    explicit RowsColumnsDialog(QWidget* parent = nullptr);

    // Values outside a bar's range are clamped into it; a position that
    // changes redraws the preview and its label.
    void SetPositions(int cols, int rows);
    int Columns() const;
    int Rows() const;

    const QImage& Preview() const { return preview_; }

private:
    void ColumnsChanged();
    void RowsChanged();
    void DrawPreview();
    void DrawSunkenCell(int col, int row, int cellSize);

    QImage preview_;
    ImageView* previewView_ = nullptr;
    QScrollBar* columnBar_ = nullptr;
    QScrollBar* rowBar_ = nullptr;
    QLabel* columnsLabel_ = nullptr;
    QLabel* rowsLabel_ = nullptr;
};
