// The test programs that open windows or read pictures run inside one
// QApplication, set up as the game sets itself up.
#include "application.h"

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string_view>

int main(int argc, char* argv[])
{
    // The process as the program sets it up, so the tests meet what it meets.
    SetUpProcess();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Previews keep thumbnails in the desktop's cache; the tests' own stay
    // apart. A death test's child, this program run again, keeps its
    // parent's: it ends with _exit, before it could remove a folder of its own.
    std::optional<QTemporaryDir> cacheHome;
    const auto deathTestChild = [](std::string_view argument) {
        return argument.starts_with("--gtest_internal_run_death_test");
    };
    if (std::none_of(argv, argv + argc, deathTestChild)) {
        cacheHome.emplace();
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cacheHome->path()));
    }
    QApplication app(argc, argv);
    SetUpApplication(app);
    // Dates and times come out as on a German desktop, whatever this machine's locale.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
