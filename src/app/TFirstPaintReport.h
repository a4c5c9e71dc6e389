// With ZOREN_REPORT_FIRST_PAINT set, the program prints "first-paint <monotonic ns>" on the
// main window's first paint, for the start-up benchmark; the benchmark's minimal peer window
// reports through the same filter. It changes nothing else.
#pragma once

#include <QEvent>
#include <QObject>
#include <cstdio>
#include <ctime>

class TFirstPaintReport final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            std::printf("first-paint %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
            std::fflush(stdout);
            watched->removeEventFilter(this);
        }
        return false;
    }
};
