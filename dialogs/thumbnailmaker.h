#pragma once

#include "thumbnailcache.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QStringList>
#include <QThread>
#include <QThreadPool>

#include <deque>
#include <mutex>

// Makes thumbnails on worker threads, one per core, through the cache: a
// kept thumbnail is read there too, so the window's thread never decodes a
// picture. The workers take the pictures from a queue of their own, so
// they never wait for the window's thread; results come back on the
// maker's own thread as signals.
class ThumbnailMaker : public QObject {
    Q_OBJECT
public:
    ThumbnailMaker(ThumbnailCache cache, ThumbnailCache::Size size, int threads = QThread::idealThreadCount());
    // Waits for the thumbnails being made; those not yet begun are dropped.
    ~ThumbnailMaker() override;

    // Asks for the thumbnails of the pictures at `paths`, made in that
    // order after those asked for before: Made or Failed follows for each.
    void Make(const QStringList& paths);
    // Moves those of `paths` that are still waiting to the front.
    void Prefer(const QStringList& paths);
    // Drops every request not yet begun and every result not yet delivered;
    // a thumbnail being written is still written whole.
    void Cancel();
    // Cancels and waits until no worker is busy any more.
    void Stop();

signals:
    void Made(const QString& path, const QImage& thumbnail, QSize pictureSize);
    void Failed(const QString& path);

private:
    struct Request {
        QString path;
        // Raised by every cancel; a result of an older one is not delivered.
        // Read and written on the maker's thread alone.
        int generation;
    };
    // Runs on a worker until no request is left.
    void Work();
    void Deliver(const Request& request, const ThumbnailCache::Entry& entry);

    const ThumbnailCache cache_;
    const ThumbnailCache::Size size_;
    std::mutex mutex_;
    std::deque<Request> waiting_;
    int generation_ = 0;
    int workers_ = 0;
    QThreadPool pool_;
};
