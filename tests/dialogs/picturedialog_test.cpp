#include "picturedialog.h"

#include "support/files.h"

#include <QLabel>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

TEST(PictureDialog, OpensAtThePictureInPlayAndPreviewsTheSelectedOne)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QImage(600, 400, QImage::Format_RGB32).save(folder.filePath("katze.bmp")));
    ASSERT_TRUE(QImage(40, 60, QImage::Format_RGB32).save(folder.filePath("hund.bmp")));
    WriteFile(folder.filePath("kaputt.jpg"), "kein Bild");

    PictureDialog dialog(nullptr, folder.filePath("katze.bmp"));
    dialog.show();
    EXPECT_EQ(dialog.directory().absolutePath(), folder.path());
    const auto* preview = dialog.findChild<QLabel*>("PicturePreview");
    const auto* size = dialog.findChild<QLabel*>("PictureSizeLabel");
    auto* list = dialog.findChild<QListView*>("listView");
    ASSERT_TRUE(preview && size && list);
    EXPECT_EQ(preview->pixmap().size(), QSize(240, 160));
    EXPECT_EQ(size->text(), "600 x 400 Pixel");

    // Clicked in the list, once the list has read the folder.
    const auto click = [list](const QString& name) {
        const auto entry = [&] {
            return list->model()->match(list->model()->index(0, 0, list->rootIndex()), Qt::DisplayRole, name).value(0);
        };
        QTRY_VERIFY_WITH_TIMEOUT(entry().isValid(), 5000);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry()).center());
    };
    click("hund.bmp");
    EXPECT_EQ(preview->pixmap().size(), QSize(40, 60));
    EXPECT_EQ(size->text(), "40 x 60 Pixel");
    click("kaputt.jpg");
    EXPECT_TRUE(preview->pixmap().isNull());
    EXPECT_EQ(size->text(), "kein lesbares Bild");
}
