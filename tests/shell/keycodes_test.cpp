#include "keycodes.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

TEST(KeyCodes, QtKeysBecomeVirtualKeyCodes)
{
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, int> cases[] = {
        {Qt::Key_Left, Qt::NoModifier, 37}, {Qt::Key_Up, Qt::NoModifier, 38},
        {Qt::Key_Right, Qt::NoModifier, 39}, {Qt::Key_Down, Qt::NoModifier, 40},
        {Qt::Key_A, Qt::NoModifier, 65}, {Qt::Key_Z, Qt::ShiftModifier, 90},
        {Qt::Key_5, Qt::NoModifier, 53}, {Qt::Key_5, Qt::KeypadModifier, 101},
        {Qt::Key_F1, Qt::NoModifier, 112}, {Qt::Key_F10, Qt::NoModifier, 121},
        {Qt::Key_Backspace, Qt::NoModifier, 8}, {Qt::Key_Return, Qt::NoModifier, 13},
        {Qt::Key_Escape, Qt::NoModifier, 27}, {Qt::Key_Space, Qt::NoModifier, 32},
        {Qt::Key_Shift, Qt::ShiftModifier, 16}, {Qt::Key_Alt, Qt::AltModifier, 18},
        {Qt::Key_Adiaeresis, Qt::NoModifier, 222}, {Qt::Key_degree, Qt::ShiftModifier, 220},
        {Qt::Key_AltGr, Qt::NoModifier, 18}, {Qt::Key_NumLock, Qt::KeypadModifier, 144},
        {Qt::Key_Menu, Qt::NoModifier, 93}, {Qt::Key_Clear, Qt::KeypadModifier, 12},
    };
    for (const auto& [key, modifiers, code] : cases) {
        const QKeyEvent event(QEvent::KeyPress, key, modifiers);
        EXPECT_EQ(KeyCodes::VirtualKey(event), code) << key;
    }
}

TEST(KeyCodes, EveryKeyOfAGermanKeyboardKeepsItsCodeUnderShiftAndAltGr)
{
    // As an X server reports them: the key's X key code, the character
    // typed or the dead key, and the code Windows gives the physical key.
    struct Press {
        quint32 scanCode;
        const char* text;
        int code;
        Qt::Key deadKey = {};
        Qt::KeyboardModifiers modifiers = Qt::GroupSwitchModifier;
    };
    const Press presses[] = {
        {49, "′", 220}, {10, "¹", 49}, {11, "²", 50}, {12, "³", 51}, {13, "¼", 52}, {14, "½", 53},
        {15, "¬", 54}, {16, "{", 55}, {17, "[", 56}, {18, "]", 57}, {19, "}", 48}, {20, "\\", 219},
        {21, "", 221, Qt::Key_Dead_Cedilla},
        {24, "@", 81}, {25, "ſ", 87}, {26, "€", 69}, {27, "¶", 82}, {28, "ŧ", 84}, {29, "←", 90},
        {30, "↓", 85}, {31, "→", 73}, {32, "ø", 79}, {33, "þ", 80}, {34, "", 186, Qt::Key_Dead_Diaeresis},
        {35, "~", 187},
        {38, "æ", 65}, {39, "ſ", 83}, {40, "ð", 68}, {41, "đ", 70}, {42, "ŋ", 71}, {43, "ħ", 72},
        {44, "", 74, Qt::Key_Dead_Belowdot}, {45, "ĸ", 75}, {46, "ł", 76},
        {47, "", 192, Qt::Key_Dead_Doubleacute}, {48, "", 222, Qt::Key_Dead_Circumflex}, {51, "’", 191},
        {94, "|", 226}, {52, "»", 89}, {53, "«", 88}, {54, "¢", 67}, {55, "„", 86}, {56, "“", 66},
        {57, "”", 78}, {58, "µ", 77}, {59, "·", 188}, {60, "…", 190}, {61, "–", 189}, {65, "\u00a0", 32},
        // Shift: the digit row keeps its digits' codes.
        {10, "!", 49, {}, Qt::ShiftModifier}, {19, "=", 48, {}, Qt::ShiftModifier},
        {20, "?", 219, {}, Qt::ShiftModifier}, {49, "", 220, Qt::Key_degree, Qt::ShiftModifier},
        // The keypad, whatever AltGr makes of it; Num Lock off names its keys by what they do.
        {79, "7", 103, {}, Qt::KeypadModifier}, {106, "/", 111, {}, Qt::KeypadModifier},
        {91, ",", 110, {}, Qt::KeypadModifier}, {84, "§", 101},
        {79, "", 36, Qt::Key_Home, Qt::KeypadModifier}, {84, "", 12, Qt::Key_Clear, Qt::KeypadModifier},
    };
    for (const Press& press : presses) {
        const QString text = QString::fromUtf8(press.text);
        const int key = press.deadKey != Qt::Key{} ? int(press.deadKey) : text.toUpper()[0].unicode();
        const QKeyEvent event(QEvent::KeyPress, key, press.modifiers, press.scanCode, 0, 0, text);
        EXPECT_EQ(KeyCodes::VirtualKey(event), press.code) << press.scanCode << " " << press.text;
    }
}

TEST(KeyCodes, ShortcutsCarryTheirModifiersAndGermanNames)
{
    const QKeyEvent altBackspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(KeyCodes::ShortcutCode(altBackspace), 32776);
    const QKeyEvent altS(QEvent::KeyPress, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(KeyCodes::ShortcutCode(altS), 32851);
    const QKeyEvent ctrlShiftF2(QEvent::KeyPress, Qt::Key_F2, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(KeyCodes::ShortcutCode(ctrlShiftF2), 0x6000 | 113);

    EXPECT_EQ(KeyCodes::ShortcutText(113), "F2");
    EXPECT_EQ(KeyCodes::ShortcutText(32776), "Alt+Rück");
    EXPECT_EQ(KeyCodes::ShortcutText(32851), "Alt+S");
    EXPECT_EQ(KeyCodes::ShortcutText(0x6000 | 'S'), "Umsch+Strg+S");
}
