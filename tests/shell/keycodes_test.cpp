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

TEST(KeyCodes, DigitKeysKeepTheirCodeWithShift)
{
    // As an X server reports Shift+1 and Shift+0 on a German keyboard; the
    // keypad's digits are no digit keys.
    const QKeyEvent exclam(QEvent::KeyPress, Qt::Key_Exclam, Qt::ShiftModifier, 10, 0x21, 1, "!");
    EXPECT_EQ(KeyCodes::VirtualKey(exclam), 49);
    const QKeyEvent equal(QEvent::KeyPress, Qt::Key_Equal, Qt::ShiftModifier, 19, 0x3d, 1, "=");
    EXPECT_EQ(KeyCodes::VirtualKey(equal), 48);
    const QKeyEvent keypad(QEvent::KeyPress, Qt::Key_7, Qt::KeypadModifier, 79, 0xffb7, 16, "7");
    EXPECT_EQ(KeyCodes::VirtualKey(keypad), 103);
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
