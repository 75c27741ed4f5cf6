#include "application.h"

#include "artwork.h"
#include "barstyle.h"
#include "windowkit.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <csignal>

void SetUpApplication(QApplication& app)
{
    // The name only, not a display name: Qt would append a display name to
    // every window caption.
    app.setApplicationName("GR Plimmerlo");
    app.setWindowIcon(ArtworkIcon(":/appicon/plimmerlo-48.png"));
    QApplication::setStyle(new BarStyle(QApplication::style()));
    WindowKit::UseDesignFont(app);
    // Qt's own dialogs (the file dialog) speak German like the rest of the game.
    auto* translator = new QTranslator(&app);
    if (translator->load("qtbase_de", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

void SetUpProcess()
{
    std::signal(SIGXFSZ, SIG_IGN);
}
