#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("GR Plimmerlo");
    QMainWindow window;
    window.setWindowTitle("Grumbeck: Plimmerlo");
    window.show();
    return app.exec();
}
