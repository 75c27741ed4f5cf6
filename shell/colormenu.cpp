#include "colormenu.h"

#include "artwork.h"
#include "icon.h"

ColorMenu::ColorMenu(QWidget* parent) : QMenu(QStringLiteral("&Farben"), parent)
{
    setObjectName("menu_colors");
    menuAction()->setObjectName("menu_colors");
    const std::pair<const char*, const char*> items[] = {
        {"color_red", "&rot"}, {"color_blue", "&blau"}, {"color_green", "&grün"},
        {"color_yellow", "ge&lb"}, {"color_violett", "&violett"}};
    for (int code = 1; code <= ColorSelection::Count; ++code) {
        QAction* action = addAction(QString::fromUtf8(items[code - 1].second));
        action->setObjectName(items[code - 1].first);
        connect(action, &QAction::triggered, this, [this, code] { emit toggled(code); });
    }
}

void ColorMenu::Show(const ColorSelection& colors)
{
    const QList<QAction*> items = actions();
    for (int code = 1; code <= ColorSelection::Count; ++code)
        items[code - 1]->setIcon(ArtworkIcon(IconResource(ColorIcon(code, colors.Has(code)))));
}
