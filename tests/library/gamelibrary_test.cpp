#include "gamelibrary.h"
#include "gamesections.h"
#include "settingserror.h"
#include "settingspath.h"
#include "support/files.h"
#include "support/fixedclock.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct LibraryRig {
    QTemporaryDir folder;
    QString path = folder.filePath("plimmerlo.ini");
    FixedClock clock;
    GameLibrary library{path, clock};

    void Write(const QByteArray& text) const { WriteFile(path, text); }
    QByteArray Bytes() const { return FileBytes(path); }
};

// Counts the writes to the settings file since the last count: a rename onto
// its name, or a write of the file itself.
class WriteCounter {
public:
    explicit WriteCounter(const QString& folder) : fd_(inotify_init1(IN_NONBLOCK))
    {
        inotify_add_watch(fd_, QFile::encodeName(folder).constData(), IN_MOVED_TO | IN_CLOSE_WRITE);
    }
    ~WriteCounter() { close(fd_); }

    int Take()
    {
        int count = 0;
        alignas(inotify_event) char buffer[4096];
        for (ssize_t length; (length = read(fd_, buffer, sizeof buffer)) > 0;)
            for (const char* at = buffer; at < buffer + length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                count += event->len > 0 && std::strcmp(event->name, "plimmerlo.ini") == 0 ? 1 : 0;
                at += sizeof(inotify_event) + event->len;
            }
        return count;
    }

private:
    int fd_;
};

const QByteArray WorkedExample =
    "[OPTIONS]\r\ngamename=Zoo\r\nuser=Lena\r\nfirstgame=07.12.26 12:40:05\r\nlastgame=08.12.26 09:15:44\r\n"
    "[Zoo-GAME]\r\nfilename=C:\\Bilder\\zoo.jpg\r\ndate=07.12.26 12:23\r\nrows=18\r\ncols=22\r\n"
    "grid=1\r\ncolor1=1\r\ncolor2=1\r\ncolor3=0\r\ncolor4=1\r\ncolor5=0\r\n"
    "[-GAME]\r\nfilename=schule.bmp\r\ndate=07.12.26 12:31\r\nrows=20\r\ncols=30\r\ngrid=0\r\n"
    "color1=1\r\ncolor2=0\r\ncolor3=1\r\ncolor4=0\r\ncolor5=1\r\n";

} // namespace

TEST(GameLibrary, ReadsTheWorkedExample)
{
    LibraryRig rig;
    rig.Write(WorkedExample);
    const SettingsReading resumed = rig.library.ReadSettings({}, {});
    EXPECT_EQ(resumed.userName, "Lena");
    EXPECT_EQ(resumed.gameName, "Zoo");
    EXPECT_EQ(resumed.arrangement, (Arrangement{"C:\\Bilder\\zoo.jpg", 18, 22, true, ColorSelection{1, 2, 4}, "07.12.26 12:23"}));
    const SettingsReading standard = rig.library.ReadSettings("(Standard)", {});
    EXPECT_EQ(standard.gameName, "");
    EXPECT_EQ(standard.arrangement, (Arrangement{"schule.bmp", 20, 30, false, ColorSelection{1, 3, 5}, "07.12.26 12:31"}));
    EXPECT_EQ(rig.library.GameNames(), QStringList({"(Standard)", "Zoo"}));
    EXPECT_EQ(rig.library.RandomGameCandidates(), QStringList("Zoo"));
    const GamePreview zoo = rig.library.Preview("zoo");
    EXPECT_EQ(zoo.picture, "C:\\Bilder\\zoo.jpg");
    EXPECT_EQ(zoo.colors, (ColorSelection{1, 2, 4}));
}

TEST(GameLibrary, MissingKeysKeepTheCurrentArrangementAndBadValuesAreHeld)
{
    LibraryRig rig;
    rig.Write("[A-GAME]\nrows=0x1A\ncols=abc\ngrid=7\ncolor1=2\ncolor2=256\ncolor3=-1\ndate=\n"
              "[B-GAME]\nrows=500\ncols=0\ngrid=0\ndate=x\n");
    const Arrangement current{"wald.jpg", 12, 33, false, ColorSelection{1, 2, 3, 4, 5}, "alt"};
    // Hexadecimal rows, no number for the columns, any grid but 0 is on, and
    // the low byte of a colour decides; without a date it is the standard game.
    const SettingsReading a = rig.library.ReadSettings("A", current);
    EXPECT_EQ(a.arrangement, (Arrangement{"wald.jpg", 26, 33, true, ColorSelection{1, 3}, ""}));
    EXPECT_EQ(a.gameName, "");
    const SettingsReading b = rig.library.ReadSettings("B", current);
    EXPECT_EQ(b.arrangement, (Arrangement{"wald.jpg", 101, 1, false, {}, "x"}));
    EXPECT_EQ(b.gameName, "B");
    EXPECT_EQ(rig.library.ReadSettings("Nirgends", current).arrangement, (Arrangement{"wald.jpg", 12, 33, false, {}, ""}));
    const GamePreview preview = rig.library.Preview("Nirgends");
    EXPECT_EQ(QStringList({preview.picture, preview.rows, preview.cols, preview.date}),
              QStringList({"", "0", "0", "kein Datum"}));
}

