#include "statusbar.h"

#include "webaddresses.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

QLabel* CreateStatusBar(QMainWindow& window)
{
    QStatusBar* bar = window.statusBar();
    bar->setObjectName("Status");
    bar->setFixedHeight(19);
    bar->setSizeGripEnabled(false);
    auto panel = [bar](const QString& text, int stretch) {
        auto* label = new QLabel(text, bar);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addWidget(label, stretch);
        return label;
    };
    // The address is shown whole, and the messages have all the rest: a long
    // name is cut only where the window ends, and never widens the window.
    QLabel* address = panel(WebAddresses::HomePage, 0);
    address->setFixedWidth(address->sizeHint().width());
    QLabel* messages = panel({}, 1);
    messages->setObjectName("MessagePanel");
    messages->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return messages;
}
