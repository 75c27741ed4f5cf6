#include "windows1252.h"

#include <gtest/gtest.h>

TEST(Windows1252, EveryByteSurvivesARoundTrip)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = Windows1252::Decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(Windows1252::Encode(text), all);
}

TEST(Windows1252, BytesAndTheirCharacters)
{
    const std::pair<unsigned char, char16_t> cases[] = {
        {0x41, u'A'},    {0x7F, 0x007F},  {0x80, u'€'},    {0x81, 0x0081},  {0x82, u'‚'},
        {0x83, u'ƒ'},    {0x84, u'„'},    {0x85, u'…'},    {0x86, u'†'},    {0x87, u'‡'},
        {0x88, u'ˆ'},    {0x89, u'‰'},    {0x8A, u'Š'},    {0x8B, u'‹'},    {0x8C, u'Œ'},
        {0x8D, 0x008D},  {0x8E, u'Ž'},    {0x8F, 0x008F},  {0x90, 0x0090},  {0x91, u'‘'},
        {0x92, u'’'},    {0x93, u'“'},    {0x94, u'”'},    {0x95, u'•'},    {0x96, u'–'},
        {0x97, u'—'},    {0x98, u'˜'},    {0x99, u'™'},    {0x9A, u'š'},    {0x9B, u'›'},
        {0x9C, u'œ'},    {0x9D, 0x009D},  {0x9E, u'ž'},    {0x9F, u'Ÿ'},    {0xA0, 0x00A0},
        {0xC4, u'Ä'},    {0xDF, u'ß'},    {0xE4, u'ä'},    {0xFC, u'ü'},    {0xFF, u'ÿ'},
    };
    for (const auto& [byte, character] : cases) {
        const QByteArray bytes(1, char(byte));
        EXPECT_EQ(Windows1252::Decode(bytes), QString(QChar(character))) << int(byte);
        EXPECT_EQ(Windows1252::Encode(QString(QChar(character))), bytes) << int(byte);
    }
}

TEST(Windows1252, CharactersOutsideTheSetAreNamedNotReplaced)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("Łódź"), QStringLiteral("Ł")},
        {QString(QChar(0x0080)), QString(QChar(0x0080))}, // the control character, not the euro sign in its place
        {QStringLiteral("a😀b"), QStringLiteral("😀")},   // one character in two UTF-16 units
        {QString(QChar(0xD800)) + u'x', QString(QChar(0xD800))}, // a lone surrogate
    };
    for (const auto& [text, character] : cases) {
        EXPECT_FALSE(Windows1252::Encode(text)) << text.toStdString();
        EXPECT_EQ(Windows1252::FirstUnstorable(text), character) << text.toStdString();
    }
    EXPECT_EQ(Windows1252::Encode(QStringLiteral("Zoo € Bäume")), QByteArray("Zoo \x80 B\xE4ume"));
    EXPECT_EQ(Windows1252::FirstUnstorable(QStringLiteral("Zoo € Bäume")), QString());
}

TEST(Windows1252, LetterCaseIsPairedAsWindowsPairsIt)
{
    const auto same = [](const char* a, const char* b) {
        return Windows1252::SameText(*Windows1252::Encode(QString::fromUtf8(a)), *Windows1252::Encode(QString::fromUtf8(b)));
    };
    for (const auto& [a, b] : {std::pair{"Äpfel", "äpfel"}, {"ÖLÜÉ", "öLüé"}, {"Š Œ Ž Ÿ", "š œ ž ÿ"}, {"ÀÞ", "àþ"}})
        EXPECT_TRUE(same(a, b)) << a;
    for (const auto& [a, b] : {std::pair{"×", "÷"}, {"ß", "SS"}, {"a", "b"}})
        EXPECT_FALSE(same(a, b)) << a;
}
