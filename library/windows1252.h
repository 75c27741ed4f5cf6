#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The 8-bit character set of the settings file. All 256 byte values decode,
// the five that Windows-1252 leaves undefined to the control characters of
// the same code, so any file's bytes survive a round trip unchanged.
namespace Windows1252 {

QString Decode(QByteArrayView bytes);
// A character the set cannot hold becomes one '?'.
QByteArray Encode(QStringView text);

} // namespace Windows1252
