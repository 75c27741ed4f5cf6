#pragma once

#include <QString>

class QKeyEvent;

// Keys are named by the Windows virtual-key codes that the game shows and
// stores (37 to 40 for the arrows, 65 for A, 112 for F1); a shortcut adds
// 0x2000 for Shift, 0x4000 for Ctrl and 0x8000 for Alt.
namespace KeyCodes {

constexpr int Shift = 0x2000;
constexpr int Ctrl = 0x4000;
constexpr int Alt = 0x8000;

constexpr int Backspace = 8;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int F1 = 112;
// The function keys F1 to F24 follow each other from F1 on.
constexpr int FunctionKeyCount = 24;
constexpr int F(int number) { return F1 + number - 1; }

// The virtual-key code of the event's key, 0 when it has none.
int VirtualKey(const QKeyEvent& event);
// The key with its modifiers, as menu shortcuts are stored.
int ShortcutCode(const QKeyEvent& event);
// The German text of a shortcut as a menu shows it: "F2", "Alt+Rück", "Umsch+Strg+S".
QString ShortcutText(int code);

} // namespace KeyCodes
