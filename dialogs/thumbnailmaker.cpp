#include "thumbnailmaker.h"

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

void ThumbnailMaker::Make(const QString& path)
{
    ++pending_;
    const int generation = generation_;
    pool_.start([this, generation, path] {
        if (generation != generation_)
            return;
        ThumbnailCache::Entry entry;
        // Nothing may leave a worker; whatever went wrong, the picture is
        // one the grid cannot show.
        try {
            entry = cache_.Thumbnail(path, size_);
        } catch (...) {
        }
        // Queued to the maker's thread; dropped with the maker if it is gone.
        QMetaObject::invokeMethod(
            this, [this, generation, path, entry] { Deliver(generation, path, entry); }, Qt::QueuedConnection);
    });
}

void ThumbnailMaker::Deliver(int generation, const QString& path, const ThumbnailCache::Entry& entry)
{
    if (generation != generation_)
        return;
    --pending_;
    if (entry.thumbnail.isNull())
        emit Failed(path);
    else
        emit Made(path, entry.thumbnail, entry.pictureSize);
}

void ThumbnailMaker::Cancel()
{
    ++generation_;
    pending_ = 0;
    pool_.clear();
}

void ThumbnailMaker::Stop()
{
    Cancel();
    pool_.waitForDone();
}
