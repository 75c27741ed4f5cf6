#include "picturedialog.h"

#include "support/files.h"
#include "support/jpegwriter.h"

#include <QLabel>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QRgb Middle(const QLabel* label)
{
    const QImage shown = label->pixmap().toImage();
    return shown.pixel(shown.width() / 2, shown.height() / 2) | 0xFF000000;
}

// Clicks the file's entry in the dialog's list, once the list has read the folder.
void ClickEntry(QFileDialog& dialog, const QString& name)
{
    auto* list = dialog.findChild<QListView*>("listView");
    ASSERT_TRUE(list);
    QModelIndex entry;
    const auto find = [&] {
        for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row)
            if (list->model()->index(row, 0, list->rootIndex()).data().toString() == name)
                entry = list->model()->index(row, 0, list->rootIndex());
        return entry.isValid();
    };
    QTRY_VERIFY_WITH_TIMEOUT(find(), 5000);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
}

}  // namespace

TEST(PictureDialog, OpensAtThePictureInPlayAndPreviewsTheSelectedOne)
{
    QTemporaryDir folder;
    const QString cat = folder.filePath("katze.jpg");
    WriteFile(cat, WriteJpeg(600, 400, JCS_RGB, 95, {}, [](int, JSAMPLE* row) {
                  for (int x = 0; x < 600; ++x)
                      row[3 * x] = 255, row[3 * x + 1] = row[3 * x + 2] = 0;
              }));
    QImage dog(40, 60, QImage::Format_RGB32);
    dog.fill(Qt::blue);
    ASSERT_TRUE(dog.save(folder.filePath("hund.bmp")));
    WriteFile(folder.filePath("kaputt.jpg"), "kein Bild");

    PictureDialog dialog(nullptr, cat);
    dialog.show();
    EXPECT_EQ(dialog.directory().absolutePath(), folder.path());
    const auto* preview = dialog.findChild<QLabel*>("PicturePreview");
    const auto* size = dialog.findChild<QLabel*>("PictureSizeLabel");
    ASSERT_TRUE(preview && size);
    EXPECT_EQ(preview->pixmap().size(), QSize(240, 160));
    EXPECT_GT(qRed(Middle(preview)), 240);
    EXPECT_LT(qBlue(Middle(preview)), 15);
    EXPECT_EQ(size->text(), "600 x 400 Pixel");

    ClickEntry(dialog, "hund.bmp");
    EXPECT_EQ(preview->pixmap().size(), QSize(40, 60));
    EXPECT_EQ(Middle(preview), qRgb(0, 0, 255));
    EXPECT_EQ(size->text(), "40 x 60 Pixel");

    ClickEntry(dialog, "kaputt.jpg");
    EXPECT_TRUE(preview->pixmap().isNull());
    EXPECT_EQ(size->text(), "kein lesbares Bild");
}
