#include "settingsfile.h"
#include "support/files.h"
#include "support/filesizelimit.h"
#include "support/settingserrors.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("plimmerlo.ini");
    SettingsFile settings{path};

    void Write(const QString& section, const QString& key, const QString& value)
    {
        settings.Change([&](SettingsDocument& document) { document.WriteString(section, key, value); });
    }

    void Put(const QByteArray& bytes) const { WriteFile(path, bytes); }
    QByteArray Contents() const { return FileBytes(path); }

    static void MakeOld(const QString& name, int seconds)
    {
        QFile file(name);
        const QDateTime then = QDateTime::currentDateTime().addSecs(-seconds);
        EXPECT_TRUE(file.open(QIODevice::Append) && file.setFileTime(then, QFileDevice::FileModificationTime));
    }
    QStringList FilesInFolder() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

QString WriteFailed(const QString& path)
{
    return "nach " + path + " kann nicht geschrieben werden";
}

} // namespace

TEST_F(SettingsFileTest, NoFileReadsDefaultsAndTheFirstWriteCreatesIt)
{
    EXPECT_TRUE(settings.Read().Bytes().isEmpty());
    settings.Change([](SettingsDocument& document) { document.EraseSection("Zoo-GAME"); });
    EXPECT_FALSE(QFile::exists(path));
    Write("Zoo-GAME", "rows", "-18");
    EXPECT_EQ(Contents(), "[Zoo-GAME]\r\nrows=-18\r\n");
    EXPECT_EQ(settings.Read().ReadInteger("zoo-game", "rows", 0), -18);
    EXPECT_EQ(FilesInFolder(), QStringList("plimmerlo.ini")); // the lock is gone with the change
}

TEST_F(SettingsFileTest, AFolderInPlaceOfTheFileReadsEmptyAndRefusesWrites)
{
    ASSERT_TRUE(QDir().mkpath(path));
    EXPECT_TRUE(settings.Read().Bytes().isEmpty());
    EXPECT_EQ(ErrorOf([&] { Write("OPTIONS", "gamename", "Zoo"); }), WriteFailed(path));
    EXPECT_TRUE(QFileInfo(path).isDir());
    // Nor is it carried as empty into the player's own file.
    SettingsFile own({dir.filePath("eigen.ini"), path});
    EXPECT_EQ(ErrorOf([&] { own.Change([](SettingsDocument& d) { d.WriteString("A", "k", "v"); }); }),
              WriteFailed(dir.filePath("eigen.ini")));
}

TEST_F(SettingsFileTest, AMissingFolderIsMadeButOneThatCannotExistRefusesWrites)
{
    SettingsFile nested(dir.filePath("config/plimmerlo/plimmerlo.ini"));
    nested.Change([](SettingsDocument& document) { document.WriteString("OPTIONS", "gamename", "Zoo"); });
    EXPECT_EQ(nested.Read().ReadString("OPTIONS", "gamename", ""), "Zoo");

    // A regular file where the folder should be stops root as well.
    Put("kein Ordner");
    SettingsFile inside(path + "/plimmerlo.ini");
    EXPECT_EQ(ErrorOf([&] { inside.Change([](SettingsDocument& d) { d.WriteString("A", "k", "v"); }); }),
              WriteFailed(path + "/plimmerlo.ini"));
    EXPECT_EQ(Contents(), "kein Ordner");

    // Nor is one made behind a link, as to a stick that is not plugged in.
    ASSERT_TRUE(QFile::link(dir.filePath("stick/spiele/plimmerlo.ini"), dir.filePath("verknuepft.ini")));
    SettingsFile linked(dir.filePath("verknuepft.ini"));
    EXPECT_EQ(ErrorOf([&] { linked.Change([](SettingsDocument& d) { d.WriteString("A", "k", "v"); }); }),
              WriteFailed(dir.filePath("verknuepft.ini")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("stick")));
}

TEST_F(SettingsFileTest, ARefusedOrFailedChangeLeavesTheOldFileWhole)
{
    const QByteArray before = "[Zoo-GAME]\r\nrows=18\r\n";
    Put(before);
    // A refusal halfway through a command's changes writes none of them.
    EXPECT_NE(ErrorOf([&] {
                  settings.Change([](SettingsDocument& document) {
                      document.WriteString("Zoo-GAME", "rows", "20");
                      document.WriteString("Zoo]-GAME", "rows", "20");
                  });
              }),
              "<no error>");
    EXPECT_EQ(Contents(), before);

    QString error;
    {
        FileSizeLimit limit(1000);
        error = ErrorOf([&] { Write("Zoo-GAME", "filename", QString(2000, u'x')); });
    }
    EXPECT_EQ(error, WriteFailed(path));
    EXPECT_EQ(Contents(), before);
    EXPECT_EQ(FilesInFolder(), QStringList("plimmerlo.ini")); // no temporary file left behind
}

