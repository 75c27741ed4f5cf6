#pragma once

// What both start-up probes share, so that the script compares like with like.

#include <QCoreApplication>
#include <QEvent>
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
