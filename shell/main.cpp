#include "application.h"
#include "germandialogs.h"
#include "hauptprogramm.h"
#include "systemclock.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Whole device pixels per pixel, so the field stays sharp on dense screens.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication app(argc, argv);
    SetUpApplication(app);
    SystemClock clock;
    GermanDialogs dialogs;
    TMainForm mainForm(clock, dialogs);
    mainForm.show();
    return app.exec();
}