TEST_F(SettingsFileTest, OnlyTheProgramsOwnOldTemporaryFilesAreRemovedAndTheBitsStay)
{
    // A save of another copy at work, the player's copies however old, a leftover.
    QStringList files = {".plimmerlo.ini.VnMkoz.tmp-plimmerlo", "plimmerlo.ini.Backup", "plimmerlo.ini.Sicher",
                         "plimmerlo.ini.QxTrbA", ".plimmerlo.ini.QxTrbA", "plimmerlo.ini.QxTrbA.tmp-plimmerlo",
                         ".plimmerlo.ini.QxTrb9.tmp-plimmerlo"};
    for (const QString& name : files) {
        WriteFile(dir.filePath(name), "[OPTIONS]\r\n");
        MakeOld(dir.filePath(name), name == files[0] ? 0 : 3600);
    }
    Put("[A]\r\n");
    const auto bits = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path, bits));
    Write("A", "k", "1");
    EXPECT_EQ(QFile::permissions(path) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser), bits);
    files.last() = "plimmerlo.ini";
    files.sort(Qt::CaseInsensitive);
    EXPECT_EQ(FilesInFolder(), files);
}

TEST_F(SettingsFileTest, DyingWhileWritingLeavesTheOldFileWhole)
{
    const QByteArray before = "[Zoo-GAME]\r\nrows=18\r\n";
    Put(before);
    // The program ends abruptly at the moment the new text outgrows the
    // limit, with the temporary file half written and not yet renamed.
    EXPECT_EXIT(
        {
            FileSizeLimit limit(1000);
            std::signal(SIGXFSZ, [](int) { _exit(42); });
            Write("Zoo-GAME", "filename", QString(2000, u'x'));
        },
        ::testing::ExitedWithCode(42), "");
    EXPECT_EQ(Contents(), before);
}

TEST_F(SettingsFileTest, ALockHeldTooLongIsToldAndOneLeftByADeadProgramIsTakenOver)
{
    Put("[A]\r\nk=1\r\n");
    {
        QLockFile held(path + ".lock");
        ASSERT_TRUE(held.tryLock(0));
        // Meanwhile what is posted, as painting is, is delivered, but no
        // timer starts another command.
        bool painted = false, commandRan = false;
        QObject window;
        QMetaObject::invokeMethod(&window, [&] { painted = true; }, Qt::QueuedConnection);
        QTimer command;
        command.callOnTimeout([&] { commandRan = true; });
        command.start(1);
        SettingsFile impatient(path, std::chrono::milliseconds(200));
        const QString error = ErrorOf([&] {
            impatient.Change([](SettingsDocument& document) { document.WriteString("A", "k", "2"); });
        });
        EXPECT_TRUE(error.startsWith("nach " + path + " kann gerade nicht geschrieben werden")) << error.toStdString();
        EXPECT_EQ(Contents(), "[A]\r\nk=1\r\n");
        EXPECT_TRUE(painted);
        EXPECT_FALSE(commandRan);
    }
    // Left empty or garbled by a program that died making it: taken over
    // without waiting, unless someone holds it.
    for (const QByteArray& content : {QByteArray(), QByteArray("kaputt\n")}) {
        WriteFile(path + ".lock", content);
        MakeOld(path + ".lock", 5);
        QFile holder(path + ".lock");
        ASSERT_TRUE(holder.open(QIODevice::ReadOnly) && flock(holder.handle(), LOCK_EX | LOCK_NB) == 0);
        SettingsFile impatient(path, std::chrono::milliseconds(200));
        EXPECT_TRUE(ErrorOf([&] { impatient.Change([](SettingsDocument& d) { d.WriteString("A", "k", "2"); }); })
                        .contains("das Warten darauf vergeblich war"));
        holder.close();
        SettingsFile(path, std::chrono::milliseconds(0)).Change([](SettingsDocument& d) { d.WriteString("A", "k", "2"); });
        EXPECT_EQ(Contents(), "[A]\r\nk=2\r\n");
    }
    // A program that ends while it holds the lock leaves the lock file behind.
    const pid_t child = fork();
    if (child == 0) {
        QLockFile orphan(path + ".lock");
        _exit(orphan.tryLock(0) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(QFile::exists(path + ".lock"));
    Write("A", "k", "3");
    EXPECT_EQ(Contents(), "[A]\r\nk=3\r\n");

    // Killed while taking such a lock over, QLockFile leaves the helper lock
    // it takes for that empty, which would hold every take-over for half a
    // minute.
    WriteFile(path + ".lock", "999999999\nplimmerlo\n\n");
    WriteFile(path + ".lock.rmlock", {});
    SettingsFile(path, std::chrono::seconds(3)).Change([](SettingsDocument& d) { d.WriteString("A", "k", "4"); });
    EXPECT_EQ(Contents(), "[A]\r\nk=4\r\n");
    EXPECT_EQ(FilesInFolder(), QStringList("plimmerlo.ini"));

    // A pipe in the lock's place, whose opening would wait for ever: refused.
    ASSERT_EQ(mkfifo(QFile::encodeName(path + ".lock").constData(), 0600), 0);
    EXPECT_EQ(ErrorOf([&] { Write("A", "k", "5"); }), WriteFailed(path));
    EXPECT_EQ(Contents(), "[A]\r\nk=4\r\n");
}
