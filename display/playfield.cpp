#include "playfield.h"

#include "bevelpanel.h"
#include "fieldlayout.h"
#include "imageview.h"
#include "makecolor.h"

#include <QLabel>

namespace {

// How far an arrow key moves the field, in pixels.
constexpr int NudgeStep = 8;

void Colour(QLabel* label, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace

PlayField::PlayField(QWidget* parent) : QWidget(parent), picture_(16, 16, QImage::Format_RGB32)
{
    setObjectName("Panel");
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    picture_.fill(Qt::black);

    dummyImage_ = new ImageView(picture_, this);
    dummyImage_->setObjectName("DummyImage");
    gamePanel_ = new BevelPanel(this);
    gamePanel_->setObjectName("GamePanel");
    field_ = new ImageView(painter_.Surface(), gamePanel_);
    field_->setObjectName("Field");
    connect(field_, &ImageView::pressed, this, &PlayField::pressed);

    // Made after the field and in this order, so each text lies over its shadow.
    for (QLabel** label : {&endMessageLabel1_, &endMessageLabel2_, &endMessageLabel4_, &endMessageLabel3_}) {
        *label = new QLabel(gamePanel_);
        (*label)->hide();
    }
    endMessageLabel1_->setObjectName("EndMessageLabel1");
    endMessageLabel2_->setObjectName("EndMessageLabel2");
    endMessageLabel3_->setObjectName("EndMessageLabel3");
    endMessageLabel4_->setObjectName("EndMessageLabel4");
    QFont headline("Arial");
    headline.setPixelSize(37);
    headline.setBold(true);
    endMessageLabel1_->setFont(headline);
    QFont detail("Arial");
    detail.setPixelSize(16);
    detail.setBold(true);
    endMessageLabel3_->setFont(detail);
    InitEndLabels();
}

void PlayField::SetPicture(QImage picture, QSize room)
{
    // Scaled once here, so that painting and the cells' copies of the
    // background stay plain 1:1 copies of the shown picture.
    const QSize shown = FittedSize(picture.size(), room);
    if (shown != picture.size())
        picture = picture.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    picture_ = std::move(picture);
    setMinimumSize(shown);
    resize(shown);
    PlaceGamePanel(QRect(QPoint(0, 0), shown));
    dummyImage_->update();
}

void PlayField::resizeEvent(QResizeEvent*)
{
    dummyImage_->setGeometry(rect());
}

void PlayField::SetShowGrid(bool on)
{
    gamePanel_->SetFramed(on);
    painter_.SetShowGrid(on);
    PlaceGamePanel(gamePanel_->geometry());
}

void PlayField::LayoutField(int cols, int rows)
{
    HideEndMessage();
    // The area, not the picture: a picture narrower than the window leaves
    // black beside it, and the field is centred on all of it.
    const FieldLayout layout = LayoutCells(size(), cols, rows);
    const int frame = 2 * gamePanel_->FrameWidth();
    // The cell area is centred; the frame is added to its right and below.
    PlaceGamePanel(QRect(layout.cells.topLeft(), layout.cells.size() + QSize(frame, frame)));
    gamePanel_->update();
    cellSize_ = layout.cellSize;
    painter_.SetCellSize(cellSize_);
    painter_.ResetSurface(layout.cells.width(), layout.cells.height());
}

void PlayField::Paint(const Board& board)
{
    painter_.Paint(board);
    field_->update();
}

void PlayField::SetBusy(bool busy)
{
    if (busy)
        field_->setCursor(Qt::WaitCursor);
    else
        field_->unsetCursor();
}

std::optional<QPoint> PlayField::CellAt(QPoint pixel) const
{
    if (cellSize_ <= 0 || pixel.x() < 0 || pixel.y() < 0)
        return std::nullopt;
    return QPoint(pixel.x() / cellSize_, pixel.y() / cellSize_);
}

void PlayField::NudgeField(Qt::ArrowType direction)
{
    QRect panel = gamePanel_->geometry();
    switch (direction) {
    case Qt::LeftArrow: panel.translate(-NudgeStep, 0); break;
    case Qt::UpArrow: panel.translate(0, -NudgeStep); break;
    case Qt::RightArrow: panel.translate(NudgeStep, 0); break;
    case Qt::DownArrow: panel.translate(0, NudgeStep); break;
    case Qt::NoArrow: return;
    }
    PlaceGamePanel(panel);
}

void PlayField::PlaceGamePanel(QRect panel)
{
    const int frame = gamePanel_->FrameWidth();
    gamePanel_->setGeometry(panel);
    field_->setGeometry(frame, frame, panel.width() - 2 * frame, panel.height() - 2 * frame);
    painter_.SetFieldOffset(panel.topLeft() + QPoint(frame, frame));
}

void PlayField::InitEndLabels()
{
    for (QLabel* label : {endMessageLabel1_, endMessageLabel2_, endMessageLabel3_, endMessageLabel4_})
        label->clear();
    endMessageLabel2_->setFont(endMessageLabel1_->font());
    endMessageLabel4_->setFont(endMessageLabel3_->font());
    Colour(endMessageLabel1_, ToRgb(MakeColor(0, 0, 0)));
    Colour(endMessageLabel4_, ToRgb(MakeColor(0, 0, 0)));
    Colour(endMessageLabel2_, ToRgb(MakeColor(0, 220, 0)));
    Colour(endMessageLabel3_, ToRgb(MakeColor(0, 220, 0)));
    endMessageLabel1_->move(12, 12);
    endMessageLabel2_->move(10, 10);
    endMessageLabel4_->move(13, 51);
    endMessageLabel3_->move(12, 50);
}

void PlayField::HideEndMessage()
{
    for (QLabel* label : {endMessageLabel1_, endMessageLabel2_, endMessageLabel3_, endMessageLabel4_})
        label->hide();
}

void PlayField::ShowEndMessage(const Texts::EndTexts& texts)
{
    const QColor result = ToRgb(texts.won ? MakeColor(0, 220, 0) : MakeColor(240, 0, 0));
    auto show = [](QLabel* label, const std::string& text, const QColor& colour) {
        Colour(label, colour);
        label->setText(QString::fromStdString(text));
        label->adjustSize();
        label->show();
    };
    show(endMessageLabel1_, texts.headline, Qt::black);
    show(endMessageLabel2_, texts.headline, result);
    show(endMessageLabel4_, texts.detail, Qt::black);
    show(endMessageLabel3_, texts.detail, result);
}
