#include "ruleswindow.h"
#include "infowindow.h"
#include "webaddresses.h"
#include "creditswindow.h"
#include "support/windowrig.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

namespace {

// The rules and credits windows stand beside the game's window, not in it.
template <typename Window> Window* Shown()
{
    Window* found = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(top); window && window->isVisible()) {
            EXPECT_FALSE(found) << "two windows where one should be";
            found = window;
        }
    return found;
}

} // namespace

TEST(Windows, InfoWindowOnceAtTheFirstActivation)
{
    WindowRig rig;
    QStringList shown;
    auto activate = [&] {
        QEvent activation(QEvent::WindowActivate);
        QApplication::sendEvent(rig.form.get(), &activation);
        QTest::qWait(20);
    };
    rig.dialogs.onModal = [&](QDialog& dialog) {
        shown << dialog.metaObject()->className();
        activate(); // the window activates again while the info window is still open
        return int(QDialog::Accepted);
    };
    activate();
    EXPECT_TRUE(shown.isEmpty()); // not before the game's window has been painted
    rig.form->show();
    // After the first paint, however long a busy machine takes for it.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty(); }, 5000));
    EXPECT_EQ(shown, QStringList{"InfoWindow"});

    for (int i = 0; i < 3; ++i)
        activate();
    EXPECT_EQ(shown, QStringList{"InfoWindow"});

    rig.Action("menu_info")->trigger(); // the menu shows it whenever asked
    EXPECT_EQ(shown, (QStringList{"InfoWindow", "InfoWindow"}));
}

TEST(Windows, RulesComeToTheFrontAsOneWindow)
{
    WindowRig rig;
    rig.form->show();
    QTest::keyClick(rig.form.get(), Qt::Key_F1);
    RulesWindow* rules = Shown<RulesWindow>();
    ASSERT_TRUE(rules);
    rules->lower();
    QTest::keyClick(rig.form.get(), Qt::Key_F1);
    rig.Find<QToolButton>("HelpToolButton")->click();
    EXPECT_EQ(Shown<RulesWindow>(), rules);
    // The game stays playable beside the rules.
    rig.PlayOnlyColour(2);
    rig.ClickCell(0, 0);
    EXPECT_EQ(rig.game().StonesLeft(), 0);
}

TEST(Windows, CreditsShowWithoutBlocking)
{
    WindowRig rig;
    rig.Action("menu_who")->trigger();
    auto* credits = Shown<CreditsWindow>();
    ASSERT_TRUE(credits);
    EXPECT_FALSE(credits->isModal());
}

TEST(Windows, RulesAndCreditsLetTheGameComeFirstAndEndWithIt)
{
    WindowRig rig;
    rig.form->show();
    rig.form->move(40, 30);
    rig.Action("menu_rules")->trigger();
    rig.Action("menu_who")->trigger();
    const QPoint gameCentre = rig.form->frameGeometry().center();
    // Neither transient for the game nor kept on top: the window manager
    // brings the game's window in front of them when it is clicked.
    for (QWidget* window : {static_cast<QWidget*>(Shown<RulesWindow>()), static_cast<QWidget*>(Shown<CreditsWindow>())}) {
        ASSERT_TRUE(window && window->windowHandle());
        const std::string name = window->objectName().toStdString();
        EXPECT_EQ(window->windowType(), Qt::Window) << name;
        EXPECT_FALSE(window->windowFlags() & Qt::WindowStaysOnTopHint) << name;
        EXPECT_EQ(window->windowHandle()->transientParent(), nullptr) << name;
        EXPECT_LE((window->frameGeometry().center() - gameCentre).manhattanLength(), 2) << name;
    }

    // Closing the game's window ends the program, and the two go with it.
    QTimer::singleShot(0, rig.form.get(), [&] { rig.form->close(); });
    bool ended = true;
    QTimer::singleShot(3000, [&] {
        ended = false;
        QApplication::quit();
    });
    QApplication::exec();
    EXPECT_TRUE(ended);
    rig.form.reset();
    EXPECT_FALSE(Shown<RulesWindow>());
    EXPECT_FALSE(Shown<CreditsWindow>());
}

