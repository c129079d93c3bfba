#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

// Something that ticks at an interval while it runs. The windows keep time with clocks made
// by the session, so a test can advance time instead of waiting for it.
class Clock : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

  signals:
    void ticked();
};

// The clock of a running program: a QTimer.
class TimerClock : public Clock {
  public:
    TimerClock(int intervalMs, QObject* parent);
    void start() override { timer_.start(); }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }

  private:
    QTimer timer_;
};

// Makes the clock called `name` ticking every `intervalMs`, owned by `parent`.
using ClockFactory = std::function<Clock*(const QString& name, int intervalMs, QObject* parent)>;
ClockFactory RealClocks();
