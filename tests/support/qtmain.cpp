// The test programs that open windows or read pictures run inside one
// QApplication, set up as the game sets itself up.
#include "application.h"

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    // The process as the program sets it up, so the tests meet what it meets.
    SetUpProcess();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Previews keep thumbnails in the desktop's cache; the tests' own stay apart.
    const QTemporaryDir cacheHome;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cacheHome.path()));
    QApplication app(argc, argv);
    SetUpApplication(app);
    // Dates and times come out as on a German desktop, whatever this machine's locale.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
