#include "support/windowrig.h"

#include "imageview.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>

TEST(Background, ChosenPictureSizesTheWindowWhateverTheExtensionsCase)
{
    WindowRig rig;
    const QString path = rig.ChooseNewPicture("Zoo.BMP", TestPicture(300, 200));
    EXPECT_TRUE(rig.dialogs.errors.isEmpty()) << rig.dialogs.errors.join("|").toStdString();
    EXPECT_EQ(rig.form->BackgroundFile(), path);
    EXPECT_EQ(rig.Find("Panel")->height(), 200); // and as wide as the window
    EXPECT_EQ(rig.form->Background().pixel(17, 9), qRgb(17, 9, 90));
    EXPECT_EQ(rig.CellSize(), 11); // 200 / 18 = 11, fewer than across
    EXPECT_EQ(rig.Message(), "Spielen wir ...");
}

TEST(Background, PictureNarrowerThanTheWindowIsLaidOutAsAtTheStartHoweverItIsLoaded)
{
    // A small one shown 1:1 and a tall one scaled into the screen's room.
    for (const QSize size : {QSize(100, 80), QSize(400, 1000)}) {
        WindowRig rig({{"schule.bmp", TestPicture(size.width(), size.height())}});
        WriteFile(rig.settingsPath, "[OPTIONS]\r\n[-GAME]\r\nfilename=schule.bmp\r\n"
                                    "[Zoo-GAME]\r\ndate=x\r\nfilename=schule.bmp\r\n");
        rig.Start();
        const auto layout = [&] {
            return std::vector<QRect>{rig.Find("Panel")->geometry(), rig.Find("GamePanel")->geometry(),
                                      rig.Find("Field")->geometry()};
        };
        const std::vector<QRect> start = layout();
        ASSERT_GT(start[0].width(), rig.form->Background().width()) << "not narrower than the window";
        rig.Action("menu_reload")->trigger();
        EXPECT_EQ(layout(), start) << "restored";
        rig.Action("menu_random")->trigger();
        ASSERT_EQ(rig.form->GameName(), "Zoo");
        EXPECT_EQ(layout(), start) << "by the dice";
        rig.ChoosePicture(rig.folder.filePath("schule.bmp"));
        EXPECT_EQ(layout(), start) << "chosen again";
    }
}

TEST(Background, FramedCellsThatFillTheAreaAllLieInsideIt)
{
    WindowRig rig({{"schule.bmp", TestPicture(44, 36)}});
    ASSERT_TRUE(rig.form->ShowGrid());
    const QRect cells = rig.Find("Field")->geometry().translated(rig.Find("GamePanel")->pos());
    EXPECT_EQ(cells.height(), 36);
    EXPECT_TRUE(rig.Find("Panel")->rect().contains(cells)) << cells.y();
}

TEST(Background, JpegIsDecodedThroughTheSameCommand)
{
    WindowRig rig;
    const QString path = rig.folder.filePath("bild.jpeg");
    QImage flat(320, 240, QImage::Format_RGB32);
    flat.fill(qRgb(30, 160, 220));
    ASSERT_TRUE(flat.save(path, "JPEG", 95));
    rig.dialogs.pictureToChoose = path;
    rig.Find<QToolButton>("ToolButton4")->click();
    ASSERT_EQ(rig.form->Background().size(), QSize(320, 240));
    const QColor pixel = rig.form->Background().pixelColor(100, 100);
    EXPECT_NEAR(pixel.red(), 30, 4);
    EXPECT_NEAR(pixel.green(), 160, 4);
    EXPECT_NEAR(pixel.blue(), 220, 4);
}

TEST(Background, CancelledDialogChangesNothing)
{
    WindowRig rig;
    const auto board = rig.game().Board();
    rig.dialogs.pictureToChoose.clear();
    rig.Action("menu_image")->trigger();
    EXPECT_EQ(rig.game().Board(), board);
    EXPECT_EQ(rig.form->BackgroundFile(), "schule.bmp");
}

