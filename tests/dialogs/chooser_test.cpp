#include "chooser.h"
#include "gamelibrary.h"
#include "icon.h"
#include "support/files.h"
#include "support/fixedclock.h"
#include "support/filesizelimit.h"
#include "support/printers.h"
#include "support/scripteddialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QByteArray Games = "[OPTIONS]\r\ngamename=Zoo\r\n"
                         "[Zoo-GAME]\r\nfilename=C:\\Bilder\\Tiere\\zoo.bmp\r\ndate=07.12.26 12:23\r\nrows=18\r\n"
                         "cols=22\r\ngrid=1\r\ncolor1=1\r\ncolor2=1\r\ncolor3=0\r\ncolor4=1\r\ncolor5=0\r\n"
                         "[-GAME]\r\nfilename=schule.bmp\r\ndate=07.12.26 12:31\r\nrows=20\r\ncols=30\r\n"
                         "grid=0\r\ncolor1=1\r\ncolor2=0\r\ncolor3=1\r\ncolor4=0\r\ncolor5=1\r\n"
                         "[apfel-GAME]\r\nrows=9\r\n"
                         "[Notizen]\r\ntext=keine\r\n"
                         "[Birne-GAME]\r\ndate=\r\ncols=0x1A\r\ncolor5=7\r\n";

bool SavePicture(const QString& file, int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    return picture.save(file, "BMP");
}

QImage IconImage(int index)
{
    return QImage(IconResource(Icon(index))).convertToFormat(QImage::Format_ARGB32);
}

QImage Shown(const QLabel* label)
{
    return label->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
}

class ChooserTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString previousFolder = QDir::currentPath();
    QString path = folder.filePath("plimmerlo.ini");
    FixedClock clock;
    ScriptedDialogs dialogs;
    GameLibrary library{path, clock};
    Chooser form{library, clock, dialogs};
    GameInPlay game{.name = "Zoo", .arrangement = {.colors = {}, .date = "08.12.26 09:15"}};

    ChooserTest()
    {
        // Bare picture names are looked for in the current folder.
        QDir::setCurrent(folder.path());
    }
    ~ChooserTest() override { QDir::setCurrent(previousFolder); }

    void Put(const QByteArray& bytes) const { WriteFile(path, bytes); }
    QByteArray Contents() const { return FileBytes(path); }

    // Shows the dialog as its caller does and lets its opening run.
    void Open(ChooserMode mode, const QString& chosen)
    {
        form.Prepare(mode, chosen, game);
        form.show();
        QCoreApplication::processEvents();
    }

    template <typename T = QWidget> T* Get(const char* name) const
    {
        T* child = form.findChild<T*>(name);
        EXPECT_TRUE(child) << name;
        return child;
    }
    QString Text(const char* label) const { return Get<QLabel>(label)->text(); }
    QListWidget* List() const { return Get<QListWidget>("MotivListBox"); }
    QStringList Entries() const
    {
        QStringList entries;
        for (int row = 0; row < List()->count(); ++row)
            entries << List()->item(row)->text();
        return entries;
    }
    QString Selected() const
    {
        const auto items = List()->selectedItems();
        return items.isEmpty() ? QString("<none>") : items[0]->text();
    }
    void ClickEntry(const QString& entry) const
    {
        const auto items = List()->findItems(entry, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << entry.toStdString();
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(items[0]).center());
    }
    void Press(const char* button) const { Get<QAbstractButton>(button)->click(); }
    void Escape() const { QTest::keyClick(form.focusWidget(), Qt::Key_Escape); }
    bool Shows(const char* panel) const { return Get(panel)->isVisible(); }
};

} // namespace

