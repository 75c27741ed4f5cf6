#include "picturedialog.h"

#include "support/files.h"
#include "support/jpegwriter.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

QByteArray Photo(int width, int height)
{
    return WriteJpeg(width, height, JCS_RGB, 90, {}, [width](int y, JSAMPLE* row) {
        for (int x = 0; x < 3 * width; ++x)
            row[x] = JSAMPLE((x + y) & 0xFF);
    });
}

// A folder of pictures and a thumbnail cache of the test's own.
struct Rig {
    QTemporaryDir folder;
    ThumbnailCache cache{folder.filePath("cache")};
    QString Path(const QString& name) const { return folder.filePath("fotos/" + name); }
    Rig() { QDir(folder.path()).mkpath("fotos"); }

    QStringList Names(const PictureDialog& dialog) const
    {
        const QAbstractItemModel* model = Grid(dialog)->model();
        QStringList names;
        for (int row = 0; row < model->rowCount(); ++row)
            names << model->index(row, 0).data().toString();
        return names;
    }
    static QListView* Grid(const PictureDialog& dialog) { return dialog.findChild<QListView*>("PictureGrid"); }
    static bool AllShown(const PictureDialog& dialog)
    {
        const QAbstractItemModel* model = Grid(dialog)->model();
        for (int row = 0; row < model->rowCount(); ++row)
            if (!model->index(row, 0).data(PictureFolderModel::FinishedRole).toBool())
                return false;
        return true;
    }
};

}  // namespace

TEST(PictureDialog, ListsFoldersThenPicturesInEitherOrderAndChoosesByKeys)
{
    Rig rig;
    QDir(rig.Path("")).mkpath("Zoo");
    QDir(rig.Path("")).mkpath("alt");
    WriteFile(rig.Path("Bild 10.jpg"), Photo(600, 400));
    WriteFile(rig.Path("Bild 9.JPG"), Photo(30, 50));
    WriteFile(rig.Path("kaputt.jpg"), "kein Bild");
    WriteFile(rig.Path("notizen.txt"), "");
    const auto age = [&](const QString& name, int days) {
        QFile file(rig.Path(name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite) &&
                    file.setFileTime(QDateTime::currentDateTime().addDays(-days), QFileDevice::FileModificationTime));
    };
    age("Bild 9.JPG", 3);
    age("kaputt.jpg", 2);
    age("Bild 10.jpg", 1);

    PictureDialog dialog(nullptr, rig.Path("Bild 10.jpg"), PictureOrder::ByName, rig.cache);
    dialog.resize(1200, 700);  // one row
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Hintergrundbild öffnen ...");
    EXPECT_EQ(rig.Names(dialog), QStringList({"alt", "Zoo", "Bild 9.JPG", "Bild 10.jpg", "kaputt.jpg"}));
    const auto* size = dialog.findChild<QLabel*>("PictureSizeLabel");
    QTRY_VERIFY_WITH_TIMEOUT(Rig::AllShown(dialog), 10000);
    EXPECT_EQ(size->text(), "600 x 400 Pixel");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("NameField")->text(), "Bild 10.jpg");

    dialog.findChild<QComboBox*>("OrderBox")->setCurrentIndex(1);
    EXPECT_EQ(dialog.Order(), PictureOrder::NewestFirst);
    EXPECT_EQ(rig.Names(dialog), QStringList({"alt", "Zoo", "Bild 10.jpg", "kaputt.jpg", "Bild 9.JPG"}));

    QListView* grid = Rig::Grid(dialog);
    QTest::keyClicks(grid, "ka");
    EXPECT_EQ(size->text(), "kein lesbares Bild");
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(size->text(), "30 x 50 Pixel");
    QTest::keyClick(grid, Qt::Key_Left);
    QTest::keyClick(grid, Qt::Key_Left);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ChosenPath(), rig.Path("Bild 10.jpg"));
}