TEST(Background, UnreadablePictureKeepsTheGameAndNamesTheFile)
{
    WindowRig rig({{"schule.bmp", TestPicture(535, 330)}});
    const auto board = rig.game().Board();
    const QSize windowSize = rig.form->size();
    const QByteArray header = QByteArray("BM") + QByteArray(60, '\x7f'); // dimensions far too large
    const std::pair<const char*, QByteArray> broken[] = {
        {"kaputt.jpg", QByteArray("this is no picture at all")},
        {"leer.bmp", QByteArray()},
        {"riesig.bmp", header},
    };
    for (const auto& [name, bytes] : broken) {
        const QString path = rig.folder.filePath(name);
        WriteFile(path, bytes);
        rig.dialogs.errors.clear();
        rig.ChoosePicture(path);
        ASSERT_EQ(rig.dialogs.errors.size(), 1) << name;
        EXPECT_TRUE(rig.dialogs.errors[0].contains(name)) << rig.dialogs.errors[0].toStdString();
        EXPECT_EQ(rig.game().Board(), board) << name;
        EXPECT_EQ(rig.form->size(), windowSize) << name;
        EXPECT_EQ(rig.form->Background().size(), QSize(535, 330)) << name;
        EXPECT_EQ(rig.form->BackgroundFile(), "schule.bmp") << name;
    }
    // The next command runs as usual.
    rig.Action("menu_start")->trigger();
    EXPECT_EQ(rig.Message(), "Spielen wir ...");
}

TEST(Background, BrokenDefaultPictureStillStartsAGame)
{
    WindowRig rig; // constructs in its own folder; break the picture there and start again
    WriteFile(rig.folder.filePath("schule.bmp"), QByteArray("BM broken"));
    MainWindow second({rig.clock, rig.dialogs, rig.desktop, rig.settingsPath});
    second.Start();
    ASSERT_EQ(rig.dialogs.errors.size(), 1);
    EXPECT_TRUE(rig.dialogs.errors[0].contains("schule.bmp"));
    EXPECT_EQ(second.Background().size(), QSize(500, 400));
    EXPECT_EQ(second.findChild<QWidget*>("Field")->width(), 22 * 22);
    EXPECT_EQ(second.CurrentGame().StonesLeft(), 22 * 18);
}

TEST(Background, StoredPathIsLookedForByItsBareNameAndAChosenOneIsNot)
{
    WindowRig rig;
    TestPicture(400, 300).save(rig.folder.filePath("garten.bmp"), "BMP");
    // A path stored on Windows names its folders with backslashes.
    for (const char* stored : {"/no/such/folder/garten.bmp", "C:\\Bilder\\garten.bmp"}) {
        WriteFile(rig.settingsPath, "[OPTIONS]\r\ngamename=G\r\n[G-GAME]\r\ndate=x\r\nfilename=" + QByteArray(stored));
        rig.Start();
        EXPECT_EQ(rig.form->BackgroundFile(), "garten.bmp") << stored;
        EXPECT_EQ(rig.form->Background().size(), QSize(400, 300)) << stored;
    }
    // Not there under either name: the black fallback, and the bare name stays.
    WriteFile(rig.settingsPath, "[OPTIONS]\r\ngamename=G\r\n[G-GAME]\r\ndate=x\r\nfilename=/no/such/weg.jpg");
    rig.Start();
    EXPECT_EQ(rig.form->BackgroundFile(), "weg.jpg");
    EXPECT_EQ(qGray(rig.form->Background().pixel(250, 200)), 0);
    EXPECT_TRUE(rig.dialogs.errors.isEmpty());
    rig.ChoosePicture("/no/such/folder/garten.bmp"); // chosen: the very file named
    EXPECT_EQ(rig.dialogs.errors, QStringList("Das Bild „/no/such/folder/garten.bmp“ kann nicht gelesen werden."));
    EXPECT_EQ(rig.form->BackgroundFile(), "weg.jpg");
}