TEST_F(ChooserTest, EachModeShowsItsCaptionPanelsAndFocus)
{
    EXPECT_EQ(form.ChosenGame(), "(Standard)");
    EXPECT_EQ(Entries(), QStringList{"(Standard)"});
    EXPECT_EQ(form.size(), QSize(456, 360));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    Put(Games);
    Open(ChooserMode::Load, "Zoo");
    EXPECT_EQ(form.windowTitle(), "Ein Plimmerlo-Spiel Auswählen ...");
    EXPECT_FALSE(Shows("SaveGamePanel"));
    EXPECT_FALSE(Shows("ChangeNamePanel"));
    EXPECT_TRUE(Shows("MotiveComandPanel"));
    EXPECT_TRUE(Shows("OptionCommandPanel"));
    EXPECT_EQ(form.focusWidget(), List());
    EXPECT_EQ(Get("DoubleToolButton")->toolTip(), "Spiel Kopieren");
    EXPECT_EQ(Get("EraseToolButton")->toolTip(), "Spiel Löschen");
    EXPECT_EQ(Get("EditToolButton")->toolTip(), "Spielname Ändern");

    Press("EditToolButton");
    EXPECT_EQ(form.windowTitle(), "Ein Plimmerlo-Spiel Umbenennen ...");
    EXPECT_TRUE(Shows("ChangeNamePanel"));
    EXPECT_FALSE(Shows("MotiveComandPanel"));
    EXPECT_FALSE(Shows("OptionCommandPanel"));
    EXPECT_EQ(form.focusWidget(), Get("NewNameEdit"));
    EXPECT_EQ(Get<QLineEdit>("NewNameEdit")->text(), "Zoo");
    Press("CancelChangeButton");
    EXPECT_TRUE(Shows("OptionCommandPanel"));
    form.hide();

    Open(ChooserMode::Save, "Zoo");
    EXPECT_EQ(form.windowTitle(), "Das aktuelle Plimmerlo-Spiel Speichern ...");
    EXPECT_TRUE(Shows("SaveGamePanel"));
    EXPECT_FALSE(Shows("ChangeNamePanel"));
    EXPECT_FALSE(Shows("MotiveComandPanel"));
    EXPECT_FALSE(Shows("OptionCommandPanel"));
    EXPECT_EQ(form.focusWidget(), Get("SaveNameEdit"));
    EXPECT_EQ(Get<QLineEdit>("SaveNameEdit")->text(), "Zoo");
}

TEST_F(ChooserTest, EscapePressesTheAbbrechenThatIsShown)
{
    Put(Games);
    Open(ChooserMode::Load, "Zoo");
    Escape();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), Chooser::Cancel);

    Open(ChooserMode::Load, "Zoo");
    Press("EditToolButton");
    Escape(); // renaming shows no button that closes the dialog
    EXPECT_TRUE(Shows("ChangeNamePanel"));
    form.close(); // the window's own close button
    EXPECT_EQ(form.result(), Chooser::Cancel);

    Open(ChooserMode::Save, "Zoo");
    Escape();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), Chooser::Abort);
}

TEST_F(ChooserTest, ListsTheGamesWithoutRegardToLetterCaseInGermanOrder)
{
    // On a Swedish desktop "Ä" would come after "Z", and the date in another form.
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
    Put(Games + "[\xC4pfel-GAME]\r\n");
    Open(ChooserMode::Save, "Zoo");
    EXPECT_EQ(Text("DateLabel"), "07.12.26");
    form.hide();
    Open(ChooserMode::Load, "BIRNE");
    // Qt's own sort would put "apfel" and "Äpfel" last.
    EXPECT_EQ(Entries(), (QStringList{"(Standard)", "apfel", "Äpfel", "Birne", "Zoo"}));
    EXPECT_EQ(Selected(), "Birne");
    EXPECT_EQ(Text("MotivLabel"), "BIRNE");
    EXPECT_EQ(Text("ColsLabel"), "0x1A"); // shown as stored
}

TEST_F(ChooserTest, ClickingAnEntryPreviewsItAndAuswaehlenHandsItBack)
{
    Put(Games);
    Open(ChooserMode::Load, "Zoo");
    EXPECT_EQ(Text("GrafikNameLabel"), "C:\\..\\zoo.bmp");
    EXPECT_EQ(Text("DateLabel"), "07.12.26 12:23");
    EXPECT_EQ(Text("ColorsLabel"), "3");
    const int zooIcons[] = {1, 3, 4, 9, 6};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Shown(Get<QLabel>(QString("Image%1").arg(i + 1).toUtf8())), IconImage(zooIcons[i])) << i;

    ClickEntry("apfel");
    EXPECT_EQ(Text("MotivLabel"), "apfel");
    EXPECT_EQ(Text("DateLabel"), "kein Datum");
    EXPECT_EQ(Text("RowsLabel"), "9");
    EXPECT_EQ(Text("ColsLabel"), "0");
    EXPECT_EQ(Text("ColorsLabel"), "0");
    EXPECT_EQ(Text("GrafikNameLabel"), "");
    ClickEntry("Birne");
    EXPECT_EQ(Text("DateLabel"), ""); // present but empty
    EXPECT_EQ(Text("ColorsLabel"), "1"); // any value but 0 counts, as when playing
    EXPECT_EQ(Shown(Get<QLabel>("Image5")), IconImage(7));

    Press("OkButton");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), Chooser::OK);
    EXPECT_EQ(form.ChosenGame(), "Birne");
}

