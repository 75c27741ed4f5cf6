#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// The 8-bit character set of the settings file. All 256 byte values decode,
// the five that Windows-1252 leaves undefined to the control characters of
// the same code, so any file's bytes survive a round trip unchanged.
namespace Windows1252 {

QString Decode(QByteArrayView bytes);
// Nothing when the text holds a character the set cannot: storing it as
// "?" would silently make it another text.
std::optional<QByteArray> Encode(QStringView text);
// The first character of the text that the set cannot hold, or empty.
QString FirstUnstorable(QStringView text);

// Whether two texts are equal but for letter case, as Windows compares names
// in this set: "Äpfel" and "äpfel" are one name, "Straße" and "STRASSE" two.
bool SameText(QByteArrayView a, QByteArrayView b);
// The text in one letter case, for sets of names that compare as above.
QByteArray Folded(QByteArrayView bytes);

} // namespace Windows1252
