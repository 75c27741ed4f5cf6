#include "program.h"

#include "application.h"
#include "desktopopener.h"
#include "germandialogs.h"
#include "mainwindow.h"
#include "settingspath.h"
#include "systemclock.h"

#include <QApplication>
#include <QFileInfo>

#include <optional>
#include <system_error>
#include <thread>

#include <fontconfig/fontconfig.h>

int RunProgram(int argc, char* argv[], const std::function<void(MainWindow&)>& beforeShow)
{
    SetUpProcess();
    // Whole device pixels per pixel, so the field stays sharp on dense screens.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    // Fontconfig reads its configuration and the list of fonts the first
    // time a text is measured, a good part of the start; on another core it
    // is done while Qt connects to the display.
    std::optional<std::thread> fonts;
    try {
        fonts.emplace([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to spare: the fonts are read when first needed.
    }
    QApplication app(argc, argv);
    if (fonts)
        fonts->join();
    SetUpApplication(app);
    SystemClock clock;
    GermanDialogs dialogs;
    SystemDesktopOpener desktop;
    MainWindow mainForm({clock, dialogs, desktop, DefaultSettingsPlace()});
    // "Open with" hands the program the picture to play on.
    const QStringList arguments = QCoreApplication::arguments();
    mainForm.Start(arguments.size() > 1 ? QFileInfo(arguments[1]).absoluteFilePath() : QString());
    if (beforeShow)
        beforeShow(mainForm);
    mainForm.show();
    return app.exec();
}