TEST_F(ChooserTest, PathsAreShortenedToTheirFirstFolderAndName)
{
    const std::pair<QByteArray, QString> paths[] = {
        {"C:\\Bilder\\Tiere\\zoo.jpg", "C:\\..\\zoo.jpg"},
        {"C:\\zoo.jpg", "C:\\..\\zoo.jpg"},
        {"/home/lena/Bilder/zoo.jpg", "/../zoo.jpg"},
        {"Bilder/zoo.jpg", "Bilder/../zoo.jpg"},
        {"C:zoo.jpg", "C:zoo.jpg"},
        {"zoo.jpg", "zoo.jpg"},
    };
    for (const auto& [stored, shown] : paths) {
        Put("[OPTIONS]\r\n[Zoo-GAME]\r\nfilename=" + stored + "\r\n");
        Open(ChooserMode::Load, "Zoo");
        EXPECT_EQ(Text("GrafikNameLabel"), shown) << stored.toStdString();
        form.hide();
    }
}

TEST_F(ChooserTest, PreviewKeepsThePictureProportions)
{
    ASSERT_TRUE(SavePicture("wide.bmp", 400, 300));
    ASSERT_TRUE(SavePicture("tall.bmp", 300, 400));
    Put("[OPTIONS]\r\n[Wide-GAME]\r\nfilename=D:\\weg\\wide.bmp\r\n[Tall-GAME]\r\nfilename=tall.bmp\r\n");
    Open(ChooserMode::Load, "Wide"); // found by its bare name in the current folder
    const QLabel* preview = Get<QLabel>("PreviewImage");
    const QSize area = preview->parentWidget()->size();
    ASSERT_GT(area.width(), area.height());
    EXPECT_EQ(preview->geometry(), QRect(0, 0, area.width(), area.width() * 3 / 4));
    // Six eighths: the least that fills a whole large thumbnail as well.
    EXPECT_EQ(preview->pixmap().size(), QSize(300, 225));
    ClickEntry("Tall");
    EXPECT_EQ(preview->geometry(), QRect(0, 0, area.height() * 3 / 4, area.height()));
}

TEST_F(ChooserTest, PictureThatCannotBeShownGivesTheBlackSquare)
{
    QFile("broken.jpg").open(QIODevice::WriteOnly);
    QFile text("notes.txt");
    text.open(QIODevice::WriteOnly);
    text.write("kein Bild");
    text.close();
    ASSERT_TRUE(SavePicture("real.bmp", 40, 30));
    Put("[OPTIONS]\r\n[Real-GAME]\r\nfilename=real.bmp\r\n[Missing-GAME]\r\nfilename=fehlt.bmp\r\n"
        "[Broken-GAME]\r\nfilename=broken.jpg\r\n[Text-GAME]\r\nfilename=notes.txt\r\n");
    Open(ChooserMode::Load, "Real");
    const QLabel* preview = Get<QLabel>("PreviewImage");
    for (const char* game : {"Missing", "Broken", "Text"}) {
        ClickEntry("Real");
        ClickEntry(game);
        EXPECT_EQ(Shown(preview), IconImage(16)) << game;
    }
    // Square, so as wide as the preview and as tall as it is wide.
    const int width = preview->parentWidget()->width();
    EXPECT_EQ(preview->geometry(), QRect(0, 0, width, width));
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_TRUE(dialogs.titledErrors.isEmpty());
}

TEST_F(ChooserTest, PictureIsFoundBesideTheProgram)
{
    const QString name = "chooser-test-beside.bmp";
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    ASSERT_TRUE(SavePicture(beside, 64, 16));
    const auto cleanUp = qScopeGuard([&] { QFile::remove(beside); });
    Put("[OPTIONS]\r\n[Zoo-GAME]\r\nfilename=C:\\Bilder\\" + name.toUtf8() + "\r\n");
    Open(ChooserMode::Load, "Zoo");
    EXPECT_EQ(Get<QLabel>("PreviewImage")->pixmap().size(), QSize(64, 16));
    form.hide();
    Get<QLabel>("PreviewImage")->clear();
    // The game in play keeps such a picture by its bare name.
    game.arrangement.picture = name;
    Open(ChooserMode::Save, "Zoo");
    EXPECT_EQ(Get<QLabel>("PreviewImage")->pixmap().size(), QSize(64, 16));
}

