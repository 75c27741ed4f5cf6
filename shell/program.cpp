#include "program.h"

#include "application.h"
#include "desktopopener.h"
#include "germandialogs.h"
#include "mainwindow.h"
#include "settingspath.h"
#include "systemclock.h"

#include <QApplication>
#include <QFileInfo>

int RunProgram(int argc, char* argv[], const std::function<void(MainWindow&)>& beforeShow)
{
    SetUpProcess();
    // Whole device pixels per pixel, so the field stays sharp on dense screens.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication app(argc, argv);
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
