// The game meets damaged settings files and pictures, and files it may not
// write. Whatever it meets, it either goes on quietly with what it can use
// or says in German what went wrong; it can always deal a new game; and it
// never loses a stored setting it did not mean to change.

#include "application.h"
#include "program.h"
#include "settingspath.h"
#include "support/filesizelimit.h"
#include "support/windowrig.h"

#include <QFile>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QtEndian>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A section as it stands in the file: its header, its lines and the line
// end before the next header.
QByteArray SectionBytes(const QByteArray& file, const QByteArray& name)
{
    const qsizetype begin = file.indexOf("[" + name + "]");
    if (begin < 0)
        return "<no section " + name + ">";
    const qsizetype next = file.indexOf("\n[", begin);
    return file.mid(begin, next < 0 ? -1 : next + 1 - begin);
}

QString WriteFailed(const WindowRig& rig)
{
    return "nach " + rig.settingsPath + " kann nicht geschrieben werden.";
}

// A new game is dealt afresh: all stones in place, laid out otherwise.
void ExpectNewGameDealt(WindowRig& rig)
{
    const auto board = rig.game().Board();
    rig.clock.ms += 1000;
    rig.Action("menu_start")->trigger();
    EXPECT_NE(rig.game().Board(), board);
    EXPECT_EQ(rig.game().StonesLeft(), rig.game().ColCount() * rig.game().RowCount());
}

// Starts on the stored Zoo game of Lena's file and saves it at 40 x 25.
void ResumeZooAndSaveItAt40By25(WindowRig& rig)
{
    rig.Start();
    EXPECT_EQ(rig.game().ColCount(), 30);
    EXPECT_EQ(rig.form->windowTitle(), "Grumbeck: Plimmerlo Lena");
    rig.dialogs.onModal = ChooseSize(40, 25);
    rig.Action("menu_table")->trigger();
    rig.dialogs.onModal = SaveAs("Zoo");
    rig.Action("menu_save")->trigger();
}

const QByteArray Options = "[OPTIONS]\r\ngamename=Zoo\r\nuser=Lena\r\n";
const QByteArray ZooGame = "[Zoo-GAME]\r\nfilename=zoo.bmp\r\ndate=07.12.26 12:23\r\nrows=20\r\ncols=30\r\n"
                           "grid=0\r\ncolor1=0\r\ncolor2=0\r\ncolor3=1\r\ncolor4=0\r\ncolor5=1\r\n";
const QByteArray ParkGame = "[Park-GAME]\r\nfilename=park.jpg\r\ndate=01.05.26 09:00\r\nrows=12\r\ncols=14\r\n";

// Root passes every permission check, and the tests run as root, so a
// read-only file or folder would refuse it nothing. While this lives the
// process is the unprivileged user "nobody", as a player is; the saved user
// ID keeps the way back to root. Run as an ordinary user, it changes nothing.
class AsOrdinaryUser {
public:
    static constexpr uid_t Nobody = 65534;

    AsOrdinaryUser()
    {
        if (geteuid() != 0)
            return;
        dropped_ = setresgid(Nobody, Nobody, 0) == 0 && setresuid(Nobody, Nobody, 0) == 0;
        if (!dropped_)
            Restore();
    }
    ~AsOrdinaryUser()
    {
        if (dropped_)
            Restore();
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

    // False only for root that may not change its user ID.
    bool Bound() const { return dropped_ || geteuid() != 0; }

private:
    static void Restore()
    {
        if (setresuid(0, 0, 0) != 0 || setresgid(0, 0, 0) != 0)
            std::abort(); // the remaining tests would run as the wrong user
    }
    bool dropped_ = false;
};

} // namespace

// ------------------------------------------------------------ settings file