TEST_F(ChooserTest, NoGamesIsToldOnceAndClearsThePreview)
{
    Put(Games);
    Open(ChooserMode::Load, "Zoo");
    form.hide();
    Put("[OPTIONS]\r\ngamename=Zoo\r\n");
    Open(ChooserMode::Load, "Zoo");
    EXPECT_EQ(dialogs.errors, QStringList{"Es gibt hier noch keine Spiele!"});
    EXPECT_EQ(dialogs.errorButtons, QStringList{"Abbrechen"});
    EXPECT_EQ(List()->count(), 0);
    EXPECT_EQ(Text("MotivLabel"), "");
    EXPECT_EQ(Text("RowsLabel"), "0");
    EXPECT_EQ(Text("DateLabel"), "");
    EXPECT_EQ(Text("GrafikNameLabel"), "");
    EXPECT_EQ(Shown(Get<QLabel>("Image1")), IconImage(0));
    EXPECT_TRUE(form.isVisible());
    // Saving needs no list: it says nothing.
    form.hide();
    Open(ChooserMode::Save, "Zoo");
    EXPECT_EQ(dialogs.errors.size(), 1);
}

TEST_F(ChooserTest, SectionsWithoutAnyGameGiveAnEmptyList)
{
    Put("[OPTIONS]\r\ngamename=\r\n[Notizen]\r\ntext=keine\r\n");
    Open(ChooserMode::Load, "");
    EXPECT_EQ(List()->count(), 0);
    EXPECT_EQ(Selected(), "<none>");
    EXPECT_EQ(form.ChosenGame(), "");
    EXPECT_EQ(Text("RowsLabel"), "0");
    EXPECT_TRUE(dialogs.errors.isEmpty());
    Press("OkButton");
    EXPECT_EQ(form.ChosenGame(), "");
}

TEST_F(ChooserTest, CopyCarriesTheKeysAndTheDateOfTheGameInPlay)
{
    Put(Games);
    Open(ChooserMode::Load, "Zoo");
    Press("DoubleToolButton");
    Press("DoubleToolButton"); // the copy is selected: this copies the copy
    ClickEntry("(Standard)");
    Press("DoubleToolButton");
    ClickEntry("Zoo");
    Press("DoubleToolButton"); // again: rewrites Zoo-Kopie
    const QByteArray zooKeys = "filename=C:\\Bilder\\Tiere\\zoo.bmp\r\ndate=08.12.26 09:15\r\nrows=18\r\ncols=22\r\n"
                               "grid=1\r\ncolor1=1\r\ncolor2=1\r\ncolor3=0\r\ncolor4=1\r\ncolor5=0\r\n";
    EXPECT_EQ(Contents(), Games + "[Zoo-Kopie-GAME]\r\n" + zooKeys + "[Zoo-Kopie-Kopie-GAME]\r\n" + zooKeys
                              + "[-Kopie-GAME]\r\nfilename=schule.bmp\r\ndate=08.12.26 09:15\r\nrows=20\r\ncols=30\r\n"
                                "grid=0\r\ncolor1=1\r\ncolor2=0\r\ncolor3=1\r\ncolor4=0\r\ncolor5=1\r\n");
    EXPECT_EQ(Selected(), "Zoo-Kopie");
    EXPECT_EQ(form.ChosenGame(), "Zoo-Kopie");
    EXPECT_EQ(Text("DateLabel"), "08.12.26 09:15");
    EXPECT_TRUE(Entries().contains("-Kopie"));
}

TEST_F(ChooserTest, EraseAsksFirstAndNamesTheEntry)
{
    Put(Games);
    Open(ChooserMode::Load, "Zoo");
    ClickEntry("(Standard)");
    dialogs.answers = {false};
    Press("EraseToolButton");
    EXPECT_EQ(dialogs.questions, QStringList{"Warnung: Soll das Spiel\n\"(Standard)\"\nwirklich gelöscht werden?."});
    EXPECT_EQ(Contents(), Games);

    ClickEntry("Zoo");
    dialogs.answers = {true};
    Press("EraseToolButton");
    EXPECT_FALSE(Contents().contains("Zoo-GAME"));
    EXPECT_TRUE(Contents().contains("[-GAME]"));
    EXPECT_EQ(Entries(), (QStringList{"(Standard)", "apfel", "Birne"}));
    // The chosen game is gone: nothing is selected, and the preview stays.
    EXPECT_EQ(Selected(), "<none>");
    EXPECT_EQ(Text("MotivLabel"), "Zoo");
    EXPECT_EQ(Text("RowsLabel"), "18");
}

