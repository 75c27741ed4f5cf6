#include "inifile.h"
#include "storedgame.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct IniRig {
    QTemporaryDir folder;
    QString path = folder.filePath("plimmerlo.ini");
    IniFile ini{path};

    void Write(const QByteArray& text)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QByteArray Bytes() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

} // namespace

TEST(StoredGame, ReadsTheWorkedExample)
{
    IniRig rig;
    rig.Write("[OPTIONS]\r\ngamename=Zoo\r\nfirstgame=07.12.26 12:40:05\r\nlastgame=08.12.26 09:15:44\r\n"
              "[Zoo-GAME]\r\nfilename=C:\\Bilder\\zoo.jpg\r\ndate=07.12.26 12:23\r\nrows=18\r\ncols=22\r\n"
              "grid=1\r\ncolor1=1\r\ncolor2=1\r\ncolor3=0\r\ncolor4=1\r\ncolor5=0\r\n"
              "[-GAME]\r\nfilename=schule.bmp\r\ndate=07.12.26 12:31\r\nrows=20\r\ncols=30\r\ngrid=0\r\n"
              "color1=1\r\ncolor2=0\r\ncolor3=1\r\ncolor4=0\r\ncolor5=1\r\n");
    const StoredGame current;
    const StoredGame zoo = StoredGames::Read(rig.ini, "zoo-game", current);
    EXPECT_EQ(zoo.backgroundFile, "C:\\Bilder\\zoo.jpg");
    EXPECT_EQ(zoo.date, "07.12.26 12:23");
    EXPECT_EQ(zoo.rows, 18);
    EXPECT_EQ(zoo.cols, 22);
    EXPECT_TRUE(zoo.grid);
    EXPECT_EQ(zoo.colors, (std::array<int, 5>{1, 1, 0, 1, 0}));
    const StoredGame standard = StoredGames::Read(rig.ini, "-GAME", current);
    EXPECT_EQ(standard.backgroundFile, "schule.bmp");
    EXPECT_EQ(standard.rows, 20);
    EXPECT_EQ(standard.cols, 30);
    EXPECT_FALSE(standard.grid);
    EXPECT_EQ(standard.colors, (std::array<int, 5>{1, 0, 1, 0, 1}));
}

TEST(StoredGame, MissingKeysKeepTheCurrentArrangementAndBadValuesAreHeld)
{
    IniRig rig;
    rig.Write("[A-GAME]\nrows=0x1A\ncols=abc\ngrid=7\ncolor1=2\ncolor2=256\ncolor3=-1\ndate=\n"
              "[B-GAME]\nrows=500\ncols=0\ngrid=0\n");
    StoredGame current;
    current.backgroundFile = "schule.bmp";
    current.rows = 12;
    current.cols = 33;
    current.grid = false;
    current.colors = {1, 1, 1, 1, 1};
    const StoredGame a = StoredGames::Read(rig.ini, "A-GAME", current);
    EXPECT_EQ(a.backgroundFile, "schule.bmp");
    EXPECT_EQ(a.rows, 26);  // hexadecimal
    EXPECT_EQ(a.cols, 33);  // no number: the current value
    EXPECT_TRUE(a.grid);    // any value but 0
    EXPECT_EQ(a.colors, (std::array<int, 5>{1, 0, 1, 0, 0})); // low byte, then held to 0 or 1
    EXPECT_EQ(a.date, "");
    const StoredGame b = StoredGames::Read(rig.ini, "B-GAME", current);
    EXPECT_EQ(b.rows, 101);
    EXPECT_EQ(b.cols, 1);
    EXPECT_FALSE(b.grid);
    const StoredGame none = StoredGames::Read(rig.ini, "Nowhere-GAME", current);
    EXPECT_EQ(none.rows, 12);
    EXPECT_EQ(none.colors, (std::array<int, 5>{0, 0, 0, 0, 0}));
}

TEST(StoredGame, WritesItsKeysInOrderAndKeepsOthers)
{
    IniRig rig;
    rig.Write("[Zoo-GAME]\r\nextra=bleibt\r\nrows=3\r\n");
    StoredGame game;
    game.backgroundFile = "zoo.jpg";
    game.date = "07.12.26 12:23";
    game.rows = 18;
    game.cols = 22;
    game.grid = true;
    game.colors = {1, 1, 0, 1, 0};
    StoredGames::Write(rig.ini, "ZOO-GAME", game);
    EXPECT_EQ(rig.Bytes(), "[Zoo-GAME]\r\nextra=bleibt\r\nrows=18\r\nfilename=zoo.jpg\r\ndate=07.12.26 12:23\r\n"
                           "cols=22\r\ngrid=1\r\ncolor1=1\r\ncolor2=1\r\ncolor3=0\r\ncolor4=1\r\ncolor5=0\r\n");
}

TEST(StoredGame, DateTimeTextInTheLocalesShortForms)
{
    EXPECT_EQ(StoredGames::DateTimeText({2026, 12, 7, 12, 40, 5}), "07.12.26 12:40:05");
    EXPECT_EQ(StoredGames::DateStamp({2026, 12, 7, 12, 23, 59}), "07.12.26 12:23");
    EXPECT_EQ(StoredGames::DateTimeText({2026, 12, 8, 0, 0, 0}), "08.12.26"); // midnight: no time
    EXPECT_EQ(StoredGames::DateStamp({2026, 12, 8, 0, 0, 0}), "08.12.26");
    EXPECT_EQ(StoredGames::DateTimeText({2026, 12, 8, 0, 0, 1}), "08.12.26 00:00:01");
}