TEST(Windows, TheGamesShortcutsWorkFromTheWindowsBesideItAndAnOpenMenuKeepsEveryKey)
{
    WindowRig rig;
    rig.form->show();
    rig.Action("menu_rules")->trigger();
    rig.Action("menu_who")->trigger();
    for (QWidget* window : {static_cast<QWidget*>(Shown<RulesWindow>()), static_cast<QWidget*>(Shown<CreditsWindow>())}) {
        rig.clock.ms += 1000;
        const auto board = rig.game().Board();
        QTest::keyClick(window, Qt::Key_F2);
        EXPECT_NE(rig.game().Board(), board) << window->objectName().toStdString();
        QTest::keyClick(window, Qt::Key_Right); // the window's own: the field stays
        EXPECT_EQ(rig.Message(), "Spielen wir ...");
    }

    // Right moves on to the next menu, as in every desktop program.
    rig.form->menuBar()->setActiveAction(rig.Action("menu_main"));
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_EQ(menu, rig.Find<QMenu>("menu_main"));
    QTest::keyClick(menu, Qt::Key_Right);
    EXPECT_EQ(QApplication::activePopupWidget(), rig.Find<QMenu>("menu_colors"));
    EXPECT_EQ(rig.Message(), "Spielen wir ...");
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
}

TEST(Windows, APictureAtStartIsShownAsLargeAsOneChosenLater)
{
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    WindowRig rig({{"schule.bmp", TestPicture(screen.width() * 2, screen.height() * 2)}});
    const QSize atStart = rig.form->Background().size();
    rig.form->show();
    rig.ChoosePicture(rig.folder.filePath("schule.bmp"));
    EXPECT_EQ(rig.form->Background().size(), atStart);
    EXPECT_LT(atStart.height(), screen.height());
}

TEST(Windows, TheAddressIsShownWholeAndMessagesHaveTheRestOfTheBar)
{
    WindowRig rig;
    rig.form->show();
    const QList<QLabel*> panels = rig.Find("Status")->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(panels.size(), 2);
    QLabel* address = panels[0];
    EXPECT_GE(address->contentsRect().width(), address->fontMetrics().horizontalAdvance(address->text()));
    const int width = rig.form->width();
    rig.form->statusBar()->findChild<QLabel*>("MessagePanel")->setText(QString(500, 'W'));
    QApplication::processEvents();
    EXPECT_EQ(rig.form->width(), width);
    EXPECT_GE(panels[1]->geometry().right(), rig.form->statusBar()->width() - 8);
}

TEST(Windows, LinksOpenTheMakersPages)
{
    WindowRig rig;
    rig.Action("menu_go")->trigger();
    rig.Find<QToolButton>("GrumbeckToolButton")->click();
    rig.Action("menu_plimmerlo")->trigger();
    rig.Action("menu_games")->trigger();
    EXPECT_EQ(rig.desktop.opened, (QStringList{WebAddresses::HomePage, WebAddresses::HomePage,
                                               WebAddresses::GamePage, WebAddresses::GamesPage}));
    EXPECT_TRUE(rig.dialogs.messages.isEmpty());

    rig.desktop.failure = 31;
    rig.Action("menu_games")->trigger();
    EXPECT_EQ(rig.dialogs.messages, QStringList{"Mit dieser Bild-Datei ist kein Grafikprogramm verknüpft.Das Programm informierte."});
}

// As a platform theme may do once the windows are made; the menus follow it.
TEST(Windows, OwnWindowsKeepTheirLookOnADarkDesktopWithALargeFont)
{
    WindowRig rig;
    QWidgetList windows;
    rig.dialogs.onModal = [&](QDialog& dialog) { windows << &dialog; return int(QDialog::Rejected); };
    for (const char* command : {"menu_rules", "menu_who", "menu_info", "menu_loadgame", "menu_table"})
        rig.Action(command)->trigger();
    windows << Shown<RulesWindow>() << Shown<CreditsWindow>();
    QCoreApplication::processEvents(); // the rules' layout
    QList<QImage> designed;
    for (QWidget* window : windows)
        designed << window->grab().toImage();
    const QPalette desktopPalette = QApplication::palette();
    const QFont desktopFont = QApplication::font();
    QApplication::setPalette(QPalette(QColor(50, 50, 50)));
    QApplication::setFont(QFont("DejaVu Sans", 12));
    QCoreApplication::processEvents(); // the widgets learn of them
    EXPECT_EQ(rig.form->menuBar()->palette().color(QPalette::Window), QColor(50, 50, 50));
    for (QWidget* window : windows)
        EXPECT_EQ(window->grab().toImage(), designed.takeFirst()) << qPrintable(window->objectName());
    QApplication::setPalette(desktopPalette);
    QApplication::setFont(desktopFont);
}
