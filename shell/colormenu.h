#pragma once

#include "colorselection.h"

#include <QMenu>

// The colour menu: one item per colour, showing its disc, with a check mark
// on the disc while the colour takes part. The mark is the icon, not a
// check item's tick, so the items look alike in the menu and the tool bar.
class ColorMenu : public QMenu {
    Q_OBJECT
public:
    explicit ColorMenu(QWidget* parent = nullptr);

    void Show(const ColorSelection& colors);

signals:
    // The player chose the item of colour `code`.
    void toggled(int code);
};
