#include "picturefoldermodel.h"

#include <QApplication>
#include <QCollator>
#include <QDir>
#include <QLocale>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace {

const QLocale German(QLocale::German, QLocale::Germany);

// A plain square tile, with a word on it where there is one to say.
QIcon Tile(int side, qreal devicePixelRatio, const QColor& colour, const QString& text = {})
{
    QPixmap tile(QSize(side, side) * devicePixelRatio);
    tile.setDevicePixelRatio(devicePixelRatio);
    tile.fill(colour);
    QPainter painter(&tile);
    painter.setPen(colour.darker(130));
    painter.drawRect(0, 0, side - 1, side - 1);
    if (!text.isEmpty()) {
        painter.setPen(QApplication::palette().color(QPalette::Text));
        painter.drawText(QRect(0, 0, side, side), Qt::AlignCenter, text);
    }
    return QIcon(tile);
}

}  // namespace

PictureFolderModel::PictureFolderModel(int tileSide, qreal devicePixelRatio)
    : tileSide_(tileSide),
      devicePixelRatio_(devicePixelRatio),
      waitingTile_(Tile(tileSide, devicePixelRatio, QColor(240, 240, 240))),
      unreadableTile_(Tile(tileSide, devicePixelRatio, QColor(215, 215, 215), QStringLiteral("kein Bild"))),
      folderTile_(QApplication::style()->standardIcon(QStyle::SP_DirIcon))
{
}

void PictureFolderModel::ShowFolder(const QString& folder, const QStringList& patterns, PictureOrder order)
{
    beginResetModel();
    entries_.clear();
    const QDir dir(folder);
    for (const QFileInfo& info : dir.entryInfoList(QDir::AllDirs | QDir::NoDotAndDotDot)) {
        entries_.push_back({info.fileName(), info.absoluteFilePath(), true, info.lastModified(), 0, State::Folder, {}, {}});
    }
    for (const QFileInfo& info : dir.entryInfoList(patterns, QDir::Files)) {
        entries_.push_back(
            {info.fileName(), info.absoluteFilePath(), false, info.lastModified(), info.size(), State::Waiting, {}, {}});
    }
    Sort(order);
    endResetModel();
}

void PictureFolderModel::SetOrder(PictureOrder order)
{
    beginResetModel();
    Sort(order);
    endResetModel();
}

void PictureFolderModel::Sort(PictureOrder order)
{
    // The German order whatever the desktop's language, and "Bild 9" before
    // "Bild 10" as a person counts.
    QCollator byName(German);
    byName.setCaseSensitivity(Qt::CaseInsensitive);
    byName.setNumericMode(true);
    std::stable_sort(entries_.begin(), entries_.end(), [&](const Entry& a, const Entry& b) {
        if (a.folder != b.folder)
            return a.folder;
        if (order == PictureOrder::NewestFirst && a.modified != b.modified)
            return a.modified > b.modified;
        return byName.compare(a.name, b.name) < 0;
    });
    rows_.clear();
    for (int row = 0; row < int(entries_.size()); ++row)
        rows_.insert(entries_[row].path, row);
}

QStringList PictureFolderModel::PicturePaths() const
{
    QStringList paths;
    for (const Entry& entry : entries_)
        if (!entry.folder)
            paths << entry.path;
    return paths;
}

int PictureFolderModel::RowOf(const QString& path) const
{
    return rows_.value(path, -1);
}

int PictureFolderModel::ShowThumbnail(const QString& path, const QImage& thumbnail, QSize pictureSize)
{
    const int row = RowOf(path);
    if (row < 0)
        return row;
    // Every tile square, the picture standing on its name as in a file
    // manager, so that the names of a row stay on one line.
    QPixmap tile(QSize(tileSide_, tileSide_) * devicePixelRatio_);
    tile.setDevicePixelRatio(devicePixelRatio_);
    tile.fill(Qt::transparent);
    const QSizeF shown = (QSizeF(thumbnail.size()) / devicePixelRatio_).boundedTo(QSizeF(tileSide_, tileSide_));
    const QSizeF fitted = QSizeF(thumbnail.size()).scaled(shown, Qt::KeepAspectRatio);
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF((tileSide_ - fitted.width()) / 2, tileSide_ - fitted.height()), fitted), thumbnail);
    painter.end();
    entries_[row].thumbnail = QIcon(tile);
    entries_[row].pictureSize = pictureSize;
    entries_[row].state = State::Shown;
    emit dataChanged(index(row), index(row));
    return row;
}

int PictureFolderModel::ShowUnreadable(const QString& path)
{
    const int row = RowOf(path);
    if (row < 0)
        return row;
    entries_[row].state = State::Unreadable;
    emit dataChanged(index(row), index(row));
    return row;
}

QString PictureFolderModel::SizeText(int row) const
{
    const Entry& entry = entries_[row];
    if (entry.state == State::Unreadable)
        return QStringLiteral("kein lesbares Bild");
    if (entry.state != State::Shown)
        return {};
    return QStringLiteral("%1 x %2 Pixel").arg(entry.pictureSize.width()).arg(entry.pictureSize.height());
}

QString PictureFolderModel::DetailsText(int row) const
{
    const Entry& entry = entries_[row];
    const QString date = German.toString(entry.modified, QStringLiteral("dd.MM.yyyy HH:mm"));
    if (entry.folder)
        return QStringLiteral("Ordner, geändert am %1").arg(date);
    return QStringLiteral("%1, geändert am %2")
        .arg(German.formattedDataSize(entry.bytes, 1, QLocale::DataSizeSIFormat), date);
}

int PictureFolderModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(entries_.size());
}

QVariant PictureFolderModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(entries_.size()))
        return {};
    const Entry& entry = entries_[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return entry.name;
    case Qt::ToolTipRole:
        return entry.name + '\n' + DetailsText(index.row());
    case Qt::DecorationRole:
        return entry.state == State::Folder       ? folderTile_
               : entry.state == State::Shown      ? entry.thumbnail
               : entry.state == State::Unreadable ? unreadableTile_
                                                  : waitingTile_;
    case PathRole:
        return entry.path;
    case FinishedRole:
        return entry.state != State::Waiting;
    default:
        return {};
    }
}
