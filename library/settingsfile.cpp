#include "settingsfile.h"

#include "regularfile.h"
#include "settingserror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QThread>

#include <QDateTime>
#include <QDeadlineTimer>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <optional>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace Message {
const auto WriteFailed = QStringLiteral("nach %1 kann nicht geschrieben werden");
const auto Busy = QStringLiteral("nach %1 kann gerade nicht geschrieben werden, weil die Datei noch benutzt "
                                 "wird und das Warten darauf vergeblich war. Bitte versuche es gleich noch einmal");
} // namespace Message

// A lock whose program ended without letting it go is taken over: at once
// when that program is known to be gone, otherwise after this time, far
// longer than any rewrite of the file takes.
constexpr int StaleLockMilliseconds = 10'000;
// A lock file is made empty and its holder written into it at once; one
// that stays empty this long was left by a program that died in between.
constexpr qint64 EmptyLockSeconds = 1;
// How often a held lock is looked at again while waiting for it.
constexpr std::chrono::milliseconds LockPoll(20);
// A lock names its holder in a few dozen bytes.
constexpr qint64 MaxLockBytes = 4096;
// QLockFile takes a stale lock over under a lock of its own, the lock's name
// and this ending, and that one, when stale, under its own, and so on.
const auto LockHelperEnding = QStringLiteral(".rmlock");
// Helpers are looked for this deep: each one deeper needs one more program
// killed at that very moment.
constexpr int MaxLockHelpers = 3;
// A temporary file of a save is renamed onto the settings file within
// moments; one this old was left by a save that was cut off.
constexpr qint64 LeftoverSeconds = 60;
// Far more than any settings file holds; beyond it a file is not one.
constexpr qint64 MaxSettingsBytes = 64 * 1024 * 1024;

// The temporary file of a save of "plimmerlo.ini" is named
// ".plimmerlo.ini.Xk3bQz.tmp-plimmerlo": hidden, six random letters or
// digits, and an ending no person gives a file. Only such names are ever
// removed as leftovers; any other file beside the settings file, a
// player's "plimmerlo.ini.Backup" as well, whatever its age, is theirs.
const auto TemporaryEnding = QStringLiteral(".tmp-plimmerlo");
constexpr int RandomLetters = 6;
// Names are drawn again when one is taken, this often at most.
constexpr int NameAttempts = 100;

QString TemporaryPrefix(const QString& fileName)
{
    return u'.' + fileName + u'.';
}

bool IsTemporaryOf(const QString& name, const QString& fileName)
{
    const QString prefix = TemporaryPrefix(fileName);
    if (name.size() != prefix.size() + RandomLetters + TemporaryEnding.size() || !name.startsWith(prefix)
        || !name.endsWith(TemporaryEnding))
        return false;
    const QStringView random = QStringView(name).sliced(prefix.size(), RandomLetters);
    return std::all_of(random.begin(), random.end(), [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); });
}

QString TemporaryNameFor(const QFileInfo& file)
{
    static constexpr char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString random;
    for (int letter = 0; letter < RandomLetters; ++letter)
        random += QLatin1Char(Letters[QRandomGenerator::global()->bounded(int(sizeof Letters - 1))]);
    return file.path() + u'/' + TemporaryPrefix(file.fileName()) + random + TemporaryEnding;
}

SettingsError WriteFailed(const QString& path)
{
    return SettingsError(Message::WriteFailed.arg(path));
}

// Links are followed this often at most, as the system itself does.
constexpr int MaxLinks = 40;

// The file that `path` finally names, through linked folders and linked
// files, a link that points nowhere yet naming its target. Two paths to one
// file thus find one lock beside it, and the replacement goes where the
// links point, so they stay links. Only the folder `path` itself names is
// made when missing, as a player's own settings folder appears with the
// first save; a link into a folder that is not there, such as one on a
// stick not plugged in, names nothing that could be written.
std::optional<QString> RealFile(QString path)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return std::nullopt;
    for (int link = 0; link <= MaxLinks; ++link) {
        const QFileInfo named(path);
        // A relative link is read from the folder it really lies in.
        const QString folder = QDir(named.absolutePath()).canonicalPath();
        if (folder.isEmpty())
            return std::nullopt;
        const QFileInfo file(folder + u'/' + named.fileName());
        if (!file.isSymLink())
            return file.filePath();
        path = file.symLinkTarget();
    }
    return std::nullopt;
}