// A folder, a pipe (whose opening would wait for a writer for ever) and a
// link to a device without end: the game starts past each with its
// defaults, refuses every write and leaves it what it was.
TEST(Faults, SettingsFileThatIsNoFileReadsAsNoneAndIsLeftAlone)
{
    const std::function<bool(const QString&)> kinds[] = {
        [](const QString& path) { return QDir().mkpath(path + "/inhalt"); },
        [](const QString& path) { return mkfifo(QFile::encodeName(path).constData(), 0644) == 0; },
        [](const QString& path) { return QFile::link("/dev/zero", path); },
    };
    for (const auto& lay : kinds) {
        WindowRig rig;
        const QByteArray name = QFile::encodeName(rig.settingsPath);
        struct stat before = {}, after = {};
        ASSERT_TRUE(lay(rig.settingsPath) && lstat(name.constData(), &before) == 0);
        rig.Start();
        EXPECT_EQ(rig.game().ColCount(), 22);
        ExpectNewGameDealt(rig);
        rig.dialogs.onModal = SaveAs("Zoo");
        rig.Action("menu_save")->trigger();
        rig.form->close();
        EXPECT_EQ(rig.dialogs.titledErrors, QStringList({WriteFailed(rig), WriteFailed(rig)}));
        ASSERT_EQ(lstat(name.constData(), &after), 0);
        EXPECT_TRUE(after.st_mode == before.st_mode && after.st_ino == before.st_ino) << after.st_mode;
        EXPECT_EQ(QDir(rig.folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                  QStringList("plimmerlo.ini"));
    }
}

// The read-only file and the read-only folder: the stored game is read, the
// save is refused with the message, and the file stays exactly as it was.
class ReadOnlySettings : public testing::TestWithParam<bool> {};

TEST_P(ReadOnlySettings, SaveIsRefusedWithAMessageAndTheFileStaysWhole)
{
    const bool folderReadOnly = GetParam();
    WindowRig rig({{"zoo.bmp", TestPicture(600, 400)}});
    const QByteArray stored = Options + ZooGame + ParkGame;
    WriteFile(rig.settingsPath, stored);
    const QFileDevice::Permissions all = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    const QFileDevice::Permissions writable = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    const QFileDevice::Permissions enter = QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    // Readable and enterable by the ordinary user; what may be written is the test.
    ASSERT_TRUE(QFile::setPermissions(rig.settingsPath, folderReadOnly ? all | writable : all));
    ASSERT_TRUE(QFile::setPermissions(rig.folder.path(), folderReadOnly ? all | enter : all | enter | writable));
    const auto writableAgain = qScopeGuard([&] { QFile::setPermissions(rig.folder.path(), all | enter | writable); });
    const QStringList filesBefore = QDir(rig.folder.path()).entryList(QDir::AllEntries | QDir::Hidden);

    AsOrdinaryUser user;
    if (!user.Bound())
        GTEST_SKIP() << "root that may not change its user ID passes every permission check";
    // Beside the program, such a file is carried into the player's own.
    EXPECT_EQ(SettingsPlaceFor(rig.folder.filePath("Plimmerlo"), "/c", MayReplace).carriedFrom, rig.settingsPath);
    ResumeZooAndSaveItAt40By25(rig);
    EXPECT_EQ(rig.dialogs.titledErrors, QStringList{WriteFailed(rig)});
    EXPECT_TRUE(rig.dialogs.errors.isEmpty());
    ExpectNewGameDealt(rig);
    EXPECT_EQ(rig.game().ColCount(), 40);
    rig.form->close();
    EXPECT_EQ(rig.dialogs.titledErrors.size(), 2);

    EXPECT_EQ(FileBytes(rig.settingsPath), stored);
    // Nor is a half-written temporary file left behind.
    EXPECT_EQ(QDir(rig.folder.path()).entryList(QDir::AllEntries | QDir::Hidden), filesBefore);
}

INSTANTIATE_TEST_SUITE_P(Faults, ReadOnlySettings, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "ReadOnlyFolder" : "ReadOnlyFile"; });

