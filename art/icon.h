#pragma once

#include <QString>

// The 24 icons of the menus and the tool bar, by their number in the
// program's icon list. Each colour has a pair: its plain disc, and the disc
// with a check mark right after it.
enum class Icon {
    RedDisc = 0,
    RedChecked,
    BlueDisc,
    BlueChecked,
    GreenDisc,
    GreenChecked,
    VioletDisc,
    VioletChecked,
    YellowDisc,
    YellowChecked,
    Play,
    Undo,
    Grid,
    Landscape,
    Diskette,
    ColourCircles,
    BlackSquare,
    Die,
    StackOfGames,
    Emblem,
    QuestionMark,
    Board,
    Smiley,
    Figure,
};

inline constexpr int IconCount = 24;

// The disc of a colour code 1 (red) to 5 (violet), checked or plain.
inline Icon ColorIcon(int code, bool checked)
{
    constexpr Icon discs[] = {Icon::RedDisc, Icon::BlueDisc, Icon::GreenDisc, Icon::YellowDisc, Icon::VioletDisc};
    return Icon(int(discs[code - 1]) + (checked ? 1 : 0));
}

// Where the program's resources hold the icon.
inline QString IconResource(Icon icon)
{
    return QStringLiteral(":/icons/icon%1.png").arg(int(icon), 2, 10, QChar(u'0'));
}
