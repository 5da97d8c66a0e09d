// A periodic timer with an interval, an enabled flag and a Tag, whose tick a test can fire.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace toolkit {

class Timer : public QObject {
    Q_OBJECT
  public:
    Timer(QObject* parent, int intervalMs, bool enabled);

    bool Enabled() const { return enabled_; }
    // Enabling a running timer changes nothing and does not restart its interval.
    void SetEnabled(bool enabled);
    int Interval() const { return interval_; }
    void SetInterval(int intervalMs);

    int Tag = 0;
    std::function<void()> OnTimer;

    // Runs the tick handler now, as an elapsed interval would.
    void Tick();

    // In tests timers tick only when fired by hand.
    static void SetManualTicks(bool manual);

  private:
    void restart();

    QTimer timer_;
    int interval_;
    bool enabled_;
};

}  // namespace toolkit
