#include "weblinks.h"
#include "germandialogs.h"
#include "webaddresses.h"
#include "support/windowrig.h"

#include <QUrl>

#include <gtest/gtest.h>

namespace {

// The message OpenDocument shows when the desktop answers `code`, or
// "(none)" when it shows nothing.
QString MessageFor(std::optional<int> code)
{
    RecordingDesktop desktop;
    desktop.failure = code;
    ScriptedDialogs dialogs;
    OpenDocument(desktop, dialogs, nullptr, "http://www.grumbeck.example/spiele/");
    EXPECT_EQ(desktop.opened, QStringList{"http://www.grumbeck.example/spiele/"});
    EXPECT_LE(dialogs.messages.size(), 1);
    return dialogs.messages.value(0, "(none)");
}

} // namespace

TEST(OpenDocument, AnEmptyTargetOpensNothingAndSaysNothing)
{
    RecordingDesktop desktop;
    ScriptedDialogs dialogs;
    OpenDocument(desktop, dialogs, nullptr, "");
    EXPECT_TRUE(desktop.opened.isEmpty());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST(OpenDocument, SuccessSaysNothing)
{
    EXPECT_EQ(MessageFor(std::nullopt), "(none)");
}

TEST(OpenDocument, FailuresAreToldInGermanAsTheGameAlwaysToldThem)
{
    const QString noProgram = "Mit dieser Bild-Datei ist kein Grafikprogramm verknüpft.Das Programm informierte.";
    EXPECT_EQ(MessageFor(31), noProgram);
    EXPECT_EQ(MessageFor(21), noProgram);
    EXPECT_EQ(MessageFor(0), "Zuwenig Speicher, ausführbare Datei war zerstört, Relokationswerte waren ungültig");
    EXPECT_EQ(MessageFor(2), "Datei wurde nicht gefunden.");
    EXPECT_EQ(MessageFor(20), "Ungültige dynamische Linkbibliothek (DLL). Eine der DLLs, die benötigt wurde, um "
                              "die Anwendung auszuführen, war beschädigt.");
}

TEST(OpenDocument, AFailureWithoutATextStillShowsAnEmptyBox)
{
    for (const int code : {1, 4, 7, 9, 17, 18, 32})
        EXPECT_EQ(MessageFor(code), "") << code;
}

TEST(WebAddresses, AllPagesAreOnTheOneHost)
{
    const QUrl host(WebAddresses::Host);
    EXPECT_EQ(host.scheme(), "http");
    EXPECT_EQ(WebAddresses::HomePage, WebAddresses::Host);
    for (const auto& [page, path] : {std::pair(WebAddresses::GamePage, "/spiele/plimmerlo/"),
                                     std::pair(WebAddresses::GamesPage, "/spiele/")}) {
        const QUrl url(page);
        EXPECT_EQ(url.adjusted(QUrl::RemovePath), host.adjusted(QUrl::RemovePath));
        EXPECT_EQ(url.path(), path);
    }
}
