#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

// A folder for the file each input becomes. In memory where the system has
// such a folder: the settings file is fsync'ed on every write, and a disk
// would make that the whole cost of an execution.
inline QString ScratchPath(const QString& fileName)
{
    static QTemporaryDir folder(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/plimmerlo-fuzz-XXXXXX")
                                                          : QDir::tempPath() + "/plimmerlo-fuzz-XXXXXX");
    if (!folder.isValid()) {
        std::fprintf(stderr, "no scratch folder: %s\n", qPrintable(folder.errorString()));
        std::abort();
    }
    return folder.filePath(fileName);
}

inline void PutFile(const QString& path, const uint8_t* data, size_t size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
}

// A broken promise of the code under test: libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* what, const QString& detail = {})
{
    std::fprintf(stderr, "FUZZ CHECK FAILED: %s %s\n", what, qPrintable(detail));
    std::abort();
}
