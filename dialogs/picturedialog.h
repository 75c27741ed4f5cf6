#pragma once

#include "picturefoldermodel.h"
#include "pictureorder.h"
#include "thumbnailmaker.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;

// The picture command's dialog: a folder's pictures as a grid of thumbnails,
// as a phone shows them, so that a parent finds the one photo among a
// camera's thousands by looking. The thumbnails come from the desktop's
// cache or are made on every core, the visible ones first, while the grid
// stays responsive.
class PictureDialog : public QDialog {
    Q_OBJECT
public:
    // Opens in the folder of `current`, the picture in play, with it
    // selected; in the player's pictures folder while that is only a bare
    // name, as the first picture of every player is.
    PictureDialog(QWidget* parent, const QString& current, PictureOrder order,
                  ThumbnailCache cache = ThumbnailCache::Desktop());

    // The side of a tile's picture, in logical pixels.
    static constexpr int TileSide = 128;

    // The file chosen with "Öffnen": an existing file's full path.
    const QString& ChosenPath() const { return chosen_; }
    PictureOrder Order() const;
    void ShowFolder(const QString& folder);

    void done(int result) override;

private:
    QWidget* MakePlaces();
    void Open();
    void SelectionChanged();
    // Has the visible tiles' thumbnails made first.
    void PreferVisible();
    void ThumbnailArrived(int row);

    PictureFolderModel model_;
    ThumbnailMaker maker_;
    QString folder_;
    QString chosen_;

    QListWidget* places_;
    QLabel* folderLabel_;
    QComboBox* order_;
    QListView* grid_;
    QLabel* sizeLabel_;
    QLabel* detailsLabel_;
    QLineEdit* name_;
    QComboBox* filter_;
};
