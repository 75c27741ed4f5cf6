#include "picturedialog.h"

#include "pictureloader.h"
#include "picturepath.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStyle>
#include <QToolButton>

#include <utility>

namespace {

qreal DevicePixelRatio(const QWidget* parent)
{
    return parent ? parent->devicePixelRatioF() : qApp->devicePixelRatio();
}

// The smaller of the standard's sizes while it is sharp on the screen.
ThumbnailCache::Size ThumbnailSizeFor(qreal devicePixelRatio)
{
    return PictureDialog::TileSide * devicePixelRatio <= ThumbnailCache::Side(ThumbnailCache::Size::Normal)
               ? ThumbnailCache::Size::Normal
               : ThumbnailCache::Size::Large;
}

QString PicturesFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

// Where a family keeps its photos: on this computer, and on the sticks and
// cards the desktop mounted for the player.
QList<std::pair<QString, QString>> Places()
{
    QList<std::pair<QString, QString>> places;
    const auto add = [&](const QString& label, const QString& path) {
        const QString folder = QDir(path).absolutePath();
        if (path.isEmpty() || !QFileInfo(folder).isDir())
            return;
        for (const auto& place : places)
            if (place.second == folder)
                return;
        places.append({label, folder});
    };
    add(QStringLiteral("Bilder"), QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    add(QStringLiteral("Persönlicher Ordner"), QDir::homePath());
    add(QStringLiteral("Schreibtisch"), QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    const QString user = qEnvironmentVariable("USER");
    if (!user.isEmpty())
        for (const QString& mounts : {"/media/" + user, "/run/media/" + user})
            for (const QFileInfo& medium : QDir(mounts).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
                add(medium.fileName(), medium.absoluteFilePath());
    return places;
}

}  // namespace

PictureDialog::PictureDialog(QWidget* parent, const QString& current, PictureOrder order, ThumbnailCache cache)
    : QDialog(parent),
      model_(TileSide, DevicePixelRatio(parent)),
      maker_(std::move(cache), ThumbnailSizeFor(DevicePixelRatio(parent)))
{
    setWindowTitle(QStringLiteral("Hintergrundbild öffnen ..."));

    auto* up = new QToolButton(this);
    up->setObjectName("UpButton");
    up->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    up->setToolTip(QStringLiteral("Übergeordneter Ordner"));
    folderLabel_ = new QLabel(this);
    folderLabel_->setObjectName("FolderLabel");
    folderLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    order_ = new QComboBox(this);
    order_->setObjectName("OrderBox");
    order_->addItem(QStringLiteral("Nach Name"), int(PictureOrder::ByName));
    order_->addItem(QStringLiteral("Neueste zuerst"), int(PictureOrder::NewestFirst));
    order_->setCurrentIndex(order_->findData(int(order)));

    grid_ = new QListView(this);
    grid_->setObjectName("PictureGrid");
    grid_->setViewMode(QListView::IconMode);
    grid_->setMovement(QListView::Static);
    grid_->setResizeMode(QListView::Adjust);
    grid_->setIconSize({TileSide, TileSide});
    // Room for two lines of a name below each picture.
    grid_->setGridSize({TileSide + 28, TileSide + 2 * fontMetrics().height() + 12});
    grid_->setUniformItemSizes(true);
    grid_->setWordWrap(true);
    grid_->setTextElideMode(Qt::ElideMiddle);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setModel(&model_);

    sizeLabel_ = new QLabel(this);
    sizeLabel_->setObjectName("PictureSizeLabel");
    detailsLabel_ = new QLabel(this);
    detailsLabel_->setObjectName("PictureDetailsLabel");
    name_ = new QLineEdit(this);
    name_->setObjectName("NameField");
    filter_ = new QComboBox(this);
    filter_->setObjectName("FilterBox");
    const auto addFilter = [this](const QString& label, const QStringList& patterns) {
        filter_->addItem(label + " (" + patterns.join(u' ') + ')', patterns);
    };
    addFilter(QStringLiteral("Bilder"), PictureNameFilters());
    addFilter(QStringLiteral("Bilder (Webformat JPG)"), {"*.jpg", "*.jpeg"});
    addFilter(QStringLiteral("Bilder (Windows-Format BMP)"), {"*.bmp"});
    auto* open = new QPushButton(QStringLiteral("Öffnen"), this);
    open->setObjectName("OpenButton");
    open->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName("CancelButton");

    auto* top = new QHBoxLayout;
    top->addWidget(up);
    top->addWidget(folderLabel_, 1);
    top->addWidget(order_);
    auto* info = new QHBoxLayout;
    info->addWidget(sizeLabel_);
    info->addStretch();
    info->addWidget(detailsLabel_);
    auto* layout = new QGridLayout(this);
    layout->addWidget(MakePlaces(), 0, 0, 3, 1);
    layout->addLayout(top, 0, 1, 1, 3);
    layout->addWidget(grid_, 1, 1, 1, 3);
    layout->addLayout(info, 2, 1, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("Dateiname:"), this), 3, 0, Qt::AlignRight);
    layout->addWidget(name_, 3, 1, 1, 2);
    layout->addWidget(open, 3, 3);
    layout->addWidget(new QLabel(QStringLiteral("Dateityp:"), this), 4, 0, Qt::AlignRight);
    layout->addWidget(filter_, 4, 1, 1, 2);
    layout->addWidget(cancel, 4, 3);
    layout->setColumnStretch(1, 1);
    resize(960, 680);

    connect(up, &QToolButton::clicked, this, [this] {
        QDir folder(folder_);
        if (folder.cdUp())
            ShowFolder(folder.absolutePath());
    });
    connect(order_, &QComboBox::currentIndexChanged, this, [this] {
        model_.SetOrder(Order());
        PreferVisible();
    });
    connect(filter_, &QComboBox::currentIndexChanged, this, [this] { ShowFolder(folder_); });
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, &PictureDialog::PreferVisible);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this, &PictureDialog::SelectionChanged);
    connect(grid_, &QListView::doubleClicked, this, &PictureDialog::Open);
    connect(open, &QPushButton::clicked, this, &PictureDialog::Open);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(&maker_, &ThumbnailMaker::Made, this, [this](const QString& path, const QImage& thumbnail, QSize size) {
        ThumbnailArrived(model_.ShowThumbnail(path, thumbnail, size));
    });
    connect(&maker_, &ThumbnailMaker::Failed, this,
            [this](const QString& path) { ThumbnailArrived(model_.ShowUnreadable(path)); });

