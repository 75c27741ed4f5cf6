#include "picturedialog.h"

#include "pictureloader.h"
#include "picturepath.h"
#include "picturesize.h"
#include "thumbnailcache.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

PictureDialog::PictureDialog(QWidget* parent, const QString& current)
    : QFileDialog(parent, "Hintergrundbild öffnen ...")
{
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFile);
    setNameFilters({"Bilder (" + PictureNameFilters().join(u' ') + ')', "Bilder (Webformat JPG) (*.jpg *.jpeg)",
                    "Bilder (Windows-Format BMP) (*.bmp)"});
    setDefaultSuffix("bmp");

    auto* box = new QGroupBox("Vorschau", this);
    box->setObjectName("PicturePreviewBox");
    preview_ = new QLabel(box);
    preview_->setObjectName("PicturePreview");
    preview_->setFixedSize(PreviewBox);
    preview_->setAlignment(Qt::AlignCenter);
    sizeLabel_ = new QLabel(box);
    sizeLabel_->setObjectName("PictureSizeLabel");
    sizeLabel_->setAlignment(Qt::AlignCenter);
    auto* column = new QVBoxLayout(box);
    column->addWidget(preview_);
    column->addWidget(sizeLabel_);
    column->addStretch();
    // Qt's dialog lays itself out on a grid whose second row holds the
    // folders and the list; the preview takes a column of its own beside them.
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(box, 1, grid->columnCount());
    // Room for the list of files beside the preview.
    resize(860, 500);
    connect(this, &QFileDialog::currentChanged, this, &PictureDialog::ShowPreview);

    // A stored name may be bare or come from Windows; the picture it leads
    // to is the one in play, wherever it was found.
    const QString found = FindPicture(current);
    if (found.isEmpty()) {
        selectFile(BareFileName(current));
        return;
    }
    selectFile(QFileInfo(found).absoluteFilePath());
    ShowPreview(found);
}

void PictureDialog::ShowPreview(const QString& path)
{
    preview_->clear();
    sizeLabel_->clear();
    if (!QFileInfo(path).isFile())
        return;
    try {
        const QSize size = PictureSize(path);
        const QImage picture = ThumbnailCache::Desktop().Preview(path, PreviewBox);
        preview_->setPixmap(QPixmap::fromImage(picture.scaled(FittedSize(picture.size(), PreviewBox),
                                                              Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
        sizeLabel_->setText(QString("%1 x %2 Pixel").arg(size.width()).arg(size.height()));
    } catch (const PictureError&) {
        sizeLabel_->setText("kein lesbares Bild");
    }
}
