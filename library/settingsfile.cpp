#include "settingsfile.h"

#include "settingserror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <optional>

#include <unistd.h>

namespace {

namespace Message {
const auto WriteFailed = QStringLiteral("nach %1 kann nicht geschrieben werden");
const auto Busy = QStringLiteral("nach %1 kann gerade nicht geschrieben werden, weil ein anderes Plimmerlo "
                                 "sie benutzt. Bitte versuche es gleich noch einmal");
} // namespace Message

// A lock whose program ended without letting it go is taken over: at once
// when that program is known to be gone, otherwise after this time, far
// longer than any rewrite of the file takes.
constexpr int kStaleLockMilliseconds = 10'000;

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

SettingsFile::SettingsFile(QString path, std::chrono::milliseconds lockWait)
    : path_(std::move(path)), lockWait_(lockWait)
{
}

SettingsDocument SettingsFile::Read() const
{
    return SettingsDocument(Load(path_).value_or(QByteArray()));
}

void SettingsFile::Change(const std::function<void(SettingsDocument&)>& change)
{
    const std::optional<QString> real = RealFile(path_);
    if (!real)
        throw WriteFailed(path_);
    QLockFile lock(*real + ".lock");
    lock.setStaleLockTime(kStaleLockMilliseconds);
    if (!lock.tryLock(int(lockWait_.count())))
        throw lock.error() == QLockFile::LockFailedError ? SettingsError(Message::Busy.arg(path_)) : WriteFailed(path_);

    // Rewriting a file that could not be read would lose it.
    std::optional<QByteArray> before = Load(*real);
    if (!before)
        throw WriteFailed(path_);
    SettingsDocument document(*before);
    change(document);
    if (document.Bytes() != *before && !Save(*real, document.Bytes()))
        throw WriteFailed(path_);
}
