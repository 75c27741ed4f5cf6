#pragma once

#include <QString>

// The maker's web pages; plain HTTP on one host. The host is a reserved
// example name until the real one is settled, so no link can send a child to
// a stranger's site.
namespace WebAddresses {

inline const QString Host = QStringLiteral("http://www.grumbeck.example/");
inline const QString HomePage = Host;
inline const QString GamePage = Host + "spiele/plimmerlo/";
inline const QString GamesPage = Host + "spiele/";

} // namespace WebAddresses
