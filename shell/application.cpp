#include "application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

void SetUpApplication(QApplication& app)
{
    // The name only, not a display name: Qt would append a display name to
    // every window caption.
    app.setApplicationName("GR Plimmerlo");
    app.setWindowIcon(QIcon(":/appicon/plimmerlo-48.png"));
    // The windows are designed in these Windows fonts; Liberation Sans has
    // Arial's metrics, so texts keep their sizes.
    QFont::insertSubstitution("Arial", "Liberation Sans");
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    // Qt's own dialogs (the file dialog) speak German like the rest of the game.
    auto* translator = new QTranslator(&app);
    if (translator->load("qtbase_de", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}
