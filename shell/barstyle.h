#pragma once

#include <QProxyStyle>

// The desktop's style, but for the arrow a menu or tool bar shows when its
// items overflow it. Qt builds that button with every bar and reads its
// picture by asking every installed image plugin whether it reads it:
// loading them all held up the game's first paint more than anything of
// its own. The game's bars never overflow, so the desktop's arrow is read
// only should one be drawn.
class BarStyle : public QProxyStyle {
public:
    // Takes over `desktopStyle`, as QProxyStyle does.
    explicit BarStyle(QStyle* desktopStyle);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override;
};
