#include "program.h"

#include "application.h"
#include "desktopopener.h"
#include "germandialogs.h"
#include "hauptprogramm.h"
#include "settingspath.h"
#include "systemclock.h"

#include <QApplication>

int RunProgram(int argc, char* argv[], const std::function<void(TMainForm&)>& beforeShow)
{
    // Whole device pixels per pixel, so the field stays sharp on dense screens.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication app(argc, argv);
    SetUpApplication(app);
    SystemClock clock;
    GermanDialogs dialogs;
    SystemDesktopOpener desktop;
    TMainForm mainForm({clock, dialogs, desktop, DefaultSettingsPath()});
    if (beforeShow)
        beforeShow(mainForm);
    mainForm.show();
    return app.exec();
}
