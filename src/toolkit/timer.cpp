// Timers over QTimer, with ticks that tests fire by hand.
#include "toolkit/timer.h"

#include "toolkit/handler.h"

namespace toolkit {

namespace {
bool manualTicks = false;
}

Timer::Timer(QObject* parent, int intervalMs, bool enabled)
    : QObject(parent), interval_(intervalMs), enabled_(enabled) {
    timer_.setTimerType(Qt::CoarseTimer);
    connect(&timer_, &QTimer::timeout, this, &Timer::Tick);
    restart();
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    restart();
}

void Timer::SetInterval(int intervalMs) {
    if (intervalMs == interval_) {
        return;
    }
    interval_ = intervalMs;
    restart();
}

void Timer::restart() {
    if (enabled_ && interval_ > 0 && !manualTicks) {
        timer_.start(interval_);
    } else {
        timer_.stop();
    }
}

void Timer::Tick() {
    if (OnTimer) {
        RunHandler(OnTimer);
    }
}

void Timer::SetManualTicks(bool manual) {
    manualTicks = manual;
}

}  // namespace toolkit
