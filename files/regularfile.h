#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

// A file opened for reading only once it has shown, on the open handle
// itself, that it is a regular file no larger than its reader takes. Every
// file the game reads is opened here, so that a pipe or a device put where a
// settings file or a picture was expected can neither hold the game up (the
// open never waits) nor feed it without end, and nothing swapped in between
// a look at the path and the open can pass.
class RegularFile {
public:
    enum class Outcome {
        Opened,
        Missing,     // nothing, or a link to nothing, at that path
        NotAFile,    // a folder, a pipe, a device, or a link where links are refused
        TooLarge,    // more bytes than the reader takes
        Unreadable,  // there, but the system will not let it be read
    };
    // A link named where only the game's own files may lie (the thumbnail
    // cache) is refused rather than followed.
    enum class Links { Follow, Refuse };

    RegularFile(const QString& path, qint64 maxBytes, Links links = Links::Follow);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    Outcome Result() const { return outcome_; }
    bool IsOpen() const { return outcome_ == Outcome::Opened; }
    // The open descriptor, -1 unless IsOpen(); it stays this object's.
    int Handle() const { return fd_; }
    // The bytes the file held when it was opened.
    qint64 Size() const { return size_; }
    // Those bytes, from the start: no more even if the file grows meanwhile,
    // fewer if it shrank; nothing when it is not open or a read fails.
    std::optional<QByteArray> ReadAll() const;

private:
    int fd_ = -1;
    qint64 size_ = 0;
    Outcome outcome_ = Outcome::Missing;
};