// A lock file that names no program (empty, cut short, garbled) would hold
// every save for the stale time, as QLockFile cannot ask whether its holder
// still runs. Its holder keeps a native lock on it from a moment after
// making it; one without, older than that moment, is removed.
bool RemoveIfAbandoned(const QString& lockPath)
{
    const RegularFile lock(lockPath, MaxLockBytes, RegularFile::Links::Refuse);
    if (!lock.IsOpen())
        return false;
    qint64 pid = 0;
    QString host, application;
    if (QLockFile(lockPath).getLockInfo(&pid, &host, &application))
        return false; // QLockFile itself asks whether that program still runs
    const QByteArray name = QFile::encodeName(lockPath);
    struct stat opened = {}, named = {};
    return ::flock(lock.Handle(), LOCK_EX | LOCK_NB) == 0 && ::fstat(lock.Handle(), &opened) == 0
           && ::time(nullptr) - opened.st_mtime >= EmptyLockSeconds && ::lstat(name.constData(), &named) == 0
           && named.st_ino == opened.st_ino && named.st_dev == opened.st_dev && ::unlink(name.constData()) == 0;
}

// The lock and the helpers QLockFile leaves beside it when it is killed
// while taking a stale lock over: an empty one of those would stop every
// take-over for QLockFile's own stale time, half a minute. Whether the lock
// is worth trying again at once: something in the way was removed, or the
// lock is gone.
bool RemoveAbandonedLocks(const QString& lockPath)
{
    bool removed = false;
    QString file = lockPath;
    for (int helper = 0; helper <= MaxLockHelpers; ++helper, file += LockHelperEnding)
        removed = RemoveIfAbandoned(file) || removed;
    return removed || !QFileInfo::exists(lockPath);
}

// Whether nothing but files lies where the lock and its helpers go.
// QLockFile reads a lock it finds with a blocking open that follows links,
// so a pipe there would hold the game up for ever and a link to a device
// feed it without end.
bool OnlyFilesAt(const QString& lockPath)
{
    QString file = lockPath;
    for (int helper = 0; helper <= MaxLockHelpers; ++helper, file += LockHelperEnding) {
        struct stat status = {};
        if (::lstat(QFile::encodeName(file).constData(), &status) == 0 && !S_ISREG(status.st_mode))
            return false;
    }
    return true;
}

// One step of the wait for the lock. The window goes on painting meanwhile:
// what the window system and the painting post is delivered, but neither
// the player's input nor a timer, so no other command starts in the middle
// of this one.
void PauseRepainting(std::chrono::milliseconds step)
{
    if (QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::X11ExcludeTimers);
    std::this_thread::sleep_for(step);
}

// Waits for the lock, taking over what a dead program left. Throws
// SettingsError naming `path` when the wait was in vain, or when something
// other than a lock lies in its place.
void Acquire(QLockFile& lock, const QString& lockPath, std::chrono::milliseconds wait, const QString& path)
{
    const QDeadlineTimer deadline(wait);
    for (;;) {
        if (!OnlyFilesAt(lockPath))
            throw WriteFailed(path);
        if (lock.tryLock(0))
            return;
        if (lock.error() != QLockFile::LockFailedError)
            throw WriteFailed(path);
        if (RemoveAbandonedLocks(lockPath))
            continue;
        if (deadline.hasExpired())
            throw SettingsError(Message::Busy.arg(path));
        // Short steps, not QLockFile's growing ones: a second copy saving
        // again and again must not keep this one waiting past its wait.
        PauseRepainting(std::min(LockPoll, std::chrono::milliseconds(deadline.remainingTime())));
    }
}

