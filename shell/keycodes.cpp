#include "keycodes.h"

#include <QKeyEvent>

#include <array>
#include <utility>

namespace KeyCodes {

namespace {

// Keys whose code does not follow from a range; with their German names.
struct NamedKey {
    Qt::Key key;
    int code;
    const char* name;
};

constexpr std::array<NamedKey, 31> NamedKeys = {{
    {Qt::Key_Backspace, Backspace, "Rück"},
    {Qt::Key_Tab, 9, "Tab"},
    {Qt::Key_Backtab, 9, "Tab"},
    {Qt::Key_Return, 13, "Eingabe"},
    {Qt::Key_Enter, 13, "Eingabe"},
    {Qt::Key_Shift, 16, "Umsch"},
    {Qt::Key_Control, 17, "Strg"},
    {Qt::Key_Alt, 18, "Alt"},
    {Qt::Key_Pause, 19, "Pause"},
    {Qt::Key_CapsLock, 20, "Feststell"},
    {Qt::Key_Escape, 27, "Esc"},
    {Qt::Key_Space, 32, "Leer"},
    {Qt::Key_PageUp, 33, "Bild auf"},
    {Qt::Key_PageDown, 34, "Bild ab"},
    {Qt::Key_End, 35, "Ende"},
    {Qt::Key_Home, 36, "Pos1"},
    {Qt::Key_Left, Left, "Links"},
    {Qt::Key_Up, Up, "Nach oben"},
    {Qt::Key_Right, Right, "Rechts"},
    {Qt::Key_Down, Down, "Nach unten"},
    {Qt::Key_Print, 44, "Druck"},
    {Qt::Key_Insert, 45, "Einfg"},
    {Qt::Key_Delete, 46, "Entf"},
    {Qt::Key_Meta, 91, "Win"},
    {Qt::Key_Super_L, 91, "Win"},
    {Qt::Key_Super_R, 92, "Win"},
    {Qt::Key_Menu, 93, "Anwendung"},
    {Qt::Key_Clear, 12, "Num 5"},
    {Qt::Key_NumLock, 144, "Num"},
    {Qt::Key_ScrollLock, 145, "Rollen"},
    // AltGr is the right Alt key; Windows names it by the Alt it is.
    {Qt::Key_AltGr, 18, "Alt Gr"},
}};

// The digit keys' codes do not change with Shift: "!" is the key "1". Qt
// names the key by the character it types, so the key's place tells it,
// given as the X key code of a PC keyboard (the Linux key code + 8).
int DigitRowCode(quint32 scanCode)
{
    constexpr quint32 FirstDigitKey = 10; // "1", then up to "9" and "0"
    if (scanCode < FirstDigitKey || scanCode > FirstDigitKey + 9)
        return 0;
    return scanCode == FirstDigitKey + 9 ? '0' : int('1' + (scanCode - FirstDigitKey));
}

int KeypadCode(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return 96 + (key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma: return 110;
    case Qt::Key_Slash: return 111;
    default: return 0;
    }
}

} // namespace

int VirtualKey(const QKeyEvent& event)
{
    const int key = event.key();
    if (!(event.modifiers() & Qt::KeypadModifier)) {
        if (const int code = DigitRowCode(event.nativeScanCode()))
            return code;
    }
    if (event.modifiers() & Qt::KeypadModifier) {
        if (const int code = KeypadCode(key))
            return code;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return '0' + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key < Qt::Key_F1 + FunctionKeyCount)
        return F(1 + key - Qt::Key_F1);
    for (const NamedKey& named : NamedKeys)
        if (named.key == key)
            return named.code;
    // Letters with umlauts and punctuation: the German keyboard's codes.
    switch (key) {
    case Qt::Key_Udiaeresis: return 186;
    case Qt::Key_Plus: case Qt::Key_Asterisk: return 187;
    case Qt::Key_Comma: case Qt::Key_Semicolon: return 188;
    case Qt::Key_Minus: case Qt::Key_Underscore: return 189;
    case Qt::Key_Period: case Qt::Key_Colon: return 190;
    case Qt::Key_NumberSign: case Qt::Key_Apostrophe: return 191;
    case Qt::Key_Odiaeresis: return 192;
    case Qt::Key_ssharp: case Qt::Key_Question: return 219;
    case Qt::Key_AsciiCircum: case Qt::Key_Dead_Circumflex: case Qt::Key_degree: return 220;
    case Qt::Key_Dead_Acute: case Qt::Key_Dead_Grave: return 221;
    case Qt::Key_Adiaeresis: return 222;
    case Qt::Key_Less: case Qt::Key_Greater: case Qt::Key_Bar: return 226;
    default: return 0;
    }
}

int ShortcutCode(const QKeyEvent& event)
{
    int code = VirtualKey(event);
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers & Qt::ShiftModifier)
        code |= Shift;
    if (modifiers & Qt::ControlModifier)
        code |= Ctrl;
    if (modifiers & Qt::AltModifier)
        code |= Alt;
    return code;
}

QString ShortcutText(int code)
{
    QString text;
    if (code & Shift)
        text += "Umsch+";
    if (code & Ctrl)
        text += "Strg+";
    if (code & Alt)
        text += "Alt+";
    const int key = code & 0xFF;
    if (key >= F(1) && key <= F(FunctionKeyCount))
        return text + "F" + QString::number(key - F(1) + 1);
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return text + QChar(key);
    for (const NamedKey& named : NamedKeys)
        if (named.code == key)
            return text + QString::fromUtf8(named.name);
    return text + QString::number(key);
}

} // namespace KeyCodes
