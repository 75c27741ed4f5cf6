#pragma once

#include <QString>

#include <optional>

// The desktop's "open this with its program". Tests put a stand-in here, so
// no browser starts while they run.
class DesktopOpener {
public:
    virtual ~DesktopOpener() = default;
    // Nothing on success; on failure a code of the Windows shell's table,
    // whose texts OpenDocument shows. Code 0 is one of them ("out of
    // memory"), so success cannot be told by a number.
    virtual std::optional<int> Open(const QString& target) = 0;
};

// Opens through QDesktopServices.
class SystemDesktopOpener : public DesktopOpener {
public:
    std::optional<int> Open(const QString& target) override;
};
