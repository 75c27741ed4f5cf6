#include "icon.h"
#include "support/windowrig.h"
#include "webaddresses.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QtEndian>

TEST(MainWindow, StartsWithTheBlackFallbackWhenThePictureIsMissing)
{
    WindowRig rig;
    EXPECT_EQ(rig.form->windowTitle(), "Grumbeck: Plimmerlo");
    EXPECT_EQ(rig.form->Background().size(), QSize(500, 400));
    EXPECT_EQ(rig.Find("Panel")->size(), QSize(500, 400));
    EXPECT_EQ(rig.CellSize(), 22);
    EXPECT_EQ(rig.Find("GamePanel")->geometry(), QRect(8, 2, 488, 400));
    EXPECT_EQ(rig.game().ColCount(), 22);
    EXPECT_EQ(rig.game().RowCount(), 18);
    EXPECT_EQ(rig.ColoursDealt(), (ColorSelection{1, 2, 4}));
    EXPECT_EQ(rig.form->BackgroundFile(), "schule.bmp");
    EXPECT_EQ(rig.Message(), "Spielen wir ...");
    EXPECT_TRUE(rig.dialogs.errors.isEmpty());
}

TEST(MainWindow, SizesItselfToTheDefaultPicture)
{
    WindowRig rig({{"schule.bmp", TestPicture(535, 330)}});
    rig.form->show();
    EXPECT_EQ(rig.Find("Panel")->size(), QSize(535, 330));
    EXPECT_EQ(rig.Find("DummyImage")->size(), QSize(535, 330));
    const QWidget* toolBar = rig.Find("ToolBar1");
    const QWidget* status = rig.Find("Status");
    EXPECT_EQ(toolBar->height(), 25);
    EXPECT_EQ(status->height(), 19);
    // The window is exactly menu, tool bar, picture and status bar high.
    EXPECT_EQ(rig.form->height(), rig.form->menuBar()->height() + 25 + 330 + 19);
    EXPECT_EQ(rig.form->width(), 535);
    EXPECT_EQ(rig.form->minimumSize(), rig.form->maximumSize()); // not resizable
    EXPECT_FALSE(rig.form->windowFlags() & Qt::WindowMaximizeButtonHint);
    // 22 x 18 on 535 x 330: 18-pixel cells, centred, frame added right and below.
    EXPECT_EQ(rig.CellSize(), 18);
    EXPECT_EQ(rig.Find("GamePanel")->geometry(), QRect(69, 3, 400, 328));
}

TEST(MainWindow, StartsAndTakesABmpWithoutLoadingEveryImagePlugin)
{
    WindowRig rig;
    // Written by hand, as Qt's writer would load the plugins itself: a grey
    // 600 x 400 BMP of 24 bits a pixel.
    QByteArray bmp(54, '\0');
    bmp[0] = 'B', bmp[1] = 'M', bmp[14] = 40, bmp[26] = 1, bmp[28] = 24, bmp[10] = 54;
    qToLittleEndian<qint32>(600, bmp.data() + 18);
    qToLittleEndian<qint32>(400, bmp.data() + 22);
    bmp += QByteArray(600 * 3 * 400, '\x50');
    QFile picture(rig.folder.filePath("grau.bmp"));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly) && picture.write(bmp) == bmp.size());
    picture.close();
    rig.ChoosePicture(picture.fileName());
    EXPECT_EQ(rig.form->Background().pixel(599, 399), qRgb(0x50, 0x50, 0x50));
    QFile maps("/proc/self/maps");
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    EXPECT_FALSE(maps.readAll().contains("/imageformats/"));
    // The bars' overflow arrow is read once it is drawn.
    EXPECT_FALSE(QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16).isNull());
}

TEST(MainWindow, MenuCaptionsShortcutsAndIcons)
{
    WindowRig rig;
    const QStringList tops = {"&Spiel", "&Farben", "&Einstellungen", "&Hilfe"};
    QStringList seen;
    for (QAction* top : rig.form->menuBar()->actions())
        seen << top->text();
    EXPECT_EQ(seen, tops);
    EXPECT_EQ(rig.Action("menu_start")->text(), "Neu Starten\tF2");
    EXPECT_EQ(rig.Action("menu_back")->text(), "Rückgängig machen\tAlt+Rück");
    EXPECT_EQ(rig.Action("menu_reload")->text(), "Wiederherstellen"); // Alt+Rück is undo's alone
    EXPECT_EQ(rig.Action("menu_save")->text(), "Speichern\tAlt+S");
    EXPECT_EQ(rig.Action("menu_table")->text(), "&Spalten && Zeilen ...\tF3");
    EXPECT_EQ(rig.Action("menu_close")->text(), "Und Tschüss !!!\tF10");
    EXPECT_EQ(rig.Action("menu_rules")->text(), "Spielregeln\tF1");
    EXPECT_EQ(rig.Action("menu_info")->text(), "Über dieses Spiel ...");
    for (const char* bare : {"menu_info", "menu_close", "menu_grid", "menu_reload"})
        EXPECT_TRUE(rig.Action(bare)->icon().isNull()) << bare;
    for (const char* pictured : {"menu_start", "menu_back", "menu_who", "color_red"})
        EXPECT_FALSE(rig.Action(pictured)->icon().isNull()) << pictured;
    EXPECT_TRUE(rig.Action("menu_grid")->isChecked());
}

