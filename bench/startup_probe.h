#pragma once

// What both start-up probes share, so that the script compares like with like.

#include <QCoreApplication>
#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

// Quits once `window` has been painted the first time, and prints
// "painted_ms N": the milliseconds from the moment the script launched the
// process (PROBE_LAUNCH_NS, on the monotonic clock) to that first paint. What
// a program does after its window is up, and its ending, are not counted.
// Prints "frame W H screen W H" too: the window's size with its border, and
// the output's, for a check that the whole window fits.
class QuitAfterFirstPaint : public QObject {
public:
    explicit QuitAfterFirstPaint(QWidget& window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            const long long launched = std::atoll(std::getenv("PROBE_LAUNCH_NS") ? std::getenv("PROBE_LAUNCH_NS") : "0");
            std::printf("painted_ms %.3f\n", double(std::chrono::nanoseconds(now).count() - launched) / 1e6);
            const auto* window = static_cast<QWidget*>(watched);
            const QSize frame = window->frameGeometry().size(), screen = window->screen()->geometry().size();
            std::printf("frame %d %d screen %d %d\n", frame.width(), frame.height(), screen.width(), screen.height());
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
