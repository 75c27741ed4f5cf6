#include "randomgame.h"

#include "gamesections.h"

QStringList RandomGameCandidates(const QStringList& sections)
{
    QStringList candidates;
    if (sections.size() < 2)
        return candidates;
    for (const QString& section : sections)
        if (section != GameSections::Suffix && GameSections::IsGame(section))
            candidates << GameSections::NameOf(section);
    return candidates;
}
