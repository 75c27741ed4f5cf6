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
    auto panel = [bar](int width) {
        auto* label = new QLabel(bar);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setFixedWidth(width);
        bar->addWidget(label);
        return label;
    };
    panel(140)->setText(WebAddresses::HomePage);
    QLabel* messages = panel(200);
    messages->setObjectName("MessagePanel");
    return messages;
}