TEST(Background, OtherKindOfPictureIsRefusedNamingTheKindsTaken)
{
    WindowRig rig({{"schule.bmp", TestPicture(535, 330)}});
    const QString path = rig.folder.filePath("bild.xpm");
    TestPicture(100, 100).save(path, "XPM");
    rig.dialogs.pictureToChoose = path;
    const auto board = rig.game().Board();
    rig.Action("menu_image")->trigger();
    ASSERT_EQ(rig.dialogs.errors.size(), 1);
    EXPECT_TRUE(rig.dialogs.errors[0].startsWith("Das Bild „" + path + "“ kann nicht gelesen werden: das Spiel zeigt "
                                                 "Bilder der Arten BMP, JPEG"));
    EXPECT_EQ(rig.form->Background().size(), QSize(535, 330));
    EXPECT_EQ(rig.form->BackgroundFile(), "schule.bmp");
    EXPECT_EQ(rig.game().Board(), board);

    // Stored with a game, it starts the game on the black picture.
    WriteFile(rig.settingsPath, "[OPTIONS]\r\ngamename=Png\r\n[Png-GAME]\r\nfilename=bild.xpm\r\ndate=x\r\n");
    rig.Start();
    EXPECT_EQ(rig.dialogs.errors.size(), 2);
    EXPECT_EQ(rig.form->Background().size(), QSize(500, 400));
    EXPECT_EQ(rig.form->BackgroundFile(), "bild.xpm");
    EXPECT_GT(rig.game().StonesLeft(), 0);
}

TEST(Background, TinyPictureGivesNoCellsAndIgnoresClicks)
{
    WindowRig rig;
    rig.ChooseNewPicture("winzig.bmp", TestPicture(15, 12));
    EXPECT_EQ(rig.CellSize(), 0);
    EXPECT_TRUE(rig.form->FieldSurface().isNull() || rig.form->FieldSurface().size().isEmpty());
    const auto board = rig.game().Board();
    emit rig.Find<ImageView>("Field")->pressed(0, 0); // the field has no pixel to click
    EXPECT_EQ(rig.game().Board(), board);
}

TEST(Background, PictureDroppedOnTheWindowOrGivenAtStartIsTakenAsIfChosen)
{
    WindowRig rig({{"schule.bmp", TestPicture(535, 330)}});
    const QString dropped = rig.folder.filePath("wald.bmp");
    TestPicture(300, 200).save(dropped, "BMP");
    const auto drop = [&](const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(rig.form.get(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(rig.form.get(), &event);
    };
    const auto board = rig.game().Board();
    rig.clock.ms += 1000; // a new deal is shuffled by the time of day
    drop(dropped);
    EXPECT_EQ(rig.form->Background().size(), QSize(300, 200));
    EXPECT_EQ(rig.form->BackgroundFile(), dropped);
    EXPECT_NE(rig.game().Board(), board);
    TestPicture(30, 20).save(rig.folder.filePath("bild.xpm"), "XPM");
    QDir(rig.folder.path()).mkdir("ordner.jpg");
    for (const char* refused : {"bild.xpm", "weg.jpg", "ordner.jpg"})
        drop(rig.folder.filePath(refused));
    EXPECT_EQ(rig.dialogs.errors.size(), 3);
    EXPECT_TRUE(rig.dialogs.errors[2].contains("ordner.jpg"));
    EXPECT_EQ(rig.form->BackgroundFile(), dropped);

    // Opened with a picture, the program plays on it and stores nothing.
    rig.form->Start(dropped);
    EXPECT_EQ(rig.form->Background().size(), QSize(300, 200));
    EXPECT_FALSE(QFile::exists(rig.settingsPath));

    // Opened with one that is not there, or a folder, it says so and
    // resumes the stored game as it is.
    WriteFile(rig.settingsPath, "[OPTIONS]\r\ngamename=Wald\r\n[Wald-GAME]\r\ndate=x\r\nfilename=wald.bmp\r\n");
    for (const QString& refused : {QString("/no/such/foto.jpg"), rig.folder.filePath("ordner.jpg")}) {
        rig.dialogs.errors.clear();
        rig.form->Start(refused);
        EXPECT_EQ(rig.dialogs.errors, QStringList("Das Bild „" + refused + "“ kann nicht gelesen werden."));
        EXPECT_EQ(rig.form->GameName(), "Wald");
        EXPECT_EQ(rig.form->BackgroundFile(), "wald.bmp");
    }
    // The picture asked for is the one loaded: the stored one, broken here,
    // is not even read.
    WriteFile(rig.settingsPath, "[OPTIONS]\r\ngamename=Wald\r\n[Wald-GAME]\r\ndate=x\r\nfilename=kaputt.bmp\r\n");
    WriteFile(rig.folder.filePath("kaputt.bmp"), "kaputt");
    rig.dialogs.errors.clear();
    rig.form->Start(dropped);
    EXPECT_EQ(rig.dialogs.errors, QStringList());
    EXPECT_EQ(rig.form->BackgroundFile(), dropped);
}
