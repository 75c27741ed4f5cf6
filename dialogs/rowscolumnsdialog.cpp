#include "rowscolumnsdialog.h"

#include "board.h"
#include "fillrect.h"
#include "formwidgets.h"
#include "imageview.h"
#include "makecolor.h"
#include "windowkit.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>

namespace {

using FormWidgets::Label;
using WindowKit::Button;
using WindowKit::EnterClicks;

constexpr QRgb PreviewFill = ToRgb(MakeColor(170, 180, 250));
constexpr QRgb PreviewLight = ToRgb(MakeColor(250, 250, 250));
constexpr QRgb PreviewDark = ToRgb(MakeColor(32, 32, 32));

QFrame* RaisedPanel(QWidget* parent, const char* name, QRect geometry)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(geometry);
    return panel;
}

// Qt's scroll bars invert their controls so that Up lowers a vertical bar,
// as its arrow points; on either bar that makes Left add. Here Left and
// Right go the way the horizontal arrows point on both bars, so the two
// bars answer them alike, while Up, Down, the wheel and the page keys keep
// Qt's way.
class CountScrollBar : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() != Qt::Key_Left && event->key() != Qt::Key_Right)
            return QScrollBar::keyPressEvent(event);
        triggerAction(event->key() == Qt::Key_Left ? SliderSingleStepSub : SliderSingleStepAdd);
        event->accept();
    }
};

QScrollBar* CountBar(Qt::Orientation orientation, QWidget* parent, const char* name, QRect geometry,
                     Board::CountRange range, int position)
{
    QScrollBar* bar = new CountScrollBar(orientation, parent);
    bar->setObjectName(name);
    bar->setGeometry(geometry);
    bar->setRange(range.least, range.most);
    bar->setValue(position);
    bar->setSingleStep(1);
    bar->setPageStep(5);
    // The bars take the focus so the arrow keys move them, and so Enter
    // reaches the default button while no button is focused.
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

} // namespace

RowsColumnsDialog::RowsColumnsDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName("TableForm");
    setWindowTitle("Spalten & Zeilen Einstellen ...");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    WindowKit::UseDesignLook(*this);
    setFixedSize(364, 228);

    QFrame* gridPanel = RaisedPanel(this, "PaintPanel", {0, 0, 288, 228});
    previewView_ = new ImageView(preview_, gridPanel);
    previewView_->setObjectName("Image");
    previewView_->setGeometry(4, 4, 260, 200);
    columnBar_ = CountBar(Qt::Horizontal, gridPanel, "ColScala", {4, 206, 260, 16}, Board::ChoosableCols, 30);
    rowBar_ = CountBar(Qt::Vertical, gridPanel, "RowScala", {266, 4, 16, 200}, Board::ChoosableRows, 20);

    QFrame* buttonPanel = RaisedPanel(this, "CommandPanel", {288, 0, 76, 228});
    // Without edit fields, Enter clicks the focused button, as on Windows.
    QPushButton* cancelButton =
        Button(buttonPanel, "CANCELButton", "A&bbruch", {12, 4, 60, 25}, EnterClicks::FocusedButton);
    cancelButton->setDefault(true);
    QPushButton* okButton = Button(buttonPanel, "OKButton", "&Okay", {12, 198, 60, 25}, EnterClicks::FocusedButton);
    // Escape cancels (QDialog's own answer to it): a key pressed to get out
    // of the dialog should never deal a new game.
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    Label(buttonPanel, "Spalten:", {12, 95, 40, 13});
    columnsLabel_ = Label(buttonPanel, QString::number(columnBar_->value()), {52, 95, 20, 13});
    Label(buttonPanel, "Zeilen:", {12, 119, 40, 13});
    rowsLabel_ = Label(buttonPanel, QString::number(rowBar_->value()), {52, 119, 20, 13});
    columnsLabel_->setObjectName("ColsLabel");
    rowsLabel_->setObjectName("RowsLabel");
    QFont boldFont = font();
    boldFont.setBold(true);
    // Flush with the buttons' right edge, so the counts stay in
    // place as they change between one and two digits' widths.
    for (QLabel* countLabel : {columnsLabel_, rowsLabel_}) {
        countLabel->setFont(boldFont);
        countLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    connect(columnBar_, &QScrollBar::valueChanged, this, &RowsColumnsDialog::ColumnsChanged);
    connect(rowBar_, &QScrollBar::valueChanged, this, &RowsColumnsDialog::RowsChanged);
    preview_ = QImage(previewView_->size(), QImage::Format_RGB32);
    DrawPreview();
}

void RowsColumnsDialog::SetPositions(int cols, int rows)
{
    columnBar_->setValue(cols);
    rowBar_->setValue(rows);
}

int RowsColumnsDialog::Columns() const
{
    return columnBar_->value();
}

int RowsColumnsDialog::Rows() const
{
    return rowBar_->value();
}

void RowsColumnsDialog::ColumnsChanged()
{
    DrawPreview();
    columnsLabel_->setText(QString::number(columnBar_->value()));
}

void RowsColumnsDialog::RowsChanged()
{
    DrawPreview();
    rowsLabel_->setText(QString::number(rowBar_->value()));
}

// The largest square cell that fits the grid into the preview with room
// for its frame; the bars' minimums keep it at 24 pixels or less.
void RowsColumnsDialog::DrawPreview()
{
    const int cols = columnBar_->value();
    const int rows = rowBar_->value();
    const int cellSize = std::min((preview_.width() - 4) / cols, (preview_.height() - 4) / rows);
    const int width = cols * cellSize + 1;
    const int height = rows * cellSize + 1;
    preview_.fill(palette().color(QPalette::Button));
    FillRect(preview_, 0, 0, width, height, PreviewFill);
    FillRect(preview_, 0, 0, 1, height, PreviewLight);
    FillRect(preview_, 0, 0, width, 1, PreviewLight);
    FillRect(preview_, width, 1, 1, height, PreviewDark);
    FillRect(preview_, 1, height, width, 1, PreviewDark);
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < cols; ++col)
            DrawSunkenCell(col, row, cellSize);
    previewView_->update();
}

// Sunken like an empty cell of the field; its top-right and bottom-left
// pixels keep the fill colour.
void RowsColumnsDialog::DrawSunkenCell(int col, int row, int cellSize)
{
    const int left = col * cellSize + 1;
    const int right = (col + 1) * cellSize;
    const int top = row * cellSize + 1;
    const int bottom = (row + 1) * cellSize;
    FillRect(preview_, right, top + 1, 1, cellSize - 1, PreviewLight);
    FillRect(preview_, left + 1, bottom, cellSize - 1, 1, PreviewLight);
    FillRect(preview_, left, top, 1, cellSize - 1, PreviewDark);
    FillRect(preview_, left, top, cellSize - 1, 1, PreviewDark);
}