TEST(MainWindow, ToolBarAndStatusBar)
{
    WindowRig rig;
    const std::pair<const char*, const char*> hints[] = {
        {"GrumbeckToolButton", "Hier geht es zur Grumbeck ins Internet ..."},
        {"ToolButton1", "Neustart"}, {"ToolButton2", "Zurück"}, {"ToolButton9", "Spiel Aussuchen"},
        {"RandomToolButton", "Zufälliges Spiel"}, {"ToolButton4", "Bild Laden"},
        {"ToolButton3", "Zeilen & Spalten ..."}, {"ToolButton5", "Einstellungen Sichern ..."},
        {"HelpToolButton", "Spielregeln"}};
    for (const auto& [name, hint] : hints) {
        auto* button = rig.Find<QToolButton>(name);
        ASSERT_TRUE(button);
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(hint));
        EXPECT_EQ(button->width(), 23) << name;
    }
    EXPECT_EQ(rig.Find("ToolButton12")->width(), 8);
    EXPECT_EQ(rig.Find("Panel1")->width(), 81);
    const QList<QLabel*> panels = rig.Find("Status")->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(panels.size(), 2);
    EXPECT_EQ(panels[0]->text(), WebAddresses::HomePage);
}

TEST(MainWindow, EveryMouseButtonMakesAMove)
{
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        WindowRig rig;
        rig.PlayOnlyColour(2);
        rig.ClickCell(5, 5, button);
        EXPECT_EQ(rig.game().StonesLeft(), 0) << button;
    }
}

// A double-click comes as press, release, double-click and release: the
// second press is a click of its own on whatever fell into the cell.
TEST(MainWindow, DoubleClickOnTheFieldMakesTwoMoves)
{
    WindowRig rig;
    rig.form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(rig.form.get()));
    const Board& board = rig.game().Board();
    std::optional<Game> afterOne, afterTwo;
    QPoint cell;
    for (int row = board.RowCount() - 1; row >= 0 && !afterTwo; --row)
        for (int col = 0; col < board.ColCount() && !afterTwo; ++col) {
            Game one = rig.game();
            one.Click(col, row);
            Game two = one;
            two.Click(col, row);
            if (one.Board() != board && two.Board() != one.Board()) {
                afterOne.emplace(one);
                afterTwo.emplace(two);
                cell = QPoint(col, row);
            }
        }
    ASSERT_TRUE(afterTwo) << "no cell takes a group twice";
    const int size = rig.CellSize();
    const QPoint inField(cell.x() * size + size / 2, cell.y() * size + size / 2);
    QTest::mouseDClick(rig.form->windowHandle(), Qt::LeftButton, {}, rig.Field()->mapTo(rig.form.get(), inField));
    EXPECT_NE(rig.game().Board(), afterOne->Board());
    EXPECT_EQ(rig.game().Board(), afterTwo->Board());
}

// The colour menu's discs carry a check mark while their colour takes part.
TEST(MainWindow, ColourMenuMarksTheColoursInPlay)
{
    const auto marked = [](const WindowRig& rig) {
        std::vector<int> codes;
        for (int code = 1; code <= 5; ++code) {
            const QImage shown = rig.Action(ColourNames[code - 1])->icon().pixmap(16).toImage();
            const QImage checked = QIcon(IconResource(ColorIcon(code, true))).pixmap(16).toImage();
            const QImage plain = QIcon(IconResource(ColorIcon(code, false))).pixmap(16).toImage();
            EXPECT_TRUE(shown == checked || shown == plain) << code;
            if (shown == checked)
                codes.push_back(code);
        }
        return codes;
    };
    WindowRig rig;
    EXPECT_EQ(marked(rig), (std::vector<int>{1, 2, 4}));
    rig.Action("color_green")->trigger();
    rig.Action("color_blue")->trigger();
    EXPECT_EQ(marked(rig), (std::vector<int>{1, 3, 4}));

    WriteFile(rig.settingsPath, "[OPTIONS]\r\ngamename=Zoo\r\n[Zoo-GAME]\r\ndate=07.12.26 12:23\r\n"
                                "color1=0\r\ncolor2=0\r\ncolor3=1\r\ncolor4=0\r\ncolor5=1\r\n");
    rig.Start();
    EXPECT_EQ(marked(rig), (std::vector<int>{3, 5}));
    rig.Action("color_red")->trigger();
    EXPECT_EQ(marked(rig), (std::vector<int>{1, 3, 5}));
    rig.Action("menu_reload")->trigger();
    EXPECT_EQ(marked(rig), (std::vector<int>{3, 5}));
}