    // A bare name is the first picture of every player, or one stored
    // elsewhere: the player's own photos are the better start.
    const QFileInfo picture(current);
    ShowFolder(QDir::isAbsolutePath(current) && picture.dir().exists() ? picture.absolutePath() : PicturesFolder());
    name_->setText(BareFileName(current));
    for (int row = 0; row < model_.rowCount(); ++row)
        if (model_.PathAt(row) == picture.absoluteFilePath())
            grid_->setCurrentIndex(model_.index(row));
    grid_->setFocus();
}

QWidget* PictureDialog::MakePlaces()
{
    places_ = new QListWidget(this);
    places_->setObjectName("PlacesList");
    for (const auto& [label, path] : Places()) {
        auto* item = new QListWidgetItem(style()->standardIcon(QStyle::SP_DirIcon), label, places_);
        item->setData(Qt::UserRole, path);
        item->setToolTip(QDir::toNativeSeparators(path));
    }
    places_->setMaximumWidth(180);
    connect(places_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ShowFolder(item->data(Qt::UserRole).toString()); });
    return places_;
}

PictureOrder PictureDialog::Order() const
{
    return PictureOrder(order_->currentData().toInt());
}

void PictureDialog::ShowFolder(const QString& folder)
{
    maker_.Cancel();
    folder_ = QDir(folder).absolutePath();
    folderLabel_->setText(QDir::toNativeSeparators(folder_));
    model_.ShowFolder(folder_, filter_->currentData().toStringList(), Order());
    maker_.Make(model_.PicturePaths());
    for (int row = 0; row < places_->count(); ++row)
        places_->item(row)->setSelected(places_->item(row)->data(Qt::UserRole).toString() == folder_);
}

void PictureDialog::PreferVisible()
{
    const QRect shown = grid_->viewport()->rect();
    QStringList visible;
    for (int row = 0; row < model_.rowCount(); ++row) {
        const QRect tile = grid_->visualRect(model_.index(row));
        // The grid runs in rows: everything after this lies lower still.
        if (tile.top() > shown.bottom())
            break;
        if (model_.Waiting(row) && tile.intersects(shown))
            visible << model_.PathAt(row);
    }
    maker_.Prefer(visible);
}

void PictureDialog::ThumbnailArrived(int row)
{
    if (row >= 0 && row == grid_->currentIndex().row())
        SelectionChanged();
}

void PictureDialog::SelectionChanged()
{
    // The grid takes its first entry as current when it gets the focus,
    // without selecting it; that is no choice of the player's, and the name
    // preset stays.
    const QModelIndex current = grid_->currentIndex();
    const int row = grid_->selectionModel()->isSelected(current) ? current.row() : -1;
    sizeLabel_->setText(row < 0 ? QString() : model_.SizeText(row));
    detailsLabel_->setText(row < 0 ? QString() : model_.DetailsText(row));
    if (row >= 0)
        name_->setText(current.data().toString());
}

void PictureDialog::Open()
{
    const QString typed = name_->text().trimmed();
    if (typed.isEmpty())
        return;
    QFileInfo chosen(QDir(folder_).filePath(typed));
    if (chosen.isDir()) {
        ShowFolder(chosen.absoluteFilePath());
        name_->clear();
        return;
    }
    // A name typed without its kind is a BMP's, as it has always been.
    if (!chosen.exists() && chosen.suffix().isEmpty())
        chosen.setFile(chosen.filePath() + ".bmp");
    if (!chosen.isFile()) {
        detailsLabel_->setText(QStringLiteral("Diese Datei gibt es hier nicht."));
        return;
    }
    chosen_ = chosen.absoluteFilePath();
    accept();
}

void PictureDialog::done(int result)
{
    // No worker outlives the showing, and none writes after it.
    maker_.Stop();
    QDialog::done(result);
}