TEST_F(ChooserTest, RenameMovesTheGameAndRefusesAnExistingName)
{
    Put(Games);
    Open(ChooserMode::Load, "Zoo");
    Press("EditToolButton");
    auto* edit = Get<QLineEdit>("NewNameEdit");
    // A click on the entry selected gives its name back.
    edit->setText("Halb");
    ClickEntry("Zoo");
    EXPECT_EQ(edit->text(), "Zoo");
    // The list's entries are compared without regard to letter case,
    // "(Standard)" as well.
    for (const char* name : {"(standard)", " zoo "}) {
        edit->setText(name);
        Press("OkayChangeButton");
    }
    EXPECT_EQ(dialogs.warnings,
              (QStringList{"Den Namen\n\"(standard)\"\ngibt es schon.", "Den Namen\n\"zoo\"\ngibt es schon."}));
    EXPECT_TRUE(Shows("ChangeNamePanel"));
    EXPECT_EQ(edit->text(), " zoo ");
    EXPECT_EQ(Contents(), Games);

    edit->setText("Park");
    Press("OkayChangeButton");
    EXPECT_TRUE(Shows("OptionCommandPanel"));
    const QByteArray after = Contents();
    EXPECT_FALSE(after.contains("[Zoo-GAME]"));
    EXPECT_TRUE(after.endsWith("[Park-GAME]\r\nfilename=C:\\Bilder\\Tiere\\zoo.bmp\r\ndate=08.12.26 09:15\r\n"
                               "rows=18\r\ncols=22\r\ngrid=1\r\ncolor1=1\r\ncolor2=1\r\ncolor3=0\r\ncolor4=1\r\n"
                               "color5=0\r\n"));
    EXPECT_EQ(Selected(), "Park");
    EXPECT_EQ(Text("DateLabel"), "08.12.26 09:15");
    // The label still names the game as the dialog opened on it, so
    // "Auswählen" at once hands that name back; a click brings it up to date.
    EXPECT_EQ(Text("MotivLabel"), "Zoo");
    ClickEntry("Park");
    EXPECT_EQ(Text("MotivLabel"), "Park");

    Press("EditToolButton");
    edit->setText("Zoo");
    Press("OkayChangeButton");
    EXPECT_EQ(Entries(), (QStringList{"(Standard)", "apfel", "Birne", "Zoo"}));
    EXPECT_FALSE(Contents().contains("Park"));

    // A blank name does nothing.
    Press("EditToolButton");
    edit->setText(" \t");
    Press("OkayChangeButton");
    EXPECT_TRUE(Shows("ChangeNamePanel"));
    EXPECT_EQ(dialogs.warnings.size(), 2);
}

TEST_F(ChooserTest, RenamingTheStandardGameMovesItToAName)
{
    Put(Games);
    Open(ChooserMode::Load, "(Standard)");
    Press("EditToolButton");
    EXPECT_EQ(Get<QLineEdit>("NewNameEdit")->text(), ""); // the standard game's name is empty
    Get<QLineEdit>("NewNameEdit")->setText("Schule");
    Press("OkayChangeButton");
    EXPECT_FALSE(Contents().contains("[-GAME]"));
    EXPECT_EQ(Entries(), (QStringList{"apfel", "Birne", "Schule", "Zoo"}));
}

