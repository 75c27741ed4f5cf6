#include "support/windowrig.h"

#include <QFile>

namespace {

const QByteArray ZooFile = "[OPTIONS]\r\ngamename=Zoo\r\n"
                           "[Zoo-GAME]\r\nfilename=zoo.bmp\r\ndate=07.12.26 12:23\r\nrows=20\r\ncols=30\r\n"
                           "grid=0\r\ncolor1=0\r\ncolor2=0\r\ncolor3=1\r\ncolor4=0\r\ncolor5=1\r\n";

} // namespace

TEST(Settings, FirstStartWithoutAFile)
{
    WindowRig rig;
    EXPECT_EQ(rig.game().ColCount(), 22);
    EXPECT_EQ(rig.game().RowCount(), 18);
    EXPECT_TRUE(rig.form->ShowGrid());
    EXPECT_EQ(rig.ColoursDealt(), (ColorSelection{1, 2, 4}));
    EXPECT_EQ(rig.form->GameDate(), "");
    EXPECT_EQ(rig.form->windowTitle(), "Grumbeck: Plimmerlo");
    EXPECT_FALSE(QFile::exists(rig.settingsPath)); // reading never creates the file
}

TEST(Settings, StartResumesTheRecordedGame)
{
    WindowRig rig({{"zoo.bmp", TestPicture(600, 400)}});
    WriteFile(rig.settingsPath, ZooFile + "[OPTIONS]\r\nuser=Lena\r\n");
    rig.Start();
    EXPECT_EQ(rig.form->BackgroundFile(), "zoo.bmp");
    EXPECT_EQ(rig.form->Background().size(), QSize(600, 400));
    EXPECT_EQ(rig.game().ColCount(), 30);
    EXPECT_EQ(rig.game().RowCount(), 20);
    EXPECT_FALSE(rig.form->ShowGrid());
    EXPECT_FALSE(rig.Action("menu_grid")->isChecked());
    EXPECT_EQ(rig.ColoursDealt(), (ColorSelection{3, 5}));
    EXPECT_TRUE(rig.Selected(3));
    EXPECT_FALSE(rig.Selected(1));
    EXPECT_EQ(rig.form->GameDate(), "07.12.26 12:23");
    EXPECT_EQ(rig.Message(), "Spielen wir \"Zoo\" ...");
    // Only the first of two equal sections counts, so no user is known.
    EXPECT_EQ(rig.form->windowTitle(), "Grumbeck: Plimmerlo");
}

TEST(Settings, PlayerNameShowsInTheCaptionAfterEveryReading)
{
    WindowRig rig;
    WriteFile(rig.settingsPath, "[OPTIONS]\r\nuser=Lena\r\n");
    rig.Start();
    EXPECT_EQ(rig.form->windowTitle(), "Grumbeck: Plimmerlo Lena");
    rig.dialogs.onModal = SaveAs("Zoo");
    rig.Action("menu_save")->trigger();
    EXPECT_EQ(rig.form->windowTitle(), "Grumbeck: Plimmerlo / Zoo");
    rig.Action("menu_reload")->trigger();
    EXPECT_EQ(rig.form->windowTitle(), "Grumbeck: Plimmerlo Lena");
}

TEST(Settings, SaveWritesTheArrangementAndRestartResumesIt)
{
    WindowRig rig;
    rig.dialogs.onModal = ChooseSize(30, 20, true);
    QTest::keyClick(rig.form.get(), Qt::Key_F3);
    rig.Action("menu_grid")->trigger();
    rig.PlayOnlyColour(3);
    rig.Action("color_violett")->trigger();
    rig.dialogs.onModal = SaveAs("  Bäume \t");
    QTest::keyClick(rig.form.get(), Qt::Key_S, Qt::AltModifier);

    EXPECT_EQ(rig.form->windowTitle(), "Grumbeck: Plimmerlo / Bäume");
    EXPECT_EQ(rig.Message(), "\"Bäume\" wurde gespeichert!");
    EXPECT_EQ(rig.form->GameDate(), "07.12.26 12:23");
    EXPECT_EQ(FileBytes(rig.settingsPath),
              "[OPTIONS]\r\ngamename=B\xe4ume\r\n"
              "[B\xe4ume-GAME]\r\nfilename=schule.bmp\r\ndate=07.12.26 12:23\r\nrows=20\r\ncols=30\r\n"
              "grid=0\r\ncolor1=0\r\ncolor2=0\r\ncolor3=1\r\ncolor4=0\r\ncolor5=1\r\n");

    rig.form->close();
    rig.Start();
    EXPECT_EQ(rig.game().ColCount(), 30);
    EXPECT_EQ(rig.game().RowCount(), 20);
    EXPECT_FALSE(rig.form->ShowGrid());
    EXPECT_EQ(rig.ColoursDealt(), (ColorSelection{3, 5}));
    EXPECT_EQ(rig.Message(), "Spielen wir \"Bäume\" ...");
    EXPECT_EQ(rig.form->windowTitle(), "Grumbeck: Plimmerlo");
}

