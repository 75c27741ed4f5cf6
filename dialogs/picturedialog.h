#pragma once

#include <QFileDialog>
#include <QSize>

class QLabel;

// The picture command's dialog: Qt's own file dialog, since a native one
// cannot be given a preview, with the selected picture shown upright beside
// the list and its size in pixels beneath it. The desktop's thumbnails make
// a folder of camera photos quick to look through.
class PictureDialog : public QFileDialog {
public:
    // Opens in the folder of `current`, the picture in play, and selects it.
    PictureDialog(QWidget* parent, const QString& current);

    // No larger than a large thumbnail, so that any photo the file manager
    // has shown previews from its thumbnail.
    static constexpr QSize PreviewBox{240, 180};

private:
    void ShowPreview(const QString& path);

    QLabel* preview_;
    QLabel* sizeLabel_;
};