TEST(MainWindow, WinIsAnnouncedInGreenOverBlack)
{
    WindowRig rig;
    rig.Find("GamePanel")->show();
    rig.form->show();
    rig.PlayOnlyColour(4);
    EXPECT_EQ(rig.ColoursDealt(), (ColorSelection{4}));
    rig.ClickCell(0, 0);
    EXPECT_EQ(rig.Message(), "Du hast gewonnen !!!");
    auto* headline = rig.Find<QLabel>("EndMessageLabel2");
    auto* detail = rig.Find<QLabel>("EndMessageLabel3");
    EXPECT_TRUE(headline->isVisible());
    EXPECT_EQ(detail->text(), "Du hast das Spiel gewonnen !");

    // The emptied field shows the picture under it, framed by the grid.
    const QImage& surface = rig.form->FieldSurface();
    EXPECT_EQ(surface.pixel(5, 5), rig.form->Background().pixel(8 + 2 + 5, 2 + 2 + 5));

    // A new game hides the announcement.
    rig.Action("menu_start")->trigger();
    EXPECT_FALSE(headline->isVisible());
}

TEST(MainWindow, LossIsAnnouncedInRedAndTheQuestionFollows)
{
    WindowRig rig;
    rig.form->show();
    // Play the first takeable group again and again until the game ends.
    while (rig.TakeAGroup())
        ;
    ASSERT_TRUE(rig.game().GameOver());
    const int left = rig.game().StonesLeft();
    if (left == 0)
        GTEST_SKIP() << "this shuffle was won";
    auto* detail = rig.Find<QLabel>("EndMessageLabel3");
    EXPECT_EQ(rig.Find<QLabel>("EndMessageLabel2")->palette().color(QPalette::WindowText), QColor(240, 0, 0));
    EXPECT_EQ(rig.Find<QLabel>("EndMessageLabel4")->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_TRUE(detail->text().startsWith("Verloren! " + QString::number(left)));
    EXPECT_TRUE(rig.Message().endsWith("Verloren !!!"));

    // A click beside the announcement asks; No keeps the game as it is.
    const auto board = rig.game().Board();
    rig.dialogs.answers = {false};
    const int cell = rig.CellSize();
    QTest::mouseClick(rig.Field(), Qt::LeftButton, {}, QPoint(rig.game().ColCount() * cell - 2, rig.game().RowCount() * cell - 2));
    EXPECT_EQ(rig.dialogs.questions, QStringList{"Das Spiel ist zu Ende. Möchtest Du es noch einmal spielen?"});
    EXPECT_EQ(rig.game().Board(), board);

    // A click on the headline's letters reaches neither the field nor the question.
    auto* headline = rig.Find<QLabel>("EndMessageLabel2");
    QTest::mouseClick(headline, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(rig.dialogs.questions.size(), 1);

    // Yes deals a new game.
    rig.dialogs.answers = {true};
    rig.ClickCell(rig.game().ColCount() - 1, rig.game().RowCount() - 1);
    EXPECT_FALSE(headline->isVisible());
    EXPECT_EQ(rig.Message(), "Spielen wir ...");
}

TEST(MainWindow, UndoByMenuToolButtonAndAltBackspace)
{
    WindowRig rig;
    const auto dealt = rig.game().Board();
    rig.PlayOnlyColour(1);
    const auto oneColour = rig.game().Board();
    rig.ClickCell(0, 0);
    QTest::keyClick(rig.form.get(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(rig.game().Board(), oneColour);
    EXPECT_EQ(rig.Message(), "Du hast es rückgängig gemacht ...");
    EXPECT_FALSE(rig.game().GameOver());

    rig.ClickCell(3, 3);
    rig.Find<QToolButton>("ToolButton2")->click();
    EXPECT_EQ(rig.game().Board(), oneColour);
    (void)dealt;
}

TEST(MainWindow, FunctionKeysAndKeyCodes)
{
    WindowRig rig;
    rig.form->show();
    rig.clock.ms += 1;
    QTest::keyClick(rig.form.get(), Qt::Key_A);
    EXPECT_EQ(rig.Message(), "65");
    QTest::keyClick(rig.form.get(), Qt::Key_F5);
    EXPECT_EQ(rig.Message(), "116");
    QTest::keyClick(rig.form.get(), Qt::Key_Up);
    EXPECT_EQ(rig.Message(), "38");

    const auto before = rig.game().Board();
    QTest::keyClick(rig.form.get(), Qt::Key_F2);
    EXPECT_EQ(rig.Message(), "Spielen wir ...");
    EXPECT_NE(rig.game().Board(), before);

    QTest::keyClick(rig.form.get(), Qt::Key_F10);
    EXPECT_FALSE(rig.form->isVisible());
}

TEST(MainWindow, ArrowKeysMoveTheFieldAndANewGameCentresIt)
{
    WindowRig rig({{"schule.bmp", TestPicture(535, 330)}});
    rig.form->show();
    QWidget* panel = rig.Find("GamePanel");
    const QPoint centred = panel->pos();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(rig.form.get(), Qt::Key_Right);
    EXPECT_EQ(rig.Message(), "39");
    EXPECT_EQ(panel->pos(), centred + QPoint(24, 0));
    QTest::keyClick(rig.form.get(), Qt::Key_Down);
    EXPECT_EQ(panel->pos(), centred + QPoint(24, 8));

    // Cells repainted after the move show the picture from their new place.
    rig.PlayOnlyColour(3);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(rig.form.get(), Qt::Key_Left);
    rig.ClickCell(0, 0);
    const QPoint field = panel->pos() + QPoint(2, 2);
    EXPECT_EQ(rig.form->FieldSurface().pixel(7, 7), rig.form->Background().pixel(field.x() + 7, field.y() + 7));

    rig.Action("menu_start")->trigger();
    EXPECT_EQ(panel->pos(), centred);
}

TEST(MainWindow, AfterMovesAnArrowKeyLeavesEveryCellShowingWhatItHolds)
{
    WindowRig rig({{"schule.bmp", TestPicture(535, 330)}});
    rig.Action("menu_grid")->trigger(); // without the grid, every pixel of an empty cell is picture
    ASSERT_TRUE(rig.TakeAGroup());
    ASSERT_TRUE(rig.TakeAGroup());
    // A held key repeats as pairs of press and release; only its real
    // release repaints the empty cells.
    const QImage before = rig.form->FieldSurface();
    QTest::keyPress(rig.form.get(), Qt::Key_Right);
    QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(rig.form.get(), &repeated);
    EXPECT_EQ(rig.form->FieldSurface(), before);
    QTest::keyRelease(rig.form.get(), Qt::Key_Right);
    QTest::keyClick(rig.form.get(), Qt::Key_Down);

    const QRgb faces[] = {0, qRgb(200, 32, 32), qRgb(70, 90, 210), qRgb(32, 170, 32), qRgb(180, 180, 32), qRgb(180, 32, 180)};
    const QPoint field = rig.Field()->mapTo(rig.Find("Panel"), QPoint(0, 0));
    const Board& board = rig.game().Board();
    const int cell = rig.CellSize();
    for (int row = 0; row < board.RowCount(); ++row)
        for (int col = 0; col < board.ColCount(); ++col) {
            const QPoint middle(col * cell + cell / 2, row * cell + cell / 2);
            const QRgb shown = rig.form->FieldSurface().pixel(middle);
            const int code = board.At(col, row);
            ASSERT_EQ(shown, code ? faces[code] : rig.form->Background().pixel(field + middle)) << col << "," << row;
        }
}

TEST(MainWindow, GridSwitchKeepsCellsAndDropsTheFrame)
{
    WindowRig rig;
    rig.Action("menu_grid")->trigger();
    EXPECT_FALSE(rig.form->ShowGrid());
    EXPECT_EQ(rig.Find("GamePanel")->geometry(), QRect(8, 2, 484, 396));
    EXPECT_EQ(rig.CellSize(), 22);

    // Without the grid an emptied field is the picture itself, seamless.
    rig.PlayOnlyColour(5);
    rig.ClickCell(0, 0);
    EXPECT_EQ(rig.form->FieldSurface(), rig.form->Background().copy(8, 2, 484, 396));

    rig.Action("menu_grid")->trigger();
    EXPECT_TRUE(rig.form->ShowGrid());
    EXPECT_EQ(rig.Find("GamePanel")->geometry(), QRect(8, 2, 488, 400));
}