TEST(GameLibrary, EachCommandReplacesTheFileOnceWithAllItsChanges)
{
    LibraryRig rig;
    rig.Write("[Zoo-GAME]\r\nextra=bleibt\r\nrows=3\r\n");
    WriteCounter writes(rig.folder.path());
    Arrangement zoo;
    zoo.picture = "zoo.jpg";
    zoo.colors = ColorSelection{1, 2, 4};
    EXPECT_EQ(rig.library.SaveGame("ZOO", zoo), "07.12.26 12:23");
    EXPECT_EQ(rig.Bytes(), "[Zoo-GAME]\r\nextra=bleibt\r\nrows=18\r\nfilename=zoo.jpg\r\ndate=07.12.26 12:23\r\n"
                           "cols=22\r\ngrid=1\r\ncolor1=1\r\ncolor2=1\r\ncolor3=0\r\ncolor4=1\r\ncolor5=0\r\n"
                           "[OPTIONS]\r\ngamename=ZOO\r\n");
    EXPECT_EQ(writes.Take(), 1);

    rig.library.CopyGame("Zoo", "Zoo-Kopie", "01.01.27 10:00");
    EXPECT_EQ(writes.Take(), 1);
    rig.library.RenameGame("Zoo-Kopie", "Park", "02.01.27 10:00");
    EXPECT_EQ(writes.Take(), 1);
    EXPECT_EQ(rig.library.GameNames(), QStringList({"Park", "Zoo"}));
    EXPECT_EQ(rig.library.Preview("Park").date, "02.01.27 10:00");
    EXPECT_EQ(rig.library.Preview("Park").picture, "zoo.jpg");
    rig.library.EraseGame("park");
    EXPECT_EQ(writes.Take(), 1);
    rig.library.WriteOptions("Zoo");
    EXPECT_EQ(writes.Take(), 1);
    EXPECT_TRUE(rig.Bytes().endsWith("[OPTIONS]\r\ngamename=Zoo\r\nfirstgame=07.12.26 12:23:45\r\n"
                                      "lastgame=07.12.26 12:23:45\r\n"));
}

