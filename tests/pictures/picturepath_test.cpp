#include "picturepath.h"
#include "picturesize.h"

#include "support/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A game stored on Windows names its picture in any letter case; the file
// is found however it is written here, in its own folder, the working one,
// beside the program or in the program's data folder.
TEST(PicturePath, StoredPictureIsFoundByAnotherCase)
{
    QTemporaryDir folder;
    const QString previous = QDir::currentPath(), program = QCoreApplication::applicationDirPath();
    const QString data = QDir::cleanPath(program + "/../share/plimmerlo"), here = folder.filePath("Bilder/");
    const auto cleanUp = qScopeGuard([&] {
        QDir::setCurrent(previous);
        QFile::remove(program + "/Garten-Beside.jpg");
        QFile::remove(data + "/in-data.bmp");
        QDir().rmpath(data); // and only what it made empty
    });
    ASSERT_TRUE(QDir::setCurrent(folder.path()) && QDir().mkpath("Bilder") && QDir().mkpath(data));
    for (const QString& file : {here + "zoo.jpg", QString("wald.BMP"), program + "/Garten-Beside.jpg", data + "/in-data.bmp"})
        WriteFile(file, "x");

    EXPECT_EQ(FindPicture(here + "ZOO.JPG"), here + "zoo.jpg");
    EXPECT_EQ(FindPicture("C:\\Bilder\\Wald.bmp"), "wald.BMP");
    EXPECT_EQ(FindPicture("C:\\Bilder\\garten-beside.JPG"), program + "/Garten-Beside.jpg");
    EXPECT_EQ(QDir::cleanPath(FindPicture("/usr/share/games/in-data.bmp")), data + "/in-data.bmp");
    EXPECT_EQ(FindPicture("C:\\Bilder\\Zoo.jpeg"), "");

    // Found in its own folder, the name keeps the folder for the next start;
    // found elsewhere, only its bare name is kept.
    EXPECT_EQ(FindStoredPicture(here + "ZOO.JPG").name, here + "ZOO.JPG");
    EXPECT_EQ(FindStoredPicture("C:\\x\\WALD.bmp").name, "WALD.bmp");
}

TEST(PicturePath, EmptyPictureHasAnEmptyPreview)
{
    EXPECT_EQ(PreviewSize(QSize(300, 0), QSize(160, 120)), QSize(0, 0));
}
