#include "ruleswindow.h"
#include "infowindow.h"
#include "webaddresses.h"
#include "creditswindow.h"
#include "windowrig.h"

#include <QApplication>

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
    const QList<RulesWindow*> windows = rig.form->findChildren<RulesWindow*>();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_TRUE(windows[0]->isVisible());
    windows[0]->lower();
    QTest::keyClick(rig.form.get(), Qt::Key_F1);
    rig.Find<QToolButton>("HelpToolButton")->click();
    EXPECT_EQ(rig.form->findChildren<RulesWindow*>().size(), 1);
    EXPECT_TRUE(windows[0]->isVisible());
    // The game stays playable beside the rules.
    rig.PlayOnlyColour(2);
    rig.ClickCell(0, 0);
    EXPECT_EQ(rig.game().StonesLeft(), 0);
}

TEST(Windows, CreditsShowWithoutBlocking)
{
    WindowRig rig;
    rig.Action("menu_who")->trigger();
    auto* credits = rig.form->findChild<CreditsWindow*>();
    ASSERT_TRUE(credits);
    EXPECT_TRUE(credits->isVisible());
    EXPECT_FALSE(credits->isModal());
}

TEST(Windows, RulesAndCreditsStayAboveTheGame)
{
    WindowRig rig;
    rig.form->show();
    rig.Action("menu_rules")->trigger();
    rig.Action("menu_who")->trigger();
    // The window manager keeps a window above the one it is transient for.
    for (QWidget* window : {static_cast<QWidget*>(rig.form->findChild<RulesWindow*>()),
                            static_cast<QWidget*>(rig.form->findChild<CreditsWindow*>())}) {
        ASSERT_TRUE(window && window->windowHandle());
        EXPECT_EQ(window->windowHandle()->transientParent(), rig.form->windowHandle()) << window->objectName().toStdString();
    }
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
