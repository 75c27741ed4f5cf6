// The main window's side of the game chooser: what it hands the dialog and
// what it does with the dialog's answer.
#include "chooser.h"
#include "icon.h"
#include "support/windowrig.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {


const QByteArray ZooAndPark = "[OPTIONS]\r\ngamename=Zoo\r\n"
                              "[Zoo-GAME]\r\nfilename=zoo.bmp\r\ndate=07.12.26 12:23\r\nrows=20\r\ncols=30\r\n"
                              "[Park-GAME]\r\ndate=01.05.26 10:00\r\nrows=12\r\ncols=15\r\n"
                              "color1=0\r\ncolor2=1\r\ncolor3=1\r\ncolor4=0\r\ncolor5=0\r\n";

// Plays the player's part in the chooser: opens it as RunModal would, lets
// `play` act in it, and gives back the result it closed with.
std::function<int(QDialog&)> InChooser(std::function<void(Chooser&)> play)
{
    return [play](QDialog& dialog) {
        auto* chooser = qobject_cast<Chooser*>(&dialog);
        EXPECT_TRUE(chooser);
        dialog.show();
        QCoreApplication::processEvents();
        play(*chooser);
        EXPECT_FALSE(dialog.isVisible());
        return dialog.result();
    };
}

void ClickEntry(Chooser& chooser, const QString& entry)
{
    auto* list = chooser.findChild<QListWidget*>("MotivListBox");
    const auto items = list->findItems(entry, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << entry.toStdString();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
}

void Press(Chooser& chooser, const char* button)
{
    chooser.findChild<QAbstractButton*>(button)->click();
}

QString Label(Chooser& chooser, const char* name)
{
    return chooser.findChild<QLabel*>(name)->text();
}

} // namespace

TEST(GameChooser, LoadsTheGameThePlayerPicks)
{
    WindowRig rig({{"zoo.bmp", TestPicture(600, 400)}});
    WriteFile(rig.settingsPath, ZooAndPark);
    rig.Start();
    rig.dialogs.onModal = InChooser([](Chooser& chooser) {
        EXPECT_TRUE(chooser.findChild<QWidget*>("OptionCommandPanel")->isVisible());
        EXPECT_EQ(Label(chooser, "MotivLabel"), "Zoo");
        ClickEntry(chooser, "Park");
        Press(chooser, "OkButton");
    });
    rig.Action("menu_loadgame")->trigger();
    EXPECT_EQ(rig.form->GameName(), "Park");
    EXPECT_EQ(rig.game().ColCount(), 15);
    EXPECT_EQ(rig.game().RowCount(), 12);
    EXPECT_EQ(rig.ColoursDealt(), (ColorSelection{2, 3}));
    EXPECT_EQ(rig.form->GameDate(), "01.05.26 10:00");
    EXPECT_EQ(rig.Message(), "Spielen wir \"Park\" ...");

    // The tool button offers the game now in play; "Abbrechen" keeps it.
    const auto board = rig.game().Board();
    rig.dialogs.onModal = InChooser([](Chooser& chooser) {
        EXPECT_EQ(Label(chooser, "MotivLabel"), "Park");
        ClickEntry(chooser, "Zoo");
        Press(chooser, "CancelButton");
    });
    rig.Find<QToolButton>("ToolButton9")->click();
    EXPECT_EQ(rig.form->GameName(), "Park");
    EXPECT_EQ(rig.game().Board(), board);
}

TEST(GameChooser, AuswaehlenAtOnceWithTheStandardGameLoadsTheRecordedGame)
{
    WindowRig rig;
    WriteFile(rig.settingsPath, "[OPTIONS]\r\ngamename=\r\n[-GAME]\r\ndate=x\r\nrows=10\r\n"
                                "[Zoo-GAME]\r\ndate=y\r\nrows=20\r\n");
    rig.Start();
    ASSERT_EQ(rig.game().RowCount(), 10);
    WriteFile(rig.settingsPath, "[OPTIONS]\r\ngamename=Zoo\r\n[-GAME]\r\ndate=x\r\nrows=10\r\n"
                                "[Zoo-GAME]\r\ndate=y\r\nrows=20\r\n");
    rig.dialogs.onModal = InChooser([](Chooser& chooser) {
        // The first entry is selected and previewed, but the label names the game in play.
        EXPECT_EQ(chooser.findChild<QListWidget*>("MotivListBox")->currentItem()->text(), "(Standard)");
        EXPECT_EQ(Label(chooser, "RowsLabel"), "10");
        EXPECT_EQ(Label(chooser, "MotivLabel"), "");
        Press(chooser, "OkButton");
    });
    rig.Action("menu_loadgame")->trigger();
    EXPECT_EQ(rig.form->GameName(), "Zoo");
    EXPECT_EQ(rig.game().RowCount(), 20);
}

