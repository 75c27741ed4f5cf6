// The game's start-up as shell/main.cpp does it, ended at the first paint.
#include "application.h"
#include "germandialogs.h"
#include "hauptprogramm.h"
#include "startup_probe.h"
#include "systemclock.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication app(argc, argv);
    SetUpApplication(app);
    SystemClock clock;
    GermanDialogs dialogs;
    TMainForm mainForm(clock, dialogs);
    QuitAfterFirstPaint probe(mainForm);
    mainForm.show();
    const int result = app.exec();
    PrintPeakRss();
    return result;
}
