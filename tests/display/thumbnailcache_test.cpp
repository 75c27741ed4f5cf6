#include "thumbnailcache.h"

#include "pictureloader.h"
#include "support/files.h"
#include "support/jpegwriter.h"

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kMagenta = qRgb(255, 0, 255);
// About the chooser's preview area.
constexpr QSize kBox(206, 170);
constexpr int kOwnerGroupOther = 0xF0FF;

struct Rig {
    QTemporaryDir folder;
    QString picture = folder.filePath("Katze im Garten.jpg");
    QString cacheHome = folder.filePath("cache");
    ThumbnailCache cache{cacheHome};

    Rig()
    {
        WriteFile(picture, WriteJpeg(600, 400, JCS_RGB, 95, {}, [](int, JSAMPLE* row) {
                      for (int x = 0; x < 600; ++x)
                          row[3 * x] = 255, row[3 * x + 1] = row[3 * x + 2] = 0;
                  }));
    }

    // A thumbnail as another program might have left it.
    void PlantThumbnail(QSize size, const QByteArray& uri)
    {
        QImage thumbnail(size, QImage::Format_RGB32);
        thumbnail.fill(kMagenta);
        thumbnail.setText("Thumb::URI", uri);
        thumbnail.setText("Thumb::MTime", QString::number(QFileInfo(picture).lastModified().toSecsSinceEpoch()));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(cache.ThumbnailPath(picture)).path()));
        ASSERT_TRUE(thumbnail.save(cache.ThumbnailPath(picture), "png"));
    }

    QByteArray Uri() const { return QUrl::fromLocalFile(picture).toEncoded(); }
    QRgb Middle(QSize box) const
    {
        const QImage preview = cache.Preview(picture, box);
        return preview.pixel(preview.width() / 2, preview.height() / 2) | 0xFF000000;
    }
};

bool Near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) < 24;
}

}  // namespace

TEST(ThumbnailCache, FirstPreviewLeavesAThumbnailOnlyTheOwnerCanRead)
{
    Rig rig;
    EXPECT_TRUE(Near(rig.Middle(kBox), kRed));
    const QImage thumbnail(rig.cache.ThumbnailPath(rig.picture));
    ASSERT_FALSE(thumbnail.isNull());
    EXPECT_EQ(thumbnail.width(), 256);
    EXPECT_NEAR(thumbnail.height(), 171, 1);
    EXPECT_EQ(thumbnail.text("Thumb::URI"), rig.Uri());
    EXPECT_TRUE(rig.Uri().contains("Katze%20im%20Garten.jpg"));
    EXPECT_EQ(thumbnail.text("Thumb::MTime").toLongLong(), QFileInfo(rig.picture).lastModified().toSecsSinceEpoch());
    EXPECT_EQ(QFileInfo(rig.cache.ThumbnailPath(rig.picture)).permissions() & kOwnerGroupOther,
              QFile::ReadOwner | QFile::WriteOwner);
    for (const char* folder : {"/cache", "/cache/thumbnails", "/cache/thumbnails/large"})
        EXPECT_EQ(QFileInfo(rig.folder.path() + folder).permissions() & kOwnerGroupOther,
                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)
            << folder;
    EXPECT_TRUE(ThumbnailCache::Desktop().ThumbnailPath(rig.picture).startsWith(qEnvironmentVariable("XDG_CACHE_HOME")));
}

TEST(ThumbnailCache, TakesAThumbnailThatBelongsAndCoversTheBox)
{
    Rig rig;
    rig.PlantThumbnail({256, 171}, rig.Uri());
    EXPECT_TRUE(Near(rig.Middle(kBox), kMagenta));
    // Larger than any large thumbnail: decoded, the thumbnail kept.
    EXPECT_TRUE(Near(rig.Middle({400, 300}), kRed));
    EXPECT_TRUE(Near(rig.Middle(kBox), kMagenta));
    // A changed picture makes it stale; the first preview replaces it.
    QFile file(rig.picture);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addDays(1), QFileDevice::FileModificationTime));
    file.close();
    EXPECT_TRUE(Near(rig.Middle(kBox), kRed));
    EXPECT_TRUE(Near(QImage(rig.cache.ThumbnailPath(rig.picture)).pixel(128, 80), kRed));
}

TEST(ThumbnailCache, AnythingWrongWithTheCacheFallsBackToDecoding)
{
    {
        Rig rig;
        rig.PlantThumbnail({256, 171}, "file:///somewhere/else.jpg");
        EXPECT_TRUE(Near(rig.Middle(kBox), kRed));
    }
    {
        // Too large to be a thumbnail, whatever it records.
        Rig rig;
        rig.PlantThumbnail({2000, 1500}, rig.Uri());
        EXPECT_TRUE(Near(rig.Middle(kBox), kRed));
    }
    {
        Rig rig;
        rig.PlantThumbnail({256, 171}, rig.Uri());
        WriteFile(rig.cache.ThumbnailPath(rig.picture), FileBytes(rig.cache.ThumbnailPath(rig.picture)).left(300));
        EXPECT_TRUE(Near(rig.Middle(kBox), kRed));
    }
    {
        Rig rig;
        ASSERT_TRUE(QDir().mkpath(rig.cache.ThumbnailPath(rig.picture)));
        EXPECT_TRUE(Near(rig.Middle(kBox), kRed));
        WriteFile(rig.cacheHome + "-file", "not a folder");
        EXPECT_TRUE(Near(ThumbnailCache(rig.cacheHome + "-file").Preview(rig.picture, kBox).pixel(100, 60), kRed));
    }
    Rig rig;
    EXPECT_THROW(rig.cache.Preview(rig.folder.filePath("fehlt.jpg"), kBox), PictureError);
    EXPECT_FALSE(QFileInfo::exists(rig.cacheHome));
}