TEST(GameLibrary, TwoRunningCopiesKeepEachOthersSaves)
{
    LibraryRig rig;
    // The second reaches the file through a linked folder and a link that
    // points nowhere yet: one lock serves both, and the link stays a link.
    ASSERT_TRUE(QFile::link(rig.folder.path(), rig.folder.filePath("verknuepft")));
    ASSERT_TRUE(QFile::link("plimmerlo.ini", rig.folder.filePath("spiele.ini")));
    const QString paths[] = {rig.path, rig.folder.filePath("verknuepft/spiele.ini")};
    constexpr int GamesEach = 30;
    pid_t children[2];
    for (int copy = 0; copy < 2; ++copy) {
        children[copy] = fork();
        if (children[copy] == 0) {
            GameLibrary library(paths[copy], rig.clock);
            Arrangement arrangement;
            for (int game = 0; game < GamesEach; ++game) {
                arrangement.rows = 8 + game % 90;
                try {
                    library.SaveGame(QString("Spiel %1-%2").arg(copy).arg(game), arrangement);
                } catch (const SettingsError&) {
                    _exit(1);
                }
            }
            _exit(0);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_TRUE(QFileInfo(rig.folder.filePath("spiele.ini")).isSymLink());
    const QStringList names = rig.library.GameNames().value_or(QStringList());
    ASSERT_EQ(names.size(), 2 * GamesEach);
    for (int copy = 0; copy < 2; ++copy)
        for (int game = 0; game < GamesEach; ++game) {
            const SettingsReading read = rig.library.ReadSettings(QString("Spiel %1-%2").arg(copy).arg(game), {});
            EXPECT_EQ(read.arrangement.rows, 8 + game % 90);
            EXPECT_EQ(read.arrangement.date, "07.12.26 12:23");
        }
}

// Games of a copy on a stick the player cannot write are played, and the
// first save carries them into the player's own file.
TEST(GameLibrary, GamesOfAFileThePlayerCannotWriteAreCarriedIntoTheirOwn)
{
    LibraryRig rig;
    WriteFile(rig.folder.filePath("plimmerlo.ini"), WorkedExample);
    const auto closed = [](const QString&) { return false; };
    GameLibrary library(SettingsPlaceFor(rig.folder.filePath("Plimmerlo"), rig.folder.filePath("config"), closed), rig.clock);
    EXPECT_EQ(library.ReadSettings({}, {}).gameName, "Zoo");
    library.SaveGame("Park", {});
    library.EraseGame("(Standard)"); // from then on the player's file is the one
    EXPECT_EQ(library.GameNames(), QStringList({"Park", "Zoo"}));
    EXPECT_EQ(rig.Bytes(), WorkedExample);
}

TEST(GameLibrary, NamesAreComparedAndKeptInTheFormTheyAreStored)
{
    LibraryRig rig;
    rig.Write("[OPTIONS]\r\n[Ay?e-GAME]\r\ndate=x\r\n");
    const QByteArray before = rig.Bytes();
    for (const QString& name :
         {QStringLiteral("Ayşe"), QStringLiteral("Zoo🐘"), QStringLiteral("Zoo]Park"), QString(2048, u'N')})
        EXPECT_THROW(rig.library.SaveGame(name, {}), SettingsError) << name.left(10).toStdString();
    Arrangement turkish;
    turkish.picture = QStringLiteral("/home/ayşe/zoo.jpg");
    EXPECT_THROW(rig.library.SaveGame("Zoo", turkish), SettingsError);
    EXPECT_THROW(rig.library.RenameGame("Ay?e", QStringLiteral("Ayşe"), "x"), SettingsError);
    EXPECT_EQ(rig.Bytes(), before);
    EXPECT_FALSE(GameSections::SameName(QStringLiteral("Ayşe"), "Ay?e"));

    // Quotes that reading would strip are kept, and the longest name that
    // reading sees whole is stored, so the game is resumed.
    for (const QString& name : {QStringLiteral("\"Zoo\""), QString(2047, u'N')}) {
        rig.library.SaveGame(name, {});
        EXPECT_EQ(rig.library.ReadSettings({}, {}).gameName, name);
    }
    rig.library.EraseGame(QString(2047, u'N'));

    rig.library.SaveGame(QStringLiteral("Äpfel"), {});
    rig.library.SaveGame(QStringLiteral("äpfel"), {});
    EXPECT_TRUE(GameSections::SameName(QStringLiteral("ÄPFEL"), QStringLiteral("äpfel")));
    EXPECT_EQ(rig.library.GameNames(), QStringList({"\"Zoo\"", "Äpfel", "Ay?e"}));
    rig.library.RenameGame(QStringLiteral("Äpfel"), QStringLiteral("äPFEL"), "neu");
    EXPECT_EQ(rig.library.Preview(QStringLiteral("ÄPFEL")).date, "neu");
    EXPECT_EQ(rig.library.GameNames(), QStringList({"\"Zoo\"", "Äpfel", "Ay?e"}));
}

TEST(GameLibrary, DateTimeTextHasOneFormWhateverTheDesktopsLanguage)
{
    FixedClock clock;
    const std::tuple<Clock::LocalTime, const char*, const char*> cases[] = {
        {{2026, 12, 7, 12, 40, 5}, "07.12.26 12:40:05", "07.12.26 12:40"},
        {{2026, 12, 8, 0, 0, 0}, "08.12.26", "08.12.26"}, // midnight: no time
        {{2026, 12, 8, 0, 0, 1}, "08.12.26 00:00:01", "08.12.26 00:00"},
    };
    for (const auto& [now, text, stamp] : cases) {
        clock.local = now;
        EXPECT_EQ(GameLibrary::DateTimeText(clock), text);
        EXPECT_EQ(GameLibrary::DateStamp(clock), stamp);
    }
    // Greek and Bulgarian dates hold letters the file cannot store.
    for (const char* name : {"el_GR", "bg_BG", "en_US", "C"}) {
        QLocale::setDefault(QLocale(name));
        LibraryRig rig;
        rig.library.SaveGame("Zoo", {});
        rig.library.WriteOptions("Zoo");
        EXPECT_TRUE(rig.Bytes().contains("date=07.12.26 12:23\r\nrows=18")) << name;
        EXPECT_TRUE(rig.Bytes().contains("firstgame=07.12.26 12:23:45\r\n")) << name;
    }
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

TEST(GameLibrary, KeepsThePictureDialogsOrderAmongTheOptions)
{
    LibraryRig rig;
    EXPECT_EQ(rig.library.ReadPictureOrder(), PictureOrder::ByName);
    rig.library.WritePictureOrder(PictureOrder::NewestFirst);
    EXPECT_TRUE(rig.Bytes().contains("[OPTIONS]\r\nPictureView=newest")) << rig.Bytes().toStdString();
    EXPECT_EQ(rig.library.ReadPictureOrder(), PictureOrder::NewestFirst);
}
