#include "weblinks.h"

#include "desktopopener.h"
#include "userdialogs.h"

QString OpenFailureText(int code)
{
    // The texts are shown as the game has always shown them, the missing full
    // stop and missing space included.
    switch (code) {
    case 0:
        return "Zuwenig Speicher, ausführbare Datei war zerstört, Relokationswerte waren ungültig";
    case 2:
        return "Datei wurde nicht gefunden.";
    case 3:
        return "Verzeichnis wurde nicht gefunden.";
    case 5:
        return "Fehler beim gemeinsamen Zugriff auf eine Datei im Netz oder Fehler beim Zugriff auf eine "
               "gesperrte Datei im Netz.";
    case 6:
        return "Bibliothek forderte separate Datensegmente für jede Task an.";
    case 8:
        return "Zuwenig Speicher, um die Anwendung zu starten.";
    case 10:
        return "Falsche Windows-Version.";
    case 11:
        return "Ungültige ausführbare Datei. Entweder keine Windows-Anwendung oder Fehler in der EXE-Datei.";
    case 12:
        return "Anwendung für ein anderes Betriebssystem.";
    case 13:
        return "Anwendung für MS-DOS 4.0.";
    case 14:
        return "Typ der ausführbaren Datei unbekannt.";
    case 15:
        return "Versuch, eine Real-Mode-Anwendung (für eine frühere Windows-Version) zu laden.";
    case 16:
        return "Versuch, eine zweite Instanz einer ausführbaren Datei mit mehreren Datensegmenten, die nicht "
               "als nur lesbar gekennzeichnet waren, zu laden.";
    case 19:
        return "Versuch, eine komprimierte ausführbare Datei zu laden. Die Datei muß dekomprimiert werden, "
               "bevor sie geladen werden kann.";
    case 20:
        return "Ungültige dynamische Linkbibliothek (DLL). Eine der DLLs, die benötigt wurde, um die "
               "Anwendung auszuführen, war beschädigt.";
    }
    if (code >= 21 && code <= 31)
        return "Mit dieser Bild-Datei ist kein Grafikprogramm verknüpft.Das Programm informierte.";
    return {};
}

void OpenDocument(DesktopOpener& desktop, UserDialogs& dialogs, QWidget* parent, const QString& target)
{
    if (target.isEmpty())
        return;
    if (const std::optional<int> failure = desktop.Open(target))
        dialogs.ShowMessage(parent, OpenFailureText(*failure));
}
