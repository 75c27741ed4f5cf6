#pragma once

// What both start-up probes share, so that the script compares like with like.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <fstream>
#include <string>

// Quits once `window` has been painted the first time. The quit is posted,
// so the rest of that paint pass, the children and the flush to the screen,
// still happens before the event loop ends.
class QuitAfterFirstPaint : public QObject {
public:
    explicit QuitAfterFirstPaint(QWidget& window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return false;
    }
};

// Prints "peak_rss_kib N", N being VmHWM of /proc/self/status.
inline void PrintPeakRss()
{
    std::ifstream status("/proc/self/status");
    for (std::string key; status >> key;) {
        if (key == "VmHWM:") {
            long kib = 0;
            status >> kib;
            std::printf("peak_rss_kib %ld\n", kib);
            return;
        }
    }
}