TEST_F(ChooserTest, SavingOverAnotherGameAsksFirst)
{
    Put(Games);
    Open(ChooserMode::Save, "Zoo");
    EXPECT_EQ(Selected(), "<none>");
    ClickEntry("apfel"); // the list only shows what there is
    EXPECT_EQ(Text("MotivLabel"), "Zoo");
    EXPECT_EQ(Text("RowsLabel"), "18"); // the game in play, not apfel
    auto* edit = Get<QLineEdit>("SaveNameEdit");
    edit->setText("  apfel ");
    dialogs.answers = {false};
    Press("OkaySaveButton");
    EXPECT_EQ(dialogs.questions,
              QStringList{"Warnung: Es gibt schon ein Spiel unter dem Namen\n\"apfel\"\nMöchtest du das alte Spiel überschreiben?"});
    EXPECT_EQ(edit->text(), "apfel");
    EXPECT_EQ(form.result(), Chooser::No);
    EXPECT_FALSE(form.isVisible());

    Open(ChooserMode::Save, "Zoo");
    edit->setText("APFEL");
    dialogs.answers = {true};
    Press("OkaySaveButton");
    EXPECT_EQ(form.result(), Chooser::OK);
    EXPECT_EQ(form.SaveName(), "APFEL");

    // The game in play and a new name are saved without a question.
    for (const char* name : {"ZOO", "Neu"}) {
        Open(ChooserMode::Save, "Zoo");
        edit->setText(name);
        Press("OkaySaveButton");
        EXPECT_EQ(form.result(), Chooser::OK) << name;
    }
    EXPECT_EQ(dialogs.questions.size(), 2);
    // "(Standard)" is not the empty name offered for the standard game.
    Open(ChooserMode::Save, "");
    edit->setText("(Standard)");
    Press("OkaySaveButton");
    EXPECT_EQ(dialogs.questions.size(), 3);
    Open(ChooserMode::Save, "Zoo");
    Press("CncelSaveButton");
    EXPECT_EQ(form.result(), Chooser::Abort);
    EXPECT_EQ(Contents(), Games);
}

TEST_F(ChooserTest, TypingReplacesTheOfferedNameAndABlankOneAsksNothing)
{
    Put(Games);
    Open(ChooserMode::Save, "Zoo");
    auto* edit = Get<QLineEdit>("SaveNameEdit");
    EXPECT_EQ(edit->selectedText(), "Zoo");
    QTest::keyClicks(edit, "Oma");
    EXPECT_EQ(edit->text(), "Oma");
    // Blank is no name, not the standard game's empty one: nothing to overwrite.
    edit->setText(" \t ");
    Press("OkaySaveButton");
    EXPECT_TRUE(dialogs.questions.isEmpty());
    EXPECT_EQ(form.result(), Chooser::OK);

    Open(ChooserMode::Load, "Zoo");
    Press("EditToolButton");
    EXPECT_EQ(Get<QLineEdit>("NewNameEdit")->selectedText(), "Zoo");
}

TEST_F(ChooserTest, FailedCopyIsToldAndLeavesTheFileWhole)
{
    Put(Games);
    Open(ChooserMode::Load, "Zoo");
    {
        FileSizeLimit limit(Games.size());
        Press("DoubleToolButton");
    }
    ASSERT_EQ(dialogs.titledErrors.size(), 1);
    EXPECT_EQ(dialogs.titledErrors[0], "nach " + path + " kann nicht geschrieben werden.");
    EXPECT_EQ(Contents(), Games);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.ChosenGame(), "Zoo");
}

TEST_F(ChooserTest, NamesAreCheckedInTheFormTheyAreStored)
{
    const QByteArray games = "[OPTIONS]\r\n[\xC4pfel-GAME]\r\ndate=x\r\n[Ay?e-GAME]\r\ndate=y\r\n";
    Put(games);
    Open(ChooserMode::Save, "Zoo");
    auto* edit = Get<QLineEdit>("SaveNameEdit");
    edit->setText(QStringLiteral("äPFEL"));
    Press("OkaySaveButton");
    EXPECT_EQ(dialogs.questions.size(), 1); // the stored "Äpfel"
    EXPECT_EQ(form.result(), Chooser::No);
    // Spelled otherwise than offered, beyond A to Z, the game in play asks too.
    Open(ChooserMode::Save, QStringLiteral("Äpfel"));
    edit->setText(QStringLiteral("äpfel"));
    Press("OkaySaveButton");
    EXPECT_EQ(dialogs.questions.size(), 2);

    // A name the file cannot hold is told while it can still be changed,
    // and is no stored game's name.
    Open(ChooserMode::Save, "Zoo");
    edit->setText(QStringLiteral("Ayşe"));
    Press("OkaySaveButton");
    EXPECT_EQ(dialogs.titledErrors, QStringList(QStringLiteral("Ein Spielname darf kein \"ş\" enthalten.")));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(dialogs.questions.size(), 2);
    Press("CncelSaveButton");
    EXPECT_EQ(Contents(), games);
}
