#pragma once

#include "pictureorder.h"

#include <QAbstractListModel>
#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QIcon>
#include <QStringList>

#include <vector>

// One folder as the picture dialog's grid shows it: its folders first, then
// its pictures, each with its thumbnail once that is made.
class PictureFolderModel : public QAbstractListModel {
public:
    enum Role {
        PathRole = Qt::UserRole,
        // Whether the tile shows what it will show: a folder, a thumbnail or
        // the tile of a picture that cannot be read.
        FinishedRole,
    };

    // `tileSide` is the side of a tile's picture in logical pixels.
    PictureFolderModel(int tileSide, qreal devicePixelRatio);

    // Lists the folders and the files that match `patterns` in `folder`.
    void ShowFolder(const QString& folder, const QStringList& patterns, PictureOrder order);
    void SetOrder(PictureOrder order);

    QString PathAt(int row) const { return entries_[row].path; }
    // A picture still waiting for its thumbnail.
    bool Waiting(int row) const { return entries_[row].state == State::Waiting; }
    // The pictures, in the grid's order.
    QStringList PicturePaths() const;
    // The rows of the picture at `path` after its thumbnail came back; -1
    // when it is no longer listed.
    int ShowThumbnail(const QString& path, const QImage& thumbnail, QSize pictureSize);
    int ShowUnreadable(const QString& path);
    // The selected entry's size in pixels, in German; empty while unknown.
    QString SizeText(int row) const;
    // Its file size and date, in German.
    QString DetailsText(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    enum class State { Folder, Waiting, Shown, Unreadable };
    struct Entry {
        QString name;
        QString path;
        bool folder;
        QDateTime modified;
        qint64 bytes;
        State state;
        QIcon thumbnail;
        QSize pictureSize;
    };
    void Sort(PictureOrder order);
    int RowOf(const QString& path) const;

    int tileSide_;
    qreal devicePixelRatio_;
    QIcon waitingTile_;
    QIcon unreadableTile_;
    QIcon folderTile_;
    std::vector<Entry> entries_;
    QHash<QString, int> rows_;
};
