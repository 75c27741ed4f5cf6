#include "chooserpreview.h"

#include "formwidgets.h"
#include "gameinplay.h"
#include "gamelibrary.h"
#include "artwork.h"
#include "icon.h"
#include "pictureloader.h"
#include "picturepath.h"
#include "picturesize.h"
#include "thumbnailcache.h"

#include <QGroupBox>
#include <QLabel>

using namespace FormWidgets;

ChooserPreview::ChooserPreview(QWidget* parent)
{
    QGroupBox* previewBox = BoldGroupBox(parent, "PreviewGroupBox", "Vorschau", {4, 0, 210, 192});
    // The picture may reach beyond the client area (a square one is as
    // tall as the box is wide); this keeps it off the box's frame.
    auto* pictureArea = new QWidget(previewBox);
    pictureArea->setGeometry(previewBox->contentsRect());
    picture_ = new QLabel(pictureArea);
    picture_->setObjectName("PreviewImage");
    picture_->setScaledContents(true);
    picture_->setGeometry(pictureArea->rect());

    QGroupBox* settingsBox = BoldGroupBox(parent, "GroupBox2", "Einstellungen", {4, 230, 210, 128});
    Label(settingsBox, "Aktuelles Motiv:", {8, 20, 80, 13});
    motiveLabel_ = Label(settingsBox, {}, {90, 20, 114, 13}, true, QColor(0, 128, 0), "MotivLabel");
    dateLabel_ = Label(settingsBox, {}, {104, 4, 100, 13}, true, QColor(128, 128, 128), "DateLabel");
    dateLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label(settingsBox, "Grafik:", {8, 38, 40, 13});
    pictureLabel_ = Label(settingsBox, {}, {50, 38, 154, 13}, true, QColor(0, 0, 128), "GrafikNameLabel");
    Label(settingsBox, "Steinchenraster", {8, 58, 100, 13}, true);
    Label(settingsBox, "Zeilen:", {8, 74, 40, 13});
    rowsLabel_ = Label(settingsBox, "0", {50, 74, 30, 13}, true, QColor(128, 0, 0), "RowsLabel");
    Label(settingsBox, "Spalten:", {96, 74, 44, 13});
    colsLabel_ = Label(settingsBox, "0", {142, 74, 30, 13}, true, QColor(128, 0, 0), "ColsLabel");
    Label(settingsBox, "Farben:", {8, 90, 40, 13});
    colorsLabel_ = Label(settingsBox, "0", {50, 90, 30, 13}, true, QColor(128, 0, 128), "ColorsLabel");
    for (int slot = 0; slot < ColorSelection::Count; ++slot) {
        colorImages_[slot] = new QLabel(settingsBox);
        colorImages_[slot]->setObjectName(QString("Image%1").arg(slot + 1));
        colorImages_[slot]->setGeometry(8 + 20 * slot, 106, 16, 16);
    }
    ShowColors({});
}

QString ChooserPreview::Motive() const
{
    return motiveLabel_->text();
}

void ChooserPreview::ShowMotive(const QString& name)
{
    motiveLabel_->setText(name);
}

void ChooserPreview::ShowStoredGame(const GamePreview& preview)
{
    pictureLabel_->setText(ShortPath(preview.picture));
    rowsLabel_->setText(preview.rows);
    colsLabel_->setText(preview.cols);
    dateLabel_->setText(preview.date);
    ShowPicture(preview.picture);
    ShowColors(preview.colors);
    colorsLabel_->setText(QString::number(preview.colors.SelectedCount()));
}

void ChooserPreview::ShowGameInPlay(const GameInPlay& game, const QString& today)
{
    const Arrangement& arrangement = game.arrangement;
    motiveLabel_->setText(game.name);
    colorsLabel_->setText(QString::number(arrangement.colors.SelectedCount()));
    rowsLabel_->setText(QString::number(arrangement.rows));
    colsLabel_->setText(QString::number(arrangement.cols));
    dateLabel_->setText(today);
    pictureLabel_->setText(BareFileName(arrangement.picture));
    // Found where the game itself found it, beside the program too.
    if (const QString found = FindPicture(arrangement.picture); !found.isEmpty())
        ShowPictureFile(found);
    ShowColors(arrangement.colors);
}

void ChooserPreview::Clear()
{
    motiveLabel_->clear();
    colorsLabel_->setText("0");
    rowsLabel_->setText("0");
    colsLabel_->setText("0");
    dateLabel_->clear();
    pictureLabel_->clear();
    ShowColors({});
}

void ChooserPreview::ShowPicture(const QString& path)
{
    ShowPictureFile(FindPicture(path));
}

void ChooserPreview::ShowPictureFile(const QString& found)
{
    const QSize area = picture_->parentWidget()->size();
    QImage picture;
    if (!found.isEmpty()) {
        try {
            // From the desktop's thumbnails, or decoded only as large as the
            // preview needs: a camera's photo would take a tenth of a second
            // in full, at every click.
            picture = ThumbnailCache::Desktop().Preview(found, area);
        } catch (const PictureError&) {
            // A preview only: a picture that cannot be read shows as missing.
        }
    }
    if (picture.isNull())
        picture = Artwork(IconResource(Icon::BlackSquare));

    picture_->setGeometry(QRect(QPoint(0, 0), PreviewSize(picture.size(), area)));
    picture_->setPixmap(QPixmap::fromImage(picture));
}

void ChooserPreview::ShowColors(const ColorSelection& colors)
{
    for (int code = 1; code <= ColorSelection::Count; ++code)
        colorImages_[code - 1]->setPixmap(QPixmap(IconResource(ColorIcon(code, colors.Has(code)))));
}
