#pragma once

#include "thumbnailcache.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThread>
#include <QThreadPool>

#include <atomic>

// Makes thumbnails on worker threads, one per core, through the cache: a
// kept thumbnail is read there too, so the window's thread never decodes a
// picture. Results come back on the maker's own thread as signals.
class ThumbnailMaker : public QObject {
    Q_OBJECT
public:
    ThumbnailMaker(ThumbnailCache cache, ThumbnailCache::Size size, int threads = QThread::idealThreadCount());
    // Waits for the thumbnails being made; those not yet begun are dropped.
    ~ThumbnailMaker() override;

    // Asks for the thumbnail of the picture at `path`: Made or Failed follows.
    void Make(const QString& path);
    // Drops every request not yet begun and every result not yet delivered;
    // a thumbnail being written is still written whole.
    void Cancel();
    // Cancels and waits until no worker is busy any more.
    void Stop();
    // Requests whose result has not yet been delivered.
    int Pending() const { return pending_; }
    int Threads() const { return pool_.maxThreadCount(); }

signals:
    void Made(const QString& path, const QImage& thumbnail, QSize pictureSize);
    void Failed(const QString& path);

private:
    void Deliver(int generation, const QString& path, const ThumbnailCache::Entry& entry);

    const ThumbnailCache cache_;
    const ThumbnailCache::Size size_;
    // Raised by every cancel; a request of an older one is left undone and
    // its result undelivered.
    std::atomic<int> generation_ = 0;
    int pending_ = 0;
    QThreadPool pool_;
};
