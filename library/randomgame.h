#pragma once

#include <QStringList>

// The names of the games the dice may load, in the order of the settings
// file's sections: every stored game except the standard one, which is never
// a random pick. Like the chooser, it sees no games in a file of fewer than
// two sections.
QStringList RandomGameCandidates(const QStringList& sections);
