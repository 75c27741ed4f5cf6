#include "gamesections.h"

#include "windows1252.h"

namespace GameSections {

QString Trimmed(const QString& name)
{
    qsizetype begin = 0;
    qsizetype end = name.size();
    while (begin < end && name[begin].unicode() < 33)
        ++begin;
    while (end > begin && name[end - 1].unicode() < 33)
        --end;
    return name.mid(begin, end - begin);
}

QString SectionOf(const QString& gameName)
{
    return (gameName == StandardName ? QString() : gameName) + Suffix;
}

bool SameName(const QString& a, const QString& b)
{
    const std::optional<QByteArray> first = Windows1252::Encode(SectionOf(a));
    const std::optional<QByteArray> second = Windows1252::Encode(SectionOf(b));
    return first && second && Windows1252::SameText(*first, *second);
}

bool SameText(const QString& a, const QString& b)
{
    const std::optional<QByteArray> first = Windows1252::Encode(a);
    const std::optional<QByteArray> second = Windows1252::Encode(b);
    return first && second ? Windows1252::SameText(*first, *second) : a == b;
}

bool IsGame(const QString& section)
{
    // Only the first occurrence counts: "-GAMEfoo-GAME" is no game.
    return section == Suffix || section.indexOf(Suffix) >= 1;
}

QString NameOf(const QString& section)
{
    if (section == Suffix)
        return StandardName;
    return section.left(section.size() - Suffix.size());
}

} // namespace GameSections
