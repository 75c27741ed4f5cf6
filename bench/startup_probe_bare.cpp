// The least a Qt program with a main window costs, as the game's yardstick.
#include "startup_probe.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Grumbeck: Plimmerlo");
    QuitAfterFirstPaint probe(window);
    window.show();
    const int result = app.exec();
    PrintPeakRss();
    return result;
}