// A limit on the size of files, as a shell may set: the save beyond it is
// told like a full disk and the file stays. The child, a fresh run of this
// program, undoes the test program's start and sets itself up as the game.
TEST(Faults, SaveBeyondTheFileSizeLimitIsToldAndTheFileStays)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe"); // a fork of the window would inherit its locks
    EXPECT_EXIT(
        {
            std::signal(SIGXFSZ, SIG_DFL);
            SetUpProcess();
            bool told = false;
            {
                // Ended before _exit, so that its folder goes with it.
                WindowRig rig;
                WriteFile(rig.settingsPath, Options + ZooGame);
                FileSizeLimit limit(Options.size() + ZooGame.size());
                rig.dialogs.onModal = SaveAs("Park");
                rig.Action("menu_save")->trigger();
                told = FileBytes(rig.settingsPath) == Options + ZooGame
                       && rig.dialogs.titledErrors == QStringList{WriteFailed(rig)};
            }
            _exit(told ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    GTEST_FLAG_SET(death_test_style, "fast");
}

TEST(Faults, RandomBytesReadAsNoSettingsAndASaveKeepsThemInFront)
{
    WindowRig rig;
    QByteArray noise(64 * 1024, '\0');
    QRandomGenerator(2026).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    WriteFile(rig.settingsPath, noise);
    rig.Start();
    EXPECT_TRUE(rig.dialogs.titledErrors.isEmpty());
    EXPECT_TRUE(rig.dialogs.errors.isEmpty());
    EXPECT_EQ(rig.game().ColCount(), 22);
    EXPECT_EQ(rig.form->windowTitle(), "Grumbeck: Plimmerlo");

    rig.dialogs.onModal = ChooseSize(30, 20);
    rig.Action("menu_table")->trigger();
    rig.dialogs.onModal = SaveAs("Zoo");
    rig.Action("menu_save")->trigger();
    EXPECT_TRUE(rig.dialogs.titledErrors.isEmpty());
    EXPECT_TRUE(FileBytes(rig.settingsPath).startsWith(noise));

    // What was saved behind the noise is found again.
    rig.Start();
    EXPECT_EQ(rig.game().ColCount(), 30);
    EXPECT_EQ(rig.Message(), "Spielen wir \"Zoo\" ...");
    ExpectNewGameDealt(rig);
}

TEST(Faults, TenMegabyteFileIsReadAndRewrittenWhole)
{
    WindowRig rig({{"zoo.bmp", TestPicture(600, 400)}});
    QByteArray old = "[Notizen]\r\n";
    for (int i = 0; old.size() < 10'000'000; ++i)
        old += "notiz" + QByteArray::number(i) + "=" + QByteArray(90, char('a' + i % 26)) + "\r\n";
    // The game stands behind ten megabytes, so every lookup crosses them.
    const QByteArray stored = old + Options + ZooGame + ParkGame;
    WriteFile(rig.settingsPath, stored);
    ResumeZooAndSaveItAt40By25(rig);
    EXPECT_TRUE(rig.dialogs.titledErrors.isEmpty());
    QByteArray expected = stored;
    expected.replace("rows=20\r\ncols=30\r\n", "rows=25\r\ncols=40\r\n");
    EXPECT_TRUE(FileBytes(rig.settingsPath) == expected);
    ExpectNewGameDealt(rig);
}

TEST(Faults, ValueOfHundredThousandCharactersIsCutOnReadingAndKeptInTheFile)
{
    WindowRig rig;
    const QByteArray longName(100000, 'L');
    const QByteArray options = "[OPTIONS]\r\ngamename=Zoo\r\nuser=" + longName + "\r\n";
    const QByteArray zoo = "[Zoo-GAME]\r\nfilename=" + longName + ".bmp\r\ndate=07.12.26 12:23\r\nrows=20\r\ncols=30\r\n";
    const QByteArray park = "[Park-GAME]\r\nfilename=" + longName + ".jpg\r\nrows=12\r\n";
    WriteFile(rig.settingsPath, options + zoo + park);
    rig.Start();
    // The reading buffer's 2047 characters, as ever.
    EXPECT_EQ(rig.form->windowTitle(), "Grumbeck: Plimmerlo " + QString(2047, u'L'));
    // No file has such a name: the black picture, without a word.
    EXPECT_EQ(rig.form->BackgroundFile(), QString(2047, u'L'));
    EXPECT_EQ(rig.form->Background().size(), QSize(500, 400));
    EXPECT_TRUE(rig.dialogs.errors.isEmpty());
    EXPECT_EQ(rig.game().ColCount(), 30);
    ExpectNewGameDealt(rig);

    rig.dialogs.onModal = SaveAs("Zoo");
    rig.Action("menu_save")->trigger();
    EXPECT_TRUE(rig.dialogs.titledErrors.isEmpty());
    const QByteArray after = FileBytes(rig.settingsPath);
    EXPECT_TRUE(SectionBytes(after, "OPTIONS") == options);
    EXPECT_TRUE(SectionBytes(after, "Park-GAME") == park);
}

// ------------------------------------------------------------------ pictures

namespace {

struct BrokenPicture {
    const char* name;
    // Empty when the game goes on without a word.
    const char* says;
};

const BrokenPicture BrokenPictures[] = {
    {"ordner.bmp", ""},
    {"leer.jpg", "kann nicht gelesen werden"},
    {"halb.jpg", "kann nicht gelesen werden"},
    {"riesig.bmp", "kann nicht gelesen werden"},
};

// Lays the broken pictures into the folder under their names.
void LayBrokenPictures(const QDir& folder)
{
    ASSERT_TRUE(folder.mkdir("ordner.bmp"));
    WriteFile(folder.filePath("leer.jpg"), {});
    QImage photo(320, 240, QImage::Format_RGB32);
    photo.fill(qRgb(30, 160, 220));
    ASSERT_TRUE(photo.save(folder.filePath("ganz.jpg"), "JPEG", 90));
    const QByteArray jpeg = FileBytes(folder.filePath("ganz.jpg"));
    WriteFile(folder.filePath("halb.jpg"), jpeg.left(jpeg.size() / 2));
    TestPicture(8, 8).save(folder.filePath("riesig.bmp"), "BMP");
    QByteArray bmp = FileBytes(folder.filePath("riesig.bmp"));
    qToLittleEndian<qint32>(100000, bmp.data() + 18); // width and height in the info header
    qToLittleEndian<qint32>(100000, bmp.data() + 22);
    WriteFile(folder.filePath("riesig.bmp"), bmp);
}

} // namespace

TEST(Faults, BrokenPictureOfAStoredGameStartsItOnBlackAndKeepsItsName)
{
    for (const BrokenPicture& broken : BrokenPictures) {
        SCOPED_TRACE(broken.name);
        WindowRig rig;
        LayBrokenPictures(QDir(rig.folder.path()));
        QByteArray zoo = ZooGame;
        zoo.replace("zoo.bmp", broken.name);
        const QByteArray stored = Options + zoo + ParkGame;
        WriteFile(rig.settingsPath, stored);
        rig.Start();

        if (*broken.says) {
            ASSERT_EQ(rig.dialogs.errors.size(), 1);
            EXPECT_TRUE(rig.dialogs.errors[0].contains(broken.says)) << rig.dialogs.errors[0].toStdString();
            EXPECT_TRUE(rig.dialogs.errors[0].contains(broken.name)) << rig.dialogs.errors[0].toStdString();
        } else {
            EXPECT_TRUE(rig.dialogs.errors.isEmpty()) << rig.dialogs.errors.join("|").toStdString();
        }
        EXPECT_EQ(rig.form->Background().size(), QSize(500, 400));
        EXPECT_EQ(qGray(rig.form->Background().pixel(250, 200)), 0);
        EXPECT_EQ(rig.game().ColCount(), 30);
        EXPECT_EQ(rig.Message(), "Spielen wir \"Zoo\" ...");
        EXPECT_EQ(FileBytes(rig.settingsPath), stored);
        ExpectNewGameDealt(rig);

        // A save keeps the player's picture for the day it is mended.
        rig.dialogs.onModal = SaveAs("Zoo");
        rig.Action("menu_save")->trigger();
        const QByteArray after = FileBytes(rig.settingsPath);
        EXPECT_TRUE(SectionBytes(after, "Zoo-GAME").contains("filename=" + QByteArray(broken.name) + "\r\n"));
        EXPECT_TRUE(SectionBytes(after, "OPTIONS") == SectionBytes(stored, "OPTIONS"));
        EXPECT_TRUE(SectionBytes(after, "Park-GAME") == ParkGame);
    }
}

TEST(Faults, BrokenPictureChosenInTheMenuLeavesTheGameAsItWas)
{
    WindowRig rig({{"schule.bmp", TestPicture(535, 330)}});
    LayBrokenPictures(QDir(rig.folder.path()));
    const auto board = rig.game().Board();
    for (const BrokenPicture& broken : BrokenPictures) {
        SCOPED_TRACE(broken.name);
        rig.dialogs.errors.clear();
        rig.ChoosePicture(rig.folder.filePath(broken.name));
        // A folder too: stored, it is a missing picture; chosen, a mistake to tell.
        ASSERT_EQ(rig.dialogs.errors.size(), 1);
        EXPECT_TRUE(rig.dialogs.errors[0].contains("kann nicht gelesen werden")) << rig.dialogs.errors[0].toStdString();
        EXPECT_TRUE(rig.dialogs.errors[0].contains(broken.name)) << rig.dialogs.errors[0].toStdString();
        EXPECT_EQ(rig.game().Board(), board);
        EXPECT_EQ(rig.form->Background().size(), QSize(535, 330));
        EXPECT_EQ(rig.form->BackgroundFile(), "schule.bmp");
    }
    ExpectNewGameDealt(rig);
}
