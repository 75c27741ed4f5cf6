#include "desktopopener.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

// Qt only tells whether the desktop took the request, so every refusal is
// reported as the likeliest reason: no program is associated with the target.
constexpr int NoAssociatedProgram = 31;

} // namespace

std::optional<int> SystemDesktopOpener::Open(const QString& target)
{
    if (QDesktopServices::openUrl(QUrl::fromUserInput(target)))
        return std::nullopt;
    return NoAssociatedProgram;
}
