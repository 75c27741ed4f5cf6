#include "settingsfile.h"

#include "settingserror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

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
constexpr int kStaleLockMilliseconds = 10'000;
// A lock file is made empty and its holder written into it at once; one
// that stays empty this long was left by a program that died in between.
constexpr qint64 kEmptyLockSeconds = 1;
// How often a held lock is looked at again while waiting for it.
constexpr std::chrono::milliseconds kLockPoll(20);
// A temporary file of a save is renamed onto the settings file within
// moments; one this old was left by a save that was cut off.
constexpr qint64 kLeftoverSeconds = 60;

SettingsError WriteFailed(const QString& path)
{
    return SettingsError(Message::WriteFailed.arg(path));
}

// Links are followed this often at most, as the system itself does.
constexpr int kMaxLinks = 40;

// The file that `path` finally names, through linked folders and linked
// files, a link that points nowhere yet naming its target. Its folder is
// made when missing, as a player's own settings folder appears with the
// first save. Two paths to one file thus find one lock beside it, and the
// replacement goes where the links point, so they stay links.
std::optional<QString> RealFile(QString path)
{
    for (int link = 0; link <= kMaxLinks; ++link) {
        const QFileInfo named(path);
        if (!QDir().mkpath(named.absolutePath()))
            return std::nullopt;
        // A relative link is read from the folder it really lies in.
        const QFileInfo file(QDir(named.absolutePath()).canonicalPath() + u'/' + named.fileName());
        if (!file.isSymLink())
            return file.filePath();
        path = file.symLinkTarget();
    }
    return std::nullopt;
}

// An empty or unreadable lock names no program that could be looked for,
// so QLockFile would wait out its stale time at every save. It is taken
// over when nobody holds it: its holder keeps a native lock on it from the
// moment it is made.
bool RemoveAbandonedLock(QLockFile& lock, const QString& lockPath)
{
    qint64 pid = 0;
    QString host, application;
    if (lock.getLockInfo(&pid, &host, &application))
        return false; // QLockFile itself asks whether that program still runs
    const QByteArray name = QFile::encodeName(lockPath);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT; // gone already: try again
    struct stat opened = {}, named = {};
    // The holder takes its native lock a moment after making the file.
    const bool abandoned = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0
                           && ::time(nullptr) - opened.st_mtime >= kEmptyLockSeconds
                           && ::stat(name.constData(), &named) == 0 && named.st_ino == opened.st_ino
                           && named.st_dev == opened.st_dev && ::unlink(name.constData()) == 0;
    ::close(fd);
    return abandoned;
}

// Waits for the lock, taking over what a dead program left. Throws
// SettingsError naming `path` when the wait was in vain.
void Acquire(QLockFile& lock, const QString& lockPath, std::chrono::milliseconds wait, const QString& path)
{
    const QDeadlineTimer deadline(wait);
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError)
            throw WriteFailed(path);
        if (RemoveAbandonedLock(lock, lockPath))
            continue;
        if (deadline.hasExpired())
            throw SettingsError(Message::Busy.arg(path));
        // Short steps, not QLockFile's growing ones: a second copy saving
        // again and again must not keep this one waiting past its wait.
        std::this_thread::sleep_for(std::min(kLockPoll, std::chrono::milliseconds(deadline.remainingTime())));
    }
}

// QSaveFile writes through a temporary file named after the settings file
// and six random letters, renamed onto it at the end. A save cut off at
// that moment leaves it behind; under the lock no save of ours is running,
// and what is older than a minute belongs to none. Names of lower-case
// letters only are kept, as a player may call a copy "plimmerlo.ini.backup".
void RemoveLeftovers(const QString& file)
{
    const QFileInfo info(file);
    const QString prefix = info.fileName() + u'.';
    const QDateTime old = QDateTime::currentDateTime().addSecs(-kLeftoverSeconds);
    for (const QFileInfo& entry : info.dir().entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QString name = entry.fileName();
        const QString letters = name.sliced(std::min(prefix.size(), name.size()));
        const auto asciiLetter = [](QChar c) { return c.isLetter() && c.unicode() < 128; };
        const bool random = letters.size() == 6 && letters != letters.toLower()
                            && std::all_of(letters.begin(), letters.end(), asciiLetter);
        if (name.startsWith(prefix) && random && !entry.isSymLink() && entry.lastModified() < old)
            QFile::remove(entry.filePath());
    }
}

// The file's bytes: empty when there is no file, nothing when there is one
// that cannot be read, such as a folder.
std::optional<QByteArray> Load(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return QByteArray();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return data;
}

// The old file stays whole until the new one is complete on disk: a crash
// or a full disk leaves either the old file or the new one.
bool Save(const QString& path, const QByteArray& data)
{
    QSaveFile file(path);
    // commit() alone would rename a temporary file that a full disk cut
    // short, as it overlooks a failed flush and ignores fsync's result;
    // the checks here stop it first, and the unrenamed file is removed.
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush()
           && ::fsync(file.handle()) == 0 && file.commit();
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
    if (!real)
        throw WriteFailed(path_);
    const QString lockPath = *real + ".lock";
    QLockFile lock(lockPath);
    lock.setStaleLockTime(kStaleLockMilliseconds);
    Acquire(lock, lockPath, lockWait_, path_);
    RemoveLeftovers(*real);

    // Rewriting a file that could not be read would lose it.
    std::optional<QByteArray> before = Load(*real);
    if (!before)
        throw WriteFailed(path_);
    const bool carried = !carriedFrom_.isEmpty() && !QFileInfo::exists(*real);
    SettingsDocument document(carried ? Load(carriedFrom_).value_or(QByteArray()) : *before);
    change(document);
    if (document.Bytes() != *before && !Save(*real, document.Bytes()))
        throw WriteFailed(path_);
}