TEST(PictureDialog, TakesAKeptThumbnailAndMakesAMissingOneOffItsThread)
{
    Rig rig;
    // Not a picture at all: only a thumbnail kept for it can show it.
    WriteFile(rig.Path("katze.jpg"), "kein Bild");
    QImage kept(128, 96, QImage::Format_RGB32);
    kept.fill(Qt::magenta);
    kept.setText("Thumb::URI", QUrl::fromLocalFile(rig.Path("katze.jpg")).toEncoded());
    kept.setText("Thumb::MTime", QString::number(QFileInfo(rig.Path("katze.jpg")).lastModified().toSecsSinceEpoch()));
    kept.setText("Thumb::Image::Width", "4000");
    kept.setText("Thumb::Image::Height", "3000");
    const QString keptPath = rig.cache.ThumbnailPath(rig.Path("katze.jpg"), ThumbnailCache::Size::Normal);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(keptPath).path()) && kept.save(keptPath));
    WriteFile(rig.Path("hund.jpg"), Photo(640, 480));
    const QString made = rig.cache.ThumbnailPath(rig.Path("hund.jpg"), ThumbnailCache::Size::Normal);

    PictureDialog dialog(nullptr, rig.Path("katze.jpg"), PictureOrder::ByName, rig.cache);
    // This thread waits without running its events: only a worker can make it.
    for (int waited = 0; !QFileInfo::exists(made) && waited < 10000; waited += 10)
        QThread::msleep(10);
    EXPECT_EQ(QImage(made).size(), QSize(128, 96));
    EXPECT_EQ(QImage(made).text("Thumb::Image::Width"), "640");

    QTRY_VERIFY_WITH_TIMEOUT(Rig::AllShown(dialog), 10000);
    const QIcon shown = Rig::Grid(dialog)->model()->index(1, 0).data(Qt::DecorationRole).value<QIcon>();
    EXPECT_EQ(shown.pixmap(QSize(128, 128)).toImage().pixel(64, 100), QColor(Qt::magenta).rgb());
    EXPECT_EQ(dialog.findChild<QLabel*>("PictureSizeLabel")->text(), "4000 x 3000 Pixel");
}

TEST(PictureDialog, ClosingCancelsTheThumbnailsNotYetMadeAndLeavesNoPartialFile)
{
    Rig rig;
    constexpr int Photos = 40;
    const QByteArray photo = Photo(2400, 1600);
    for (int n = 0; n < Photos; ++n)
        WriteFile(rig.Path(QString("foto%1.jpg").arg(n)), photo);
    const QDir thumbnails(rig.folder.filePath("cache/thumbnails/normal"));
    {
        PictureDialog dialog(nullptr, rig.Path("foto0.jpg"), PictureOrder::ByName, rig.cache);
        dialog.reject();
        const QStringList written = thumbnails.entryList(QDir::Files);
        EXPECT_LT(written.size(), Photos);
        for (const QString& name : written) {
            EXPECT_TRUE(name.endsWith(".png")) << name.toStdString();
            EXPECT_EQ(QImage(thumbnails.filePath(name)).size(), QSize(128, 85));
        }
        QTest::qWait(200);
        EXPECT_EQ(thumbnails.entryList(QDir::Files), written);
    }
}

TEST(PictureDialog, FirstOpensInThePlayersPicturesFolder)
{
    Rig rig;
    WriteFile(rig.folder.filePath("user-dirs.dirs"), "XDG_PICTURES_DIR=\"" + rig.Path("").toUtf8() + "\"\n");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(rig.folder.path()));
    const PictureDialog dialog(nullptr, "schule.bmp", PictureOrder::ByName, rig.cache);
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(dialog.findChild<QLabel*>("FolderLabel")->text(), QDir(rig.Path("")).absolutePath());
    EXPECT_EQ(dialog.findChild<QListWidget*>("PlacesList")->item(0)->text(), "Bilder");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("NameField")->text(), "schule.bmp");
}
