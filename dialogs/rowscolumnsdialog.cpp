#include "rowscolumnsdialog.h"

#include "formwidgets.h"
#include "imageview.h"
#include "makecolor.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>

namespace {

using FormWidgets::Label;

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

QScrollBar* Scala(Qt::Orientation orientation, QWidget* parent, const char* name, QRect geometry, int minimum,
                  int position)
{
    auto* bar = new QScrollBar(orientation, parent);
    bar->setObjectName(name);
    bar->setGeometry(geometry);
    bar->setRange(minimum, 99);
    bar->setValue(position);
    bar->setSingleStep(1);
    bar->setPageStep(5);
    // The bars take the focus so the arrow keys move them, and so Enter
    // reaches the default button while no button is focused.
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption, QRect geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

} // namespace

RowsColumnsDialog::RowsColumnsDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName("TableForm");
    setWindowTitle("Spalten & Zeilen Einstellen ...");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QFont font("MS Sans Serif");
    font.setPixelSize(11);
    setFont(font);
    setFixedSize(364, 228);

    QFrame* PaintPanel = RaisedPanel(this, "PaintPanel", {0, 0, 288, 228});
    previewView_ = new ImageView(preview_, PaintPanel);
    previewView_->setObjectName("Image");
    previewView_->setGeometry(4, 4, 260, 200);
    columnBar_ = Scala(Qt::Horizontal, PaintPanel, "ColScala", {4, 206, 260, 16}, 10, 30);
    rowBar_ = Scala(Qt::Vertical, PaintPanel, "RowScala", {266, 4, 16, 200}, 8, 20);

    QFrame* CommandPanel = RaisedPanel(this, "CommandPanel", {288, 0, 76, 228});
    QPushButton* CANCELButton = Button(CommandPanel, "CANCELButton", "A&bbruch", {12, 4, 60, 25});
    CANCELButton->setDefault(true);
    QPushButton* OKButton = Button(CommandPanel, "OKButton", "&Okay", {12, 198, 60, 25});
    // Escape cancels (QDialog's own answer to it): a key pressed to get out
    // of the dialog should never deal a new game.
    connect(CANCELButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    Label(CommandPanel, "Spalten:", {12, 95, 40, 13});
    columnsLabel_ = Label(CommandPanel, QString::number(columnBar_->value()), {52, 95, 20, 13});
    Label(CommandPanel, "Zeilen:", {12, 119, 40, 13});
    rowsLabel_ = Label(CommandPanel, QString::number(rowBar_->value()), {52, 119, 20, 13});
    columnsLabel_->setObjectName("ColsLabel");
    rowsLabel_->setObjectName("RowsLabel");
    QFont bold = font;
    bold.setBold(true);
    // Flush with the buttons' right edge, so the counts stay in
    // place as they change between one and two digits' widths.
    for (QLabel* count : {columnsLabel_, rowsLabel_}) {
        count->setFont(bold);
        count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    connect(columnBar_, &QScrollBar::valueChanged, this, &RowsColumnsDialog::ColumnsChanged);
    connect(rowBar_, &QScrollBar::valueChanged, this, &RowsColumnsDialog::RowsChanged);
    FormCreate();
}

void RowsColumnsDialog::FormCreate()
{
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
    const int s = std::min((preview_.width() - 4) / cols, (preview_.height() - 4) / rows);
    const int wd = cols * s + 1;
    const int hd = rows * s + 1;
    preview_.fill(palette().color(QPalette::Button));
    FillRect(0, 0, wd, hd, PreviewFill);
    FillRect(0, 0, 1, hd, PreviewLight);
    FillRect(0, 0, wd, 1, PreviewLight);
    FillRect(wd, 1, 1, hd, PreviewDark);
    FillRect(1, hd, wd, 1, PreviewDark);
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j)
            DrawPreviewCell(j, i, s);
    previewView_->update();
}

// Sunken like an empty cell of the field; its top-right and bottom-left
// pixels keep the fill colour.
void RowsColumnsDialog::DrawPreviewCell(int j, int i, int s)
{
    const int x0 = j * s + 1;
    const int x1 = (j + 1) * s;
    const int y0 = i * s + 1;
    const int y1 = (i + 1) * s;
    FillRect(x1, y0 + 1, 1, s - 1, PreviewLight);
    FillRect(x0 + 1, y1, s - 1, 1, PreviewLight);
    FillRect(x0, y0, 1, s - 1, PreviewDark);
    FillRect(x0, y0, s - 1, 1, PreviewDark);
}

// Writes the pixels directly, so the preview is exact whatever the
// platform's antialiasing; the frame always lies inside the preview.
void RowsColumnsDialog::FillRect(int x, int y, int width, int height, QRgb color)
{
    for (int row = y; row < y + height; ++row) {
        auto* line = reinterpret_cast<QRgb*>(preview_.scanLine(row));
        std::fill(line + x, line + x + width, color);
    }
}
