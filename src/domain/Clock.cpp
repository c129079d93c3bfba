#include "Clock.h"

TimerClock::TimerClock(int intervalMs, QObject* parent) : Clock(parent) {
    timer_.setInterval(intervalMs);
    connect(&timer_, &QTimer::timeout, this, &Clock::ticked);
}

ClockFactory RealClocks() {
    return [](const QString& name, int intervalMs, QObject* parent) -> Clock* {
        auto* clock = new TimerClock(intervalMs, parent);
        clock->setObjectName(name);
        return clock;
    };
}
