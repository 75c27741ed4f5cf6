#include "keycodes.h"

#include <QKeyEvent>


namespace KeyCodes {

namespace {

// One row for every key of a PC keyboard with the German layout. A key
// whose code Windows fixes by its place has its X key code (the Linux key
// code + 8, as X servers and Wayland compositors report it): AltGr and
// Shift change the character a key types, never its code, and the place is
// what tells "@" from "Q", "\\" from "ß" or "{" from "7". Qt's key name
// serves events that carry no key code; a German name is what a menu shows.
struct KeyRow {
    quint32 scanCode;
    Qt::Key key;
    int code;
    const char* name = nullptr;
};

constexpr quint32 NoScanCode = 0;

constexpr KeyRow Keys[] = {
    // The digit row, with the dead circumflex left of it.
    {49, Qt::Key_Dead_Circumflex, 220}, {10, Qt::Key_1, '1'}, {11, Qt::Key_2, '2'}, {12, Qt::Key_3, '3'},
    {13, Qt::Key_4, '4'}, {14, Qt::Key_5, '5'}, {15, Qt::Key_6, '6'}, {16, Qt::Key_7, '7'},
    {17, Qt::Key_8, '8'}, {18, Qt::Key_9, '9'}, {19, Qt::Key_0, '0'}, {20, Qt::Key_ssharp, 219},
    {21, Qt::Key_Dead_Acute, 221}, {22, Qt::Key_Backspace, Backspace, "Rück"},
    // Q W E R T Z U I O P Ü +
    {23, Qt::Key_Tab, 9, "Tab"}, {24, Qt::Key_Q, 'Q'}, {25, Qt::Key_W, 'W'}, {26, Qt::Key_E, 'E'},
    {27, Qt::Key_R, 'R'}, {28, Qt::Key_T, 'T'}, {29, Qt::Key_Z, 'Z'}, {30, Qt::Key_U, 'U'},
    {31, Qt::Key_I, 'I'}, {32, Qt::Key_O, 'O'}, {33, Qt::Key_P, 'P'}, {34, Qt::Key_Udiaeresis, 186},
    {35, Qt::Key_Plus, 187}, {36, Qt::Key_Return, 13, "Eingabe"},
    // A S D F G H J K L Ö Ä #
    {66, Qt::Key_CapsLock, 20, "Feststell"}, {38, Qt::Key_A, 'A'}, {39, Qt::Key_S, 'S'},
    {40, Qt::Key_D, 'D'}, {41, Qt::Key_F, 'F'}, {42, Qt::Key_G, 'G'}, {43, Qt::Key_H, 'H'},
    {44, Qt::Key_J, 'J'}, {45, Qt::Key_K, 'K'}, {46, Qt::Key_L, 'L'}, {47, Qt::Key_Odiaeresis, 192},
    {48, Qt::Key_Adiaeresis, 222}, {51, Qt::Key_NumberSign, 191},
    // < Y X C V B N M , . -
    {50, Qt::Key_Shift, 16, "Umsch"}, {94, Qt::Key_Less, 226}, {52, Qt::Key_Y, 'Y'}, {53, Qt::Key_X, 'X'},
    {54, Qt::Key_C, 'C'}, {55, Qt::Key_V, 'V'}, {56, Qt::Key_B, 'B'}, {57, Qt::Key_N, 'N'},
    {58, Qt::Key_M, 'M'}, {59, Qt::Key_Comma, 188}, {60, Qt::Key_Period, 190}, {61, Qt::Key_Minus, 189},
    {62, Qt::Key_Shift, 16},
    // The bottom row. AltGr is the right Alt key; Windows names it by the Alt it is.
    {37, Qt::Key_Control, 17, "Strg"}, {133, Qt::Key_Super_L, 91, "Win"}, {64, Qt::Key_Alt, 18, "Alt"},
    {65, Qt::Key_Space, 32, "Leer"}, {108, Qt::Key_AltGr, 18, "Alt Gr"}, {134, Qt::Key_Super_R, 92, "Win"},
    {135, Qt::Key_Menu, 93, "Anwendung"}, {105, Qt::Key_Control, 17},
    // The keypad with Num Lock on. With it off the keys are named by what
    // they do (Pos1, Bild auf, ...), which Qt tells, so these rows serve
    // only a keypad key that AltGr made type something else.
    {77, Qt::Key_NumLock, 144, "Num"}, {106, Qt::Key_unknown, 111}, {63, Qt::Key_unknown, 106},
    {82, Qt::Key_unknown, 109}, {86, Qt::Key_unknown, 107}, {104, Qt::Key_Enter, 13, "Eingabe"},
    {79, Qt::Key_unknown, 103}, {80, Qt::Key_unknown, 104}, {81, Qt::Key_unknown, 105},
    {83, Qt::Key_unknown, 100}, {84, Qt::Key_unknown, 101}, {85, Qt::Key_unknown, 102},
    {87, Qt::Key_unknown, 97}, {88, Qt::Key_unknown, 98}, {89, Qt::Key_unknown, 99},
    {90, Qt::Key_unknown, 96}, {91, Qt::Key_unknown, 110},
    // Keys that no AltGr level changes, and the other names Qt gives keys.
    {9, Qt::Key_Escape, 27, "Esc"}, {127, Qt::Key_Pause, 19, "Pause"}, {107, Qt::Key_Print, 44, "Druck"},
    {78, Qt::Key_ScrollLock, 145, "Rollen"}, {118, Qt::Key_Insert, 45, "Einfg"},
    {119, Qt::Key_Delete, 46, "Entf"}, {110, Qt::Key_Home, 36, "Pos1"}, {115, Qt::Key_End, 35, "Ende"},
    {112, Qt::Key_PageUp, 33, "Bild auf"}, {117, Qt::Key_PageDown, 34, "Bild ab"},
    {113, Qt::Key_Left, Left, "Links"}, {111, Qt::Key_Up, Up, "Nach oben"},
    {114, Qt::Key_Right, Right, "Rechts"}, {116, Qt::Key_Down, Down, "Nach unten"},
    {NoScanCode, Qt::Key_Backtab, 9}, {NoScanCode, Qt::Key_Clear, 12, "Num 5"},
    {NoScanCode, Qt::Key_Meta, 91}, {NoScanCode, Qt::Key_Asterisk, 187},
    {NoScanCode, Qt::Key_Semicolon, 188}, {NoScanCode, Qt::Key_Underscore, 189},
    {NoScanCode, Qt::Key_Colon, 190}, {NoScanCode, Qt::Key_Apostrophe, 191},
    {NoScanCode, Qt::Key_Question, 219}, {NoScanCode, Qt::Key_AsciiCircum, 220},
    {NoScanCode, Qt::Key_degree, 220}, {NoScanCode, Qt::Key_Dead_Grave, 221},
    {NoScanCode, Qt::Key_Greater, 226}, {NoScanCode, Qt::Key_Bar, 226},
};

const KeyRow* ByScanCode(quint32 scanCode)
{
    if (scanCode == NoScanCode)
        return nullptr;
    for (const KeyRow& row : Keys)
        if (row.scanCode == scanCode)
            return &row;
    return nullptr;
}

const KeyRow* ByQtKey(int key)
{
    if (key == Qt::Key_unknown || key == 0)
        return nullptr;
    for (const KeyRow& row : Keys)
        if (row.key == key)
            return &row;
    return nullptr;
}

// The keypad's digits and operators, as Qt names them with Num Lock on.
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

int CodeOf(const KeyRow* row)
{
    return row ? row->code : 0;
}

} // namespace

int VirtualKey(const QKeyEvent& event)
{
    const int key = event.key();
    if (event.modifiers() & Qt::KeypadModifier) {
        if (const int code = KeypadCode(key))
            return code;
        return CodeOf(ByQtKey(key));
    }
    // The key's place first: Qt names AltGr+W ("ſ") by its capital, "S".
    if (const KeyRow* row = ByScanCode(event.nativeScanCode()))
        return row->code;
    if (key >= Qt::Key_F1 && key < Qt::Key_F1 + FunctionKeyCount)
        return F(1 + key - Qt::Key_F1);
    return CodeOf(ByQtKey(key));
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
    for (const KeyRow& row : Keys)
        if (row.code == key && row.name)
            return text + QString::fromUtf8(row.name);
    return text + QString::number(key);
}

} // namespace KeyCodes
