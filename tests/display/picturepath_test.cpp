#include "picturepath.h"

#include "support/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A game stored on Windows names its picture in any letter case; the file
// is found however it is written here, first in its own folder, then in the
// working folder, beside the program and in the program's data folder.
TEST(PicturePath, StoredPictureIsFoundByAnotherCase)
{
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    const auto back = qScopeGuard([&] { QDir::setCurrent(previous); });
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    ASSERT_TRUE(QDir().mkpath("Bilder"));
    WriteFile("Bilder/zoo.jpg", "x");
    WriteFile("wald.BMP", "x");
    const QString program = QCoreApplication::applicationDirPath();
    const QString data = program + "/../share/plimmerlo";
    ASSERT_TRUE(QDir().mkpath(data));
    const auto cleanUp = qScopeGuard([&] {
        QFile::remove(program + "/Garten-Besides.jpg");
        QFile::remove(data + "/schule-in-data.bmp");
        QDir().rmpath(QDir::cleanPath(data)); // and only what it made empty
    });
    WriteFile(program + "/Garten-Besides.jpg", "x");
    WriteFile(data + "/schule-in-data.bmp", "x");

    const QString here = QDir(folder.path()).filePath("Bilder/");
    EXPECT_EQ(FindPicture(here + "ZOO.JPG"), here + "zoo.jpg");
    EXPECT_EQ(FindPicture("C:\\Bilder\\Wald.bmp"), "wald.BMP");
    EXPECT_EQ(FindPicture("C:\\Bilder\\garten-besides.JPG"), QDir(program).filePath("Garten-Besides.jpg"));
    EXPECT_EQ(FindPicture("/usr/share/games/schule-in-data.bmp"), QDir(data).filePath("schule-in-data.bmp"));
    EXPECT_EQ(FindPicture("C:\\Bilder\\Zoo.jpeg"), "");

    // Found in its own folder, the name keeps the folder for the next start;
    // found elsewhere, only its bare name is kept.
    QString own = here + "ZOO.JPG", elsewhere = "C:\\x\\WALD.bmp";
    EXPECT_THROW(LoadBackgroundPicture(own), std::exception); // "x" is no picture
    EXPECT_THROW(LoadBackgroundPicture(elsewhere), std::exception);
    EXPECT_EQ(own, here + "ZOO.JPG");
    EXPECT_EQ(elsewhere, "WALD.bmp");
}

TEST(PicturePath, EmptyPictureHasAnEmptyPreview)
{
    EXPECT_EQ(PreviewSize(QSize(0, 0), QSize(160, 120)), QSize(0, 0));
    EXPECT_EQ(PreviewSize(QSize(300, 0), QSize(160, 120)), QSize(0, 0));
    EXPECT_EQ(PreviewSize(QSize(300, 200), QSize(160, 120)), QSize(160, 106));
}