TEST(Settings, BlankNameOrCancelSavesNothing)
{
    WindowRig rig;
    rig.dialogs.onModal = SaveAs(" \t ");
    rig.Action("menu_save")->trigger();
    rig.dialogs.onModal = nullptr; // cancelled
    rig.Find<QToolButton>("ToolButton5")->click();
    EXPECT_FALSE(QFile::exists(rig.settingsPath));
    EXPECT_EQ(rig.form->windowTitle(), "Grumbeck: Plimmerlo");
    EXPECT_EQ(rig.Message(), "Spielen wir ...");
}

TEST(Settings, SavingAgainRewritesTheKeysInPlace)
{
    WindowRig rig({{"zoo.bmp", TestPicture(600, 400)}});
    WriteFile(rig.settingsPath, ZooFile + "[Park-GAME]\r\nrows=9\r\n");
    rig.Start();
    rig.dialogs.onModal = ChooseSize(40, 25, true);
    rig.Action("menu_table")->trigger();
    rig.dialogs.onModal = SaveAs("zoo");
    rig.Action("menu_save")->trigger();
    const QByteArray bytes = FileBytes(rig.settingsPath);
    EXPECT_TRUE(bytes.startsWith("[OPTIONS]\r\ngamename=zoo\r\n[Zoo-GAME]\r\nfilename=zoo.bmp\r\ndate=07.12.26 12:23\r\n"
                                 "rows=25\r\ncols=40\r\n"));
    EXPECT_TRUE(bytes.endsWith("[Park-GAME]\r\nrows=9\r\n"));
}

TEST(Settings, RestoreBringsTheStoredArrangementBack)
{
    WindowRig rig({{"zoo.bmp", TestPicture(600, 400)}});
    WriteFile(rig.settingsPath, ZooFile);
    rig.Start();
    rig.dialogs.onModal = ChooseSize(12, 9, true);
    rig.Action("menu_table")->trigger();
    rig.Action("color_red")->trigger();
    ASSERT_EQ(rig.game().ColCount(), 12);
    rig.Action("menu_reload")->trigger();
    EXPECT_EQ(rig.game().ColCount(), 30);
    EXPECT_EQ(rig.game().RowCount(), 20);
    EXPECT_EQ(rig.ColoursDealt(), (ColorSelection{3, 5}));
}

TEST(Settings, GameWithoutDateCountsAsTheStandardGame)
{
    WindowRig rig;
    WriteFile(rig.settingsPath, "[OPTIONS]\r\ngamename=Alt\r\n[Alt-GAME]\r\nrows=10\r\ncols=12\r\n"
                                "color1=0\r\ncolor2=0\r\ncolor3=0\r\ncolor4=0\r\ncolor5=0\r\n");
    rig.Start();
    EXPECT_EQ(rig.game().ColCount(), 12);
    EXPECT_EQ(rig.Message(), "Spielen wir ...");
    EXPECT_EQ(rig.ColoursDealt(), (ColorSelection{1, 2, 4})); // all 0: the start colours
    rig.form->close();
    EXPECT_TRUE(FileBytes(rig.settingsPath).startsWith("[OPTIONS]\r\ngamename=\r\n"));
}

TEST(Settings, StoredDimensionsOutsideTheBoardAreHeld)
{
    WindowRig rig;
    WriteFile(rig.settingsPath, "[-GAME]\r\ndate=x\r\nrows=500\r\ncols=0x3\r\n");
    rig.Start();
    EXPECT_EQ(rig.game().RowCount(), 101);
    EXPECT_EQ(rig.game().ColCount(), 3);
    QPoint shown;
    rig.dialogs.onModal = ChooseSize(3, 500, true, &shown);
    rig.Action("menu_table")->trigger();
    EXPECT_EQ(shown, QPoint(10, 99)); // the dialog holds them to its bars
    EXPECT_EQ(rig.game().ColCount(), 10);
    EXPECT_EQ(rig.game().RowCount(), 99);
}

