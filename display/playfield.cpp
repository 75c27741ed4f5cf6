#include "playfield.h"

#include "bevelpanel.h"
#include "fieldlayout.h"
#include "imageview.h"
#include "makecolor.h"
#include "picturesize.h"
#include "windowkit.h"

#include <QLabel>

#include <algorithm>
#include <cmath>

namespace {

// How far an arrow key moves the field, in pixels.
constexpr int NudgeStep = 8;

// The look of the end-of-game announcement: a headline and a detail line,
// each a text in the result colour over a black shadow. Made in this order,
// so each text lies over its shadow.
struct EndLabelLook {
    const char* name;
    bool headline; // else the detail line
    bool shadow;   // black, else the result colour
    QPoint place;  // on the game panel
};
constexpr EndLabelLook EndLabels[] = {
    {"EndMessageLabel1", true, true, {12, 12}},
    {"EndMessageLabel2", true, false, {10, 10}},
    {"EndMessageLabel4", false, true, {13, 51}},
    {"EndMessageLabel3", false, false, {12, 50}},
};
constexpr int HeadlinePixels = 37;
constexpr int DetailPixels = 16;
constexpr QRgb WonColour = ToRgb(MakeColor(0, 220, 0));
constexpr QRgb LostColour = ToRgb(MakeColor(240, 0, 0));
constexpr QRgb ShadowColour = ToRgb(MakeColor(0, 0, 0));

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
    connect(field_, &ImageView::pressed, this, [this](int x, int y) {
        if (const std::optional<QPoint> cell = CellAt(QPoint(x, y)))
            emit cellPressed(cell->x(), cell->y());
    });

    // Made after the field, so the announcement lies over it.
    static_assert(std::tuple_size_v<decltype(endLabels_)> == std::size(EndLabels));
    for (std::size_t i = 0; i < endLabels_.size(); ++i) {
        const EndLabelLook& look = EndLabels[i];
        auto* label = new QLabel(gamePanel_);
        label->setObjectName(look.name);
        QFont font("Arial");
        font.setPixelSize(look.headline ? HeadlinePixels : DetailPixels);
        font.setBold(true);
        label->setFont(font);
        WindowKit::SetColor(label, QPalette::WindowText, look.shadow ? ShadowColour : WonColour);
        label->move(look.place);
        label->hide();
        endLabels_[i] = label;
    }
}

void PlayField::SetPicture(QImage picture, QSize room)
{
    // Converted and scaled once here, so that painting and the cells' copies
    // of the background stay plain 1:1 copies of the shown picture.
    if (picture.format() != QImage::Format_RGB32)
        picture.convertTo(QImage::Format_RGB32);
    // In points, each picture pixel a point where the room allows, as on any
    // screen; on a dense one a photo shows its pixels beyond that, and a
    // smaller picture each of its pixels as a block, as the cells show theirs.
    const int ratio = DevicePixelsAPoint();
    const QSize shown = FittedSize(picture.size(), room);
    if (shown * ratio != picture.size())
        picture = picture.scaled(shown * ratio, Qt::IgnoreAspectRatio,
                                 shown == picture.size() ? Qt::FastTransformation : Qt::SmoothTransformation);
    picture.setDevicePixelRatio(ratio);
    look_.ratio = ratio;
    picture_ = std::move(picture);
    // The area is what the window's layout gives it, at least the picture:
    // sized to the picture here, it would stay so in a window that keeps its
    // size, and the next layout would centre the field on the picture alone.
    setMinimumSize(shown);
    PlaceGamePanel(QRect(QPoint(0, 0), shown));
    dummyImage_->update();
}

int PlayField::DevicePixelsAPoint() const
{
    // A fractional scale (150 % set with QT_SCALE_FACTOR) keeps the whole
    // number below it, and Qt enlarges the rest.
    return std::max(1, int(std::floor(devicePixelRatioF() + 0.01)));
}

void PlayField::resizeEvent(QResizeEvent*)
{
    dummyImage_->setGeometry(rect());
}

void PlayField::SetShowGrid(bool on)
{
    gamePanel_->SetFramed(on);
    look_.showGrid = on;
    PlaceGamePanel(gamePanel_->geometry());
}

void PlayField::LayoutField(int cols, int rows)
{
    HideEndMessage();
    // The area, not the picture: a picture narrower than the window leaves
    // black beside it, and the field is centred on all of it.
    const int frame = gamePanel_->FrameWidth();
    const FieldLayout layout = LayoutCells(size(), cols, rows, frame);
    PlaceGamePanel(layout.cells.adjusted(-frame, -frame, frame, frame));
    gamePanel_->update();
    look_.cellSize = layout.cellSize;
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
    const int size = look_.cellSize;
    if (size <= 0 || pixel.x() < 0 || pixel.y() < 0)
        return std::nullopt;
    return QPoint(pixel.x() / size, pixel.y() / size);
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
    look_.offset = panel.topLeft() + QPoint(frame, frame);
}

void PlayField::HideEndMessage()
{
    for (QLabel* label : endLabels_)
        label->hide();
}

void PlayField::ShowEndMessage(const Texts::EndTexts& texts)
{
    for (std::size_t i = 0; i < endLabels_.size(); ++i) {
        const EndLabelLook& look = EndLabels[i];
        QLabel* label = endLabels_[i];
        const QRgb colour = look.shadow ? ShadowColour : texts.won ? WonColour : LostColour;
        WindowKit::SetColor(label, QPalette::WindowText, colour);
        label->setText(QString::fromStdString(look.headline ? texts.headline : texts.detail));
        label->adjustSize();
        label->show();
    }
}
