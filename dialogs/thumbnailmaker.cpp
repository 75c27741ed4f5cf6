#include "thumbnailmaker.h"

#include <QSet>

#include <algorithm>
#include <utility>

ThumbnailMaker::ThumbnailMaker(ThumbnailCache cache, ThumbnailCache::Size size, int threads)
    : cache_(std::move(cache)), size_(size)
{
    pool_.setMaxThreadCount(threads);
}

ThumbnailMaker::~ThumbnailMaker()
{
    Stop();
}

void ThumbnailMaker::Make(const QStringList& paths)
{
    const std::lock_guard lock(mutex_);
    for (const QString& path : paths)
        waiting_.push_back({path, generation_});
    // A worker leaves only once it finds the queue empty, under this lock,
    // so a request never waits while a worker could take it.
    for (; workers_ < pool_.maxThreadCount() && workers_ < int(waiting_.size()); ++workers_)
        pool_.start([this] { Work(); });
}

void ThumbnailMaker::Prefer(const QStringList& paths)
{
    const QSet<QString> preferred(paths.begin(), paths.end());
    const std::lock_guard lock(mutex_);
    std::stable_partition(waiting_.begin(), waiting_.end(),
                          [&](const Request& request) { return preferred.contains(request.path); });
}

void ThumbnailMaker::Work()
{
    for (;;) {
        std::unique_lock lock(mutex_);
        if (waiting_.empty()) {
            --workers_;
            return;
        }
        const Request request = std::move(waiting_.front());
        waiting_.pop_front();
        lock.unlock();
        ThumbnailCache::Entry entry;
        // Nothing may leave a worker; whatever went wrong, the picture is
        // one the grid cannot show.
        try {
            entry = cache_.Thumbnail(request.path, size_);
        } catch (...) {
        }
        // Queued to the maker's thread; dropped with the maker if it is gone.
        QMetaObject::invokeMethod(
            this, [this, request, entry] { Deliver(request, entry); }, Qt::QueuedConnection);
    }
}

void ThumbnailMaker::Deliver(const Request& request, const ThumbnailCache::Entry& entry)
{
    if (request.generation != generation_)
        return;
    if (entry.thumbnail.isNull())
        emit Failed(request.path);
    else
        emit Made(request.path, entry.thumbnail, entry.pictureSize);
}

void ThumbnailMaker::Cancel()
{
    const std::lock_guard lock(mutex_);
    ++generation_;
    waiting_.clear();
}

void ThumbnailMaker::Stop()
{
    Cancel();
    pool_.waitForDone();
}