TEST(GameChooser, SavingShowsTheArrangementInPlay)
{
    WindowRig rig({{"zoo.bmp", TestPicture(600, 400)}});
    WriteFile(rig.settingsPath, ZooAndPark);
    rig.Start();
    rig.PlayOnlyColour(2);
    rig.Action("color_yellow")->trigger();
    rig.dialogs.onModal = InChooser([](Chooser& chooser) {
        EXPECT_TRUE(chooser.findChild<QWidget*>("SaveGamePanel")->isVisible());
        EXPECT_EQ(chooser.findChild<QLineEdit*>("SaveNameEdit")->text(), "Zoo");
        EXPECT_EQ(Label(chooser, "RowsLabel"), "20");
        EXPECT_EQ(Label(chooser, "ColsLabel"), "30");
        EXPECT_EQ(Label(chooser, "ColorsLabel"), "2");
        EXPECT_EQ(Label(chooser, "GrafikNameLabel"), "zoo.bmp");
        // Never the full picture: its thumbnail, or decoded at a fraction.
        EXPECT_LE(chooser.findChild<QLabel*>("PreviewImage")->pixmap().width(), 300);
        EXPECT_EQ(Label(chooser, "DateLabel"), "07.12.26");
        const QImage shown = chooser.findChild<QLabel*>("Image4")->pixmap().toImage();
        EXPECT_EQ(shown, QImage(IconResource(Icon::YellowChecked)).convertToFormat(shown.format())); // yellow, checked
        chooser.findChild<QLineEdit*>("SaveNameEdit")->setText("Park");
        Press(chooser, "OkaySaveButton"); // and the question is answered "&Nein"
    });
    rig.Action("menu_save")->trigger();
    EXPECT_EQ(rig.dialogs.questions.size(), 1);
    EXPECT_EQ(FileBytes(rig.settingsPath), ZooAndPark);
    EXPECT_EQ(rig.form->windowTitle(), "Grumbeck: Plimmerlo");

    rig.dialogs.answers = {true};
    rig.Action("menu_save")->trigger();
    EXPECT_EQ(rig.form->windowTitle(), "Grumbeck: Plimmerlo / Park");
    EXPECT_TRUE(FileBytes(rig.settingsPath).contains("[Park-GAME]\r\ndate=07.12.26 12:23\r\nrows=20\r\ncols=30\r\n"));
}

TEST(GameChooser, CopiesCarryTheDateOfTheGameInPlay)
{
    WindowRig rig;
    WriteFile(rig.settingsPath, ZooAndPark);
    rig.Start();
    rig.dialogs.onModal = InChooser([](Chooser& chooser) {
        ClickEntry(chooser, "Park");
        Press(chooser, "DoubleToolButton");
        Press(chooser, "CancelButton");
    });
    rig.Action("menu_loadgame")->trigger();
    EXPECT_TRUE(FileBytes(rig.settingsPath).endsWith("[Park-Kopie-GAME]\r\ndate=07.12.26 12:23\r\nrows=12\r\n"
                                                     "cols=15\r\ncolor1=0\r\ncolor2=1\r\ncolor3=1\r\ncolor4=0\r\n"
                                                     "color5=0\r\n"));
    EXPECT_EQ(rig.form->GameName(), "Zoo");
}

TEST(GameChooser, GameInPlayFollowsARenameOrEraseWhateverClosesTheChooser)
{
    WindowRig rig;
    WriteFile(rig.settingsPath, ZooAndPark);
    rig.Start();
    rig.dialogs.onModal = InChooser([](Chooser& chooser) { Press(chooser, "OkaySaveButton"); });
    rig.Action("menu_save")->trigger();
    ASSERT_EQ(rig.form->windowTitle(), "Grumbeck: Plimmerlo / Zoo");
    rig.dialogs.onModal = InChooser([](Chooser& chooser) {
        Press(chooser, "EditToolButton");
        chooser.findChild<QLineEdit*>("NewNameEdit")->setText("Tiere");
        Press(chooser, "OkayChangeButton");
        Press(chooser, "CancelButton");
    });
    rig.Action("menu_loadgame")->trigger();
    EXPECT_EQ(rig.form->windowTitle(), "Grumbeck: Plimmerlo / Tiere");
    rig.form->close();
    rig.Start();
    EXPECT_EQ(rig.form->GameName(), "Tiere");
    EXPECT_EQ(rig.game().ColCount(), 30);

    rig.dialogs.answers = {true};
    rig.dialogs.onModal = InChooser([](Chooser& chooser) {
        Press(chooser, "EraseToolButton");
        Press(chooser, "CancelButton");
    });
    rig.Action("menu_loadgame")->trigger();
    rig.form->close();
    EXPECT_TRUE(FileBytes(rig.settingsPath).startsWith("[OPTIONS]\r\ngamename=\r\n"));
    rig.Start();
    EXPECT_EQ(rig.form->GameName(), "");
    EXPECT_EQ(rig.game().ColCount(), 22);
}

// Erased in play, read without a date, or recorded under no game's name:
// a rename of "(Standard)" is not the game in play's, and saving as its new
// name asks first.
TEST(GameChooser, OnlyTheGameReallyInPlayFollowsARenameOfTheStandardGame)
{
    for (const QByteArray zoo : {"[Zoo-GAME]\r\ndate=x\r\n", "[Zoo-GAME]\r\nrows=20\r\n", ""}) {
        WindowRig rig;
        WriteFile(rig.settingsPath, "[OPTIONS]\r\ngamename=Zoo\r\n" + zoo + "[-GAME]\r\ndate=y\r\n");
        rig.Start();
        const bool erase = zoo.contains("date");
        rig.dialogs.answers = {erase, false};
        rig.dialogs.onModal = InChooser([erase](Chooser& chooser) {
            if (erase)
                Press(chooser, "EraseToolButton"); // Zoo, selected as the game in play
            ClickEntry(chooser, "(Standard)");
            Press(chooser, "EditToolButton");
            chooser.findChild<QLineEdit*>("NewNameEdit")->setText("Meer");
            Press(chooser, "OkayChangeButton");
            Press(chooser, "CancelButton");
        });
        rig.Action("menu_loadgame")->trigger();
        const QByteArray renamed = FileBytes(rig.settingsPath);
        rig.dialogs.onModal = SaveAs("Meer");
        rig.Action("menu_save")->trigger();
        EXPECT_EQ(rig.dialogs.questions.size(), erase ? 2 : 1) << zoo.toStdString();
        EXPECT_EQ(FileBytes(rig.settingsPath), renamed);
    }
}