// A save cut off before its rename leaves its temporary file behind. Under
// the lock no save of ours is running, and what is older than a minute
// belongs to none, not even to a copy stopped while it held the lock.
void RemoveLeftovers(const QString& file)
{
    const QFileInfo info(file);
    const QDateTime old = QDateTime::currentDateTime().addSecs(-LeftoverSeconds);
    for (const QFileInfo& entry : info.dir().entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (IsTemporaryOf(entry.fileName(), info.fileName()) && !entry.isSymLink() && entry.lastModified() < old)
            QFile::remove(entry.filePath());
    }
}

// The file's bytes: empty when there is no file, nothing when what is there
// cannot be read or is no settings file: a folder, a pipe or a device
// (which would hold the game up or feed it without end), or a file larger
// than any settings file.
std::optional<QByteArray> Load(const QString& path)
{
    const RegularFile file(path, MaxSettingsBytes);
    if (file.Result() == RegularFile::Outcome::Missing)
        return QByteArray();
    return file.ReadAll();
}

// Whether the file could be loaded, without reading it.
bool Loadable(const QString& path)
{
    const RegularFile file(path, MaxSettingsBytes);
    return file.IsOpen() || file.Result() == RegularFile::Outcome::Missing;
}

bool WriteAll(int fd, const QByteArray& data)
{
    for (qsizetype done = 0; done < data.size();) {
        const ssize_t written = ::write(fd, data.constData() + done, std::size_t(data.size() - done));
        if (written < 0 && errno != EINTR)
            return false;
        done += std::max<ssize_t>(written, 0);
    }
    return true;
}

// The new text goes to a temporary file beside `path` and is complete on
// disk before it is renamed onto it, so a crash or a full disk leaves either
// the old file or the new one. As QSaveFile did, a file the player may not
// write is not replaced, and the new file keeps the old one's permission
// bits (a new one gets the default for new files).
bool Save(const QString& path, const QByteArray& data)
{
    const QByteArray target = QFile::encodeName(path);
    struct stat old = {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && ::access(target.constData(), W_OK) != 0)
        return false;
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < NameAttempts; ++attempt) {
        temporary = QFile::encodeName(TemporaryNameFor(QFileInfo(path)));
        // Only the player may read it until it has the old file's bits.
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, exists ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    bool written = WriteAll(fd, data) && (!exists || ::fchmod(fd, old.st_mode & 0777) == 0) && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (written && ::rename(temporary.constData(), target.constData()) == 0)
        return true;
    ::unlink(temporary.constData());
    return false;
}

} // namespace

SettingsFile::SettingsFile(SettingsPlace place, std::chrono::milliseconds lockWait)
    : path_(std::move(place.file)), carriedFrom_(std::move(place.carriedFrom)), lockWait_(lockWait)
{
}

SettingsDocument SettingsFile::Read() const
{
    const bool carried = !carriedFrom_.isEmpty() && !QFileInfo::exists(path_);
    return SettingsDocument(Load(carried ? carriedFrom_ : path_).value_or(QByteArray()));
}

void SettingsFile::Change(const std::function<void(SettingsDocument&)>& change)
{
    const std::optional<QString> real = RealFile(path_);
    // Refused before a lock is made beside it: a link to a device would put
    // the lock beside the device.
    if (!real || !Loadable(*real))
        throw WriteFailed(path_);
    const QString lockPath = *real + ".lock";
    QLockFile lock(lockPath);
    lock.setStaleLockTime(StaleLockMilliseconds);
    Acquire(lock, lockPath, lockWait_, path_);
    RemoveLeftovers(*real);

    // Rewriting a file that could not be read would lose it, and carrying
    // one as empty would hide its games for good.
    const std::optional<QByteArray> before = Load(*real);
    const bool carried = !carriedFrom_.isEmpty() && !QFileInfo::exists(*real);
    const std::optional<QByteArray> start = carried ? Load(carriedFrom_) : before;
    if (!before || !start)
        throw WriteFailed(path_);
    SettingsDocument document(*start);
    change(document);
    if (document.Bytes() != *before && !Save(*real, document.Bytes()))
        throw WriteFailed(path_);
}
