#include "thumbnailcache.h"

#include "support/files.h"
#include "support/jpegwriter.h"
#include "support/pngchunks.h"

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

constexpr QSize Box(206, 170);  // about the chooser's preview area
constexpr int OwnerGroupOther = 0xF0FF;

// A black photo, and a magenta thumbnail where a test plants one.
struct Rig {
    // A folder name that needs no escapes, so that the URI below is spelled out.
    QTemporaryDir folder{QDir::tempPath() + "/thumbnails-XXXXXX"};
    QString picture = folder.filePath("Bild müde.jpg");
    ThumbnailCache cache{folder.filePath("cache")};
    QString thumbnail = cache.ThumbnailPath(picture);
    // Percent-encoded UTF-8, as the file manager writes it.
    QByteArray uri = "file://" + folder.path().toUtf8() + "/Bild%20m%C3%BCde.jpg";

    Rig() { WriteFile(picture, WriteJpeg(600, 400, JCS_RGB, 95, {}, [](int, JSAMPLE* row) { std::fill_n(row, 1800, 0); })); }
    void Plant(QSize size)
    {
        QImage planted(size, QImage::Format_RGB32);
        planted.fill(Qt::magenta);
        planted.setText("Thumb::URI", uri);
        planted.setText("Thumb::MTime", QString::number(QFileInfo(picture).lastModified().toSecsSinceEpoch()));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(thumbnail).path()) && planted.save(thumbnail, "png"));
    }
    // Every preview here is at least 206 x 137.
    bool ShowsPlanted(QSize box) const { return qBlue(cache.Preview(picture, box).pixel(100, 60)) > 128; }
};

}  // namespace

TEST(ThumbnailCache, KeepsAThumbnailForTheOwnerAndTakesItWhileItBelongsAndCovers)
{
    Rig rig;
    EXPECT_FALSE(rig.ShowsPlanted(Box));
    const QImage kept(rig.thumbnail);
    EXPECT_EQ(kept.width(), 256);
    EXPECT_EQ(kept.text("Thumb::URI"), rig.uri);
    EXPECT_EQ(kept.text("Thumb::MTime").toLongLong(), QFileInfo(rig.picture).lastModified().toSecsSinceEpoch());
    EXPECT_EQ(QFileInfo(rig.thumbnail).permissions() & OwnerGroupOther, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(QFileInfo(QFileInfo(rig.thumbnail).path()).permissions() & OwnerGroupOther,
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    rig.Plant({256, 171});
    EXPECT_TRUE(rig.ShowsPlanted(Box));
    EXPECT_FALSE(rig.ShowsPlanted({400, 300}));  // it would be blown up
    // Text that would inflate to 280 MB goes; the thumbnail's own stays.
    WriteFile(rig.thumbnail, WithTextChunks(FileBytes(rig.thumbnail), 40, 7 << 20));
    EXPECT_TRUE(rig.ShowsPlanted(Box));
    QFile file(rig.picture);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite) &&
                file.setFileTime(QDateTime::currentDateTime().addDays(1), QFileDevice::FileModificationTime));
    EXPECT_FALSE(rig.ShowsPlanted(Box));  // stale, and replaced
    EXPECT_LT(qBlue(QImage(rig.thumbnail).pixel(128, 80)), 128);
}

TEST(ThumbnailCache, AnythingWrongWithTheCacheFallsBackToDecoding)
{
    Rig tooLarge, cut, unwritable;
    tooLarge.Plant({2000, 1500});
    cut.Plant({256, 171});
    WriteFile(cut.thumbnail, FileBytes(cut.thumbnail).left(300));
    WriteFile(unwritable.folder.filePath("cache"), "kein Ordner");
    for (const Rig* rig : {&tooLarge, &cut, &unwritable})
        EXPECT_FALSE(rig->ShowsPlanted(Box));
}

TEST(ThumbnailCache, ReplacesWhatLiesAtTheThumbnailsPlaceAndWritesNothingElsewhere)
{
    Rig linked, dangling, pipe, linkedFolder;
    QTemporaryDir elsewhere;
    WriteFile(elsewhere.filePath("brief.txt"), "Liebe Oma");
    for (const Rig* rig : {&linked, &dangling, &pipe, &linkedFolder})
        ASSERT_TRUE(QDir().mkpath(rig->folder.filePath("cache/thumbnails/large")));
    ASSERT_TRUE(QFile::link(elsewhere.filePath("brief.txt"), linked.thumbnail) &&
                QFile::link(elsewhere.filePath("neu.png"), dangling.thumbnail) &&
                QDir(linkedFolder.folder.filePath("cache/thumbnails")).rmdir("large") &&
                QFile::link(elsewhere.path(), linkedFolder.folder.filePath("cache/thumbnails/large")));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe.thumbnail).constData(), 0600), 0);
    for (const Rig* rig : {&linked, &dangling, &pipe, &linkedFolder})
        EXPECT_TRUE(!rig->ShowsPlanted(Box) && QImage(rig->thumbnail).width() == (rig == &linkedFolder ? 0 : 256));
    EXPECT_EQ(FileBytes(elsewhere.filePath("brief.txt")), "Liebe Oma");
    EXPECT_EQ(QDir(elsewhere.path()).entryList(QDir::Files | QDir::System), QStringList("brief.txt"));
}