TEST(Settings, ClosingRecordsTheGameAndTheTimes)
{
    WindowRig rig;
    rig.form->close();
    EXPECT_EQ(FileBytes(rig.settingsPath),
              "[OPTIONS]\r\ngamename=\r\nfirstgame=07.12.26 12:23:45\r\nlastgame=07.12.26 12:23:45\r\n");
    rig.clock.local = {2026, 12, 8, 0, 0, 0};
    rig.Start();
    QTest::keyClick(rig.form.get(), Qt::Key_F10);
    EXPECT_EQ(FileBytes(rig.settingsPath),
              "[OPTIONS]\r\ngamename=\r\nfirstgame=07.12.26 12:23:45\r\nlastgame=08.12.26\r\n");
}

TEST(Settings, UnwritableFileIsReportedAndTheGameGoesOn)
{
    WindowRig rig;
    ASSERT_TRUE(QDir(rig.folder.path()).mkdir("plimmerlo.ini")); // a folder where the file belongs
    rig.Start();
    rig.dialogs.onModal = SaveAs("Zoo");
    rig.Action("menu_save")->trigger();
    ASSERT_EQ(rig.dialogs.titledErrors.size(), 1);
    EXPECT_EQ(rig.dialogs.titledErrors[0], "nach " + rig.settingsPath + " kann nicht geschrieben werden.");
    EXPECT_TRUE(rig.dialogs.errors.isEmpty());
    EXPECT_EQ(rig.Message(), "Spielen wir ..."); // the panel keeps its text
    // Nothing was stored, so the game in play keeps its name.
    EXPECT_EQ(rig.form->windowTitle(), "Grumbeck: Plimmerlo");
    rig.Action("menu_start")->trigger();
    EXPECT_EQ(rig.Message(), "Spielen wir ...");
    rig.form->show();
    rig.form->close();
    EXPECT_EQ(rig.dialogs.titledErrors.size(), 2);
    EXPECT_FALSE(rig.form->isVisible());
}

TEST(Settings, NameOrPictureThatCannotBeStoredIsRefusedBeforeAnyWrite)
{
    WindowRig rig;
    WriteFile(rig.settingsPath, ZooFile);
    rig.Start();
    const QString caption = rig.form->windowTitle();
    rig.dialogs.onModal = SaveAs("Zoo]Park");
    rig.Action("menu_save")->trigger();
    ASSERT_EQ(rig.dialogs.titledErrors.size(), 1);
    EXPECT_TRUE(rig.dialogs.titledErrors[0].contains("]"));

    // A picture whose name the file cannot hold is told at saving.
    const QString picture = rig.folder.filePath(QStringLiteral("ayşe.bmp"));
    ASSERT_TRUE(QImage(40, 30, QImage::Format_RGB32).save(picture, "BMP"));
    rig.ChoosePicture(picture);
    rig.dialogs.onModal = SaveAs("Wald");
    rig.Action("menu_save")->trigger();
    ASSERT_EQ(rig.dialogs.titledErrors.size(), 2);
    EXPECT_TRUE(rig.dialogs.titledErrors[1].contains(picture));
    EXPECT_EQ(rig.form->windowTitle(), caption);
    EXPECT_EQ(FileBytes(rig.settingsPath), ZooFile);

    rig.form->close(); // the game in play is still the one resumed
    EXPECT_TRUE(FileBytes(rig.settingsPath).startsWith("[OPTIONS]\r\ngamename=Zoo\r\nfirstgame="));
}

TEST(Settings, ThePictureDialogsOrderIsKeptAmongTheOptions)
{
    WindowRig rig;
    rig.Start();
    rig.dialogs.pictureOrderLeft = PictureOrder::NewestFirst;
    rig.ChoosePicture({}); // even cancelled
    EXPECT_TRUE(FileBytes(rig.settingsPath).contains("PictureView=newest"));
    rig.ChoosePicture({});
    EXPECT_EQ(rig.dialogs.pictureOrderShown, PictureOrder::NewestFirst);
}

TEST(Settings, TableDialogCancelKeepsTheGame)
{
    WindowRig rig;
    const auto board = rig.game().Board();
    rig.dialogs.onModal = ChooseSize(50, 40, false);
    rig.Find<QToolButton>("ToolButton3")->click();
    EXPECT_EQ(rig.game().Board(), board);
    EXPECT_EQ(rig.game().ColCount(), 22);
    // Confirming unchanged values still deals anew.
    rig.clock.ms += 5;
    rig.dialogs.onModal = ChooseSize(22, 18, true);
    rig.Action("menu_table")->trigger();
    EXPECT_NE(rig.game().Board(), board);
}
