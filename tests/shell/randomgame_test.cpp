#include "support/windowrig.h"

#include <QFile>
#include <QRandomGenerator>

#include <map>

namespace {

// Throws the dice by the menu and the tool button in turn.
void ThrowDice(WindowRig& rig, int i)
{
    if (i % 2 == 0)
        rig.Action("menu_random")->trigger();
    else
        rig.Find<QToolButton>("RandomToolButton")->click();
}

} // namespace

TEST(RandomGame, OneStoredGameIsAlwaysTheOne)
{
    WindowRig rig;
    WriteFile(rig.settingsPath, "[OPTIONS]\r\n[-GAME]\r\ndate=x\r\nrows=10\r\n[Zoo-GAME]\r\ndate=y\r\nrows=20\r\n");
    rig.Start();
    ASSERT_EQ(rig.game().RowCount(), 10);
    for (int i = 0; i < 4; ++i) {
        const auto board = rig.game().Board();
        rig.clock.ms += 1000;
        ThrowDice(rig, i);
        EXPECT_EQ(rig.form->GameName(), "Zoo");
        EXPECT_EQ(rig.game().RowCount(), 20);
        EXPECT_EQ(rig.Message(), "Spielen wir \"Zoo\" ...");
        EXPECT_NE(rig.game().Board(), board); // dealt anew, even when the same game comes again
    }
}

TEST(RandomGame, WithoutACandidateNothingHappens)
{
    const QByteArray files[] = {
        "", // no settings file at all
        "[OPTIONS]\r\ngamename=\r\n[-GAME]\r\ndate=x\r\nrows=10\r\n", // the standard game is never picked
        "[Zoo-GAME]\r\ndate=y\r\nrows=20\r\n", // a single section counts as no games
    };
    for (const QByteArray& file : files) {
        WindowRig rig;
        if (!file.isEmpty())
            WriteFile(rig.settingsPath, file);
        rig.Start();
        const auto board = rig.game().Board();
        const QString name = rig.form->GameName();
        const int rows = rig.game().RowCount();
        const QString message = rig.Message();
        ThrowDice(rig, 0);
        ThrowDice(rig, 1);
        EXPECT_EQ(rig.game().Board(), board) << file.toStdString();
        EXPECT_EQ(rig.form->GameName(), name);
        EXPECT_EQ(rig.game().RowCount(), rows);
        EXPECT_EQ(rig.Message(), message);
        EXPECT_TRUE(rig.dialogs.errors.isEmpty());
        EXPECT_TRUE(rig.dialogs.titledErrors.isEmpty());
    }
}

TEST(RandomGame, EveryStoredGameIsEquallyLikely)
{
    WindowRig rig;
    WriteFile(rig.settingsPath, "[OPTIONS]\r\ngamename=\r\n[-GAME]\r\ndate=x\r\n[A-GAME]\r\ndate=a\r\n"
                                "[Notizen]\r\n[B-GAME]\r\ndate=b\r\n[C-GAME]\r\ndate=c\r\n");
    rig.Start();
    std::map<QString, int> picked;
    int repeats = 0;
    QString previous;
    // Every new game reseeds from the clock, so each throw comes at a time
    // of day of its own, the same ones in every run.
    QRandomGenerator times(2026);
    for (int i = 0; i < 300; ++i) {
        rig.clock.ms = times.bounded(86400000u);
        ThrowDice(rig, i);
        const QString name = rig.form->GameName();
        ++picked[name];
        repeats += name == previous;
        previous = name;
    }
    // Each count is binomial(300, 1/3): 100 with a spread of about 8.
    ASSERT_EQ(picked.size(), 3u) << "only A, B and C, never the standard game";
    for (const char* name : {"A", "B", "C"})
        EXPECT_NEAR(picked[name], 100, 30) << name;
    EXPECT_GT(repeats, 0); // the game in play may come again
}
