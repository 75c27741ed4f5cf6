#include "regularfile.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

RegularFile::Outcome OutcomeOf(const struct stat& status, qint64 maxBytes)
{
    if (!S_ISREG(status.st_mode))
        return RegularFile::Outcome::NotAFile;
    return status.st_size > maxBytes ? RegularFile::Outcome::TooLarge : RegularFile::Outcome::Opened;
}

RegularFile::Outcome FailedOpen(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return RegularFile::Outcome::Missing;
    case ELOOP:  // O_NOFOLLOW met a link, or links went round in circles
        return RegularFile::Outcome::NotAFile;
    default:
        return RegularFile::Outcome::Unreadable;
    }
}

}  // namespace

RegularFile::RegularFile(const QString& path, qint64 maxBytes, Links links)
{
    const QByteArray name = QFile::encodeName(path);
    // Looked at before it is opened, since opening a device may itself do
    // something (a tape rewinds, a modem hangs up); the look after the open
    // is the one that counts.
    struct stat named {};
    const int looked = links == Links::Follow ? ::stat(name.constData(), &named) : ::lstat(name.constData(), &named);
    if (looked != 0) {
        outcome_ = FailedOpen(errno);
        return;
    }
    if (outcome_ = OutcomeOf(named, maxBytes); outcome_ != Outcome::Opened)
        return;
    const int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (links == Links::Refuse ? O_NOFOLLOW : 0);
    fd_ = ::open(name.constData(), flags);
    if (fd_ < 0) {
        outcome_ = FailedOpen(errno);
        return;
    }
    struct stat opened {};
    outcome_ = ::fstat(fd_, &opened) == 0 ? OutcomeOf(opened, maxBytes) : Outcome::Unreadable;
    if (outcome_ != Outcome::Opened) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    size_ = opened.st_size;
}

RegularFile::~RegularFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::optional<QByteArray> RegularFile::ReadAll() const
{
    if (!IsOpen())
        return std::nullopt;
    QByteArray bytes(size_, Qt::Uninitialized);
    qint64 done = 0;
    while (done < size_) {
        const ssize_t got = ::pread(fd_, bytes.data() + done, std::size_t(size_ - done), off_t(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        done += got;
    }
    bytes.truncate(done);
    return bytes;
}
